#include "support/pty_bridge.h"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <optional>
#include <string>

namespace gw::test {

namespace {

constexpr int kRelayPollMs = 20;
constexpr std::size_t kRelayChunk = 4096;
constexpr int kExitPollMs = 10;
// How long bytes for the far program wait for it to be reading them.
constexpr int kFarReadWaitMs = 2000;
constexpr int kFarReadPollUs = 500;

void makeRaw(int fd, int bitsPerSecond) {
  termios mode{};
  if (::tcgetattr(fd, &mode) != 0) return;
  ::cfmakeraw(&mode);
  if (bitsPerSecond == 921600) ::cfsetspeed(&mode, B921600);
  ::tcsetattr(fd, TCSANOW, &mode);
}

bool writeAll(int fd, const char* data, std::size_t size) {
  while (size > 0) {
    const ssize_t n = ::write(fd, data, size);
    if (n <= 0) return false;
    data += n;
    size -= static_cast<std::size_t>(n);
  }
  return true;
}

// Whether `pid` sits in read() on its stdin, as /proc shows it ("0 0x0 ..." on x86-64, "running" while it
// runs); nothing once it has ended.
std::optional<bool> readsStdin(pid_t pid) {
  std::ifstream calls("/proc/" + std::to_string(pid) + "/syscall");
  std::string number;
  std::string firstArgument;
  if (!(calls >> number)) return std::nullopt;
  return calls >> firstArgument && number == std::to_string(SYS_read) && firstArgument == "0x0";
}

// lrzsz answers, then empties its terminal's input before it reads again; a frame that arrives in between
// is thrown away, which a real line's delay never provokes. Bytes for it therefore wait until it reads.
void awaitReader(pid_t pid) {
  if (pid <= 0) return;
  const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(kFarReadWaitMs);
  for (std::optional<bool> reading = readsStdin(pid); reading && !*reading; reading = readsStdin(pid)) {
    if (std::chrono::steady_clock::now() >= until) return;
    ::usleep(kFarReadPollUs);
  }
}

// Moves what one master has to the other, flipping the byte at `damage` once; `reader`, when set, is the
// program that must be reading before the bytes go on.
bool pass(int from, int to, long& count, std::atomic<long>& damage, pid_t reader = -1) {
  char buffer[kRelayChunk];
  const ssize_t n = ::read(from, buffer, sizeof buffer);
  if (n <= 0) return false;
  awaitReader(reader);
  const long at = damage.load();
  if (at >= count && at < count + n) {
    buffer[at - count] = static_cast<char>(~buffer[at - count]);
    damage = -1;
  }
  count += n;
  return writeAll(to, buffer, static_cast<std::size_t>(n));
}

pid_t spawnOn(int terminal, int output, const std::string& folder, const std::string& program,
              const std::vector<std::string>& args) {
  const pid_t pid = ::fork();
  if (pid != 0) return pid;
  if (::chdir(folder.c_str()) != 0) ::_exit(126);
  ::dup2(terminal, STDIN_FILENO);
  ::dup2(output, STDOUT_FILENO);
  // What the program says about the transfer, for a failure's post-mortem.
  const int log = ::open((program + ".log").c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
  ::dup2(log, STDERR_FILENO);
  std::vector<char*> argv{const_cast<char*>(program.c_str())};
  for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);
  ::execvp(program.c_str(), argv.data());
  ::_exit(127);
}

}  // namespace

PtyBridge::PtyBridge() {
  int nearSlave = -1;
  char name[128] = {};
  if (::openpty(&nearMaster_, &nearSlave, name, nullptr, nullptr) != 0) return;
  ::close(nearSlave);  // the serial port opens it by its path
  nearPath_ = name;
  if (::openpty(&farMaster_, &farSlave_, nullptr, nullptr, nullptr) != 0) return;
  makeRaw(farSlave_, 0);
  ready_ = true;
  thread_ = std::thread([this] { relay(); });
}

PtyBridge::~PtyBridge() {
  stop_ = true;
  if (thread_.joinable()) thread_.join();
  for (int fd : {nearMaster_, farMaster_, farSlave_, farOutput_.load()}) {
    if (fd >= 0) ::close(fd);
  }
}

void PtyBridge::relay() {
  long towardsFar = 0;
  long towardsNear = 0;
  while (!stop_) {
    const int farOutput = farOutput_;
    pollfd ends[3] = {{nearMaster_, POLLIN, 0}, {farMaster_, POLLIN, 0}, {farOutput, POLLIN, 0}};
    if (::poll(ends, farOutput >= 0 ? 3 : 2, kRelayPollMs) <= 0) continue;
    // A master whose terminal nobody holds open reports a hang-up: wait for it to be opened again.
    if (ends[0].revents & POLLIN) pass(nearMaster_, farMaster_, towardsFar, damageFar_, farPid_);
    if (ends[1].revents & POLLIN) pass(farMaster_, nearMaster_, towardsNear, damageNear_);
    if (ends[2].revents & POLLIN) pass(farOutput, nearMaster_, towardsNear, damageNear_);
    if ((ends[0].revents | ends[1].revents | ends[2].revents) & (POLLHUP | POLLERR))
      ::usleep(kRelayPollMs * 1000);
  }
}

pid_t PtyBridge::startFar(const std::string& folder, const std::string& program,
                          const std::vector<std::string>& args) {
  int output[2];
  if (farOutput_ >= 0 || ::pipe(output) != 0) return -1;
  const pid_t pid = spawnOn(farSlave_, output[1], folder, program, args);
  ::close(output[1]);
  farPid_ = pid;
  farOutput_ = output[0];
  return pid;
}

pid_t startOnTerminal(const std::string& path, int bitsPerSecond, const std::string& folder,
                      const std::string& program, const std::vector<std::string>& args) {
  const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY);
  if (fd < 0) return -1;
  makeRaw(fd, bitsPerSecond);
  const pid_t pid = spawnOn(fd, fd, folder, program, args);
  ::close(fd);
  return pid;
}

int waitForExit(pid_t pid, int timeoutMs) {
  if (pid <= 0) return -1;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  int status = 0;
  while (::waitpid(pid, &status, WNOHANG) == 0) {
    if (std::chrono::steady_clock::now() > deadline) {
      ::kill(pid, SIGKILL);
      ::waitpid(pid, &status, 0);
      return -1;
    }
    ::usleep(kExitPollMs * 1000);
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace gw::test

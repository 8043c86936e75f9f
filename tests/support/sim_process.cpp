#include "support/sim_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace gw::test {
namespace {

constexpr int kStartTimeoutMs = 5000;
constexpr int kStopTimeoutMs = 3000;
constexpr int kExitPollMs = 5;
constexpr int kExecFailed = 127;
constexpr std::size_t kReadBlockBytes = 256;
constexpr const char* kTcpPrefix = "tcp 127.0.0.1:";
constexpr const char* kPtyPrefix = "pty ";
constexpr const char* kUdpPrefix = "udp 127.0.0.1:";

bool isOption(const std::string& arg, const std::string& name) {
  return arg == name || arg.rfind(name + "=", 0) == 0;
}

int expectedAnnouncements(const std::vector<std::string>& args) {
  int lines = 0;
  for (const std::string& arg : args) {
    if (isOption(arg, "--tcp") || isOption(arg, "--pty") || isOption(arg, "--udp")) ++lines;
  }
  return lines;
}

std::int64_t nowMs() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

}  // namespace

SimProcess::SimProcess(const std::string& executable, const std::vector<std::string>& args) {
  ready_ = start(executable, args) && readAnnouncements(expectedAnnouncements(args));
}

SimProcess::~SimProcess() {
  stop();
  if (stdoutFd_ >= 0) ::close(stdoutFd_);
}

bool SimProcess::start(const std::string& executable, const std::vector<std::string>& args) {
  int pipeFds[2];
  if (::pipe2(pipeFds, O_CLOEXEC) != 0) {
    error_ = std::string("pipe: ") + std::strerror(errno);
    return false;
  }
  std::vector<std::string> words{executable};
  words.insert(words.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (std::string& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);

  const pid_t parent = ::getpid();
  pid_ = ::fork();
  if (pid_ < 0) {
    error_ = std::string("fork: ") + std::strerror(errno);
    ::close(pipeFds[0]);
    ::close(pipeFds[1]);
    return false;
  }
  if (pid_ == 0) {
    // Between fork and exec only async-signal-safe calls.
    ::dup2(pipeFds[1], STDOUT_FILENO);
    ::prctl(PR_SET_PDEATHSIG, SIGTERM);
    if (::getppid() != parent) ::_exit(kExecFailed);
    ::execv(argv[0], argv.data());
    ::_exit(kExecFailed);
  }
  ::close(pipeFds[1]);
  stdoutFd_ = pipeFds[0];
  return true;
}

bool SimProcess::readAnnouncements(int expectedLines) {
  std::string pending;
  const std::int64_t deadline = nowMs() + kStartTimeoutMs;
  int lines = 0;
  while (lines < expectedLines) {
    const std::int64_t left = deadline - nowMs();
    pollfd fd{stdoutFd_, POLLIN, 0};
    if (left <= 0 || ::poll(&fd, 1, static_cast<int>(left)) <= 0) {
      error_ = "gwsim did not announce its consoles in time";
      return false;
    }
    char block[kReadBlockBytes];
    const ssize_t n = ::read(stdoutFd_, block, sizeof block);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      error_ = "gwsim exited before announcing its consoles";
      return false;
    }
    pending.append(block, static_cast<std::size_t>(n));
    for (std::size_t end; lines < expectedLines && (end = pending.find('\n')) != std::string::npos;) {
      if (!takeLine(pending.substr(0, end))) return false;
      pending.erase(0, end + 1);
      ++lines;
    }
  }
  return true;
}

bool SimProcess::takeLine(const std::string& line) {
  if (line.rfind(kTcpPrefix, 0) == 0) {
    tcpPort_ = std::atoi(line.c_str() + std::strlen(kTcpPrefix));
    if (tcpPort_ > 0) return true;
    error_ = "bad announcement: " + line;
    return false;
  }
  if (line.rfind(kUdpPrefix, 0) == 0) {
    udpPort_ = std::atoi(line.c_str() + std::strlen(kUdpPrefix));
    if (udpPort_ > 0) return true;
    error_ = "bad announcement: " + line;
    return false;
  }
  if (line.rfind(kPtyPrefix, 0) == 0) {
    ptyPath_ = line.substr(std::strlen(kPtyPrefix));
    return true;
  }
  error_ = "unexpected line from gwsim: " + line;
  return false;
}

int SimProcess::waitForExit(int timeoutMs) {
  if (pid_ <= 0) return status_;
  const std::int64_t deadline = nowMs() + timeoutMs;
  for (;;) {
    int status = 0;
    const pid_t done = ::waitpid(pid_, &status, WNOHANG);
    if (done == pid_ || (done < 0 && errno != EINTR)) {
      status_ = done == pid_ ? status : -1;
      pid_ = -1;
      return status_;
    }
    if (nowMs() >= deadline) return -1;
    ::poll(nullptr, 0, kExitPollMs);
  }
}

int SimProcess::stop() {
  if (pid_ <= 0) return status_;
  ::kill(pid_, SIGTERM);
  if (waitForExit(kStopTimeoutMs) != -1 || pid_ <= 0) return status_;
  ::kill(pid_, SIGKILL);
  int status = 0;
  while (::waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
  }
  status_ = status;
  pid_ = -1;
  return status_;
}

}  // namespace gw::test

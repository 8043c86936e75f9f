#include "ui/sim_child.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "base/text.h"

namespace gw::ui {

namespace {

constexpr std::string_view kTcpAnnouncement = "tcp 127.0.0.1:";
constexpr int kStopPollMs = 20;
constexpr std::size_t kAnnouncementLimit = 4096;  // a line longer than this is not an announcement
constexpr int kHighestPort = 65535;

}  // namespace

int announcedPort(const std::string& line) {
  if (!startsWith(line, kTcpAnnouncement)) return 0;
  const std::optional<int> port = toInt(trim(line.substr(kTcpAnnouncement.size())));
  if (!port || *port <= 0 || *port > kHighestPort) return 0;
  return *port;
}

SimChild::~SimChild() {
  stop();
}

bool SimChild::start(const std::string& executable, const std::vector<std::string>& args) {
  int pipeFds[2];
  if (pipe2(pipeFds, O_CLOEXEC) != 0) {
    error_ = std::string("cannot create a pipe: ") + std::strerror(errno);
    return false;
  }
  std::vector<std::string> argv = {executable};
  argv.insert(argv.end(), args.begin(), args.end());
  std::vector<char*> cargs;
  for (std::string& a : argv) cargs.push_back(a.data());
  cargs.push_back(nullptr);

  pid_ = fork();
  if (pid_ < 0) {
    error_ = std::string("cannot start gwsim: ") + std::strerror(errno);
    close(pipeFds[0]);
    close(pipeFds[1]);
    return false;
  }
  if (pid_ == 0) {
    dup2(pipeFds[1], STDOUT_FILENO);
    execv(executable.c_str(), cargs.data());
    _exit(127);
  }
  close(pipeFds[1]);
  stdoutFd_ = pipeFds[0];
  if (readAnnouncement()) return true;
  stop();
  return false;
}

bool SimChild::readAnnouncement() {
  std::string line;
  const std::int64_t deadline = clock_.nowMs() + kSimReadyTimeoutMs;
  while (line.size() < kAnnouncementLimit) {
    const std::int64_t left = deadline - clock_.nowMs();
    if (left <= 0) break;
    pollfd p{stdoutFd_, POLLIN, 0};
    const int ready = poll(&p, 1, static_cast<int>(left));
    if (ready < 0 && errno == EINTR) continue;
    if (ready <= 0) break;
    char c = 0;
    const ssize_t n = read(stdoutFd_, &c, 1);
    if (n <= 0) {
      error_ = "gwsim ended before it announced its console";
      return false;
    }
    if (c != '\n') {
      line.push_back(c);
      continue;
    }
    port_ = announcedPort(line);
    if (port_ > 0) return true;
    line.clear();
  }
  error_ = "gwsim did not announce its console in time";
  return false;
}

void SimChild::stop() {
  if (pid_ > 0) {
    kill(pid_, SIGTERM);
    int status = 0;
    const std::int64_t deadline = clock_.nowMs() + kSimStopTimeoutMs;
    pid_t done = 0;
    while ((done = waitpid(pid_, &status, WNOHANG)) == 0 && clock_.nowMs() < deadline)
      clock_.sleep(kStopPollMs);
    if (done == 0) {
      kill(pid_, SIGKILL);
      waitpid(pid_, &status, 0);
    }
    pid_ = -1;
  }
  if (stdoutFd_ >= 0) {
    close(stdoutFd_);
    stdoutFd_ = -1;
  }
}

}  // namespace gw::ui

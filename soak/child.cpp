#include "child.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <sstream>
#include <thread>

namespace gw::soak {

namespace {
constexpr int kPollStepMs = 10;
}  // namespace

pid_t startChild(const std::vector<std::string>& argv, const std::string& outPath,
                 const std::string& errPath) {
  std::vector<char*> raw;
  for (const std::string& arg : argv) raw.push_back(const_cast<char*>(arg.c_str()));
  raw.push_back(nullptr);
  const pid_t pid = ::fork();
  if (pid != 0) return pid;
  const int out = ::open(outPath.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
  const int err = ::open(errPath.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
  const int in = ::open("/dev/null", O_RDONLY);
  if (out < 0 || err < 0 || in < 0) ::_exit(127);
  ::dup2(in, 0);
  ::dup2(out, 1);
  ::dup2(err, 2);
  // Only the three standard descriptors go along: a descriptor of the soak is no leak of the program.
  for (int fd = 3; fd < 1024; ++fd) ::close(fd);
  ::execv(raw[0], raw.data());
  ::_exit(127);
}

std::optional<int> reapChild(pid_t pid) {
  int status = 0;
  if (::waitpid(pid, &status, WNOHANG) == pid) return status;
  return std::nullopt;
}

int openDescriptors(pid_t pid) {
  const std::string path = "/proc/" + std::to_string(pid) + "/fd";
  DIR* dir = ::opendir(path.c_str());
  if (!dir) return -1;
  int count = 0;
  while (const dirent* entry = ::readdir(dir)) {
    if (entry->d_name[0] != '.') ++count;
  }
  ::closedir(dir);
  return count;
}

std::optional<int> waitChild(pid_t pid, int ms) {
  for (int waited = 0;; waited += kPollStepMs) {
    if (auto status = reapChild(pid)) return status;
    if (waited >= ms) return std::nullopt;
    pauseMs(kPollStepMs);
  }
}

void pauseMs(int ms) {
  std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

std::string readText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

}  // namespace gw::soak

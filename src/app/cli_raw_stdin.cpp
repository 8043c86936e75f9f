#include "app/cli_raw_stdin.h"

#include <poll.h>
#include <unistd.h>

#include <cerrno>

namespace gw {

namespace {
constexpr std::size_t kReadBytes = 4096;
}  // namespace

RawStdin::RawStdin(int fd) : fd_(fd) {
  if (::isatty(fd_) == 0 || ::tcgetattr(fd_, &saved_) != 0) return;
  termios raw = saved_;
  ::cfmakeraw(&raw);
  raw.c_oflag = saved_.c_oflag;  // output as the shell had it
  terminal_ = ::tcsetattr(fd_, TCSANOW, &raw) == 0;
}

RawStdin::~RawStdin() {
  if (terminal_) ::tcsetattr(fd_, TCSANOW, &saved_);
}

RawStdin::Input RawStdin::read() {
  Input input;
  pollfd p{fd_, POLLIN, 0};
  if (::poll(&p, 1, 0) <= 0) return input;
  char buffer[kReadBytes];
  const ssize_t n = ::read(fd_, buffer, sizeof buffer);
  if (n > 0) {
    input.bytes.assign(buffer, static_cast<std::size_t>(n));
  } else if (n == 0 || (errno != EAGAIN && errno != EINTR)) {
    input.ended = !terminal_;
  }
  return input;
}

}  // namespace gw

#include "raw_line.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <optional>

#include "serial_speed.h"

namespace gwsim::test {
namespace {

constexpr std::size_t kReadBlockBytes = 4096;

std::int64_t nowMs() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

int leftMs(std::int64_t deadline) {
  return static_cast<int>(std::max<std::int64_t>(0, deadline - nowMs()));
}

}  // namespace

RawLine RawLine::tcp(int port) {
  const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = htons(static_cast<std::uint16_t>(port));
  if (fd >= 0 && ::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
    ::close(fd);
    return RawLine(-1);
  }
  return RawLine(fd);
}

RawLine RawLine::serial(const std::string& path, int bitsPerSecond) {
  RawLine line(::open(path.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC));
  if (line.open() && !line.setSpeed(bitsPerSecond)) {
    ::close(line.fd_);
    line.fd_ = -1;
  }
  return line;
}

RawLine::RawLine(RawLine&& other) noexcept
    : fd_(other.fd_), eof_(other.eof_), pending_(std::move(other.pending_)) {
  other.fd_ = -1;
}

RawLine::~RawLine() {
  if (fd_ >= 0) ::close(fd_);
}

bool RawLine::setSpeed(int bitsPerSecond) {
  termios settings{};
  const std::optional<speed_t> code = speedCode(bitsPerSecond);
  if (!code || ::tcgetattr(fd_, &settings) != 0) return false;
  ::cfmakeraw(&settings);
  ::cfsetispeed(&settings, *code);
  ::cfsetospeed(&settings, *code);
  return ::tcsetattr(fd_, TCSANOW, &settings) == 0;
}

bool RawLine::send(std::string_view bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd_, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<std::size_t>(n);
  }
  return true;
}

std::string RawLine::readBlock(int timeoutMs) {
  pollfd fd{fd_, POLLIN, 0};
  if (eof_ || ::poll(&fd, 1, timeoutMs) <= 0) return {};
  char block[kReadBlockBytes];
  const ssize_t n = ::read(fd_, block, sizeof block);
  if (n <= 0) {
    eof_ = true;  // closed, or a pty whose master is gone (EIO)
    return {};
  }
  return std::string(block, static_cast<std::size_t>(n));
}

std::string RawLine::readUntil(std::string_view marker, int timeoutMs) {
  const std::int64_t deadline = nowMs() + timeoutMs;
  std::size_t found;
  while ((found = pending_.find(marker)) == std::string::npos && !eof_ && leftMs(deadline) > 0) {
    pending_ += readBlock(leftMs(deadline));
  }
  const std::size_t end = found == std::string::npos ? pending_.size() : found + marker.size();
  std::string taken = pending_.substr(0, end);
  pending_.erase(0, end);
  return taken;
}

std::vector<std::string> RawLine::readBlocksUntil(std::string_view marker, int timeoutMs) {
  const std::int64_t deadline = nowMs() + timeoutMs;
  std::vector<std::string> blocks;
  std::string all = std::move(pending_);
  pending_.clear();
  if (!all.empty()) blocks.push_back(all);
  while (all.find(marker) == std::string::npos && !eof_ && leftMs(deadline) > 0) {
    std::string block = readBlock(leftMs(deadline));
    if (block.empty()) continue;
    all += block;
    blocks.push_back(std::move(block));
  }
  return blocks;
}

std::string RawLine::readFor(int ms) {
  const std::int64_t deadline = nowMs() + ms;
  std::string taken = std::move(pending_);
  pending_.clear();
  while (!eof_ && leftMs(deadline) > 0) taken += readBlock(leftMs(deadline));
  return taken;
}

bool RawLine::closedByPeer(int timeoutMs) {
  const std::int64_t deadline = nowMs() + timeoutMs;
  while (!eof_ && leftMs(deadline) > 0) readBlock(leftMs(deadline));
  return eof_;
}

bool logIn(RawLine& line, const std::string& user, const std::string& password) {
  return line.send("\r\n") && line.readUntil("login: ").find("login: ") != std::string::npos &&
         line.send(user + "\r") && line.readUntil("Password: ").find("Password: ") != std::string::npos &&
         line.send(password + "\r") && line.readUntil("\r\nOK\r\n").find("\r\nOK\r\n") != std::string::npos;
}

}  // namespace gwsim::test

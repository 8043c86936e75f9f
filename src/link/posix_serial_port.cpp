#include "link/posix_serial_port.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <thread>
#include <utility>

namespace gw {

namespace {

// A write that makes no progress for this long gives up (a pseudo-terminal nobody reads, a gone device).
constexpr int kWriteStallMs = 1000;

constexpr std::pair<int, speed_t> kSpeeds[] = {
    {110, B110},       {300, B300},       {1200, B1200},     {2400, B2400},   {4800, B4800},
    {9600, B9600},     {19200, B19200},   {38400, B38400},   {57600, B57600}, {115200, B115200},
    {230400, B230400}, {460800, B460800}, {921600, B921600},
};

std::optional<speed_t> speedOf(int bitsPerSecond) {
  for (const auto& [rate, speed] : kSpeeds) {
    if (rate == bitsPerSecond) return speed;
  }
  return std::nullopt;
}

SerialOpenError openErrorOf(int error) {
  switch (error) {
    case ENOENT:
    case ENODEV:
    case ENXIO:
    case ENOTDIR:
      return SerialOpenError::NotFound;
    case EBUSY:
    case EWOULDBLOCK:
      return SerialOpenError::InUse;
    case EACCES:
    case EPERM:
      return SerialOpenError::NoPermission;
    default:
      return SerialOpenError::Other;
  }
}

using SteadyTime = std::chrono::steady_clock::time_point;

// Rounded up, so that a poll never gives up before the deadline.
int msUntil(SteadyTime deadline) {
  using namespace std::chrono;
  const auto left = ceil<milliseconds>(deadline - steady_clock::now()).count();
  return left > 0 ? static_cast<int>(left) : 0;
}

// A port that hung up answers every read at once; waiting out the time-out keeps its readers from spinning.
void waitUntil(SteadyTime deadline) {
  std::this_thread::sleep_until(deadline);
}

// Raw 8N1, receiver on, modem control lines ignored, no flow control of any kind, reads never block.
bool applyLineSettings(int fd, speed_t speed) {
  termios tio{};
  if (::tcgetattr(fd, &tio) != 0) return false;
  ::cfmakeraw(&tio);
  tio.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | CSTOPB | CRTSCTS);
  tio.c_cflag |= CS8 | CLOCAL | CREAD;
  tio.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY | INPCK | ISTRIP | IGNPAR | PARMRK);
  tio.c_cc[VMIN] = 0;
  tio.c_cc[VTIME] = 0;
  if (::cfsetispeed(&tio, speed) != 0 || ::cfsetospeed(&tio, speed) != 0) return false;
  return ::tcsetattr(fd, TCSANOW, &tio) == 0;
}

// DTR and RTS on. A pseudo-terminal has no modem lines and says ENOTTY (some drivers EINVAL): that is fine.
bool raiseModemLines(int fd) {
  int lines = TIOCM_DTR | TIOCM_RTS;
  if (::ioctl(fd, TIOCMBIS, &lines) == 0) return true;
  return errno == ENOTTY || errno == EINVAL;
}

SerialOpenResult failOpen(int fd, SerialOpenError error) {
  if (fd >= 0) ::close(fd);
  return {nullptr, error};
}

}  // namespace

std::string serialDevicePath(const std::string& name) {
  return name.find('/') != std::string::npos ? name : "/dev/" + name;
}

SerialOpenResult PosixSerialPort::open(const std::string& name, int bitsPerSecond) {
  if (name.empty()) return {nullptr, SerialOpenError::NotFound};
  const std::optional<speed_t> speed = speedOf(bitsPerSecond);
  if (!speed) return {nullptr, SerialOpenError::BadRate};

  // O_NONBLOCK: a port without carrier must not hold up the open; every read and write waits with poll().
  const int fd = ::open(serialDevicePath(name).c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return {nullptr, openErrorOf(errno)};
  // The lock keeps out a second open of this program and of other programs that lock (root ignores
  // TIOCEXCL, so it alone would not do).
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK)
    return failOpen(fd, SerialOpenError::InUse);
  if (!::isatty(fd)) return failOpen(fd, SerialOpenError::NotSerial);
  ::ioctl(fd, TIOCEXCL);
  if (!applyLineSettings(fd, *speed)) return failOpen(fd, SerialOpenError::Other);
  if (!raiseModemLines(fd)) return failOpen(fd, SerialOpenError::Other);
  ::tcflush(fd, TCIFLUSH);
  return {std::unique_ptr<SerialPort>(new PosixSerialPort(fd, bitsPerSecond)), SerialOpenError::None};
}

PosixSerialPort::~PosixSerialPort() {
  close();
}

void PosixSerialPort::close() {
  const int fd = fd_.exchange(-1);
  if (fd < 0) return;
  ::ioctl(fd, TIOCNXCL);  // the exclusive flag may outlive this descriptor on some drivers
  ::close(fd);
}

int PosixSerialPort::write(std::string_view bytes) {
  const int fd = fd_;
  if (fd < 0) return 0;
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n > 0) {
      done += static_cast<std::size_t>(n);
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && errno != EAGAIN) break;
    pollfd p{fd, POLLOUT, 0};
    const int ready = ::poll(&p, 1, kWriteStallMs);
    if (ready < 0 && errno == EINTR) continue;
    if (ready <= 0 || (p.revents & POLLOUT) == 0) break;
  }
  return static_cast<int>(done);
}

std::optional<char> PosixSerialPort::readByte(int timeoutMs) {
  const int fd = fd_;
  if (fd < 0) return std::nullopt;
  const SteadyTime deadline =
      std::chrono::steady_clock::now() + std::chrono::milliseconds(std::max(timeoutMs, 0));
  bool hungUp = false;
  for (;;) {
    char byte = 0;
    const ssize_t n = ::read(fd, &byte, 1);
    if (n == 1) return byte;
    if (n < 0 && errno == EINTR) continue;
    // A raw line with no minimum count answers "nothing yet" with 0 rather than EAGAIN; poll tells a
    // hang-up from an empty line. After a hang-up that left nothing to read, the device is gone.
    if ((n < 0 && errno != EAGAIN) || hungUp) {
      gone_ = true;
      waitUntil(deadline);
      return std::nullopt;
    }
    const int left = msUntil(deadline);
    if (left <= 0) return std::nullopt;
    pollfd p{fd, POLLIN, 0};
    const int ready = ::poll(&p, 1, left);
    if (ready < 0 && errno != EINTR) {
      waitUntil(deadline);
      return std::nullopt;
    }
    // A hang-up may still leave bytes to read; the next read tells.
    if (ready > 0 && (p.revents & (POLLHUP | POLLERR)) != 0) hungUp = true;
  }
}

bool PosixSerialPort::setRate(int bitsPerSecond) {
  const int fd = fd_;
  const std::optional<speed_t> speed = speedOf(bitsPerSecond);
  if (fd < 0 || !speed) return false;
  termios tio{};
  if (::tcgetattr(fd, &tio) != 0) return false;
  if (::cfsetispeed(&tio, *speed) != 0 || ::cfsetospeed(&tio, *speed) != 0) return false;
  if (::tcsetattr(fd, TCSANOW, &tio) != 0) return false;
  ::tcflush(fd, TCIFLUSH);  // what arrived at the old rate is noise at the new one
  rate_ = bitsPerSecond;
  return true;
}

bool PosixSerialPort::setReadTimeouts(const ReadTimeouts& timeouts) {
  if (fd_ < 0) return false;
  std::lock_guard lock(timeoutsLock_);
  timeouts_ = timeouts;
  return true;
}

ReadTimeouts PosixSerialPort::readTimeouts() const {
  std::lock_guard lock(timeoutsLock_);
  return timeouts_;
}

}  // namespace gw

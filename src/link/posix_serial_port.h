#pragma once
// A serial port on POSIX termios: exclusive, raw 8N1, DTR and RTS on, no flow control.

#include <atomic>
#include <mutex>
#include <string>

#include "link/serial_port.h"

namespace gw {

class PosixSerialPort : public SerialPort {
 public:
  // Opens "ttyUSB0" (/dev/ttyUSB0) or a path at `bitsPerSecond`. A port another program holds, or that this
  // program already has open, is refused. Input waiting in the port is discarded.
  static SerialOpenResult open(const std::string& name, int bitsPerSecond);

  ~PosixSerialPort() override;
  PosixSerialPort(const PosixSerialPort&) = delete;
  PosixSerialPort& operator=(const PosixSerialPort&) = delete;

  bool isOpen() const override { return fd_ >= 0; }
  int write(std::string_view bytes) override;
  std::optional<char> readByte(int timeoutMs) override;
  bool setRate(int bitsPerSecond) override;
  int rate() const override { return rate_; }
  bool setReadTimeouts(const ReadTimeouts& timeouts) override;
  ReadTimeouts readTimeouts() const override;
  void close() override;
  bool gone() const override { return gone_; }

 private:
  PosixSerialPort(int fd, int bitsPerSecond) : fd_(fd), rate_(bitsPerSecond) {}

  std::atomic<int> fd_;
  std::atomic<int> rate_;
  std::atomic<bool> gone_ = false;   // a read found the device hung up or failing
  mutable std::mutex timeoutsLock_;  // the terminal reader reads them while the exchange thread sets them
  ReadTimeouts timeouts_ = kOpenReadTimeouts;
};

// The device path of a port name: a name with a '/' is a path, any other name lives in /dev.
std::string serialDevicePath(const std::string& name);

}  // namespace gw

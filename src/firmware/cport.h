#pragma once
// CPort: the serial port of the serial firmware upgrade. It opens the port at the boot loader's rate, tells
// which of the gateway's port modes answers (AT: the running firmware; BOOT: the boot loader; ISP: the
// processor's own loader), sends lines with the echo rules of that mode, sends commands and awaits their
// answers, reads lines, and writes everything to its trace log "Gwcp-com.log".

#include <atomic>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "base/clock.h"
#include "link/serial_port.h"

namespace gw {

class CPort {
 public:
  enum Mode : int { kIsp = 1, kBoot = 2, kAt = 4 };

  // Error codes ("Error: (%i) %s [%i]" in the log).
  enum Error : int {
    kUnknownError = 0,
    kPortOpen = 1,
    kPortClosed = 2,
    kCannotOpen = 3,
    kUnitNotFound = 4,
    kNotConnected = 5,
    kWriteError = 6,
    kReadError = 7,
    kReadTimeout = 8,
    kWrongEcho = 9,
    kRepeated = 10,
    kRefused = 11,
    kModeError = 12,
    kNoDialtone = 13,
    kFileError = 14,
  };

  // The port settings of the boot loader.
  static constexpr int kRate = 57600;
  // Time-out bases: v sets every time-out to v + kTimeoutExtraMs (kZeroBaseTimeoutMs when v is 0).
  static constexpr int kOpenTimeoutBase = 500;      // 5.5 s
  static constexpr int kLongTimeoutBase = 10000;    // 15 s: erasing, restarting
  static constexpr int kInitialTimeoutBase = 1000;  // before the port is opened
  static constexpr int kTimeoutExtraMs = 5000;
  static constexpr int kZeroBaseTimeoutMs = 200;
  // A line longer than this is a read error.
  static constexpr std::size_t kLineBufferSize = 512;
  // Lines written are cut to this many characters.
  static constexpr std::size_t kMaxLineChars = 510;

  // `stop` set by the owner ends every wait at once (the program is closing).
  CPort(Clock& clock, SerialPortFactory openPort, const std::atomic<bool>& stop);
  ~CPort();
  CPort(const CPort&) = delete;
  CPort& operator=(const CPort&) = delete;

  // The trace log: created anew, or appended to.
  bool openLog(const std::string& path, bool append);
  // Opens `name` and finds out whether the gateway answers in `mode`; the port stays open when it does.
  bool testPort(const std::string& name, Mode mode);
  // Writes `line` with the echo rules of the port's mode.
  bool sendLine(std::string_view line);
  // Writes `line` and expects nothing back.
  bool sendRaw(std::string_view line);
  // Sends a command and awaits its answer: AT mode "OK" ("ERROR" sends it again); BOOT and ISP mode "."
  // ("X" refuses it, "R" asks for it again, up to `repeats` times in all).
  bool command(std::string_view line, int repeats = kCommandRepeats);
  std::optional<std::string> readLine();
  void setTimeouts(int base);
  void close();
  void closeLog();

  Mode mode() const { return mode_; }
  void setMode(Mode mode) { mode_ = mode; }
  int lastError() const { return lastError_; }
  // Records an error in the log and as the last error; `place` tells where it happened.
  void fail(Error error, int place);
  void log(std::string_view text);
  // Sleeps on the port's clock; a stop request ends it.
  void pause(int ms);

  static constexpr int kCommandRepeats = 3;
  static const char* errorText(int code);
  static const char* modeName(int mode);

 private:
  std::optional<char> readChar();
  std::optional<char> readCharWithin(int waitMs);
  bool echoOf(char written);
  bool writeAll(std::string_view bytes);
  bool testAt();
  bool testBoot();
  bool testIsp();
  bool flushUntilAt();
  void drainInput();
  void skipUnsolicited();
  int timeoutMs() const;

  Clock& clock_;
  SerialPortFactory openPort_;
  const std::atomic<bool>& stop_;
  std::unique_ptr<SerialPort> port_;
  std::FILE* log_ = nullptr;
  Mode mode_ = kAt;
  int lastError_ = kUnknownError;
  char lastExpected_ = 0;
  int timeoutBase_ = kInitialTimeoutBase;
  std::optional<char> pushedBack_;
  // The last characters read, for the log of a failure.
  std::string ring_;
};

}  // namespace gw

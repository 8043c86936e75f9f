#include "firmware/cport.h"

#include <algorithm>
#include <cctype>

#include "base/text.h"

namespace gw {

namespace {

constexpr std::size_t kRingSize = 512;
// Reads and pauses are cut into slices so that a stop request is seen soon.
constexpr int kSliceMs = 100;
// Pending input is drained before every AT command for this long.
constexpr int kDrainMs = 200;
// After a line beginning "AT" the firmware is given time to settle.
constexpr int kAfterAtLineMs = 5000;
// A failed AT echo: CR, this pause, then the line again.
constexpr int kEchoRetryPauseMs = 500;
constexpr int kEchoAttempts = 3;
// The line feed the firmware echoes after a carriage return arrives with it.
constexpr int kEchoLineFeedMs = 50;
// ISP synchronisation: this many "f" in a row, at most this many other characters.
constexpr int kIspSyncRun = 5;
constexpr int kIspSyncNoise = 20;
constexpr char kEscape = 0x1B;
constexpr char kUnsolicited = '*';

constexpr std::string_view kBootTest = ":00000012EE";
constexpr std::string_view kBootAnswer = "[ BOOT";
constexpr std::string_view kIspTest = ":020000050000F9";
constexpr std::string_view kIspAnswer = "15.";
constexpr std::string_view kFirmwareMark = "(c) ostrand";
// The product mark the identification looks for; a firmware whose ATI3 carries it is the gateway's.
constexpr std::string_view kProductMark = "QN";

constexpr const char* kErrorTexts[] = {
    "Unknown error.",
    "Port has been open.",
    "Port has been closed.",
    "Port can't be open (blocked or open by another application).",
    "Unit was not found on any port.",
    "Unit is not connected (doesn't respond).",
    "Error while writing to unit.",
    "Error while reading unit.",
    "Error while reading unit (timeout).",
    "Error while reading unit (wrong echo).",
    "Repeated error.",
    "Command was refused.",
    "Port mode error.",
    "Modem response: NO DIALTONE.",
    "File can't be open",
};

bool beginsNoCase(std::string_view line, std::string_view prefix) {
  return line.size() >= prefix.size() && equalsNoCase(line.substr(0, prefix.size()), prefix);
}

}  // namespace

const char* CPort::errorText(int code) {
  if (code < kPortOpen || code > kFileError) return kErrorTexts[0];
  return kErrorTexts[code];
}

const char* CPort::modeName(int mode) {
  switch (mode) {
    case kAt:
      return "AT";
    case kBoot:
      return "BOOT";
    case kIsp:
      return "ISP";
    default:
      return "?";
  }
}

CPort::CPort(Clock& clock, SerialPortFactory openPort, const std::atomic<bool>& stop)
    : clock_(clock), openPort_(std::move(openPort)), stop_(stop) {}

CPort::~CPort() {
  close();
  closeLog();
}

bool CPort::openLog(const std::string& path, bool append) {
  closeLog();
  log_ = std::fopen(path.c_str(), append ? "ab" : "wb");
  return log_ != nullptr;
}

void CPort::closeLog() {
  if (log_ != nullptr) std::fclose(log_);
  log_ = nullptr;
}

void CPort::log(std::string_view text) {
  if (log_ == nullptr) return;
  std::fwrite(text.data(), 1, text.size(), log_);
  std::fflush(log_);
}

void CPort::fail(Error error, int place) {
  lastError_ = error;
  log("Error: (" + std::to_string(error) + ") " + errorText(error) + " [" + std::to_string(place) + "]\n");
}

int CPort::timeoutMs() const {
  return timeoutBase_ == 0 ? kZeroBaseTimeoutMs : timeoutBase_ + kTimeoutExtraMs;
}

void CPort::setTimeouts(int base) {
  timeoutBase_ = base;
}

void CPort::pause(int ms) {
  const std::int64_t end = clock_.nowMs() + ms;
  while (!stop_ && clock_.nowMs() < end) {
    clock_.sleep(static_cast<int>(std::min<std::int64_t>(kSliceMs, end - clock_.nowMs())));
  }
}

std::optional<char> CPort::readChar() {
  return readCharWithin(timeoutMs());
}

std::optional<char> CPort::readCharWithin(int waitMs) {
  if (pushedBack_) {
    const char c = *pushedBack_;
    pushedBack_.reset();
    return c;
  }
  if (!port_) return std::nullopt;
  const std::int64_t end = clock_.nowMs() + waitMs;
  for (std::int64_t left = waitMs; left > 0 && !stop_; left = end - clock_.nowMs()) {
    const std::optional<char> c = port_->readByte(static_cast<int>(std::min<std::int64_t>(kSliceMs, left)));
    if (!c) {
      if (port_->gone()) return std::nullopt;
      continue;
    }
    log(std::string_view(&*c, 1));
    ring_ += *c;
    if (ring_.size() > kRingSize) ring_.erase(0, ring_.size() - kRingSize);
    return c;
  }
  return std::nullopt;
}

std::optional<std::string> CPort::readLine() {
  std::string line;
  for (;;) {
    const std::optional<char> c = readChar();
    if (!c) {
      fail(kReadTimeout, 80);
      return std::nullopt;
    }
    if (*c == '\r') continue;
    if (*c == '\n') return line;
    if (line.size() + 1 >= kLineBufferSize) {
      fail(kReadError, 81);
      return std::nullopt;
    }
    line += *c;
  }
}

bool CPort::writeAll(std::string_view bytes) {
  if (!port_) {
    fail(kPortClosed, 60);
    return false;
  }
  if (port_->write(bytes) != static_cast<int>(bytes.size())) {
    fail(kWriteError, 61);
    return false;
  }
  return true;
}

void CPort::skipUnsolicited() {
  // "*…": an unsolicited message of the firmware, read to its end.
  std::string text;
  for (std::optional<char> c = readChar(); c && *c != '\n'; c = readChar()) {
    if (*c != '\r') text += *c;
  }
  log("<*" + text + ">");
}

// The echo of one written character in the port's mode.
bool CPort::echoOf(char written) {
  lastExpected_ = written;
  if (mode_ == kBoot) return true;
  if (mode_ == kIsp) {
    const std::optional<char> c = readChar();
    if (!c) {
      fail(kReadTimeout, 70);
      return false;
    }
    if (*c != written) {
      fail(kWrongEcho, 71);
      return false;
    }
    return true;
  }
  for (;;) {
    const std::optional<char> c = readChar();
    if (!c) {
      fail(kReadTimeout, 72);
      return false;
    }
    if (written == '\r' || written == '\n') {
      if (*c != '\r' && *c != '\n') continue;  // text still in front of the echo of the line end
      // The firmware echoes a carriage return with its line feed: take both.
      const std::optional<char> next = readCharWithin(kEchoLineFeedMs);
      if (next && *next != '\n') pushedBack_ = next;
      return true;
    }
    if (*c == '\r' || *c == '\n') continue;
    if (*c == kUnsolicited) {
      skipUnsolicited();
      continue;
    }
    if (*c == kEscape) {
      log("\r");
      continue;
    }
    if (*c != written) {
      fail(kWrongEcho, 73);
      return false;
    }
    return true;
  }
}

bool CPort::sendRaw(std::string_view line) {
  line = line.substr(0, std::min(line.size(), kMaxLineChars));
  log(std::string(line) + "\r\n");
  return writeAll(line);
}

bool CPort::sendLine(std::string_view line) {
  line = line.substr(0, std::min(line.size(), kMaxLineChars));
  for (int attempt = 1;; ++attempt) {
    log(std::string(line) + "\r\n");
    bool echoed = true;
    for (char c : line) {
      if (!writeAll(std::string_view(&c, 1))) return false;
      if (!echoOf(c)) {
        echoed = false;
        break;
      }
    }
    if (echoed) return true;
    // Only the firmware's echo is worth another try: a wrong echo there is usually an unsolicited message
    // that cut in.
    if (mode_ != kAt) return false;
    if (attempt >= kEchoAttempts) {
      fail(kRepeated, 74);
      return false;
    }
    writeAll("\r");
    pause(kEchoRetryPauseMs);
  }
}

void CPort::drainInput() {
  std::string drained;
  for (std::optional<char> c = readCharWithin(kDrainMs); c; c = readCharWithin(kDrainMs)) {
    if (*c == kUnsolicited && drained.empty()) {
      skipUnsolicited();
      continue;
    }
    drained += *c;
  }
  log("{" + drained + "}");
}

bool CPort::command(std::string_view line, int repeats) {
  for (int attempt = 1;; ++attempt) {
    if (mode_ == kAt) drainInput();
    if (!sendLine(line)) return false;
    for (;;) {
      const std::optional<std::string> answer = readLine();
      if (!answer) {
        fail(kModeError, 90);
        return false;
      }
      if (mode_ == kAt) {
        if (startsWith(*answer, "OK")) return true;
        if (!startsWith(*answer, "ERROR")) continue;
        if (attempt >= repeats) {
          fail(kRefused, 91);
          return false;
        }
        break;
      }
      if (startsWith(*answer, ".")) return true;
      if (startsWith(*answer, "X")) {
        fail(kRefused, 92);
        return false;
      }
      if (!startsWith(*answer, "R")) continue;
      if (attempt >= repeats) {
        fail(kRepeated, 93);
        return false;
      }
      break;
    }
  }
}

// Lines until one begins "AT" (the firmware then needs a moment) or the line falls silent.
bool CPort::flushUntilAt() {
  for (;;) {
    const std::optional<std::string> line = readLine();
    if (!line) return true;
    if (beginsNoCase(*line, "AT")) {
      pause(kAfterAtLineMs);
      return true;
    }
  }
}

bool CPort::testAt() {
  if (!sendLine("\r")) return false;
  flushUntilAt();
  for (std::optional<std::string> line = readLine(); line; line = readLine()) {
    if (startsWith(*line, "OK") || startsWith(*line, "ERROR")) break;
  }
  if (!command("at\r")) return false;
  if (!sendLine("ati3\r")) return false;
  // The second line read is the first line of the identification: the firmware's own mark, or (as the
  // connection identifies a gateway) the product mark.
  std::optional<std::string> line = readLine();
  if (line) line = readLine();
  if (!line || !(startsWith(*line, kFirmwareMark) || contains(*line, kProductMark))) return false;
  for (line = readLine(); line; line = readLine()) {
    if (startsWith(*line, "OK")) return true;
  }
  return false;
}

bool CPort::testBoot() {
  flushUntilAt();
  if (!sendLine(kBootTest)) return false;
  const std::optional<std::string> line = readLine();
  return line && startsWith(*line, kBootAnswer);
}

bool CPort::testIsp() {
  if (!testBoot()) return false;
  int run = 0;
  int noise = 0;
  while (run < kIspSyncRun) {
    if (!writeAll("f")) return false;
    const std::optional<char> c = readChar();
    if (!c) return false;
    if (*c == 'f') {
      ++run;
    } else {
      run = 0;
      if (++noise > kIspSyncNoise) return false;
    }
  }
  if (!sendLine(kIspTest)) return false;
  const std::optional<std::string> line = readLine();
  return line && startsWith(*line, kIspAnswer);
}

bool CPort::testPort(const std::string& name, Mode mode) {
  log("Testing port " + name + "...\r\n");
  close();
  SerialOpenResult opened = openPort_ ? openPort_(name, kRate) : SerialOpenResult{};
  if (!opened.port) {
    fail(kCannotOpen, 10);
    return false;
  }
  port_ = std::move(opened.port);
  setTimeouts(kOpenTimeoutBase);
  mode_ = mode;
  log(std::string("Port mode: ") + modeName(mode) + "...\r\n");
  bool answered = false;
  switch (mode) {
    case kAt:
      answered = testAt();
      break;
    case kBoot:
      answered = testBoot();
      break;
    case kIsp:
      answered = testIsp();
      break;
  }
  if (answered) return true;
  close();
  fail(kNotConnected, 11);
  return false;
}

void CPort::close() {
  if (port_) port_->close();
  port_.reset();
  pushedBack_.reset();
}

}  // namespace gw

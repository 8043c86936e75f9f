#include "firmware/fw_upgrade_thread.h"

#include <cstdio>

#include "base/cformat.h"
#include "base/text.h"
#include "firmware/intel_hex.h"

namespace gw {

namespace {

// "In-Flash: 0512 OK": the boot loader's report of the erased flash, then "Boot: Ready".
constexpr std::size_t kFlashReportChars = 17;
constexpr std::string_view kFlashReport = "In-Flash: ";
constexpr std::string_view kFlashReportEnd = " OK";
constexpr std::size_t kFlashDigits = 4;
constexpr std::string_view kBootReady = "Boot: Ready";
constexpr std::string_view kBootOk = "Boot: OK";
constexpr std::string_view kInitOk = "Init: OK";
// After the erase and after the restart the gateway is given this long to settle.
constexpr int kSettleMs = 500;
// A device that talks on and on without the line awaited is given up after this many lines.
constexpr int kMaxAwaitedLines = 200;
// The ninth character of a record line is the second digit of its type: "1" ends the file, "9" sets the
// base address; both are sent on their own.
constexpr std::size_t kTypeDigitAt = 8;
constexpr std::size_t kPercentSize = 8;

bool isFlashReport(std::string_view line) {
  if (line.size() < kFlashReportChars || !startsWith(line, kFlashReport)) return false;
  for (std::size_t i = 0; i < kFlashDigits; ++i) {
    const char c = line[kFlashReport.size() + i];
    if (c < '0' || c > '9') return false;
  }
  return line.substr(kFlashReport.size() + kFlashDigits, kFlashReportEnd.size()) == kFlashReportEnd;
}

bool endsBatch(std::string_view record) {
  return record.size() > kTypeDigitAt && (record[kTypeDigitAt] == '1' || record[kTypeDigitAt] == '9');
}

std::vector<std::string> linesOf(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

}  // namespace

CFWUpgradeThread::CFWUpgradeThread(Clock& clock, SerialPortFactory openPort, std::string logPath,
                                   bool appendLog)
    : clock_(clock), openPort_(std::move(openPort)), logPath_(std::move(logPath)), appendLog_(appendLog) {}

CFWUpgradeThread::~CFWUpgradeThread() {
  requestStop();
  Wait();
}

bool CFWUpgradeThread::start(const std::string& portName, const std::string& hexFile, Callback callback,
                             bool verbose) {
  if (portName.empty()) {
    result_ = kBadPort;
    return false;
  }
  if (IsRunning()) {
    result_ = kAlreadyRunning;
    return false;
  }
  portName_ = portName;
  hexFile_ = hexFile;
  callback_ = std::move(callback);
  verbose_ = verbose;
  stop_ = false;
  if (!Start()) {
    result_ = kNoThread;
    return false;
  }
  return true;
}

int CFWUpgradeThread::runHere(const std::string& portName, const std::string& hexFile, Callback callback,
                              bool verbose) {
  if (portName.empty()) {
    result_ = kBadPort;
    if (callback) callback(kFinished, 0);
    return result_;
  }
  portName_ = portName;
  hexFile_ = hexFile;
  callback_ = std::move(callback);
  verbose_ = verbose;
  return Run();
}

std::string CFWUpgradeThread::portErrorText() const {
  const int error = portError_;
  return error == CPort::kUnknownError ? std::string() : CPort::errorText(error);
}

void CFWUpgradeThread::stage(int s, int value) {
  if (callback_) callback_(s, value);
}

void CFWUpgradeThread::say(std::string_view text) {
  if (verbose_ && console) console(text);
}

int CFWUpgradeThread::Run() {
  port_ = std::make_unique<CPort>(clock_, openPort_, stop_);
  result_ = upgrade();
  portError_ = port_->lastError();
  stage(kClosing);
  port_->close();
  port_->closeLog();
  stage(kFinished);
  return result_;
}

int CFWUpgradeThread::upgrade() {
  if (hexFile_.empty()) return kNoFile;
  stage(kStarting);
  if (!logPath_.empty()) port_->openLog(logPath_, appendLog_);
  if (!findGateway()) return kNoGateway;
  stage(kPortOpened);
  const std::optional<std::string> text = readFirmwareFile(hexFile_);
  if (!text) {
    say("Error: cannot open file " + hexFile_ + "\n");
    port_->fail(CPort::kFileError, 20);
    return kNoFile;
  }
  if (port_->mode() == CPort::kAt && !eraseFlash()) return kEraseFailed;
  const bool sent = sendImage(linesOf(*text));
  stage(kImageDone);
  if (!sent) {
    say("Error: upgrading FW...\n");
    return kImageFailed;
  }
  stage(kWaitingRestart);
  awaitRestart();
  return kSucceeded;
}

bool CFWUpgradeThread::findGateway() {
  for (const CPort::Mode mode : {CPort::kAt, CPort::kBoot}) {
    if (mode == CPort::kBoot) stage(kTryingBoot);
    say("Openning port " + portName_ + " in " + CPort::modeName(mode) + " mode...");
    if (port_->testPort(portName_, mode)) {
      say("opened\n");
      return true;
    }
    say("error\n");
    if (stop_) break;
  }
  port_->fail(CPort::kModeError, 21);
  return false;
}

bool CFWUpgradeThread::eraseFlash() {
  stage(kErasing);
  say("Erasing flash memory...");
  if (!port_->command(kEraseCommand)) {
    say("Error: writing command for memory erase\n");
    return false;
  }
  port_->setTimeouts(CPort::kLongTimeoutBase);
  const bool ready = awaitLines(kFlashReport, kFlashReportChars, kBootReady);
  port_->setTimeouts(CPort::kOpenTimeoutBase);
  if (!ready) return false;
  say("successful\n");
  port_->pause(kSettleMs);
  port_->setMode(CPort::kBoot);
  return true;
}

// Lines until one that `first` opens (a flash report when firstChars is given) and after it one beginning
// `second`.
bool CFWUpgradeThread::awaitLines(std::string_view first, std::size_t firstChars, std::string_view second) {
  bool firstSeen = false;
  for (int n = 0; n < kMaxAwaitedLines && !stop_; ++n) {
    const std::optional<std::string> line = port_->readLine();
    if (!line) return false;
    if (!firstSeen) {
      firstSeen = firstChars > 0 ? isFlashReport(*line) : startsWith(*line, first);
    } else if (startsWith(*line, second)) {
      return true;
    }
  }
  return false;
}

bool CFWUpgradeThread::sendImage(const std::vector<std::string>& lines) {
  stage(kSending, 0);
  say("Upgrading Firmware... ");
  const std::size_t total = lines.empty() ? 1 : lines.size();
  std::size_t read = 0;
  int shown = -1;
  while (read < lines.size()) {
    std::vector<std::string> batch;
    std::string held;
    for (std::size_t n = 0; n < kBatchRecords && read < lines.size() && held.empty(); ++n) {
      std::string line = lines[read++];
      while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) line.pop_back();
      if (!startsWith(line, ":")) continue;
      if (endsBatch(line)) {
        held = line;
      } else {
        batch.push_back(line);
      }
    }
    if (!batch.empty() && !sendBatch(batch)) return false;
    if (!held.empty() && !sendEndRecord(held)) return false;
    const int percent = static_cast<int>(read * 100 / total);
    if (percent != shown) {
      say((shown < 0 ? std::string() : std::string("\b\b\b")) + cformat(kPercentSize, "%.2d%%", percent));
      shown = percent;
      stage(kSending, percent);
    }
  }
  return true;
}

bool CFWUpgradeThread::sendBatch(const std::vector<std::string>& batch) {
  for (int attempt = 1; attempt <= kBatchAttempts && !stop_; ++attempt) {
    bool written = true;
    for (const std::string& record : batch) {
      written = written && port_->sendRaw(record);
      imageBytes_ += record.size();
    }
    imageBytes_ += kBatchEnd.size();
    const bool accepted = written && port_->command(kBatchEnd, kBatchEndRepeats);
    if (accepted || attempt == kBatchAttempts) {
      port_->log("rep:" + std::to_string(kBatchAttempts - attempt) + "\r\n");
    }
    if (accepted) return true;
  }
  return false;
}

bool CFWUpgradeThread::sendEndRecord(const std::string& record) {
  for (int attempt = 1; attempt <= kBatchAttempts && !stop_; ++attempt) {
    imageBytes_ += record.size();
    if (port_->command(record)) return true;
  }
  return false;
}

void CFWUpgradeThread::awaitRestart() {
  say("\nWaiting for gateway restart...");
  port_->setTimeouts(CPort::kLongTimeoutBase);
  const bool restarted = awaitLines(kBootOk, 0, kInitOk);
  port_->setTimeouts(CPort::kOpenTimeoutBase);
  port_->pause(kSettleMs);
  // The image went in whole; a gateway that does not say it restarted may still run the new firmware.
  if (!restarted) {
    say("???\nWarning: tout during waiting for reset... (FW could be upgraded... please check manually)\n");
  } else {
    say("\n");
  }
}

}  // namespace gw

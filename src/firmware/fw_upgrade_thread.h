#pragma once
// CFWUpgradeThread: the serial firmware upgrade, run on a thread of its own that owns the port while the
// program's link is closed. It finds the gateway in AT mode (the running firmware, told to erase its flash
// and restart into the boot loader) or in BOOT mode (the boot loader already waiting), sends the HEX
// records in batches of at most eight, each confirmed by the batch-end record, and waits for the gateway to
// restart. Stages and progress go to a callback, called on the engine's thread.

#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "base/clock.h"
#include "firmware/cport.h"
#include "firmware/cthread.h"
#include "link/serial_port.h"

namespace gw {

class CFWUpgradeThread : public CThread {
 public:
  enum Result : int {
    kSucceeded = 0,
    kBadPort = 1,  // no port to work on
    kNoFile = 2,   // no file name, or the file cannot be opened
    kAlreadyRunning = 3,
    kNoThread = 4,
    kEraseFailed = 5,
    kNoGateway = 6,  // nothing answers on the port in AT or BOOT mode
    kImageFailed = 7,
  };
  enum Stage : int {
    kStarting = 0,
    kTryingBoot = 1,
    kPortOpened = 2,
    kErasing = 3,
    kSending = 4,  // value: percent done
    kImageDone = 5,
    kWaitingRestart = 6,
    kClosing = 7,
    kFinished = 8,
  };
  using Callback = std::function<void(int stage, int value)>;

  static constexpr std::size_t kBatchRecords = 8;
  static constexpr int kBatchAttempts = 32;
  // "R" answers to one batch-end record before the batch counts as failed.
  static constexpr int kBatchEndRepeats = 15;
  static constexpr std::string_view kBatchEnd = ":00000005FB";
  static constexpr std::string_view kEraseCommand = "at!K3WP\r";

  // `clock` serves the engine's thread alone (never the window's clock, which pumps the window's events).
  CFWUpgradeThread(Clock& clock, SerialPortFactory openPort, std::string logPath, bool appendLog);
  // Asks the engine to stop and waits for it.
  ~CFWUpgradeThread() override;

  // Starts the thread; false with the result telling why (kBadPort, kAlreadyRunning, kNoThread).
  bool start(const std::string& portName, const std::string& hexFile, Callback callback, bool verbose);
  // As start, but runs the engine on the caller's thread to its end (tests on the fake clock); the result.
  int runHere(const std::string& portName, const std::string& hexFile, Callback callback, bool verbose);
  int result() const { return result_; }
  // The port's last error in words ("Command was refused."), empty when it had none.
  std::string portErrorText() const;
  // Ends every wait of the engine at once.
  void requestStop() { stop_ = true; }

  // The console trace of a verbose run.
  std::function<void(std::string_view)> console;
  // Every byte count written to the port for the records and batch ends (for the benchmark's line-rate
  // figure).
  std::size_t imageBytesSent() const { return imageBytes_; }

 protected:
  int Run() override;

 private:
  int upgrade();
  bool findGateway();
  bool eraseFlash();
  bool sendImage(const std::vector<std::string>& lines);
  bool sendBatch(const std::vector<std::string>& batch);
  bool sendEndRecord(const std::string& record);
  void awaitRestart();
  bool awaitLines(std::string_view first, std::size_t firstChars, std::string_view second);
  void stage(int s, int value = 0);
  void say(std::string_view text);

  Clock& clock_;
  SerialPortFactory openPort_;
  std::string logPath_;
  bool appendLog_;
  std::string portName_;
  std::string hexFile_;
  Callback callback_;
  bool verbose_ = false;
  std::atomic<bool> stop_ = false;
  std::atomic<int> result_ = kSucceeded;
  std::atomic<int> portError_ = CPort::kUnknownError;
  std::size_t imageBytes_ = 0;
  std::unique_ptr<CPort> port_;
};

}  // namespace gw

#pragma once
// The firmware page pFirm: the gateway's boot-loader and firmware versions, the firmware file, and its two
// upgrades. Over the serial port the engine CFWUpgradeThread runs on a thread of its own and reports its
// stages through a queue that the window (or gwctl) empties on its own thread with pollSerialUpgrade(); the
// progress shows in TfFirm. Holding Ctrl while pressing an upgrade button skips the compatibility check.
// A connect that finds the boot loader starts the serial upgrade through the connection's hooks.

#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <utility>

#include "base/clock.h"
#include "firmware/fw_upgrade_thread.h"
#include "online/firmware_windows.h"
#include "online/online_tool.h"

namespace gw {

// How an upgrade button's action ended.
enum class UpgradeOutcome {
  FileRefused,   // missing, unreadable or not a valid firmware file (the message said why)
  Incompatible,  // the image does not suit the gateway's boot loader (message 524)
  NotConnected,  // no gateway to upgrade
  Cancelled,     // the user left a dialog the upgrade needs
  Started,       // the serial engine runs; pollSerialUpgrade() follows it
  Failed,        // the upgrade ran and failed (its message shown)
  Succeeded,
};

class FirmwareTool : public OnlineTool {
 public:
  // TfFirm's timer (and gwctl) take the engine's reports this often.
  static constexpr int kProgressPollMs = 50;
  static constexpr const char* kPortLogName = "Gwcp-com.log";

  explicit FirmwareTool(const OnlineContext& context);
  ~FirmwareTool() override;

  TextField edFirmBoot;
  TextField edFirmFirm;
  TextField edFirmUpdate;

  std::vector<NamedField> fields() override;
  std::vector<Button> buttons() override;

  void setWindows(UpgradeWindows* windows) { windows_ = windows != nullptr ? windows : &noWindows_; }

  // Reads the versions from the gateway's identification.
  void sbFirmLoadClick();
  void sbFirmFileClick();
  // Whether Ctrl was held when the button went down: then the compatibility check is skipped.
  void sbFirmUpgradeMouseDown(bool ctrlHeld) { skipCheck_ = ctrlHeld; }
  UpgradeOutcome sbFirmUpgradeClick();
  void pFirmUpgrdUdpMouseDown(bool ctrlHeld) { skipCheck_ = ctrlHeld; }
  // The LAN upgrade over UCMD to the gateway record's firmware port; runs to its end on this thread.
  UpgradeOutcome pFirmUpgrdUdpClick();
  static constexpr const char* kLanLogName = "Fwpost.log";
  // Success keeps the status window up this long, the program responsive.
  static constexpr int kLanDoneShowMs = 10'000;
  static constexpr int kLanDoneStepMs = 100;
  // gwctl has no window to keep up.
  bool holdDialingAfterSuccess = true;
  // The console text of the last LAN run's failure (empty after success).
  const std::string& lastLanError() const { return lastLanError_; }

  // --- The serial engine ---
  bool serialUpgradeRunning() const { return engine_ != nullptr; }
  // The engine owns the serial port while it runs: nothing else may write to the gateway.
  bool keepsLinkBusy() const override { return serialUpgradeRunning(); }
  // Ends the engine's waits at once (gwctl on Ctrl+C); the upgrade ends as failed.
  void stopSerialUpgrade() {
    if (engine_) engine_->requestStop();
  }
  // Takes the engine's reports; after its last one the upgrade ends: the main window comes back, a failure
  // is reported and the link is opened again.
  void pollSerialUpgrade();
  // The engine's result of the last serial upgrade (CFWUpgradeThread::Result).
  int lastSerialResult() const { return lastSerialResult_; }
  // Starts the engine on `portName` (also the connect that found the boot loader).
  UpgradeOutcome startSerialUpgrade(const std::string& portName, const std::string& file,
                                    const std::string& title);

  // The engine's thread keeps its own clock; tests give the fake one and run the engine on their thread.
  Clock* engineClock = nullptr;
  bool runEngineHere = false;

 protected:
  void edited(std::string_view name) override;

 private:
  struct Report {
    int stage;
    int value;
  };

  bool fileUsable(const std::string& file, bool lanImage);
  bool compatibilityCheck(const std::string& file);
  std::optional<std::string> serialPortForUpgrade();
  void finishSerialUpgrade();
  void showMessage(int text, int title, MessageKind kind, const std::string& detail = {});
  std::string portLogPath();

  UpgradeWindows noWindows_;
  UpgradeWindows* windows_ = &noWindows_;
  bool skipCheck_ = false;
  bool portLogStarted_ = false;
  std::unique_ptr<SystemClock> ownEngineClock_;
  std::unique_ptr<CFWUpgradeThread> engine_;
  std::mutex reportsLock_;
  std::deque<Report> reports_;
  int lastSerialResult_ = CFWUpgradeThread::kSucceeded;
  bool finishing_ = false;
  std::string lastLanError_;
};

const FormLayout& firmwarePageLayout();

}  // namespace gw

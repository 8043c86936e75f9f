#pragma once
// A Host for tests: records every request in order and answers from a script.

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "base/host.h"

namespace gw {

class RecordingHost : public Host {
 public:
  struct Event {
    std::string what;    // "message", "progress", "hideProgress", "connecting", "hideConnecting", "reset",
                         // "hideReset", "enabled", "firm", "hideFirm",
                         // "status", "openFile", "saveFile", "input", "newGateway"
    std::string text;    // the message text, window caption, status text, ...
    std::string detail;  // message caption, window label, panel number, ...
  };

  Answer messageBox(const Message& message) override;
  void showProgress(const std::string& caption, const std::string& label) override;
  void hideProgress() override;
  void showTransfer(const std::string& caption) override;
  void setTransferProgress(int percent) override;
  void hideTransfer() override;
  void showConnecting(const std::string& caption, const std::string& label) override;
  void hideConnecting() override;
  void showResetWindow(const std::string& caption, const std::string& label) override;
  void hideResetWindow() override;
  void showFirmProgress(const std::string& caption, const std::string& status, std::int64_t maximum) override;
  void setFirmProgress(const std::string& status, std::int64_t position) override;
  void hideFirmProgress() override;
  void setCancel(std::function<void()> cancel) override { this->cancel = std::move(cancel); }
  void setMainEnabled(bool enabled) override;
  void setStatusPanel(int panel, const std::string& text) override;
  std::optional<std::string> chooseOpenFile(const FileChoice& choice) override;
  std::optional<std::string> chooseSaveFile(const FileChoice& choice) override;
  std::optional<std::string> inputLine(const std::string& caption, const std::string& prompt,
                                       const std::string& initial) override;
  bool newGatewayDialog(GatewayFields& fields, const std::function<bool(GatewayFields&)>& accept) override;

  // Script. Questions without a scripted answer get No; other boxes get Ok.
  std::deque<Answer> answers;
  std::deque<std::optional<std::string>> files;   // answers of both file choosers (nullopt = cancel)
  std::deque<std::optional<std::string>> inputs;  // answers of inputLine
  // Entries of the new-gateway dialog, tried in turn until `accept` takes one; nullopt = cancel.
  std::deque<std::optional<GatewayFields>> gatewayEntries;

  // Record.
  std::vector<Event> events;
  std::vector<Message> messages;
  std::string status[3];  // panels 1 and 2 (index 0 unused)
  bool mainEnabled = true;
  bool progressShown = false;
  bool transferShown = false;
  std::vector<int> transferSteps;  // every percentage the transfer window showed
  bool connectingShown = false;
  bool firmShown = false;
  std::int64_t firmMaximum = 0;
  std::string firmStatus;               // the firmware progress window's status line
  std::vector<std::int64_t> firmSteps;  // every position its bar showed
  bool resetShown = false;
  // The cancel offered while work runs; a test presses Cancel by calling it.
  std::function<void()> cancel;

  // Text labels of the messages shown, in order (-1 for fixed texts).
  std::vector<int> messageLabels() const;
  void clear();
};

}  // namespace gw

#pragma once
// The Host of gwctl: message boxes become one line each on stderr (caption, then text), questions are
// answered by a flag, windows do nothing, and dialogs that need a person are cancelled.

#include <cstdio>
#include <string>
#include <vector>

#include "base/host.h"

namespace gw {

class ConsoleHost : public Host {
 public:
  explicit ConsoleHost(std::FILE* out = stderr) : out_(out) {}

  // Answer every question Yes (--yes); otherwise every question is answered No.
  bool answerYes = false;

  Answer messageBox(const Message& message) override;
  void showProgress(const std::string&, const std::string&) override {}
  void hideProgress() override {}
  // On a terminal, the transfer's progress stands on one stderr line that is rewritten in place.
  void showTransfer(const std::string& caption) override;
  void setTransferProgress(int percent) override;
  void hideTransfer() override;
  // The firmware progress window is the same line, in percent of its maximum.
  void showFirmProgress(const std::string& caption, const std::string& status, std::int64_t maximum) override;
  void setFirmProgress(const std::string& status, std::int64_t position) override;
  void hideFirmProgress() override { hideTransfer(); }
  void showConnecting(const std::string&, const std::string&) override {}
  void hideConnecting() override {}
  void showResetWindow(const std::string&, const std::string&) override {}
  void hideResetWindow() override {}
  void setMainEnabled(bool) override {}
  void setStatusPanel(int panel, const std::string& text) override;
  std::optional<std::string> chooseOpenFile(const FileChoice&) override { return std::nullopt; }
  std::optional<std::string> chooseSaveFile(const FileChoice&) override { return std::nullopt; }
  std::optional<std::string> inputLine(const std::string&, const std::string&, const std::string&) override {
    return std::nullopt;
  }
  bool newGatewayDialog(GatewayFields&, const std::function<bool(GatewayFields&)>&) override;

  std::string status[3];
  std::vector<Message> shown;
  bool newGatewayAsked = false;

 private:
  std::FILE* out_;
  std::string transferCaption_;
  bool transferOnTerminal_ = false;
  std::int64_t firmMaximum_ = 0;
};

// A message as gwctl prints it: "caption: text" on one line, line breaks of the text turned into spaces.
std::string consoleLine(const Message& message);

}  // namespace gw

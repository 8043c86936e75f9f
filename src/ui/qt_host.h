#pragma once
// The desktop program's answer to what the program logic asks of the windows: message boxes by kind, the
// progress, connecting and reset windows, the status bar, file choosers, a one-line input and the
// new-gateway dialog. Until the main window attaches its parts, boxes show without a parent and the
// windows it lacks are not shown.

#include <QString>
#include <functional>
#include <optional>
#include <string>

#include "base/captions.h"
#include "base/host.h"

class QWidget;

namespace gw::ui {

class TfParam;
class TfLoad;
class TfSpeedConnect;
class TwReset;
class TfFirm;
class TfNewGateway;

// The parts of the main window the host draws on.
struct HostWindows {
  QWidget* main = nullptr;
  TfParam* progress = nullptr;
  TfLoad* transfer = nullptr;
  TfSpeedConnect* connecting = nullptr;
  TwReset* reset = nullptr;
  TfFirm* firm = nullptr;
  TfNewGateway* newGateway = nullptr;
  // The current captions, for the texts of the message boxes' buttons.
  const CaptionList* captions = nullptr;
  std::function<void(bool enabled)> setMainEnabled;
  std::function<void(int panel, const QString& text)> setStatusPanel;
};

// "Parametres file (*.ini)|*.ini" (description|pattern pairs) as a Qt file dialog filter
// ("Parametres file (*.ini)"); several pairs are joined with ";;".
QString qtFileFilter(const std::string& filter);

class QtHost : public Host {
 public:
  void attach(HostWindows windows) { windows_ = std::move(windows); }
  void detach() { windows_ = {}; }

  // Lets UI tests answer message boxes without a modal loop: a value returned is the answer and no box is
  // shown; nullopt shows the box as usual.
  std::function<std::optional<Answer>(const Message&)> interceptor;

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
  void setCancel(std::function<void()> cancel) override;
  void setMainEnabled(bool enabled) override;
  void setStatusPanel(int panel, const std::string& text) override;
  std::optional<std::string> chooseOpenFile(const FileChoice& choice) override;
  std::optional<std::string> chooseSaveFile(const FileChoice& choice) override;
  std::optional<std::string> inputLine(const std::string& caption, const std::string& prompt,
                                       const std::string& initial) override;
  bool newGatewayDialog(GatewayFields& fields, const std::function<bool(GatewayFields&)>& accept) override;

 private:
  HostWindows windows_;
};

}  // namespace gw::ui

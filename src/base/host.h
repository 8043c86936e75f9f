#pragma once
// Everything the program logic asks of the windows: message boxes, the progress and connecting windows, the
// status bar, file choosers, a one-line input and the new-gateway dialog. The desktop program answers with Qt
// dialogs, gwctl with stderr and its flags, tests with a recorder that answers from a script.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace gw {

enum class MessageKind {
  Information,
  Warning,
  Error,
  Question,        // Yes / No
  QuestionCancel,  // Yes / No / Cancel
};

enum class Answer { Ok, Yes, No, Cancel };

struct Message {
  std::string text;
  std::string caption;
  MessageKind kind = MessageKind::Information;
  // Caption-list indices the texts came from, or -1 for fixed texts; they let tests and logs tell messages
  // apart whatever the language.
  int textLabel = -1;
  int captionLabel = -1;
};

struct FileChoice {
  std::string title;
  std::string filter;       // "Parametres file (*.ini)|*.ini"
  std::string initialPath;  // folder or file proposed to the user
};

// The fields of the new/edit gateway dialog, as the user sees them.
struct GatewayFields {
  std::string name;
  std::string host;
  std::string port;
  std::string fwPort;
  std::string user;
  std::string password;
  std::string file;
};

class Host {
 public:
  virtual ~Host() = default;

  virtual Answer messageBox(const Message& message) = 0;

  // The small progress window; the main window is disabled while it shows.
  virtual void showProgress(const std::string& caption, const std::string& label) = 0;
  virtual void hideProgress() = 0;
  // The transfer window (TfLoad) of the whole-configuration transfers: a caption and a bar from 0 to 100.
  virtual void showTransfer(const std::string& caption) = 0;
  virtual void setTransferProgress(int percent) = 0;
  virtual void hideTransfer() = 0;

  // The "Connecting..." window of the serial rate search and the LAN connect; the user cannot close it.
  virtual void showConnecting(const std::string& caption, const std::string& label) = 0;
  virtual void hideConnecting() = 0;

  // The reset window (TwReset): shown while the gateway resets; showing it again changes its label.
  virtual void showResetWindow(const std::string& caption, const std::string& label) = 0;
  virtual void hideResetWindow() = 0;

  // The firmware progress window (TfFirm): a caption, a status line (lbFirmStatus) and a bar (pbStatus) from
  // 0 to `maximum`; the main window is disabled while it shows. The voice messages' transfers use it too.
  virtual void showFirmProgress(const std::string& caption, const std::string& status, std::int64_t maximum) {
    (void)caption, (void)status, (void)maximum;
  }
  virtual void setFirmProgress(const std::string& status, std::int64_t position) {
    (void)status, (void)position;
  }
  virtual void hideFirmProgress() {}

  // Offers the user a way to stop the work under way (the connecting and progress windows' Cancel button and
  // Esc); `cancel` runs when they take it. An empty function takes the offer back. A host without such a
  // way (gwctl, which stops on Ctrl+C) ignores it.
  virtual void setCancel(std::function<void()> cancel) { (void)cancel; }

  virtual void setMainEnabled(bool enabled) = 0;
  // Status bar panels 1 and 2.
  virtual void setStatusPanel(int panel, const std::string& text) = 0;

  virtual std::optional<std::string> chooseOpenFile(const FileChoice& choice) = 0;
  virtual std::optional<std::string> chooseSaveFile(const FileChoice& choice) = 0;
  virtual std::optional<std::string> inputLine(const std::string& caption, const std::string& prompt,
                                               const std::string& initial) = 0;

  // Shows the new-gateway dialog filled with `fields`. `accept` runs the dialog's OK step on what the user
  // entered and returns true when the dialog may close. Returns false when the user cancels.
  virtual bool newGatewayDialog(GatewayFields& fields, const std::function<bool(GatewayFields&)>& accept) = 0;
};

}  // namespace gw

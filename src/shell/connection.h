#pragma once
// Bringing the link up and down and telling the program what it talks to: commConnect, identifyGateway, the
// Connect and Disconnect commands, the progress window and the communication LOG file.

#include <functional>
#include <string>

#include "base/captions.h"
#include "base/host.h"
#include "link/link.h"
#include "shell/gateway_dialogs.h"
#include "shell/gateway_selection.h"
#include "shell/status_panels.h"

namespace gw {

enum class ProgressKind { Saving = 0, Loading = 1, Reading = 2, LoadingGateway = 3 };

// How the last connect attempt ended; each failure has said so in its own words.
enum class ConnectOutcome {
  Connected,
  Cancelled,      // the user stopped it (Cancel, Esc, Ctrl+C)
  Unreachable,    // no connection to the address, or no serial port answered
  NoAnswer,       // the connection came up but the gateway never said a word
  LoginRefused,   // the gateway answered but did not take the login
  NotIdentified,  // the gateway answered without the product mark
  BootLoader,     // the serial port found the boot loader instead of the firmware
};

// Why a connected link was found dead between two commands.
enum class LinkLoss { Silent, LoggedOut };

// What connecting changes beyond the link, supplied by the program object above this layer.
struct ConnectionHooks {
  // The edition differs from before the connect: rebuild topics and pages, apply the captions again.
  std::function<void()> applyEdition;
  // Connected or disconnected: menu, toolbar and tree states.
  std::function<void(bool connected)> linkStateChanged;
  // A connect attempt ended connected: the online topics show it.
  std::function<void()> connectAttempted;
  // The fixed serial port did not answer: open the communication settings dialog.
  std::function<void()> openCommSettings;
  // The boot loader answered and the user picked a firmware file: run the serial firmware upgrade.
  std::function<void(const std::string& portName, const std::string& firmwareFile, const std::string& title)>
      startSerialUpgrade;
  // The firmware file field of the firmware page, proposed to the file chooser.
  std::function<std::string()> firmwareFile;
  // "Yes" to the question after Connect: load all parameters from the gateway.
  std::function<void()> loadAllFromGateway;
  // Disconnect: stop the terminal reader and tracing first.
  std::function<void()> stopReaders;
};

class Connection {
 public:
  Connection(Link& link, GatewaySelection& selection, NewGatewayDialog& newGateway, Host& host,
             const CaptionList& captions);

  // Opens the link when it is not open yet: logs in, identifies the gateway, opens the LOG. True when the
  // link is connected afterwards.
  bool commConnect(bool warnOldFirmware);
  // The identification text: "" when the gateway did not answer, "error" without the product mark.
  std::string identifyGateway(bool warnOldFirmware);

  void showProgress(ProgressKind kind);
  void hideProgress();

  // mConnectClick / tbConnectClick.
  void connectCommand();
  // mDisconnectClick / tbDisconnectClick, also run when the link is lost.
  void disconnectCommand();
  // The keep-alive or the receive poll found the link dead: it is closed and the user told why, once.
  void linkLost(LinkLoss why);

  // The status bar: panel 1 says the selected gateway is not connected (with the edition at start-up).
  void showDisconnected(bool withEdition = false);
  // Both panels again in the current captions (after a language switch).
  void showStatus();
  const StatusPanels& statusPanels() const { return status_; }
  ConnectOutcome lastOutcome() const { return outcome_; }

  bool connected() const { return link_.comm.connected; }

  bool kestrinEdition = false;
  std::string gatewayAti3Text;
  std::string gatewayAti4Text;
  std::string connectionErrors;
  std::string description;
  std::string identification;
  // Where the LOG of the last connect went (empty when none was opened).
  std::string logPath;

  ConnectionHooks hooks;

  // A firmware upgrade is under way (from its checks to its end): the serial upgrade owns the port, the
  // program must not close, and a connect that meets the boot loader leaves it to the upgrade instead of
  // offering another one.
  bool upgradeRunning = false;

 private:
  bool connectSerial(bool warnOldFirmware);
  bool connectLan(bool warnOldFirmware);
  bool logInAndIdentify(bool warnOldFirmware, int identificationFailedCaption);
  bool askForAddress();
  void offerFirmwareUpgrade();
  void failSerial();
  void openLogFile();
  void showError(const std::string& text, int textLabel);
  // Says why the attempt failed and remembers it; `fallback` is what went wrong when neither a cancel nor
  // the gateway's silence explains it.
  void reportFailure(ConnectOutcome fallback);
  void showStatusPanel(int panel);

  Link& link_;
  GatewaySelection& selection_;
  NewGatewayDialog& newGateway_;
  Host& host_;
  const CaptionList& captions_;
  StatusPanels status_;
  ConnectOutcome outcome_ = ConnectOutcome::Connected;
};

// The LOG file a connect writes: program folder (+ "/" + gateway name unless "unnamed") + "/log.txt" when
// appending, else a new file named after the local connect time (year, month, day, hour, minute and second
// in decimal without leading zeros). An existing file of that name is never overwritten: "_2", "_3" … are
// added before ".txt".
std::string communicationLogPath(const std::string& programFolder, const std::string& gatewayName,
                                 bool append, const LocalTime& connectTime);

}  // namespace gw

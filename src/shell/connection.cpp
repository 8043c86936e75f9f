#include "shell/connection.h"

#include "base/caption_ids.h"
#include "base/files.h"
#include "base/text.h"
#include "link/login.h"
#include "link/serial_search.h"
#include "shell/edition.h"
#include "shell/identification.h"

namespace gw {

namespace {

constexpr std::size_t kGreetingBufferSize = 1024;
constexpr std::size_t kIdentifyBufferSize = 400;
constexpr int kBeforeIdentifyMs = 100;
constexpr int kIdentifyPauseMs = 100;
constexpr int kAfterM0Ms = 10;
constexpr int kOnlineImageConnected = 3;
constexpr int kOnlineImageDisconnected = 4;

struct ProgressTexts {
  int captionIndex;
  const char* caption;
  int labelIndex;
  const char* label;
};
constexpr ProgressTexts kProgressTexts[] = {
    {cap::kSavingCaption, "Saving parametres", cap::kSavingLabel, "Saving parametres ... please wait"},
    {cap::kLoadingCaption, "Loading parametres", cap::kLoadingLabel, "Loading parametres ... please wait"},
    {cap::kReadingCaption, "Reading information", cap::kReadingLabel,
     "Reading information about gateway ... please wait"},
    {cap::kLoadingGatewayCaption, "Loading from gateway", cap::kLoadingGatewayLabel,
     "Loading from gateway ... please wait"},
};

bool sendAll(Link& link, std::string_view command) {
  return link.commSend(command) == static_cast<int>(command.size());
}

// A gateway that stays silent to "ATI4" is no more identified than one without the product mark: connecting
// to it would report success for a device that does not answer.
bool identificationFailed(const std::string& text) {
  return text.empty() || text == "error";
}

// The Cancel button (and Esc, and Ctrl+C in gwctl) for as long as a connect attempt runs. A cancel ends
// with the attempt: the next one starts afresh.
class CancelOffer {
 public:
  CancelOffer(Link& link, Host& host) : link_(link), host_(host) {
    host_.setCancel([&link] { link.requestCancel(); });
  }
  ~CancelOffer() {
    host_.setCancel(nullptr);
    link_.clearCancel();
  }
  CancelOffer(const CancelOffer&) = delete;
  CancelOffer& operator=(const CancelOffer&) = delete;

 private:
  Link& link_;
  Host& host_;
};

std::string timeStampName(const LocalTime& t) {
  return std::to_string(t.year) + std::to_string(t.month) + std::to_string(t.day) + std::to_string(t.hour) +
         std::to_string(t.minute) + std::to_string(t.second);
}

}  // namespace

std::string communicationLogPath(const std::string& programFolder, const std::string& gatewayName,
                                 bool append, const LocalTime& connectTime) {
  const std::string folder =
      gatewayName == kUnnamedGateway ? programFolder : joinPath(programFolder, gatewayName);
  if (append) return joinPath(folder, "log.txt");
  const std::string stem = joinPath(folder, timeStampName(connectTime));
  std::string path = stem + ".txt";
  for (int n = 2; fileExists(path); ++n) path = stem + "_" + std::to_string(n) + ".txt";
  return path;
}

Connection::Connection(Link& link, GatewaySelection& selection, NewGatewayDialog& newGateway, Host& host,
                       const CaptionList& captions)
    : link_(link), selection_(selection), newGateway_(newGateway), host_(host), captions_(captions) {}

void Connection::showError(const std::string& text, int textLabel) {
  host_.messageBox(
      Message{text, captions_.at(cap::kErrorTitle), MessageKind::Error, textLabel, cap::kErrorTitle});
}

void Connection::showStatusPanel(int panel) {
  status_.gatewayName = selection_.selected().name;
  host_.setStatusPanel(panel,
                       panel == 1 ? statusPanel1(status_, captions_) : statusPanel2(status_, captions_));
}

void Connection::showStatus() {
  showStatusPanel(1);
  showStatusPanel(2);
}

void Connection::showDisconnected(bool withEdition) {
  status_.link = StatusPanels::Link::Disconnected;
  status_.showEdition = withEdition;
  status_.kestrin = kestrinEdition;
  showStatusPanel(1);
}

void Connection::showProgress(ProgressKind kind) {
  const ProgressTexts& t = kProgressTexts[static_cast<int>(kind)];
  link_.commBusy = true;
  host_.showProgress(captions_.labelOr(t.captionIndex, t.caption), captions_.labelOr(t.labelIndex, t.label));
  host_.setMainEnabled(false);
}

void Connection::hideProgress() {
  link_.commBusy = false;
  host_.hideProgress();
  host_.setMainEnabled(true);
}

bool Connection::commConnect(bool warnOldFirmware) {
  if (link_.comm.portHandle || link_.tcpActive()) return link_.comm.connected;

  const CancelOffer cancel(link_, host_);
  connectionErrors.clear();
  link_.comm.connected = false;
  outcome_ = ConnectOutcome::Connected;
  const bool editionBefore = kestrinEdition;

  if (link_.comm.linkType == kSerialLink) {
    // A serial port that was not found, a boot loader or a refused login end the attempt here; each has
    // said why and left the window as it was.
    if (!connectSerial(warnOldFirmware)) return false;
  } else {
    connectLan(warnOldFirmware);
  }

  if (link_.comm.connected) {
    hideProgress();
    openLogFile();
    if (kestrinEdition != editionBefore && hooks.applyEdition) hooks.applyEdition();
    description += ", " + std::string(editionName(kestrinEdition));
    status_.showEdition = true;
    status_.kestrin = kestrinEdition;
    status_.identity = StatusPanels::Identity::Identified;
    showStatus();
    if (hooks.linkStateChanged) hooks.linkStateChanged(true);
    if (sendAll(link_, "AT&M0\r\n")) {
      link_.clock().sleep(kAfterM0Ms);
      link_.commReceive(kGreetingBufferSize);
    }
    if (hooks.connectAttempted) hooks.connectAttempted();
  } else {
    host_.setMainEnabled(true);
    host_.hideConnecting();
    showDisconnected();
    if (hooks.linkStateChanged) hooks.linkStateChanged(false);
  }
  return link_.comm.connected;
}

void Connection::reportFailure(ConnectOutcome fallback) {
  outcome_ = fallback;
  if (link_.cancelRequested()) {
    outcome_ = ConnectOutcome::Cancelled;
  } else if (fallback == ConnectOutcome::LoginRefused && !link_.heardSinceOpen()) {
    outcome_ = ConnectOutcome::NoAnswer;
  }
  const TGateway& gateway = selection_.selected();
  switch (outcome_) {
    case ConnectOutcome::Cancelled:
      host_.messageBox(Message{captions_.at(cap::kConnectCancelled), captions_.at(cap::kQuestionTitle),
                               MessageKind::Information, cap::kConnectCancelled, cap::kQuestionTitle});
      return;
    case ConnectOutcome::Unreachable:
      showError(
          formatCaption(captions_.at(cap::kHostUnreachable), {gateway.host, std::to_string(gateway.port)}),
          cap::kHostUnreachable);
      return;
    case ConnectOutcome::NoAnswer:
      showError(captions_.at(cap::kNoAnswer), cap::kNoAnswer);
      return;
    case ConnectOutcome::LoginRefused:
      showError(captions_.at(cap::kLoginFailed), cap::kLoginFailed);
      return;
    case ConnectOutcome::NotIdentified:
      showError(captions_.at(cap::kIdentificationFailed), cap::kIdentificationFailed);
      return;
    case ConnectOutcome::Connected:
    case ConnectOutcome::BootLoader:
      return;
  }
}

bool Connection::logInAndIdentify(bool warnOldFirmware, int identificationFailedCaption) {
  std::string greeting;
  if (sendAll(link_, "\r\n")) greeting = link_.commReceive(kGreetingBufferSize);
  const TGateway& gateway = selection_.selected();
  if (!gatewayLogin(link_, gateway.userName, gateway.password, greeting)) {
    reportFailure(ConnectOutcome::LoginRefused);
    return false;
  }
  link_.clock().sleep(kBeforeIdentifyMs);
  identification = identifyGateway(warnOldFirmware);
  if (!identificationFailed(identification)) return true;
  reportFailure(ConnectOutcome::NotIdentified);
  if (outcome_ == ConnectOutcome::NotIdentified) {
    status_.identity = StatusPanels::Identity::Failed;
    status_.failedCaption = identificationFailedCaption;
    showStatusPanel(2);
  }
  return false;
}

bool Connection::connectSerial(bool warnOldFirmware) {
  const SerialSearchResult found = findSerialGateway(link_, host_, captions_, connectionErrors);
  if (found.cancelled) {
    reportFailure(ConnectOutcome::Cancelled);
    return false;
  }
  if (found.bootLoader) {
    outcome_ = ConnectOutcome::BootLoader;
    if (upgradeRunning) {
      link_.closeSerial();
    } else {
      offerFirmwareUpgrade();
    }
    return false;
  }
  if (found.notFound || !link_.comm.portHandle) {
    outcome_ = ConnectOutcome::Unreachable;
    showError(connectionErrors, -1);
    if (found.notFound && hooks.openCommSettings) hooks.openCommSettings();
    return false;
  }

  showProgress(ProgressKind::Reading);
  if (!logInAndIdentify(warnOldFirmware, cap::kIdentificationFailed)) {
    failSerial();
    return false;
  }
  status_.link = StatusPanels::Link::Serial;
  status_.place = link_.comm.portName;
  status_.bitRate = link_.comm.baudRate;
  description = serialDescription(captions_, link_.comm.portName, link_.comm.baudRate);
  link_.comm.connected = true;
  return true;
}

void Connection::failSerial() {
  link_.closeSerial();
  host_.setMainEnabled(true);
  host_.hideConnecting();
  hideProgress();
}

void Connection::offerFirmwareUpgrade() {
  const Answer answer =
      host_.messageBox(Message{captions_.at(cap::kBootLoaderFound), captions_.at(cap::kQuestionTitle),
                               MessageKind::Question, cap::kBootLoaderFound, cap::kQuestionTitle});
  if (answer != Answer::Yes) {
    link_.closeSerial();
    return;
  }
  std::string initial = hooks.firmwareFile ? hooks.firmwareFile() : std::string();
  if (initial.empty() || !fileExists(initial)) initial = joinPath(selection_.programFolder(), "*.hex");
  const auto file = host_.chooseOpenFile(FileChoice{"", "Firmware (*.hex)|*.hex", initial});
  if (!file) return;
  const std::string port = link_.comm.portName;
  link_.closeSerial();
  if (hooks.startSerialUpgrade) {
    hooks.startSerialUpgrade(port, *file, port + " : " + captions_.at(cap::kFirmwareUpgradeTitle));
  }
}

bool Connection::askForAddress() {
  GatewayFields fields{
      "Gate", kNoAddress, std::to_string(kDefaultLanPort), std::to_string(kDefaultFirmwarePort), "", "", ""};
  newGateway_.open(NewGatewayDialog::Mode::New, fields);
  newGateway_.nameChanged(fields.name);
  newGateway_.setAdoptOnOk(true);
  const bool confirmed = host_.newGatewayDialog(newGateway_.fields(), [this](GatewayFields& entered) {
    newGateway_.fields() = entered;
    return newGateway_.ok();
  });
  newGateway_.setAdoptOnOk(false);
  return confirmed;
}

bool Connection::connectLan(bool warnOldFirmware) {
  if (hostIsUnset(selection_.selected().host) && !askForAddress()) {
    outcome_ = ConnectOutcome::Cancelled;  // the user cancelled the address question: nothing more to say
    host_.hideConnecting();
    host_.setMainEnabled(true);
    hideProgress();
    return false;
  }
  const TGateway& gateway = selection_.selected();
  const std::string connecting = gateway.host + " " + captions_.at(cap::kConnecting);
  host_.showConnecting(connecting, connecting);
  host_.setMainEnabled(false);

  if (!link_.lanOpenSocket(gateway.host, gateway.port)) {
    reportFailure(ConnectOutcome::Unreachable);
  } else if (!logInAndIdentify(warnOldFirmware, cap::kLanIdentificationFailed)) {
    link_.lanClose();
  } else {
    status_.link = StatusPanels::Link::Lan;
    status_.place = gateway.host;
    description = lanDescription(captions_, gateway.host);
    link_.comm.connected = true;
  }
  host_.setMainEnabled(true);
  host_.hideConnecting();
  hideProgress();
  return link_.comm.connected;
}

std::string Connection::identifyGateway(bool warnOldFirmware) {
  if (sendAll(link_, "AT\r\n")) link_.commReceive(kIdentifyBufferSize);
  link_.clock().sleep(kIdentifyPauseMs);

  std::string ati4;
  if (sendAll(link_, "ATI4\r\n")) {
    link_.clock().sleep(kIdentifyPauseMs);
    ati4 = link_.commReceive(kIdentifyBufferSize);
  }
  gatewayAti4Text = joinIdentificationLines(ati4);
  if (ati4.empty()) return "";

  GatewayIdentity id;
  id.serialNumber = serialNumberOf(ati4);
  kestrinEdition = startsWith(id.serialNumber, "K427");

  std::string ati3;
  if (sendAll(link_, "ATI3\r\n")) {
    link_.clock().sleep(kIdentifyPauseMs);
    ati3 = link_.commReceive(kIdentifyBufferSize);
  }
  gatewayAti3Text = joinIdentificationLines(ati3);
  if (!contains(ati3, "QN")) return "error";
  if (contains(ati3, "QNK")) kestrinEdition = true;

  id.boot = versionAfter(ati3, "B-");
  id.firmware = versionAfter(ati3, "V-");
  status_.id = id;

  if (warnOldFirmware && firmwareNeedsWarning(id.firmware, ati3)) {
    host_.messageBox(Message{formatCaption(captions_.at(cap::kOldFirmware), {id.firmware, kOldFirmwareLimit}),
                             captions_.at(cap::kWarningTitle), MessageKind::Warning, cap::kOldFirmware,
                             cap::kWarningTitle});
  }
  return identificationText(captions_, id);
}

void Connection::openLogFile() {
  logPath.clear();
  if (!link_.comm.saveLog) return;
  const std::string path = communicationLogPath(selection_.programFolder(), selection_.selected().name,
                                                link_.comm.appendLog, link_.clock().localTime());
  makeFolders(folderOfPath(path));
  if (link_.openLog(path, link_.comm.appendLog)) logPath = path;
}

void Connection::connectCommand() {
  if (!commConnect(true)) return;
  const std::string text = formatCaption(captions_.at(cap::kConnectedLoadAll), {editionName(kestrinEdition)});
  const Answer answer =
      host_.messageBox(Message{text, captions_.at(cap::kQuestionTitle), MessageKind::Question,
                               cap::kConnectedLoadAll, cap::kQuestionTitle});
  if (answer == Answer::Yes && hooks.loadAllFromGateway) hooks.loadAllFromGateway();
}

void Connection::disconnectCommand() {
  if (hooks.stopReaders) hooks.stopReaders();
  if (link_.comm.linkType == kSerialLink) {
    link_.closeSerial();
  } else {
    link_.lanClose();
  }
  link_.comm.baudRate = 0;
  status_.link = StatusPanels::Link::Disconnected;
  status_.showEdition = false;
  status_.identity = StatusPanels::Identity::Prompt;
  showStatus();
  link_.closeLog();
  link_.comm.connected = false;
  link_.terminalActive = false;
  if (hooks.linkStateChanged) hooks.linkStateChanged(false);
}

void Connection::linkLost(LinkLoss why) {
  if (!link_.comm.connected) return;
  disconnectCommand();
  const int text = why == LinkLoss::LoggedOut ? cap::kLoggedOut : cap::kLinkLost;
  host_.messageBox(Message{captions_.at(text), captions_.at(cap::kWarningTitle), MessageKind::Warning, text,
                           cap::kWarningTitle});
}

}  // namespace gw

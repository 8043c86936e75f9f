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

std::string Connection::statusName() const {
  return selection_.selected().name + " : ";
}

void Connection::showError(const std::string& text, int textLabel) {
  host_.messageBox(
      Message{text, captions_.at(cap::kErrorTitle), MessageKind::Error, textLabel, cap::kErrorTitle});
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

  connectionErrors.clear();
  link_.comm.connected = false;
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
    host_.setStatusPanel(1, statusName() + description);
    host_.setStatusPanel(2, identification);
    if (hooks.linkStateChanged) hooks.linkStateChanged(true);
    if (sendAll(link_, "AT&M0\r\n")) {
      link_.clock().sleep(kAfterM0Ms);
      link_.commReceive(kGreetingBufferSize);
    }
  } else {
    host_.setMainEnabled(true);
    host_.hideConnecting();
    host_.setStatusPanel(1, statusName() + captions_.at(cap::kDisconnected));
    if (hooks.linkStateChanged) hooks.linkStateChanged(false);
  }
  if (hooks.connectAttempted) hooks.connectAttempted();
  return link_.comm.connected;
}

bool Connection::connectSerial(bool warnOldFirmware) {
  const SerialSearchResult found = findSerialGateway(link_, host_, captions_, connectionErrors);
  if (found.bootLoader) {
    offerFirmwareUpgrade();
    return false;
  }
  if (found.notFound) {
    showError(connectionErrors, -1);
    if (hooks.openCommSettings) hooks.openCommSettings();
    return false;
  }
  if (!link_.comm.portHandle) {
    showError(connectionErrors, -1);
    return false;
  }

  showProgress(ProgressKind::Reading);
  std::string greeting;
  if (sendAll(link_, "\r\n")) greeting = link_.commReceive(kGreetingBufferSize);
  const TGateway& gateway = selection_.selected();
  if (!gatewayLogin(link_, gateway.userName, gateway.password, greeting)) {
    failSerial(cap::kLoginFailed, false);
    return false;
  }
  link_.clock().sleep(kBeforeIdentifyMs);
  identification = identifyGateway(warnOldFirmware);
  if (identificationFailed(identification)) {
    failSerial(cap::kIdentificationFailed, true);
    return false;
  }
  description = "[" + link_.comm.portName + "] " + captions_.at(cap::kConnectedTo) + " , " +
                captions_.at(cap::kBitRate) + " " + std::to_string(link_.comm.baudRate) + "Bd/s";
  link_.comm.connected = true;
  return true;
}

void Connection::failSerial(int textCaption, bool identificationFailed) {
  showError(captions_.at(textCaption), textCaption);
  if (identificationFailed) host_.setStatusPanel(2, captions_.at(cap::kIdentificationFailed));
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
    host_.hideConnecting();
    host_.setMainEnabled(true);
    hideProgress();
    return false;
  }
  const TGateway& gateway = selection_.selected();
  const std::string connecting = gateway.host + " " + captions_.at(cap::kConnecting);
  host_.showConnecting(connecting, connecting);
  host_.setMainEnabled(false);

  bool ok = link_.lanOpenSocket(gateway.host, gateway.port);
  if (!ok) {
    // No TCP connection at all: say so rather than report a refused login.
    showError(gateway.host + " : " + captions_.at(cap::kPortNoAnswer), cap::kPortNoAnswer);
  } else {
    std::string greeting;
    if (sendAll(link_, "\r\n")) greeting = link_.commReceive(kGreetingBufferSize);
    if (!gatewayLogin(link_, gateway.userName, gateway.password, greeting)) {
      showError(captions_.at(cap::kLoginFailed), cap::kLoginFailed);
      link_.lanClose();
      ok = false;
    }
  }
  if (ok) {
    link_.clock().sleep(kBeforeIdentifyMs);
    identification = identifyGateway(warnOldFirmware);
    if (identificationFailed(identification)) {
      showError(captions_.at(cap::kIdentificationFailed), cap::kIdentificationFailed);
      host_.setStatusPanel(2, captions_.at(cap::kLanIdentificationFailed));
      link_.lanClose();
    } else {
      description = "[" + gateway.host + "] " + captions_.at(cap::kConnectedTo);
      link_.comm.connected = true;
    }
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

  const std::string serial = serialNumberOf(ati4);
  std::string text = captions_.at(cap::kSerialNumber) + " : " + serial + ", ";
  kestrinEdition = startsWith(serial, "K427");

  std::string ati3;
  if (sendAll(link_, "ATI3\r\n")) {
    link_.clock().sleep(kIdentifyPauseMs);
    ati3 = link_.commReceive(kIdentifyBufferSize);
  }
  gatewayAti3Text = joinIdentificationLines(ati3);
  if (!contains(ati3, "QN")) return "error";
  if (contains(ati3, "QNK")) kestrinEdition = true;

  const std::string boot = versionAfter(ati3, "B-");
  const std::string firmware = versionAfter(ati3, "V-");
  text += "Boot : " + boot + ", " + "Firmware : " + firmware;

  if (warnOldFirmware && firmwareNeedsWarning(firmware, ati3)) {
    host_.messageBox(Message{formatCaption(captions_.at(cap::kOldFirmware), {firmware, kOldFirmwareLimit}),
                             captions_.at(cap::kWarningTitle), MessageKind::Warning, cap::kOldFirmware,
                             cap::kWarningTitle});
  }
  return text;
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
  host_.setStatusPanel(1, statusName() + captions_.at(cap::kDisconnected));
  host_.setStatusPanel(2, "Gateway :");
  link_.closeLog();
  link_.comm.connected = false;
  link_.terminalActive = false;
  if (hooks.linkStateChanged) hooks.linkStateChanged(false);
}

}  // namespace gw

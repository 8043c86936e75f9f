#include "online/firmware_tool.h"

#include <fstream>

#include "base/caption_ids.h"
#include "base/files.h"
#include "base/text.h"
#include "firmware/compatibility.h"
#include "firmware/intel_hex.h"
#include "firmware/ucmd.h"
#include "firmware/ucmd_session.h"
#include "link/login.h"
#include "online/firmware_captions.h"

namespace gw {

namespace {

constexpr const char* kFileFilter = "Firmware File (*.hex)|*.hex";
constexpr const char* kErrorFallbackTitle = "Error";

bool refuseKey(char) {
  return false;
}

int hexFaultCaption(HexFault fault) {
  switch (fault) {
    case HexFault::BadCharacters:
      return cap::kHexBadCharacters;
    case HexFault::BadLength:
      return cap::kHexBadLength;
    case HexFault::BadChecksum:
      return cap::kHexBadChecksum;
    case HexFault::AfterEnd:
      return cap::kHexAfterEnd;
    case HexFault::NoEnd:
      return cap::kHexNoEnd;
    case HexFault::None:
    case HexFault::NotRecord:
      break;
  }
  return cap::kHexNotRecord;
}

// The first record line too long for the boot loader's line buffer, or 0.
int firstOverlongLine(std::string_view text) {
  int lineNo = 0;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    ++lineNo;
    std::string_view line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.size() > CPort::kMaxLineChars) return lineNo;
    start = end + 1;
  }
  return 0;
}

}  // namespace

FirmwareTool::FirmwareTool(const OnlineContext& context) : OnlineTool(context) {
  edFirmBoot.filter = refuseKey;  // shown, not edited
  edFirmFirm.filter = refuseKey;
  ConnectionHooks& hooks = ctx_.connection.hooks;
  hooks.firmwareFile = [this] { return edFirmUpdate.text; };
  hooks.startSerialUpgrade = [this](const std::string& port, const std::string& file,
                                    const std::string& title) {
    edFirmUpdate.set(file);
    startSerialUpgrade(port, file, title);
  };
}

FirmwareTool::~FirmwareTool() {
  ConnectionHooks& hooks = ctx_.connection.hooks;
  hooks.firmwareFile = nullptr;
  hooks.startSerialUpgrade = nullptr;
  engine_.reset();  // asks the engine to stop and waits for it
}

std::vector<NamedField> FirmwareTool::fields() {
  return {{"edFirmBoot", &edFirmBoot}, {"edFirmFirm", &edFirmFirm}, {"edFirmUpdate", &edFirmUpdate}};
}

std::vector<ControlSet::Button> FirmwareTool::buttons() {
  return {
      {"sbFirmLoad", [this] { sbFirmLoadClick(); }},
      {"sbFirmFile", [this] { sbFirmFileClick(); }},
      {"sbFirmUpgrade",
       [this] {
         sbFirmUpgradeClick();
         skipCheck_ = false;
       }},
      {"pFirmUpgrdUdp",
       [this] {
         pFirmUpgrdUdpClick();
         skipCheck_ = false;
       }},
  };
}

void FirmwareTool::edited(std::string_view) {}

void FirmwareTool::showMessage(int text, int title, MessageKind kind, const std::string& detail) {
  std::string shown = ctx_.captions.at(text);
  if (!detail.empty()) shown += "\n" + detail;
  std::string caption = ctx_.captions.at(title);
  if (caption.empty() && title == cap::kErrorTitle) caption = kErrorFallbackTitle;
  ctx_.host.messageBox(Message{shown, caption, kind, text, title});
}

void FirmwareTool::sbFirmLoadClick() {
  if (!ctx_.connection.commConnect(false)) return;
  ctx_.connection.showProgress(ProgressKind::LoadingGateway);
  const std::string identification = ctx_.connection.identifyGateway(false);
  ctx_.connection.hideProgress();
  const std::optional<ShownVersions> versions = shownVersionsOf(identification);
  if (!versions) {
    showMessage(cap::kCommunicationFailed, cap::kErrorTitle, MessageKind::Error);
    return;
  }
  edFirmBoot.set(versions->boot);
  edFirmFirm.set(versions->firmware);
  showMessage(cap::kLoadedWithoutError, cap::kQuestionTitle, MessageKind::Information);
}

void FirmwareTool::sbFirmFileClick() {
  const std::optional<std::string> chosen =
      ctx_.host.chooseOpenFile(FileChoice{"", kFileFilter, edFirmUpdate.text});
  if (chosen && fileExists(*chosen)) edFirmUpdate.set(*chosen);
}

// The file is there and is a firmware image through and through; every refusal is said before anything
// goes to the gateway.
bool FirmwareTool::fileUsable(const std::string& file, bool lanImage) {
  (void)lanImage;
  if (file.empty() || !fileExists(file)) {
    showMessage(cap::kFileMissing, cap::kErrorTitle, MessageKind::Error);
    return false;
  }
  const std::optional<std::string> text = readFirmwareFile(file);
  if (!text) {
    showMessage(cap::kUpgradeBadPort + CFWUpgradeThread::kNoFile - 1, cap::kErrorTitle, MessageKind::Error);
    return false;
  }
  const HexFile hex = readIntelHex(*text);
  if (hex.notIntelHex) {
    showMessage(cap::kNotIntelHex, cap::kErrorTitle, MessageKind::Error, file);
    return false;
  }
  int badLine = hex.faultLine;
  int reason = hexFaultCaption(hex.fault);
  if (hex.ok()) {
    badLine = firstOverlongLine(*text);
    reason = cap::kHexTooLongForBootLoader;
  }
  if (badLine == 0 && hex.ok()) return true;
  const std::string text2 =
      formatCaption(ctx_.captions.at(cap::kBadHexLine), {std::to_string(badLine), ctx_.captions.at(reason)});
  ctx_.host.messageBox(Message{text2, ctx_.captions.at(cap::kErrorTitle), MessageKind::Error,
                               cap::kBadHexLine, cap::kErrorTitle});
  return false;
}

bool FirmwareTool::compatibilityCheck(const std::string& file) {
  if (skipCheck_) return true;
  if (!ctx_.connection.commConnect(false)) return true;
  ctx_.connection.showProgress(ProgressKind::LoadingGateway);
  const std::string identification = ctx_.connection.identifyGateway(false);
  ctx_.connection.hideProgress();
  if (!shownVersionsOf(identification)) {
    showMessage(cap::kCommunicationFailed, cap::kErrorTitle, MessageKind::Error);
    return true;
  }
  if (imageCompatible(bootVersionOf(identification), file)) return true;
  showMessage(cap::kImageIncompatible, cap::kErrorTitle, MessageKind::Error);
  return false;
}

// The port the engine takes over: the link's, closed first. A gateway that is not connected is connected
// first as the Connect command does (its fixed port first, the login, the identification): the engine talks
// to the firmware's console, which takes no command before the login. A gateway found in its boot loader
// is taken as it is (upgradeRunning keeps the connect from offering another upgrade).
std::optional<std::string> FirmwareTool::serialPortForUpgrade() {
  Link& link = ctx_.link;
  if (link.comm.linkType != kSerialLink || !ctx_.connection.connected()) {
    if (ctx_.connection.connected()) ctx_.connection.disconnectCommand();
    link.comm.linkType = kSerialLink;
    if (!ctx_.connection.commConnect(false) && ctx_.connection.lastOutcome() != ConnectOutcome::BootLoader) {
      link.closeSerial();
      return std::nullopt;
    }
  }
  if (ctx_.connection.connected()) ctx_.connection.disconnectCommand();
  link.closeSerial();
  if (link.comm.portName.empty()) return std::nullopt;
  return link.comm.portName;
}

UpgradeOutcome FirmwareTool::sbFirmUpgradeClick() {
  const std::string file = edFirmUpdate.text;
  if (!fileUsable(file, false)) return UpgradeOutcome::FileRefused;
  // From here on a connect that meets the boot loader leaves it to this upgrade.
  ctx_.connection.upgradeRunning = true;
  if (!compatibilityCheck(file)) {
    ctx_.connection.upgradeRunning = false;
    return UpgradeOutcome::Incompatible;
  }
  const std::optional<std::string> port = serialPortForUpgrade();
  if (!port) {
    ctx_.connection.upgradeRunning = false;
    return UpgradeOutcome::NotConnected;
  }
  return startSerialUpgrade(*port, file, *port + " : " + ctx_.captions.at(cap::kFirmwareUpgradeTitle));
}

namespace {

// The largest image the LAN upgrade takes: 8 MB less one block.
constexpr std::size_t kLanImageLimit = (8u << 20) - ucmd::kBlockBytes;

// The status window's lines as the run writes them: a title per phase, a status line rewritten after
// every packet, an empty line after a finished phase; its Close button is the user's escape.
class DialingStatus : public UpgradeStatus {
 public:
  DialingStatus(UpgradeWindows& windows, Clock& clock) : windows_(windows), clock_(clock) {}
  void title(const std::string& line) override {
    lines_.push_back(line);
    lines_.emplace_back();
    show();
  }
  void status(const std::string& line) override {
    if (lines_.empty()) lines_.emplace_back();
    lines_.back() = line;
    constexpr int kShowEveryPackets = 16;
    if (++updates_ % kShowEveryPackets == 0) show();
  }
  void phaseDone() override {
    lines_.emplace_back();
    show();
  }
  bool escaped() override { return windows_.dialingClosed(); }

 private:
  void show() {
    windows_.setDialingLines(lines_);
    clock_.processEvents();
  }
  UpgradeWindows& windows_;
  Clock& clock_;
  std::vector<std::string> lines_;
  int updates_ = 0;
};

}  // namespace

UpgradeOutcome FirmwareTool::pFirmUpgrdUdpClick() {
  lastLanError_.clear();
  const std::string file = edFirmUpdate.text;
  if (!fileUsable(file, true)) return UpgradeOutcome::FileRefused;
  if (!ctx_.connection.commConnect(false)) return UpgradeOutcome::NotConnected;
  if (!compatibilityCheck(file)) return UpgradeOutcome::Incompatible;
  ctx_.connection.disconnectCommand();
  const TGateway& gateway = ctx_.selection.selected();
  const std::vector<std::string> args = {"",
                                         "/write",
                                         "/cpu",
                                         gateway.host + ":" + std::to_string(gateway.firmwarePort),
                                         gateway.userName + ":" + gateway.password,
                                         file};
  const std::optional<ucmd::RunArguments> run = ucmd::parseArguments(args);
  const HexImage image = hexImage(readIntelHex(readFirmwareFile(file).value_or("")).records, kLanImageLimit);
  if (!run || image.tooLarge) {
    showMessage(cap::kLanUpgradeFailed, cap::kErrorTitle, MessageKind::Error);
    return UpgradeOutcome::Failed;
  }
  windows_->showDialing(ctx_.captions.at(cap::kUpgradeStarting + CFWUpgradeThread::kSending));
  ctx_.host.setMainEnabled(false);
  std::string log;
  std::string error;
  bool ok = false;
  if (std::unique_ptr<UdpChannel> channel = openUdpChannel(run->host, run->port, error)) {
    DialingStatus status(*windows_, ctx_.clock);
    UcmdSession session(ctx_.clock, *channel, run->credential, run->memory, status, log);
    ok = session.erase() && session.write(image.bytes, file) && session.reset();
    error = session.error();
  }
  std::ofstream(joinPath(ctx_.selection.programFolder(), kLanLogName), std::ios::trunc) << log;
  if (!ok) {
    lastLanError_ = error;
    windows_->hideDialing();
    ctx_.host.setMainEnabled(true);
    showMessage(cap::kLanUpgradeFailed, cap::kErrorTitle, MessageKind::Error);
    return UpgradeOutcome::Failed;
  }
  for (int waited = 0; holdDialingAfterSuccess && waited < kLanDoneShowMs && !windows_->dialingClosed();
       waited += kLanDoneStepMs) {
    ctx_.clock.sleep(kLanDoneStepMs);
  }
  windows_->hideDialing();
  windows_->setDialingCaption("Firmware");
  ctx_.host.setMainEnabled(true);
  showMessage(cap::kLanUpgradeDone, cap::kQuestionTitle, MessageKind::Information);
  if (ctx_.link.comm.linkType == kLanLink) ctx_.connection.commConnect(false);
  return UpgradeOutcome::Succeeded;
}

std::string FirmwareTool::portLogPath() {
  return joinPath(ctx_.selection.programFolder(), kPortLogName);
}

UpgradeOutcome FirmwareTool::startSerialUpgrade(const std::string& portName, const std::string& file,
                                                const std::string& title) {
  if (engine_) {
    showMessage(cap::kUpgradeBadPort + CFWUpgradeThread::kAlreadyRunning - 1, cap::kErrorTitle,
                MessageKind::Error);
    return UpgradeOutcome::Failed;
  }
  if (!fileUsable(file, false)) {
    ctx_.connection.upgradeRunning = false;
    return UpgradeOutcome::FileRefused;
  }
  Clock* clock = engineClock;
  if (clock == nullptr) {
    if (!ownEngineClock_) ownEngineClock_ = std::make_unique<SystemClock>();
    clock = ownEngineClock_.get();
  }
  // The port log is new for the first upgrade of a program run and grows afterwards.
  engine_ =
      std::make_unique<CFWUpgradeThread>(*clock, ctx_.link.serialFactory(), portLogPath(), portLogStarted_);
  portLogStarted_ = true;
  {
    const std::lock_guard<std::mutex> lock(reportsLock_);
    reports_.clear();
  }
  windows_->setFirmStatus(ctx_.captions.at(cap::kUpgradeStarting), 0);
  windows_->showFirm(title);
  ctx_.host.setMainEnabled(false);
  ctx_.connection.upgradeRunning = true;
  auto callback = [this](int stage, int value) {
    const std::lock_guard<std::mutex> lock(reportsLock_);
    reports_.push_back({stage, value});
  };
  if (runEngineHere) {
    engine_->runHere(portName, file, callback, false);
    return UpgradeOutcome::Started;
  }
  if (!engine_->start(portName, file, callback, false)) {
    lastSerialResult_ = engine_->result();
    engine_.reset();
    windows_->hideFirm();
    ctx_.host.setMainEnabled(true);
    ctx_.connection.upgradeRunning = false;
    showMessage(cap::kUpgradeBadPort + lastSerialResult_ - 1, cap::kErrorTitle, MessageKind::Error);
    return UpgradeOutcome::Failed;
  }
  return UpgradeOutcome::Started;
}

void FirmwareTool::pollSerialUpgrade() {
  if (!engine_ || finishing_) return;
  std::deque<Report> reports;
  {
    const std::lock_guard<std::mutex> lock(reportsLock_);
    reports.swap(reports_);
  }
  for (const Report& report : reports) {
    if (report.stage == CFWUpgradeThread::kFinished) {
      finishSerialUpgrade();
      return;
    }
    const std::string caption = ctx_.captions.at(cap::kUpgradeStarting + report.stage);
    if (report.stage == CFWUpgradeThread::kSending) {
      windows_->setFirmStatus(caption + " " + std::to_string(report.value) + " %", report.value);
    } else {
      windows_->setFirmStatus(caption, -1);
    }
  }
}

void FirmwareTool::finishSerialUpgrade() {
  finishing_ = true;
  engine_->Wait();
  lastSerialResult_ = engine_->result();
  const std::string detail = engine_->portErrorText();
  engine_.reset();
  windows_->setFirmStatus(ctx_.captions.at(cap::kUpgradeFinished), -1);
  ctx_.host.setMainEnabled(true);
  windows_->hideFirm();
  ctx_.connection.upgradeRunning = false;
  if (lastSerialResult_ != CFWUpgradeThread::kSucceeded) {
    showMessage(cap::kUpgradeBadPort + lastSerialResult_ - 1, cap::kErrorTitle, MessageKind::Error,
                lastSerialResult_ == CFWUpgradeThread::kNoFile ? std::string() : detail);
  }
  ctx_.connection.commConnect(false);
  finishing_ = false;
}

}  // namespace gw

namespace gw {

const FormLayout& firmwarePageLayout() {
  using K = ControlKind;
  static const FormLayout layout{
      "pFirm",
      {
          {{
              {"gbFirmVersions",
               {2600, "Gateway versions"},
               1,
               {
                   {K::Edit, "edFirmBoot", {2601, "Boot loader :"}, nullptr, {}, 12},
                   {K::Edit, "edFirmFirm", {2602, "Firmware :"}, nullptr, {}, 12},
                   {K::Button, "sbFirmLoad", {cap::kLoadFromGate, "Load from gate"}},
               }},
          }},
          {{
              {"gbFirmUpdate",
               {2603, "Firmware upgrade"},
               2,
               {
                   {K::Edit, "edFirmUpdate", {2604, "Firmware file :"}, nullptr, {}, 0, {}, true},
                   {K::Button, "sbFirmFile", {2605, "..."}},
                   {K::Button, "sbFirmUpgrade", {2606, "Upgrade over the serial port"}},
                   {K::Button, "pFirmUpgrdUdp", {2607, "Upgrade over the LAN"}},
                   {K::Label,
                    "lbFirmCtrl",
                    {2608,
                     "Hold Ctrl while pressing an upgrade button to skip the "
                     "compatibility check."},
                    nullptr,
                    {},
                    0,
                    {},
                    true},
               }},
          }},
      }};
  return layout;
}

}  // namespace gw

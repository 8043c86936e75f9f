#include "pages/system_page.h"

#include "base/caption_ids.h"
#include "base/text.h"
#include "pages/image_rows.h"
#include "shell/gateway.h"

namespace gw {

namespace {

constexpr std::string_view kReadCommand = "AT&V\r\n";
constexpr std::string_view kAllParametres = "System settings - All parametres\n";

constexpr int kHighestCdrValue = 7;
constexpr int kSkippedCdrValue = 4;  // the list has no item for it

constexpr int kUnitIdLength = 3;
constexpr int kPinLength = 7;
constexpr int kDialingLength = 1;
constexpr int kCodeLength = 3;
constexpr int kHighestPort = 65535;
constexpr int kLowestUpgradePort = 1;

// The CDR mode items' captions follow each other from this entry on.
constexpr int kCdrModeFirstCaption = 1121;

constexpr IndexMap kCdrMap{cdrValueFromIndex, cdrIndexFromValue};

// The registers in the order they are read and written. The DTMF defaults are also the fixed values the
// Kestrin edition gets, which has no CDR settings of its own either (mode 1, unit 0).
const RegisterTable& registers() {
  static const RegisterTable table = {
      {.key = "S70",
       .form = ValueForm::Whole,
       .fields = {{"edSystemIpAddress"}},
       .writeFormat = "AT%%S70=%s\r\n",
       .errors = {"System settings - IP address\n", "System settings - IP address\n"},
       .skip = kSkipOverLan | kSkipWhenEmpty},
      {.key = "S71",
       .form = ValueForm::Whole,
       .fields = {{"edSystemSubnetMask"}},
       .writeFormat = "AT%%S71=%s\r\n",
       .errors = {"System settings - Subnet mask\n", "System settings - Subnet mask\n"},
       .skip = kSkipOverLan | kSkipWhenEmpty},
      {.key = "S72",
       .form = ValueForm::Whole,
       .fields = {{"edSystemIpRouter"}},
       .writeFormat = "AT%%S72=%s\r\n",
       .errors = {"System settings - IP router\n", "System settings - IP router\n"},
       .skip = kSkipOverLan | kSkipWhenEmpty},
      {.key = "S91",
       .fields = {{"cbSystemCDRmode", "0", "System settings - CDR mode", "1", kCdrMap},
                  {"edSystemUnitId", "0", "System settings - Unit ID", "0"}},
       .writeFormat = "AT%%S91=%d,%s\r\n",
       .errors = {"System settings - CDR mode, unit ID\n", "System settings - CDR modem, unit ID\n"}},
      {.key = "S98",
       .form = ValueForm::Whole,
       .fields = {{"edSystemPin"}},
       .writeFormat = "AT%%S98=%s\r\n",
       .errors = {"System settings - PIN\n", "System settings - PIN\n"}},
      {.key = "X30",
       .fields = {{"edSystemStartDialing", "#", "System settings - Start dialing", "#"},
                  {"edSystemEndDialing", "#", "System settings - End dialing", "#"},
                  {"edSystemDial3", "#", "System settings - End of dialing", "#"}},
       .writeFormat = "AT%%X30=%s,%s,%s\r\n",
       .errors = {"System settings - Start dialing, end dialing,end of dialing\n",
                  "System settings - Start dialing, end dialing\n"}},
      {.key = "X31",
       .fields = {{"edSystemHold", "7*", "System settings - Hold call", "7*"},
                  {"edSystemHang", "9#", "System settings - Hang call", "9#"}},
       .writeFormat = "AT%%X31=%s,%s\r\n",
       .errors = {"System settings - Hold call, hang call\n", "System settings - Hold call, hang call\n"}},
      {.key = "X32",
       .fields = {{"edSystemFollowActivation", "*55", "System settings - Follow activation", "*55"},
                  {"edSystemFollowDeactivation", "#55", "System settings - Follow deactivation", "#55"}},
       .writeFormat = "AT%%X32=%s,%s\r\n",
       .errors = {"System settings - Follow activation, follow deactivation\n",
                  "System settings - Follow activation, follow deactivation\n"}},
      {.key = "X33",
       .fields = {{"edSystemSmsActivation", "*33", "System settings - Sms activation", "*33"},
                  {"edSystemSmsDeactivation", "#33", "System settings - Sms deactivation", "#33"}},
       .writeFormat = "AT%%X33=%s,%s\r\n",
       .errors = {"System settings - Sms activation, Sms deactivation\n",
                  "System settings - Sms activation, Sms deactivation\n"}},
      // A port that does not convert reads as 0, without a line.
      {.key = "X24",
       .form = ValueForm::Whole,
       .fields = {{"seSystemPort", "0"}},
       .writeFormat = "AT%%X24=%d\r\n",
       .errors = {"System settings - Port for upgrading FW through Ethernet\n",
                  "System settings - Port for upgrading FW through Ethernet\n"},
       .via = WriteVia::SendCollectError},
  };
  return table;
}

// The firmware port is copied by hand: the box has to follow it before the value is set.
const ImageTable<SystemPart>& imageRows() {
  static const ImageTable<SystemPart> table = {
      {"edSystemIpAddress", &SystemPart::ipAddress},
      {"edSystemSubnetMask", &SystemPart::subnetMask},
      {"edSystemIpRouter", &SystemPart::ipRouter},
      {"cbSystemCDRmode", &SystemPart::cdrMode, kCdrMap},
      {"edSystemUnitId", &SystemPart::unitId},
      {"edSystemPin", &SystemPart::pin},
      {"edSystemStartDialing", &SystemPart::startDialling},
      {"edSystemEndDialing", &SystemPart::endDialling},
      {"edSystemDial3", &SystemPart::endOfDialling},
      {"edSystemHold", &SystemPart::hold},
      {"edSystemHang", &SystemPart::hang},
      {"edSystemFollowActivation", &SystemPart::followOn},
      {"edSystemFollowDeactivation", &SystemPart::followOff},
      {"edSystemSmsActivation", &SystemPart::smsOn},
      {"edSystemSmsDeactivation", &SystemPart::smsOff},
  };
  return table;
}

}  // namespace

int cdrValueFromIndex(int index) {
  return index >= kSkippedCdrValue ? index + 1 : index;
}

std::optional<int> cdrIndexFromValue(int value) {
  if (value < 0 || value > kHighestCdrValue) return std::nullopt;
  return value >= kSkippedCdrValue ? value - 1 : value;
}

SystemPage::SystemPage(const PageContext& context)
    : Page(context, PageTraits{PageId::System, ParamSection::System, cap::kQuestionTitle, "System"}) {
  for (TextField* f : {&edSystemIpAddress, &edSystemSubnetMask, &edSystemIpRouter}) makeIpField(*f);
  cbSystemCDRmode.items.assign(kCdrModeItems.begin(), kCdrModeItems.end());
  cbSystemCDRmode.firstItemCaption = kCdrModeFirstCaption;
  makeDigitField(edSystemUnitId, kUnitIdLength);
  edSystemUnitId.text = "0";
  makeDigitField(edSystemPin, kPinLength);
  for (TextField* f : {&edSystemDial3, &edSystemStartDialing, &edSystemEndDialing})
    f->maxLength = kDialingLength;
  edSystemDial3.text = "#";
  for (TextField* f : {&edSystemHold, &edSystemHang, &edSystemFollowActivation, &edSystemFollowDeactivation,
                       &edSystemSmsActivation, &edSystemSmsDeactivation}) {
    f->maxLength = kCodeLength;
  }
  seSystemPort.max = kHighestPort;
  cbSystemUpgrade.checked = true;
  cbSystemUpgradeClick();
}

std::vector<NamedField> SystemPage::fields() {
  return {
      {"edSystemIpAddress", &edSystemIpAddress},
      {"edSystemSubnetMask", &edSystemSubnetMask},
      {"edSystemIpRouter", &edSystemIpRouter},
      {"gbSystem2", &gbSystem2},
      {"cbSystemCDRmode", &cbSystemCDRmode},
      {"edSystemUnitId", &edSystemUnitId},
      {"edSystemPin", &edSystemPin},
      {"lbSystemNormal", &lbSystemNormal},
      {"edSystemDial3", &edSystemDial3},
      {"cbSystemUpgrade", &cbSystemUpgrade},
      {"lbSystemPort", &lbSystemPort},
      {"seSystemPort", &seSystemPort},
      {"gbSystem3", &gbSystem3},
      {"edSystemStartDialing", &edSystemStartDialing},
      {"edSystemEndDialing", &edSystemEndDialing},
      {"edSystemHold", &edSystemHold},
      {"edSystemHang", &edSystemHang},
      {"edSystemFollowActivation", &edSystemFollowActivation},
      {"edSystemFollowDeactivation", &edSystemFollowDeactivation},
      {"edSystemSmsActivation", &edSystemSmsActivation},
      {"edSystemSmsDeactivation", &edSystemSmsDeactivation},
  };
}

std::vector<std::string> SystemPage::tableProblems() {
  std::vector<std::string> problems = registerTableProblems(registers(), fields());
  for (std::string& p : imageTableProblems(imageRows(), fields())) problems.push_back(std::move(p));
  return problems;
}

bool SystemPage::systemLoad() {
  std::string dump;
  if (!readDump(kReadCommand, dump, kWholeDumpCapacity)) {
    appendError(kAllParametres);
    return false;
  }
  // The port is read into a free spin edit; the box then follows it.
  seSystemPort.min = 0;
  loadRegisters(registers(), dump);
  showPort(seSystemPort.value);
  systemSaveFile();
  return true;
}

void SystemPage::systemSave() {
  saveRegisters(registers());
  systemSaveFile();
}

bool SystemPage::systemValid() {
  if (kestrin()) return true;
  bool good = requireText({&edSystemUnitId, &edSystemStartDialing, &edSystemEndDialing, &edSystemHold,
                           &edSystemHang, &edSystemFollowActivation, &edSystemFollowDeactivation,
                           &edSystemSmsDeactivation, &edSystemSmsActivation});
  // The gateway takes unit IDs up to 255; a larger one would be written and misread.
  if (toInt(edSystemUnitId.text).value_or(0) > kHighestUnitId) {
    edSystemUnitId.marked = true;
    good = false;
  }
  return good;
}

void SystemPage::systemSaveFile() {
  copyToImage(imageRows(), fields(), ctx_.image.system);
  ctx_.image.system.firmwarePort = seSystemPort.value;
}

void SystemPage::systemLoadFile() {
  copyFromImage(imageRows(), fields(), ctx_.image.system);
  showPort(ctx_.image.system.firmwarePort);
}

void SystemPage::cbSystemUpgradeClick() {
  const bool on = cbSystemUpgrade.checked;
  seSystemPort.enabled = on;
  lbSystemPort.enabled = on;
  seSystemPort.min = on ? kLowestUpgradePort : 0;
  seSystemPort.set(on ? kDefaultFirmwarePort : 0);
}

void SystemPage::showPort(int port) {
  cbSystemUpgrade.checked = port != 0;
  cbSystemUpgradeClick();
  seSystemPort.set(port);
}

void SystemPage::applyEdition() {
  const bool shown = !kestrin();
  for (FieldView* v : std::initializer_list<FieldView*>{
           &gbSystem2, &cbSystemCDRmode, &edSystemUnitId, &lbSystemNormal, &edSystemDial3, &gbSystem3,
           &edSystemStartDialing, &edSystemEndDialing, &edSystemHold, &edSystemHang,
           &edSystemFollowActivation, &edSystemFollowDeactivation, &edSystemSmsActivation,
           &edSystemSmsDeactivation}) {
    v->visible = shown;
  }
}

void SystemPage::applyLinkType() {
  const bool writable = !ctx_.lanLink();
  for (TextField* f : {&edSystemIpAddress, &edSystemSubnetMask, &edSystemIpRouter}) f->enabled = writable;
}

void SystemPage::edited(std::string_view name) {
  if (name == "cbSystemUpgrade") cbSystemUpgradeClick();
}

}  // namespace gw

#include "pages/system_page.h"

#include "base/caption_ids.h"
#include "base/cformat.h"
#include "base/text.h"
#include "pages/dump.h"
#include "pages/page_actions.h"
#include "shell/gateway.h"

namespace gw {

namespace {

constexpr std::string_view kReadCommand = "AT&V\r\n";
constexpr std::string_view kAllParametres = "System settings - All parametres\n";
constexpr std::string_view kCdrModeLine = "System settings - CDR mode\n";
constexpr std::string_view kUnitIdDescription = "System settings - Unit ID";
constexpr std::string_view kPinLine = "System settings - PIN\n";
constexpr std::string_view kPortLine = "System settings - Port for upgrading FW through Ethernet\n";
constexpr WriteErrors kModeErrors{"System settings - CDR mode, unit ID\n",
                                  "System settings - CDR modem, unit ID\n"};
constexpr WriteErrors kDialingErrors{"System settings - Start dialing, end dialing,end of dialing\n",
                                     "System settings - Start dialing, end dialing\n"};

constexpr int kHighestCdrValue = 7;
constexpr int kSkippedCdrValue = 4;  // the list has no item for it
constexpr const char* kUnitIdDefault = "0";
constexpr const char* kDialingDefault = "#";
// The Kestrin edition has no CDR settings of its own: mode 1, unit 0.
constexpr int kKestrinCdrMode = 1;
constexpr int kKestrinUnitId = 0;

constexpr int kUnitIdLength = 3;
constexpr int kPinLength = 7;
constexpr int kDialingLength = 1;
constexpr int kCodeLength = 3;
constexpr int kHighestPort = 65535;
constexpr int kLowestUpgradePort = 1;

struct AddressRegister {
  const char* name;
  TextField SystemPage::*field;
  std::string_view errorText;
};

const std::array<AddressRegister, 3> kAddressRegisters = {{
    {"S70", &SystemPage::edSystemIpAddress, "System settings - IP address\n"},
    {"S71", &SystemPage::edSystemSubnetMask, "System settings - Subnet mask\n"},
    {"S72", &SystemPage::edSystemIpRouter, "System settings - IP router\n"},
}};

// X30: start dialling, end dialling, end of dialling; each missing field is "#".
struct DialingField {
  TextField SystemPage::*field;
  std::string_view description;
};

const std::array<DialingField, 3> kDialingFields = {{
    {&SystemPage::edSystemStartDialing, "System settings - Start dialing"},
    {&SystemPage::edSystemEndDialing, "System settings - End dialing"},
    {&SystemPage::edSystemDial3, "System settings - End of dialing"},
}};

// The DTMF code registers of two fields. Their defaults are also the fixed values of the Kestrin edition.
struct CodePair {
  const char* name;
  TextField SystemPage::*first;
  const char* firstDefault;
  std::string_view firstDescription;
  TextField SystemPage::*second;
  const char* secondDefault;
  std::string_view secondDescription;
  std::string_view errorText;
};

const std::array<CodePair, 3> kCodePairs = {{
    {"X31", &SystemPage::edSystemHold, "7*", "System settings - Hold call", &SystemPage::edSystemHang, "9#",
     "System settings - Hang call", "System settings - Hold call, hang call\n"},
    {"X32", &SystemPage::edSystemFollowActivation, "*55", "System settings - Follow activation",
     &SystemPage::edSystemFollowDeactivation, "#55", "System settings - Follow deactivation",
     "System settings - Follow activation, follow deactivation\n"},
    {"X33", &SystemPage::edSystemSmsActivation, "*33", "System settings - Sms activation",
     &SystemPage::edSystemSmsDeactivation, "#33", "System settings - Sms deactivation",
     "System settings - Sms activation, Sms deactivation\n"},
}};

std::string dumpKey(const char* name) {
  return std::string(name) + "=";
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
    : Page(context, PageTraits{PageId::System, ParamSection::System, cap::kQuestionTitle}) {
  for (TextField* f : {&edSystemIpAddress, &edSystemSubnetMask, &edSystemIpRouter}) makeIpField(*f);
  cbSystemCDRmode.items.assign(kCdrModeItems.begin(), kCdrModeItems.end());
  makeDigitField(edSystemUnitId, kUnitIdLength);
  edSystemUnitId.text = kUnitIdDefault;
  makeDigitField(edSystemPin, kPinLength);
  for (TextField* f : {&edSystemDial3, &edSystemStartDialing, &edSystemEndDialing})
    f->maxLength = kDialingLength;
  edSystemDial3.text = kDialingDefault;
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

bool SystemPage::systemLoad() {
  std::string dump;
  if (!readDump(kReadCommand, dump)) {
    appendError(kAllParametres);
    return false;
  }
  for (const AddressRegister& r : kAddressRegisters) (this->*r.field).set(dumpValue(dumpKey(r.name), dump));

  const std::vector<std::string> s91 = dumpFields("S91=", dump);
  const std::optional<int> mode = fieldNumber(s91, 0);
  const std::optional<int> index = mode ? cdrIndexFromValue(*mode) : std::nullopt;
  cbSystemCDRmode.select(index.value_or(0));
  if (!index) appendError(kCdrModeLine);
  edSystemUnitId.set(fieldOrDefault(s91, 1, kUnitIdDescription, kUnitIdDefault));

  edSystemPin.set(dumpValue("S98=", dump));
  loadCodes(dump);
  showPort(toInt(dumpValue("X24=", dump)).value_or(0));
  systemSaveFile();
  return true;
}

void SystemPage::loadCodes(std::string_view dump) {
  const std::vector<std::string> x30 = dumpFields("X30=", dump);
  for (std::size_t i = 0; i < kDialingFields.size(); ++i) {
    const DialingField& f = kDialingFields[i];
    (this->*f.field).set(fieldOrDefault(x30, i, f.description, kDialingDefault));
  }
  for (const CodePair& c : kCodePairs) {
    const std::vector<std::string> fields = dumpFields(dumpKey(c.name), dump);
    (this->*c.first).set(fieldOrDefault(fields, 0, c.firstDescription, c.firstDefault));
    (this->*c.second).set(fieldOrDefault(fields, 1, c.secondDescription, c.secondDefault));
  }
}

void SystemPage::systemSave() {
  if (!ctx_.lanLink()) saveAddresses();
  if (kestrin()) {
    writeRegister(cformat(kCommandBufferSize, "AT%%S91=%d,%d\r\n", kKestrinCdrMode, kKestrinUnitId),
                  kModeErrors);
  } else {
    writeRegister(cformat(kCommandBufferSize, "AT%%S91=%d,%s\r\n", cdrValueFromIndex(cbSystemCDRmode.index),
                          edSystemUnitId.text.c_str()),
                  kModeErrors);
  }
  writeRegister(cformat(kCommandBufferSize, "AT%%S98=%s\r\n", edSystemPin.text.c_str()), kPinLine);
  saveCodes();
  sendCollectError(cformat(kCommandBufferSize, "AT%%X24=%d\r\n", seSystemPort.value), kPortLine);
  systemSaveFile();
}

void SystemPage::saveAddresses() {
  for (const AddressRegister& r : kAddressRegisters) {
    const std::string& address = (this->*r.field).text;
    if (address.empty()) continue;
    writeRegister(cformat(kCommandBufferSize, "AT%%%s=%s\r\n", r.name, address.c_str()), r.errorText);
  }
}

void SystemPage::saveCodes() {
  const bool fixed = kestrin();
  const auto text = [&](TextField SystemPage::*field, const char* fixedValue) {
    return fixed ? fixedValue : (this->*field).text.c_str();
  };
  writeRegister(
      cformat(kCommandBufferSize, "AT%%X30=%s,%s,%s\r\n", text(&SystemPage::edSystemStartDialing, "#"),
              text(&SystemPage::edSystemEndDialing, "#"), text(&SystemPage::edSystemDial3, "#")),
      kDialingErrors);
  for (const CodePair& c : kCodePairs) {
    writeRegister(cformat(kCommandBufferSize, "AT%%%s=%s,%s\r\n", c.name, text(c.first, c.firstDefault),
                          text(c.second, c.secondDefault)),
                  c.errorText);
  }
}

bool SystemPage::systemValid() {
  if (kestrin()) return true;
  return requireText({&edSystemUnitId, &edSystemStartDialing, &edSystemEndDialing, &edSystemHold,
                      &edSystemHang, &edSystemFollowActivation, &edSystemFollowDeactivation,
                      &edSystemSmsDeactivation, &edSystemSmsActivation});
}

void SystemPage::systemSaveFile() {
  SystemPart& s = ctx_.image.system;
  s.ipAddress = edSystemIpAddress.text;
  s.subnetMask = edSystemSubnetMask.text;
  s.ipRouter = edSystemIpRouter.text;
  s.cdrMode = cdrValueFromIndex(cbSystemCDRmode.index);
  s.unitId = toInt(edSystemUnitId.text).value_or(0);
  s.pin = edSystemPin.text;
  s.startDialling = edSystemStartDialing.text;
  s.endDialling = edSystemEndDialing.text;
  s.endOfDialling = edSystemDial3.text;
  s.hold = edSystemHold.text;
  s.hang = edSystemHang.text;
  s.followOn = edSystemFollowActivation.text;
  s.followOff = edSystemFollowDeactivation.text;
  s.smsOn = edSystemSmsActivation.text;
  s.smsOff = edSystemSmsDeactivation.text;
  s.firmwarePort = seSystemPort.value;
}

void SystemPage::systemLoadFile() {
  const SystemPart& s = ctx_.image.system;
  edSystemIpAddress.set(s.ipAddress);
  edSystemSubnetMask.set(s.subnetMask);
  edSystemIpRouter.set(s.ipRouter);
  cbSystemCDRmode.select(cdrIndexFromValue(s.cdrMode).value_or(0));
  edSystemUnitId.set(std::to_string(s.unitId));
  edSystemPin.set(s.pin);
  edSystemStartDialing.set(s.startDialling);
  edSystemEndDialing.set(s.endDialling);
  edSystemDial3.set(s.endOfDialling);
  edSystemHold.set(s.hold);
  edSystemHang.set(s.hang);
  edSystemFollowActivation.set(s.followOn);
  edSystemFollowDeactivation.set(s.followOff);
  edSystemSmsActivation.set(s.smsOn);
  edSystemSmsDeactivation.set(s.smsOff);
  showPort(s.firmwarePort);
}

void SystemPage::sbSystemLoadClick() {
  loadFromGateClick(*this);
}
void SystemPage::sbSystemSaveClick() {
  saveToGateClick(*this);
}
void SystemPage::sbSystemDefaultClick() {
  defaultsClick(*this);
}
void SystemPage::sbSystemSaveFileClick() {
  saveToFileClick(*this);
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
  for (const AddressRegister& r : kAddressRegisters) (this->*r.field).enabled = writable;
}

void SystemPage::edited(std::string_view name) {
  if (name == "cbSystemUpgrade") cbSystemUpgradeClick();
}

}  // namespace gw

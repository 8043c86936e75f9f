#include "pages/outgoing_page.h"

#include "base/caption_ids.h"
#include "base/cformat.h"
#include "pages/dump.h"
#include "pages/group_key_filters.h"

namespace gw {

namespace {

constexpr std::string_view kSystemDump = "AT&V\r\n";
constexpr std::string_view kGroupsDump = "AT&V1\r\n";
constexpr std::string_view kGsmDump = "AT&V0\r\n";
constexpr std::string_view kEthernetDump = "AT&VE\r\n";

constexpr std::string_view kSmsNoAnswerLoad = "Outgoing groups - Sms at no answer\n";
constexpr std::string_view kGroupsLoad = "Outgoing groups - Outgoing groups\n";
constexpr std::string_view kModification = "Outgoing groups - CLIP to GSM modification\n";
constexpr std::string_view kInvite = "Outgoing groups - Use CLIP to GSM from INVITE field\n";
constexpr std::string_view kSmsNoAnswerSave = "Outgoing groups - Text of SMS at no answer\n";
constexpr std::string_view kSmsAllCallsSave = "Outgoing groups - Text of SMS at all calls\n";
constexpr std::string_view kGroupSettingsSave =
    "Outgoing groups - Roaming enabled for network, CLIR, max number of called numbers, SMS messages number, "
    "day of deleting stats, minimal length of call after connect, precision of counting length of call, "
    "pseudo tarif\n";
constexpr std::string_view kGroupDelaysSave =
    "Outgoing groups - Delay for ALERTING, delay for CONNECT, disconnect call, day of deleting stats in "
    "group, default delay for sms at no answer\n";

// The page's commands are formatted into 256 bytes; the SMS texts into a buffer that holds the longest
// text the gateway keeps, so a full text is written whole rather than cut.
constexpr std::size_t kCommandSize = 256;
constexpr std::size_t kSmsCommandSize = 512;
static_assert(kSmsCommandSize > sizeof("AT%S85=\r\n") + kSmsTextMaxLength);

constexpr int kRoamingLength = 5;
constexpr int kCountDigits = 5;  // the gateway counts called numbers and SMS up to 65535
constexpr int kModificationLength = 15;
constexpr int kSeparatorLength = 1;
constexpr std::size_t kSeparatorField = 6;  // of G g9

constexpr int kVirtualToneBit = 16;     // of groupFlags
constexpr int kClipFromInviteBit = 32;  // of E08's first field
constexpr int kInviteFrom = 1;

// The first captions of the page's lists.
constexpr int kFirstTabCaption = 1500;
constexpr int kClirCaption = 1506;
constexpr int kDisconnectCaption = 1519;
constexpr int kInviteCaption = 1530;

int withBit(int value, int bit, bool on) {
  return on ? value | bit : value & ~bit;
}

const std::vector<GroupNumber<OutgoingGroup>>& settingNumbers() {
  static const std::vector<GroupNumber<OutgoingGroup>> rows = {
      {1, &OutgoingGroup::clirMode, 0, "Outgoing groups - Clir"},
      {2, &OutgoingGroup::maxCalledNumbers, 0, "Outgoing groups - Max number"},
      {3, &OutgoingGroup::smsMessagesNumber, 0, "Outgoing groups - Sms number"},
      {4, &OutgoingGroup::statsDeleteDay, 0, "Outgoing groups - Day stats"},
      {5, &OutgoingGroup::minimalCallLength, 1, "Outgoing groups - Minimal length"},
      {6, &OutgoingGroup::lengthPrecision, 1, "Outgoing groups - Precision"},
      {7, &OutgoingGroup::pseudoTariff, 0, "Outgoing groups - Pseudo tarif"},
  };
  return rows;
}

const std::vector<GroupNumber<OutgoingGroup>>& delayNumbers() {
  static const std::vector<GroupNumber<OutgoingGroup>> rows = {
      {0, &OutgoingGroup::delayAlerting, 1, "Outgoing groups - Delay alerting"},
      {1, &OutgoingGroup::delayConnect, 0, "Outgoing groups - Delay connect"},
      {2, &OutgoingGroup::disconnectMode, 0, "Outgoing groups - Reading disconnect"},
      {3, &OutgoingGroup::groupStatsDeleteDay, 1, "Outgoing groups - Reading day group"},
      {4, &OutgoingGroup::groupFlags, 1, "Outgoing groups - Generate virtual tone"},
      {5, &OutgoingGroup::smsNoAnswerDelay, 0, "Outgoing groups - Delay sms"},
  };
  return rows;
}

// What the Kestrin edition writes for the settings it does not show.
void forceKestrinSettings(OutgoingGroup& g) {
  g.maxCalledNumbers = 0;
  g.smsMessagesNumber = 0;
  g.statsDeleteDay = 1;
  g.minimalCallLength = 1;
  g.lengthPrecision = 1;
  g.pseudoTariff = 0;
}

void forceKestrinDelays(OutgoingGroup& g) {
  g.disconnectMode = 0;
  g.groupStatsDeleteDay = 1;
  g.smsNoAnswerDelay = 0;
  g.clipToGsmSeparator = '\0';
}

std::string groupKey(std::size_t index, char last) {
  return "G" + std::to_string(index + 1) + last + "=";
}

}  // namespace

OutgoingPage::OutgoingPage(const PageContext& context)
    : GroupPage(context, PageTraits{PageId::Outgoing, ParamSection::Outgoing, cap::kErrorTitle, "Out"},
                tcOutgoing, "tcOutgoing", kFirstTabCaption) {
  edOutRoaming.maxLength = kRoamingLength;
  edOutRoaming.filter = acceptRoamingKey;
  cbOutClir.items = {"Factory", "Disable (CLIP-on)", "Enable (CLIP-off)"};
  cbOutClir.firstItemCaption = kClirCaption;
  makeDigitField(edOutMaxNumber, kCountDigits);
  makeDigitField(edOutSmsNumber, kCountDigits);
  edOutMaxNumber.text = "0";
  edOutSmsNumber.text = "0";
  struct Limits {
    NumberField* field;
    int min;
    int max;
  };
  for (const Limits& l :
       {Limits{&seOutDayStats, 0, 99}, Limits{&seOutMinimalLength, 1, 250}, Limits{&seOutPrecision, 1, 250},
        Limits{&seOutPseudo, 0, 8}, Limits{&seOutDelayConnect, 0, 20}, Limits{&seOutDelayAlerting, 0, 20},
        Limits{&seOutDayGroup, 0, 32}, Limits{&seOutDelaySms, 0, 31}}) {
    l.field->min = l.min;
    l.field->max = l.max;
    l.field->set(l.min);
  }
  seOutPseudo.visible = false;
  cbOutDisconnect.items = {"Never", "SIM limit exceeding", "Switch to another SIM"};
  cbOutDisconnect.firstItemCaption = kDisconnectCaption;
  cbOutDisconnect.visible = false;
  edOutTextSms.maxLength = kSmsTextMaxLength;
  edOutTextSmsAll.maxLength = kSmsTextMaxLength;
  edOutClip.maxLength = kSeparatorLength;
  edOutClip.filter = acceptSeparatorKey;
  edOutGsmMod.maxLength = kModificationLength;
  edOutGsmMod.filter = acceptModificationKey;
  cbOutGsmInvite.items = {"Contact", "From"};
  cbOutGsmInvite.firstItemCaption = kInviteCaption;
  applyEdition();
}

std::vector<NamedField> OutgoingPage::fields() {
  return {
      {"tcOutgoing", &tcOutgoing},
      {"gbOut1", &gbOut1},
      {"edOutRoaming", &edOutRoaming},
      {"cbOutClir", &cbOutClir},
      {"seOutDelayConnect", &seOutDelayConnect},
      {"seOutDelayAlerting", &seOutDelayAlerting},
      {"seOutDelaySms", &seOutDelaySms},
      {"cbOutgoingVirtualTone", &cbOutgoingVirtualTone},
      {"gbOut2", &gbOut2},
      {"edOutMaxNumber", &edOutMaxNumber},
      {"edOutSmsNumber", &edOutSmsNumber},
      {"seOutDayStats", &seOutDayStats},
      {"seOutDayGroup", &seOutDayGroup},
      {"seOutMinimalLength", &seOutMinimalLength},
      {"seOutPrecision", &seOutPrecision},
      {"seOutPseudo", &seOutPseudo},
      {"cbOutDisconnect", &cbOutDisconnect},
      {"gbOut3", &gbOut3},
      {"edOutClip", &edOutClip},
      {"edOutGsmMod", &edOutGsmMod},
      {"cbOutGsmInvite", &cbOutGsmInvite},
      {"lbOutHint2", &lbOutHint2},
      {"gbOut4", &gbOut4},
      {"edOutTextSms", &edOutTextSms},
      {"edOutTextSmsAll", &edOutTextSmsAll},
  };
}

// Which record field each control shows; the virtual ring tone box is one bit of groupFlags, done by hand.
const GroupTable<OutgoingGroup>& OutgoingPage::groupRows() const {
  using S = GroupScope;
  static const GroupTable<OutgoingGroup> rows = {
      {"edOutRoaming", &OutgoingGroup::roamingNetwork},
      {"cbOutClir", &OutgoingGroup::clirMode},
      {"edOutMaxNumber", &OutgoingGroup::maxCalledNumbers},
      {"edOutSmsNumber", &OutgoingGroup::smsMessagesNumber},
      {"seOutDayStats", &OutgoingGroup::statsDeleteDay},
      {"seOutMinimalLength", &OutgoingGroup::minimalCallLength},
      {"seOutPrecision", &OutgoingGroup::lengthPrecision},
      {"seOutPseudo", &OutgoingGroup::pseudoTariff},
      {"seOutDelayConnect", &OutgoingGroup::delayConnect},
      {"seOutDelayAlerting", &OutgoingGroup::delayAlerting},
      {"cbOutDisconnect", &OutgoingGroup::disconnectMode},
      {"seOutDayGroup", &OutgoingGroup::groupStatsDeleteDay},
      {"seOutDelaySms", &OutgoingGroup::smsNoAnswerDelay},
      {"edOutTextSms", &OutgoingGroup::smsNoAnswerText, S::All},
      {"edOutTextSmsAll", &OutgoingGroup::smsAllCallsText, S::All},
      {"edOutClip", &OutgoingGroup::clipToGsmSeparator},
      {"edOutGsmMod", &OutgoingGroup::clipToGsmModification, S::First},
      {"cbOutGsmInvite", &OutgoingGroup::clipFromInvite, S::First},
  };
  return rows;
}

bool OutgoingPage::outgoingLoad() {
  std::string dump;
  if (readDump(kSystemDump, dump, kWholeDumpCapacity)) {
    const std::string noAnswer = dumpValue("S85=", dump, kSmsTextMaxLength);
    const std::string allCalls = dumpValue("S86=", dump, kSmsTextMaxLength);
    for (OutgoingGroup& g : groups) {
      g.smsNoAnswerText = noAnswer;
      g.smsAllCallsText = allCalls;
    }
  } else {
    appendError(kSmsNoAnswerLoad);
  }

  if (readDump(kGroupsDump, dump, kWholeDumpCapacity)) {
    for (std::size_t i = 0; i < groupsInUse(); ++i) readGroup(i, dump);
  } else {
    appendError(kGroupsLoad);
  }

  // The gateway-wide settings go into every group the edition has.
  if (readDump(kGsmDump, dump, kWholeDumpCapacity)) {
    const std::string modification = dumpValue("G109=", dump);
    for (std::size_t i = 0; i < groupsInUse(); ++i) groups[i].clipToGsmModification = modification;
  } else {
    appendError(kModification);
  }

  if (readDump(kEthernetDump, dump, kWholeDumpCapacity)) {
    const int flags = fieldNumber(dumpFields("E08=", dump), 0).value_or(0);
    const int invite = (flags & kClipFromInviteBit) != 0 ? kInviteFrom : 0;
    for (std::size_t i = 0; i < groupsInUse(); ++i) groups[i].clipFromInvite = invite;
  } else {
    appendError(kInvite);
  }

  showGroup();
  outgoingSaveFile();
  return true;
}

void OutgoingPage::readGroup(std::size_t index, const std::string& dump) {
  OutgoingGroup& g = groups[index];
  const std::vector<std::string> settings = dumpFields(groupKey(index, '1'), dump);
  g.roamingNetwork = fieldOrDefault(settings, 0, "Outgoing groups - Roaming enabled for network", "");
  readNumbers(settingNumbers(), settings, g);
  const std::vector<std::string> delays = dumpFields(groupKey(index, '9'), dump);
  readNumbers(delayNumbers(), delays, g);
  const bool separator = delays.size() > kSeparatorField && !delays[kSeparatorField].empty();
  g.clipToGsmSeparator = separator ? delays[kSeparatorField].front() : '\0';
}

bool OutgoingPage::outgoingSave() {
  const bool k = kestrin();
  const OutgoingGroup& g1 = first();
  writeGroupRegister(cformat(kSmsCommandSize, "AT%%S85=%s\r\n", k ? "" : g1.smsNoAnswerText.c_str()),
                     kSmsNoAnswerSave, Repeat::EveryFailure);
  sendCollectWhole(cformat(kSmsCommandSize, "AT%%S86=%s\r\n", k ? "" : g1.smsAllCallsText.c_str()),
                   kSmsAllCallsSave);
  sendCollectWhole(cformat(kCommandSize, "AT%%G109=%s\r\n", k ? "" : g1.clipToGsmModification.c_str()),
                   kModification);
  writeE08();
  for (std::size_t i = 0; i < groupsInUse(); ++i) writeGroup(i);
  showGroup();  // the Kestrin edition's fixed values stay in the records
  return true;
}

// E08 is shared with the Ethernet page: read back, only the page's own bit changed, every other bit and
// field written as the gateway gave them.
void OutgoingPage::writeE08() {
  const std::string reply = writeRegister(kEthernetDump, kInvite);
  const std::vector<std::string> values = dumpFields("E08=", reply);
  const std::optional<int> flags = fieldNumber(values, 0);
  // Without the gateway's own E08 the other bits are unknown: writing would clear them.
  if (!contains(reply, "OK") || !flags) {
    appendError(kInvite, Repeat::Once);
    return;
  }
  // The Kestrin edition always takes the CLIP to GSM from the Contact field.
  const bool fromInvite = !kestrin() && first().clipFromInvite == kInviteFrom;
  std::string value = std::to_string(withBit(*flags, kClipFromInviteBit, fromInvite));
  for (std::size_t i = 1; i < values.size(); ++i) value += "," + values[i];
  sendCollectWhole(cformat(kCommandSize, "AT%%E08=%s\r\n", value.c_str()), kInvite);
}

void OutgoingPage::writeGroup(std::size_t index) {
  OutgoingGroup& g = groups[index];
  const int group = static_cast<int>(index + 1);
  if (kestrin()) forceKestrinSettings(g);
  writeGroupRegister(cformat(kCommandSize, "AT%%G%d1=%s,%d,%d,%d,%d,%d,%d,%d\r\n", group,
                             g.roamingNetwork.c_str(), g.clirMode, g.maxCalledNumbers, g.smsMessagesNumber,
                             g.statsDeleteDay, g.minimalCallLength, g.lengthPrecision, g.pseudoTariff),
                     kGroupSettingsSave, Repeat::Once);
  if (kestrin()) forceKestrinDelays(g);
  const std::string delays =
      g.clipToGsmSeparator != '\0'
          ? cformat(kCommandSize, "AT%%G%d9=%d,%d,%d,%d,%d,%d,%c\r\n", group, g.delayAlerting, g.delayConnect,
                    g.disconnectMode, g.groupStatsDeleteDay, g.groupFlags, g.smsNoAnswerDelay,
                    g.clipToGsmSeparator)
          : cformat(kCommandSize, "AT%%G%d9=%d,%d,%d,%d,%d,%d,\r\n", group, g.delayAlerting, g.delayConnect,
                    g.disconnectMode, g.groupStatsDeleteDay, g.groupFlags, g.smsNoAnswerDelay);
  writeGroupRegister(delays, kGroupDelaysSave, Repeat::Once);
}

bool OutgoingPage::outgoingValid() {
  return requireText({&edOutMaxNumber, &edOutSmsNumber});
}

void OutgoingPage::outgoingSaveFile() {
  ctx_.image.outgoing = groups;
}

void OutgoingPage::outgoingLoadFile() {
  groups = ctx_.image.outgoing;
  showGroup();
}

void OutgoingPage::showGroup() {
  GroupPage::showGroup();
  cbOutgoingVirtualTone.checked = (shown().groupFlags & kVirtualToneBit) != 0;
}

void OutgoingPage::edited(std::string_view name) {
  if (name == "cbOutgoingVirtualTone") {
    shown().groupFlags = withBit(shown().groupFlags, kVirtualToneBit, cbOutgoingVirtualTone.checked);
    return;
  }
  GroupPage::edited(name);
}

void OutgoingPage::applyEdition() {
  const bool shownHere = !kestrin();
  for (FieldView* v : std::initializer_list<FieldView*>{
           &gbOut2, &edOutMaxNumber, &edOutSmsNumber, &seOutDayStats, &seOutDayGroup, &seOutMinimalLength,
           &seOutPrecision, &seOutDelaySms, &gbOut3, &edOutClip, &edOutGsmMod, &cbOutGsmInvite, &lbOutHint2,
           &gbOut4, &edOutTextSms, &edOutTextSmsAll}) {
    v->visible = shownHere;
  }
  GroupPage::applyEdition();
}

}  // namespace gw

#include "pages/incoming_page.h"

#include <algorithm>
#include <cctype>

#include "base/caption_ids.h"
#include "base/cformat.h"
#include "pages/dump.h"
#include "pages/group_key_filters.h"

namespace gw {

namespace {

constexpr std::string_view kReadCommand = "AT&V9\r\n";
constexpr std::string_view kAllParameters = "Incoming groups - All Parameters\n";
constexpr std::string_view kModeSave =
    "Incoming groups - Mode, min digits in DTMF, max digits in DTMF, tour for entering DTMF digits, day of "
    "deleting incoming stats, clip, prefix before DISA\n";
constexpr std::string_view kSeparatorSave = "Incoming groups - Clip to VoIP separator\n";
constexpr std::string_view kCalledNumbersSave = "Incoming groups - List of called numbers\n";
constexpr std::string_view kRecordRulesSave =
    "Incoming groups - Add record only for unconnected call, delete record for connected answer\n";
constexpr std::string_view kModificationSave = "Incoming groups - CLIP to VoIP modification\n";

// The called numbers go in a command of their own size; the others fit the usual one.
constexpr std::size_t kCalledNumbersCommandSize = 256;

constexpr int kDtmfLimit = 20;
constexpr int kDefaultDtmfDigits = 3;
constexpr int kDefaultDtmfTimeout = 10;
constexpr int kLastStatsDay = 32;
constexpr int kLongestKeepHours = 240;
constexpr int kShortestKeepHours = 1;
constexpr int kPrefixLength = 15;
constexpr int kClipLength = 7;
constexpr int kModificationLength = 15;
constexpr int kSeparatorLength = 1;
constexpr std::size_t kSeparatorField = 1;  // of G19g

constexpr int kAddOnlyUnconnectedBit = 1;  // of G99's second field
constexpr int kDeleteOnConnectedBit = 2;

// The Kestrin edition offers two modes: reject, and accept with a dial tone.
constexpr int kRejectMode = 0;
constexpr int kDialToneMode = 3;

constexpr int kFirstTabCaption = 1600;
constexpr int kFirstModeCaption = 348;
constexpr int kFirstHelpCaption = 457;
constexpr int kCalledNumberPrompt = 346;
constexpr int kCalledNumberTitle = 347;
constexpr int kEntryRefused = 76;
constexpr int kClipNotKept = 517;

// The help texts of the modes, in mode order.
constexpr std::array<std::string_view, kIncomingModeItems.size()> kModeHelpItems = {
    "Incoming calls are rejected.",
    "Incoming calls are not answered; the caller hears the ringing tone.",
    "Incoming calls are answered with the voice message and the caller dials the number by DTMF.",
    "Incoming calls are answered with a dial tone and the caller dials the number by DTMF.",
    "After the ring the call is refused and the gateway calls the caller back.",
    "After the ring the call is ignored and the gateway calls the caller back.",
    "The call is reported to the PC and answered with the voice message.",
    "The call is reported to the PC and answered with a dial tone."};

const std::vector<GroupNumber<IncomingGroup>>& modeNumbers() {
  static const std::vector<GroupNumber<IncomingGroup>> rows = {
      {0, &IncomingGroup::incomingMode, 0, "Incoming groups - Mode incoming calls"},
      {1, &IncomingGroup::minDtmfDigits, kDefaultDtmfDigits, "Incoming groups - Min numbers in DTMF"},
      {2, &IncomingGroup::maxDtmfDigits, kDefaultDtmfDigits, "Incoming groups - Max numbers in DTMF"},
      {3, &IncomingGroup::dtmfTimeout, kDefaultDtmfTimeout, "Incoming groups - Tour for entering"},
      {4, &IncomingGroup::statsDeleteDay, 1, "Incoming groups - Day of deleting"},
  };
  return rows;
}

std::string groupKey(const char* stem, std::size_t number) {
  return stem + std::to_string(number) + "=";
}

}  // namespace

bool acceptableCalledNumber(std::string_view answer) {
  if (answer == "0") return true;
  std::size_t i = 0;
  while (i < answer.size() && std::isblank(static_cast<unsigned char>(answer[i]))) ++i;
  if (i < answer.size() && (answer[i] == '+' || answer[i] == '-')) ++i;
  for (; i < answer.size() && std::isdigit(static_cast<unsigned char>(answer[i])); ++i) {
    if (answer[i] != '0') return true;
  }
  return false;
}

IncomingPage::IncomingPage(const PageContext& context)
    : GroupPage(context,
                PageTraits{PageId::Incoming, ParamSection::Incoming, cap::kErrorTitle, "In",
                           /*saveFileClearsModified=*/false},
                tcIncoming, "tcIncoming", kFirstTabCaption) {
  lbInHelp.items.assign(kModeHelpItems.begin(), kModeHelpItems.end());
  lbInHelp.firstItemCaption = kFirstHelpCaption;
  struct Limits {
    NumberField* field;
    int min;
    int max;
    int initial;
  };
  for (const Limits& l :
       {Limits{&seInMin, 0, kDtmfLimit, kDefaultDtmfDigits},
        Limits{&seInMax, 0, kDtmfLimit, kDefaultDtmfDigits},
        Limits{&seInTour, 0, kDtmfLimit, kDefaultDtmfTimeout}, Limits{&seInDay, 0, kLastStatsDay, 1},
        Limits{&seInTime, kShortestKeepHours, kLongestKeepHours, kShortestKeepHours}}) {
    l.field->min = l.min;
    l.field->max = l.max;
    l.field->set(l.initial);
  }
  edInPrefix.maxLength = kPrefixLength;
  edInClip.maxLength = kClipLength;
  edInSeparator.maxLength = kSeparatorLength;
  edInSeparator.filter = acceptSeparatorKey;
  edInMod.maxLength = kModificationLength;
  edInMod.filter = acceptModificationKey;
  applyEdition();
}

std::vector<NamedField> IncomingPage::fields() {
  return {
      {"tcIncoming", &tcIncoming},
      {"gbIn1", &gbIn1},
      {"cbInMode", &cbInMode},
      {"lbInHelp", &lbInHelp},
      {"seInMin", &seInMin},
      {"seInMax", &seInMax},
      {"seInTour", &seInTour},
      {"seInDay", &seInDay},
      {"edInPrefix", &edInPrefix},
      {"edInClip", &edInClip},
      {"gbIn2", &gbIn2},
      {"lbInCalled", &lbInCalled},
      {"gbIn3", &gbIn3},
      {"seInTime", &seInTime},
      {"cbInTimeOff", &cbInTimeOff},
      {"cbInAdd", &cbInAdd},
      {"cbInDelete", &cbInDelete},
      {"gbIn4", &gbIn4},
      {"edInSeparator", &edInSeparator},
      {"edInMod", &edInMod},
      {"lbInHint2", &lbInHint2},
  };
}

std::vector<ControlSet::Button> IncomingPage::buttons() {
  std::vector<Button> all = Page::buttons();
  all.push_back({"sbInAdd", [this] { sbInAddClick(); }});
  all.push_back({"sbInRemove", [this] { sbInRemoveClick(); }});
  all.push_back({"sbInRemoveAll", [this] { sbInRemoveAllClick(); }});
  return all;
}

// Which record field each control shows. The mode, the keep time with its "Off" box and the called numbers
// are done by hand.
const GroupTable<IncomingGroup>& IncomingPage::groupRows() const {
  using S = GroupScope;
  static const GroupTable<IncomingGroup> rows = {
      {"seInMin", &IncomingGroup::minDtmfDigits},
      {"seInMax", &IncomingGroup::maxDtmfDigits},
      {"seInTour", &IncomingGroup::dtmfTimeout},
      {"seInDay", &IncomingGroup::statsDeleteDay},
      {"edInPrefix", &IncomingGroup::disaPrefix},
      {"edInClip", &IncomingGroup::clip},
      {"cbInAdd", &IncomingGroup::addOnlyUnconnected, S::All},
      {"cbInDelete", &IncomingGroup::deleteOnConnected, S::All},
      {"edInSeparator", &IncomingGroup::clipToVoipSeparator},
      {"edInMod", &IncomingGroup::clipToVoipModification, S::First},
  };
  return rows;
}

bool IncomingPage::incomingLoad() {
  std::string dump;
  if (!readDump(kReadCommand, dump, kWholeDumpCapacity)) {
    appendError(kAllParameters);
    return false;
  }
  for (std::size_t i = 0; i < groupsInUse(); ++i) readGroup(i, dump);
  first().clipToVoipModification = dumpValue("G199=", dump);
  showGroup();
  incomingSaveFile();
  return true;
}

void IncomingPage::readGroup(std::size_t index, const std::string& dump) {
  IncomingGroup& g = groups[index];
  const std::size_t group = index + 1;
  const std::vector<std::string> mode = dumpFields(groupKey("G9", group), dump);
  readNumbers(modeNumbers(), mode, g);
  g.disaPrefix = fieldOrDefault(mode, 5, "Incoming groups - Prefix before DISA", "");
  g.clip = fieldOrDefault(mode, 6, "Incoming groups - Clip", "");

  g.calledNumbers.clear();
  for (std::string& number :
       dumpFields(groupKey("G9", group + kGroupCount), dump, kFieldSeparator, kCalledNumbersMaxLength)) {
    if (!number.empty()) g.calledNumbers.push_back(std::move(number));
  }

  const std::vector<std::string> table = dumpFields("G99=", dump);
  g.clipKeepHours = numberOrDefault(table, 0, "Incoming groups - Time to keep clip", 0, Repeat::Once);
  const int rules = fieldNumber(table, 1).value_or(0);
  g.addOnlyUnconnected = (rules & kAddOnlyUnconnectedBit) != 0;
  g.deleteOnConnected = (rules & kDeleteOnConnectedBit) != 0;

  const std::vector<std::string> separator = dumpFields(groupKey("G19", group), dump);
  const bool present = separator.size() > kSeparatorField && !separator[kSeparatorField].empty();
  g.clipToVoipSeparator = present ? separator[kSeparatorField].front() : '\0';
}

bool IncomingPage::incomingSave() {
  const bool k = kestrin();
  for (std::size_t i = 0; i < groupsInUse(); ++i) writeGroup(i);
  int rules =
      (cbInAdd.checked ? kAddOnlyUnconnectedBit : 0) | (cbInDelete.checked ? kDeleteOnConnectedBit : 0);
  if (k) {
    first().clipKeepHours = 0;
    rules = 0;
  }
  writeGroupRegister(cformat(kCommandBufferSize, "AT%%G99=%d,%d\r\n", first().clipKeepHours, rules),
                     kRecordRulesSave, Repeat::EveryFailure);
  sendCollectWhole(
      cformat(kCommandBufferSize, "AT%%G199=%s\r\n", k ? "" : first().clipToVoipModification.c_str()),
      kModificationSave);
  showGroup();  // the Kestrin edition's fixed values stay in the records
  return true;
}

void IncomingPage::writeGroup(std::size_t index) {
  IncomingGroup& g = groups[index];
  const int group = static_cast<int>(index + 1);
  if (kestrin()) {
    g.statsDeleteDay = 0;
    g.disaPrefix.clear();
  }
  writeGroupRegister(
      cformat(kCommandBufferSize, "AT%%G9%d=%d,%d,%d,%d,%d,%s,%s\r\n", group, g.incomingMode, g.minDtmfDigits,
              g.maxDtmfDigits, g.dtmfTimeout, g.statsDeleteDay, g.disaPrefix.c_str(), g.clip.c_str()),
      kModeSave, Repeat::Once);
  if (kestrin()) g.clipToVoipSeparator = '\0';
  writeGroupRegister(g.clipToVoipSeparator != '\0'
                         ? cformat(kCommandBufferSize, "AT%%G19%d=0,%c\r\n", group, g.clipToVoipSeparator)
                         : cformat(kCommandBufferSize, "AT%%G19%d=0,\r\n", group),
                     kSeparatorSave, Repeat::Once);
  writeGroupRegister(cformat(kCalledNumbersCommandSize, "AT%%G9%d=%s\r\n",
                             group + static_cast<int>(kGroupCount), joinFields(g.calledNumbers).c_str()),
                     kCalledNumbersSave, Repeat::Once);
}

void IncomingPage::incomingSaveFile() {
  ctx_.image.incoming = groups;
}

void IncomingPage::incomingLoadFile() {
  groups = ctx_.image.incoming;
  showGroup();
}

void IncomingPage::showGroup() {
  GroupPage::showGroup();
  const IncomingGroup& g = shown();
  if (kestrin()) {
    cbInMode.index = g.incomingMode == kRejectMode ? 0 : 1;
  } else if (!cbInMode.select(g.incomingMode)) {
    cbInMode.select(0);
  }
  // The help follows the mode value (on the Kestrin edition too, whose second item is mode 3).
  lbInHelp.select(g.incomingMode);
  showTimeOff(g.clipKeepHours == 0, g.clipKeepHours);
  showCalledNumbers();
}

void IncomingPage::showTimeOff(bool off, int hours) {
  cbInTimeOff.checked = off;
  seInTime.enabled = !off;
  seInTime.min = off ? 0 : kShortestKeepHours;
  seInTime.set(off ? 0 : hours);
}

void IncomingPage::showCalledNumbers() {
  lbInCalled.clear();
  for (const std::string& number : shown().calledNumbers) {
    if (!number.empty()) lbInCalled.add(number);
  }
}

void IncomingPage::cbInModeChange() {
  if (kestrin()) {
    const int mode = cbInMode.index == 0 ? kRejectMode : kDialToneMode;
    for (IncomingGroup& g : groups) g.incomingMode = mode;
  } else {
    shown().incomingMode = cbInMode.index;
  }
  lbInHelp.select(shown().incomingMode);
  setModified();
}

void IncomingPage::cbInTimeOffClick() {
  if (cbInTimeOff.checked) {
    if (ctx_.link.comm.connected) {
      ctx_.host.messageBox(Message{ctx_.captions.at(kClipNotKept), ctx_.captions.at(cap::kQuestionTitle),
                                   MessageKind::Information, kClipNotKept, cap::kQuestionTitle});
    }
    for (IncomingGroup& g : groups) g.clipKeepHours = 0;
    showTimeOff(true, 0);
    return;
  }
  showTimeOff(false, std::max(seInTime.value, kShortestKeepHours));
  for (IncomingGroup& g : groups) g.clipKeepHours = seInTime.value;
}

void IncomingPage::edited(std::string_view name) {
  if (name == "cbInMode") {
    cbInModeChange();
  } else if (name == "cbInTimeOff") {
    cbInTimeOffClick();
  } else if (name == "seInTime") {
    for (IncomingGroup& g : groups) g.clipKeepHours = seInTime.value;
  } else {
    GroupPage::edited(name);
  }
}

void IncomingPage::sbInAddClick() {
  const std::optional<std::string> answer = ctx_.host.inputLine(
      ctx_.captions.at(kCalledNumberTitle), ctx_.captions.at(kCalledNumberPrompt), std::string());
  if (!answer || answer->empty()) return;
  std::vector<std::string>& numbers = shown().calledNumbers;
  // The list is written in one command: a number that would not fit it is refused like a bad one.
  const std::size_t joined = joinFields(numbers).size() + (numbers.empty() ? 0 : 1) + answer->size();
  if (!acceptableCalledNumber(*answer) || joined > kCalledNumbersMaxLength) {
    refuseCalledNumber();
    return;
  }
  numbers.push_back(*answer);
  showCalledNumbers();
  setModified();
}

void IncomingPage::refuseCalledNumber() {
  ctx_.host.messageBox(Message{ctx_.captions.at(kEntryRefused), ctx_.captions.at(cap::kErrorTitle),
                               MessageKind::Error, kEntryRefused, cap::kErrorTitle});
}

void IncomingPage::sbInRemoveClick() {
  if (!lbInCalled.removeSelectedEntry()) return;
  shown().calledNumbers = lbInCalled.items;
  setModified();
}

void IncomingPage::sbInRemoveAllClick() {
  lbInCalled.clear();
  shown().calledNumbers.clear();
  setModified();
}

void IncomingPage::applyEdition() {
  if (kestrin()) {
    cbInMode.items = {std::string(kIncomingModeItems[kRejectMode]),
                      std::string(kIncomingModeItems[kDialToneMode])};
    cbInMode.itemCaptions = {kFirstModeCaption + kRejectMode, kFirstModeCaption + kDialToneMode};
  } else {
    cbInMode.items.assign(kIncomingModeItems.begin(), kIncomingModeItems.end());
    cbInMode.itemCaptions.clear();
  }
  cbInMode.firstItemCaption = kFirstModeCaption;
  const bool shownHere = !kestrin();
  for (FieldView* v :
       std::initializer_list<FieldView*>{&seInDay, &edInPrefix, &gbIn3, &seInTime, &cbInTimeOff, &cbInAdd,
                                         &cbInDelete, &gbIn4, &edInSeparator, &edInMod, &lbInHint2}) {
    v->visible = shownHere;
  }
  GroupPage::applyEdition();
}

}  // namespace gw

#include "pages/basic_page.h"

#include <algorithm>

#include "base/caption_ids.h"
#include "base/cformat.h"
#include "base/text.h"
#include "link/link.h"
#include "pages/basic_registers.h"
#include "pages/cause_dialog.h"

namespace gw {

namespace {

using namespace basic;

constexpr std::string_view kAllParametres = "Basic settings - All parametres\n";

constexpr int kHighestDelay = 10;
constexpr int kHighestDigits = 20;
constexpr int kCauseDigits = 3;
constexpr int kZeroDbLevel = 32;

constexpr int kCauseListFull = 76;
constexpr int kCauseTaken = 523;

// Caption entries of the lists' items (docs/captions.md).
constexpr int kSimItemsCaption = 1306;
constexpr int kSmsItemsCaption = 1309;
constexpr int kToneItemsCaption = 1314;
constexpr int kEchoItemsCaption = 1331;
constexpr int kUseItemsCaption = 1337;
constexpr int kSearchItemsCaption = 1341;

void setRange(NumberField& field, int max, int value) {
  field.min = 0;
  field.max = max;
  field.value = value;
}

int withBit(int word, int bit, bool on) {
  return on ? (word | bit) : (word & ~bit);
}

}  // namespace

std::string audioLevelText(int position) {
  return std::to_string(position - kZeroDbLevel) + "dB";
}

std::optional<int> gsmCauseOf(std::string_view pair) {
  const std::size_t slash = pair.find('/');
  if (slash == std::string_view::npos) return std::nullopt;
  return toInt(pair.substr(0, slash));
}

BasicPage::BasicPage(const PageContext& context)
    : Page(context, PageTraits{PageId::Basic, ParamSection::GsmBasic, cap::kQuestionTitle, "Basic"}) {
  setRange(seBasicCall, kHighestDelay, 2);
  setRange(seBasicMin, kHighestDigits, 9);
  setRange(seBasicMax, kHighestDigits, 9);
  setRange(seBasicWait, kHighestDigits, 3);
  // Kept as read and written back unchanged, never shown.
  for (FieldView* hidden :
       std::initializer_list<FieldView*>{&seBasicMin, &seBasicMax, &seBasicWait, &edBasicLack})
    hidden->visible = false;
  cbBasicSim.items = {"IMSI", "SCID"};
  cbBasicSim.firstItemCaption = kSimItemsCaption;
  cbBasicRecSms.items = {"SIM card", "GSM module"};
  cbBasicRecSms.firstItemCaption = kSmsItemsCaption;
  for (ChoiceField* tones : {&cbBasicDial, &cbBasicRing, &cbBasicGenerate}) {
    tones->items = {"None", "European", "Czech", "Hungarian", "English"};
    tones->firstItemCaption = kToneItemsCaption;
  }
  const std::pair<TextField*, const char*> causes[] = {
      {&edBasicLack, "102"}, {&edBasicRestricted, "21"}, {&edBasicSelected, "41"}, {&edBasicNomodule, "42"}};
  for (const auto& [field, text] : causes) {
    makeDigitField(*field, kCauseDigits);
    field->text = text;
  }
  setRange(tbBasicTran, kSiemensPositions - 1, 2);
  setRange(tbBasicRec, kSiemensPositions - 1, 2);
  cbBasicVoice.items = {"Off", "Echo 1,1,0,3,10,7", "Echo 1,3,30,8000,256"};
  cbBasicVoice.firstItemCaption = kEchoItemsCaption;
  setRange(tbBasicTran2, kWavecomPositions - 1, 3);
  setRange(tbBasicRec2, kWavecomPositions - 1, 3);
  setRange(tbBasicTran4, kSiemensPositions - 1, 2);
  setRange(tbBasicRec4, kSiemensPositions - 1, 2);
  cbBasicUse.items = {"GSM and 3G", "only GSM", "only 3G"};
  cbBasicUse.firstItemCaption = kUseItemsCaption;
  cbBasicSearch.items = {"Automatically", "GSM, then 3G", "3G, then GSM"};
  cbBasicSearch.firstItemCaption = kSearchItemsCaption;
  setRange(tbBasicOutputLevel, kHighestAudioLevel, kZeroDbLevel);
  setRange(tbBasicInputLevel, kHighestAudioLevel, kZeroDbLevel);
  showLevels();
}

std::vector<NamedField> BasicPage::fields() {
  return {
      {"gbBasic1", &gbBasic1},
      {"seBasicCall", &seBasicCall},
      {"seBasicMin", &seBasicMin},
      {"seBasicMax", &seBasicMax},
      {"seBasicWait", &seBasicWait},
      {"cbBasicSim", &cbBasicSim},
      {"cbBasicRecSms", &cbBasicRecSms},
      {"cbBasicDial", &cbBasicDial},
      {"cbBasicRing", &cbBasicRing},
      {"cbBasicGenerate", &cbBasicGenerate},
      {"cbBasicTerminationGsm", &cbBasicTerminationGsm},
      {"gbBasic2", &gbBasic2},
      {"edBasicLack", &edBasicLack},
      {"edBasicRestricted", &edBasicRestricted},
      {"edBasicSelected", &edBasicSelected},
      {"edBasicNomodule", &edBasicNomodule},
      {"gbBasic4", &gbBasic4},
      {"lbBasicCauses", &lbBasicCauses},
      {"cbBasicSiemens", &cbBasicSiemens},
      {"tbBasicTran", &tbBasicTran},
      {"tbBasicRec", &tbBasicRec},
      {"cbBasicVoice", &cbBasicVoice},
      {"tbBasicTran2", &tbBasicTran2},
      {"tbBasicRec2", &tbBasicRec2},
      {"tbBasicTran4", &tbBasicTran4},
      {"tbBasicRec4", &tbBasicRec4},
      {"cbBasicUse", &cbBasicUse},
      {"cbBasicSearch", &cbBasicSearch},
      {"tbBasicOutputLevel", &tbBasicOutputLevel},
      {"tbBasicInputLevel", &tbBasicInputLevel},
      {"lbBasicOutputDb", &lbBasicOutputDb},
      {"lbBasicInputDb", &lbBasicInputDb},
  };
}

std::vector<ControlSet::Button> BasicPage::buttons() {
  std::vector<Button> all = Page::buttons();
  all.push_back({"sbBasicCauseAdd", [this] { sbBasicCauseAddClick(); }});
  all.push_back({"sbBasicCauseRemove", [this] { sbBasicCauseRemoveClick(); }});
  all.push_back({"sbBasicCauseRemoveAll", [this] { sbBasicCauseRemoveAllClick(); }});
  return all;
}

std::vector<std::string> BasicPage::tableProblems() {
  std::vector<std::string> problems;
  for (const RegisterTable* table : {&delayRows(), &toneRows(), &causeRows(), &moduleRows(), &audioRows()}) {
    for (std::string& p : registerTableProblems(*table, fields())) problems.push_back(std::move(p));
  }
  for (std::string& p : imageTableProblems(imageRows(), fields())) problems.push_back(std::move(p));
  return problems;
}

bool BasicPage::basicLoad() {
  std::string dump;
  if (readDump(kGsmRead, dump)) {
    loadRegisters(delayRows(), dump);
    loadFlags(dump);
    loadRegisters(toneRows(), dump);
    loadRegisters(causeRows(), dump);
    loadCausePairs(dump);
    loadRegisters(moduleRows(), dump);
  } else {
    appendError(kAllParametres);
  }
  const bool audioRead = readDump(kAudioRead, dump);
  if (audioRead) {
    loadRegisters(audioRows(), dump);
  } else {
    appendError(kAudioLevelLine);
  }
  showLevels();
  basicSaveFile();
  return audioRead;
}

// G09 field 1: the SIM identity and where SMS go; the image keeps the whole word. Field 5, when the gateway
// has it, holds the termination flags.
void BasicPage::loadFlags(std::string_view dump) {
  const std::vector<std::string> g09 = dumpFields("G09=", dump);
  const std::optional<int> word = fieldNumber(g09, 0);
  if (!word) {
    cbBasicSim.select(0);
    cbBasicTerminationGsm.checked = false;
    appendError("Basic settings - SIM card number\n");
    return;
  }
  GsmBasicPart& part = ctx_.image.basic;
  part.g09Flags = *word;
  cbBasicSim.select((*word & kScidBit) != 0 ? 1 : 0);
  cbBasicRecSms.select((*word & kSmsToModuleBit) != 0 ? 1 : 0);
  constexpr std::size_t kTerminationField = 4;
  part.terminationFlags = fieldNumber(g09, kTerminationField).value_or(0);
  cbBasicTerminationGsm.checked = (part.terminationFlags & kShupTerminationBit) != 0;
}

void BasicPage::loadCausePairs(std::string_view dump) {
  lbBasicCauses.clear();
  for (std::string& pair : dumpFields("G101=", dump)) {
    if (!pair.empty()) lbBasicCauses.add(std::move(pair));
  }
}

void BasicPage::basicSave() {
  saveRegisters(delayRows());
  saveFlags();
  saveRegisters(causeRows());
  saveCausePairs();
  saveRegisters(moduleRows());
  saveRegisters(audioRows());
}

// Five fields; a link that does not take them whole gets the first four, as older gateways know them.
void BasicPage::saveFlags() {
  const int tones[] = {cbBasicDial.index, cbBasicRing.index, cbBasicGenerate.index};
  const std::string full = cformat(kCommandBuffer, "AT%%G09=%d,%d,%d,%d,%d\r\n", flags(), tones[0], tones[1],
                                   tones[2], terminationFlags());
  if (link().commSend(full) != static_cast<int>(full.size())) {
    const std::string shorter =
        cformat(kCommandBuffer, "AT%%G09=%d,%d,%d,%d\r\n", flags(), tones[0], tones[1], tones[2]);
    if (link().commSend(shorter) != static_cast<int>(shorter.size()))
      appendError(
          "Basic settings - SIM card number, dial tone, ring tone, termination of call to GSM by command "
          "AT+SHUP \n");
  }
  link().clock().sleep(kRegisterReplyPauseMs);
  if (!contains(link().commReceive(kReplyBufferSize), "OK"))
    appendError("Basic settings - SIM card number, dial tone, ring tone\n");
}

// The Kestrin edition keeps no cause transfer: each pair goes as an empty field.
void BasicPage::saveCausePairs() {
  std::string value;
  for (std::size_t i = 0; i < lbBasicCauses.size(); ++i) {
    if (i > 0) value += ',';
    if (!kestrin()) value += lbBasicCauses.items[i];
  }
  writeRegister(cformat(kCommandBuffer, "AT%%G101=%s\r\n", value.c_str()),
                "Basic settings - Cause transfer\n");
}

int BasicPage::flags() const {
  int word = ctx_.image.basic.g09Flags;
  word = withBit(word, kScidBit, cbBasicSim.index == 1);
  return withBit(word, kSmsToModuleBit, cbBasicRecSms.index == 1);
}

int BasicPage::terminationFlags() const {
  return withBit(ctx_.image.basic.terminationFlags, kShupTerminationBit, cbBasicTerminationGsm.checked);
}

void BasicPage::basicSaveFile() {
  copyToImage(imageRows(), fields(), ctx_.image.basic);
  // The bits this page does not show stay as the image holds them (bit 0x40 is the Ethernet page's).
  ctx_.image.basic.g09Flags = flags();
  ctx_.image.basic.terminationFlags = terminationFlags();
}

void BasicPage::basicLoadFile() {
  const GsmBasicPart& part = ctx_.image.basic;
  copyFromImage(imageRows(), fields(), part);
  cbBasicSim.select((part.g09Flags & kScidBit) != 0 ? 1 : 0);
  cbBasicRecSms.select((part.g09Flags & kSmsToModuleBit) != 0 ? 1 : 0);
  cbBasicTerminationGsm.checked = (part.terminationFlags & kShupTerminationBit) != 0;
  showLevels();
}

void BasicPage::sbBasicCauseAddClick() {
  if (lbBasicCauses.size() >= kMaxCauseListPairs) {
    showError(kCauseListFull);
    return;
  }
  std::vector<int> taken;
  for (const std::string& pair : lbBasicCauses.items) {
    if (const std::optional<int> cause = gsmCauseOf(pair)) taken.push_back(*cause);
  }
  CauseDialog dialog(ctx_, taken);
  if (ctx_.dialogs == nullptr || !ctx_.dialogs->run(dialog)) return;
  const std::string pair = std::to_string(dialog.se1.value) + "/" + std::to_string(dialog.se2.value);
  // The very pair again changes nothing; another transfer of a listed GSM cause is refused.
  if (std::find(lbBasicCauses.items.begin(), lbBasicCauses.items.end(), pair) != lbBasicCauses.items.end())
    return;
  if (dialog.clashes()) {
    showError(kCauseTaken);
    return;
  }
  lbBasicCauses.add(pair);
  setModified();
}

void BasicPage::sbBasicCauseRemoveClick() {
  if (lbBasicCauses.removeSelectedEntry()) setModified();
}

void BasicPage::sbBasicCauseRemoveAllClick() {
  lbBasicCauses.clear();
  setModified();
}

void BasicPage::applyEdition() {
  const bool shown = !kestrin();
  for (FieldView* v :
       std::initializer_list<FieldView*>{&gbBasic2, &edBasicRestricted, &edBasicSelected, &edBasicNomodule,
                                         &gbBasic4, &lbBasicCauses, &cbBasicGenerate}) {
    v->visible = shown;
  }
}

void BasicPage::edited(std::string_view name) {
  if (name == "tbBasicOutputLevel" || name == "tbBasicInputLevel") showLevels();
}

void BasicPage::showLevels() {
  lbBasicOutputDb.text = audioLevelText(tbBasicOutputLevel.value);
  lbBasicInputDb.text = audioLevelText(tbBasicInputLevel.value);
}

void BasicPage::showError(int label) {
  ctx_.host.messageBox(Message{ctx_.captions.at(label), ctx_.captions.at(cap::kErrorTitle),
                               MessageKind::Error, label, cap::kErrorTitle});
}

}  // namespace gw

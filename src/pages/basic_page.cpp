#include "pages/basic_page.h"

#include <algorithm>

#include "base/caption_ids.h"
#include "base/cformat.h"
#include "base/text.h"
#include "link/link.h"
#include "pages/cause_dialog.h"
#include "pages/image_rows.h"

namespace gw {

namespace {

constexpr std::string_view kGsmRead = "AT&V0\r\n";
constexpr std::string_view kAudioRead = "AT&VE\r\n";
constexpr std::string_view kAllParametres = "Basic settings - All parametres\n";
constexpr std::string_view kAudioLevel = "Basic settings - Audio level\n";

// This page formats its commands into buffers of this size.
constexpr std::size_t kBasicCommandBuffer = 128;

constexpr int kHighestDelay = 10;
constexpr int kHighestDigits = 20;
constexpr int kCauseDigits = 3;
constexpr int kSiemensPositions = 5;
constexpr int kWavecomPositions = 7;
constexpr int kHighestAudioLevel = 63;
constexpr int kZeroDbLevel = 32;

constexpr int kCauseListFull = 76;
constexpr int kCauseTaken = 523;

// Register values of the track bar positions, low to high.
constexpr std::array<int, kSiemensPositions> kSiemensLevels = {4, 2, 0, 1, 3};
constexpr std::array<int, kWavecomPositions> kWavecomLevels = {6, 4, 2, 0, 1, 3, 5};

// Siemens tone: 2 on, 4 off.
constexpr int kSiemensToneOn = 2;
constexpr int kSiemensToneOff = 4;
// "Use networks": the register codes of the three items.
constexpr std::array<int, 3> kNetworkUseCodes = {2, 13, 14};

// Caption entries of the lists' items (docs/captions.md).
constexpr int kSimItemsCaption = 1306;
constexpr int kSmsItemsCaption = 1309;
constexpr int kToneItemsCaption = 1314;
constexpr int kEchoItemsCaption = 1331;
constexpr int kUseItemsCaption = 1337;
constexpr int kSearchItemsCaption = 1341;

template <std::size_t N>
std::optional<int> positionIn(const std::array<int, N>& levels, int value) {
  const auto it = std::find(levels.begin(), levels.end(), value);
  if (it == levels.end()) return std::nullopt;
  return static_cast<int>(it - levels.begin());
}

template <std::size_t N>
int valueIn(const std::array<int, N>& levels, int position) {
  return levels.at(static_cast<std::size_t>(std::clamp(position, 0, static_cast<int>(N) - 1)));
}

int siemensToneValue(int checked) {
  return checked != 0 ? kSiemensToneOn : kSiemensToneOff;
}
std::optional<int> siemensToneChecked(int value) {
  return value == kSiemensToneOn ? 1 : 0;
}

int networkUseCode(int index) {
  return valueIn(kNetworkUseCodes, index);
}
std::optional<int> networkUseIndex(int code) {
  return positionIn(kNetworkUseCodes, code).value_or(0);  // any other code: "GSM and 3G"
}

int sameLevel(int position) {
  return position;
}
std::optional<int> audioLevelIn(int value) {
  if (value < 0 || value > kHighestAudioLevel) return std::nullopt;
  return value;
}

constexpr IndexMap kSiemensMap{siemensLevelValue, siemensLevelPosition};
constexpr IndexMap kWavecomMap{wavecomLevelValue, wavecomLevelPosition};
constexpr IndexMap kSiemensToneMap{siemensToneValue, siemensToneChecked};
constexpr IndexMap kNetworkUseMap{networkUseCode, networkUseIndex};
constexpr IndexMap kAudioLevelMap{sameLevel, audioLevelIn};

const RegisterTable& delayRows() {
  static const RegisterTable table = {
      {.key = "G08",
       .fields = {{"seBasicCall", "2", "Basic settings - Call delay"},
                  {"seBasicMin", "9", "Basic settings - Min numbers from VoIP"},
                  {"seBasicMax", "9", "Basic settings - Max numbers from VoIP"},
                  {"seBasicWait", "3", "Basic settings - Wait for next digit"}},
       .writeFormat = "AT%%G08=%d,%d,%d,%d\r\n",
       .errors =
           {"Basic settings - Call delay, min numbers to VOIP, max numbers to Voip, wait for next digit\n",
            "Basic settings - Call delay, min numbers to VOIP\n"},
       .commandBufferSize = kBasicCommandBuffer},
  };
  return table;
}

// G09 fields 2 to 4; the flags of field 1 and the termination flags of field 5 are the page's own work.
const RegisterTable& toneRows() {
  static const RegisterTable table = {
      {.key = "G09",
       .fields = {{"cbBasicDial", "0", "Basic settings - Dial tone"},
                  {"cbBasicRing", "0", "Basic settings - Ring tone"},
                  {"cbBasicGenerate", "0", "Basic settings - Generate tone to GSM"}},
       .firstField = 1},
  };
  return table;
}

const RegisterTable& causeRows() {
  static const RegisterTable table = {
      {.key = "G100",
       .fields = {{"edBasicLack", "102", "Basic settings - Lack of digits in OVERLAP mode"},
                  {"edBasicRestricted", "21", "Basic settings - Restricted number prefix"},
                  {"edBasicSelected", "41", "Basic settings - Selected module/GSM group is not ready"},
                  {"edBasicNomodule", "42", "Basic settings - No module/GSM group is ready"}},
       .writeFormat = "AT%%G100=%s,%s,%s,%s\r\n",
       .errors =
           {"Basic settings - Lack of digits ..., restricted number prefix, Selected module/GSM group is "
            "not ready, No module/GSM group is ready\n",
            "Basic settings - Lack of digits ..., restricted number prefix, Selected module/GSM group is "
            "not ready, No module/GSM group is ready\n"},
       .commandBufferSize = kBasicCommandBuffer},
  };
  return table;
}

// A bad level leaves its track bar as it was.
const RegisterTable& moduleRows() {
  static const RegisterTable table = {
      {.key = "G02",
       .fields = {{"cbBasicSiemens", "0", "Basic settings - Siemens tone", nullptr, kSiemensToneMap},
                  {"tbBasicTran", nullptr, "Basic settings - Transmission volume", nullptr, kSiemensMap},
                  {"tbBasicRec", nullptr, "Basic settings - Reception volume", nullptr, kSiemensMap}},
       .writeFormat = "AT%%G02=%d,%d,%d\r\n",
       .errors = {"Basic settings - Siemens modules parametres\n",
                  "Basic settings - Siemens modules parametres\n"},
       .commandBufferSize = kBasicCommandBuffer},
      {.key = "G04",
       .fields = {{"cbBasicVoice", nullptr, "Basic settings - Echo cancelling"},
                  {"tbBasicTran2", nullptr, "Basic settings - Transmission volume", nullptr, kWavecomMap},
                  {"tbBasicRec2", nullptr, "Basic settings - Reception volume", nullptr, kWavecomMap}},
       .writeFormat = "AT%%G04=%d,%d,%d\r\n",
       .errors = {"Basic settings - Wavecom modules parametres\n",
                  "Basic settings - Wavecom modules parametres\n"},
       .commandBufferSize = kBasicCommandBuffer},
      // Field 1 is not read; the gateway gets 0 there.
      {.key = "G103",
       .fields = {{"tbBasicTran4", nullptr, "Basic settings - Sierra transmission volume", nullptr,
                   kSiemensMap},
                  {"tbBasicRec4", nullptr, "Basic settings - Sierra reception volume", nullptr, kSiemensMap},
                  {"cbBasicUse", "0", nullptr, nullptr, kNetworkUseMap},
                  {"cbBasicSearch", "0"}},
       .writeFormat = "AT%%G103=0,%d,%d,%d,%d\r\n",
       .errors = {"Basic settings - settings for 3G sierra phones\n",
                  "Basic settings - settings for 3G sierra phones\n"},
       .via = WriteVia::SendCollectError,
       .commandBufferSize = kBasicCommandBuffer,
       .firstField = 1},
  };
  return table;
}

const RegisterTable& audioRows() {
  static const RegisterTable table = {
      {.key = "E04",
       .fields = {{"tbBasicOutputLevel", "32", nullptr, nullptr, kAudioLevelMap},
                  {"tbBasicInputLevel", "32", nullptr, nullptr, kAudioLevelMap}},
       .writeFormat = "AT%%E04=%d,%d\r\n",
       .errors = {kAudioLevel, kAudioLevel},
       .via = WriteVia::SendCollectError,
       .commandBufferSize = kBasicCommandBuffer},
  };
  return table;
}

// The flags of G09 and of its termination field are copied by hand: each holds bits of other owners.
const ImageTable<GsmBasicPart>& imageRows() {
  static const ImageTable<GsmBasicPart> table = {
      {"seBasicCall", &GsmBasicPart::callDelay},
      {"seBasicMin", &GsmBasicPart::minNumbersFromVoip},
      {"seBasicMax", &GsmBasicPart::maxNumbersFromVoip},
      {"seBasicWait", &GsmBasicPart::waitForNextDigit},
      {"cbBasicDial", &GsmBasicPart::dialTone},
      {"cbBasicRing", &GsmBasicPart::ringTone},
      {"cbBasicGenerate", &GsmBasicPart::busyToneToGsm},
      {"edBasicLack", &GsmBasicPart::lackOfDigitsCause},
      {"edBasicRestricted", &GsmBasicPart::restrictedPrefixCause},
      {"edBasicSelected", &GsmBasicPart::moduleNotReadyCause},
      {"edBasicNomodule", &GsmBasicPart::noModuleReadyCause},
      {"lbBasicCauses", &GsmBasicPart::causePairs},
      {"cbBasicSiemens", &GsmBasicPart::siemensTone},
      {"tbBasicTran", &GsmBasicPart::siemensTxVolume},
      {"tbBasicRec", &GsmBasicPart::siemensRxVolume},
      {"cbBasicVoice", &GsmBasicPart::wavecomEchoCancelling},
      {"tbBasicTran2", &GsmBasicPart::wavecomTxVolume},
      {"tbBasicRec2", &GsmBasicPart::wavecomRxVolume},
      {"tbBasicTran4", &GsmBasicPart::sierraTxVolume},
      {"tbBasicRec4", &GsmBasicPart::sierraRxVolume},
      {"cbBasicUse", &GsmBasicPart::sierraNetworkUse, kNetworkUseMap},
      {"cbBasicSearch", &GsmBasicPart::sierraSearchPriority},
      {"tbBasicOutputLevel", &GsmBasicPart::outputAudioLevel},
      {"tbBasicInputLevel", &GsmBasicPart::inputAudioLevel},
  };
  return table;
}

void setRange(NumberField& field, int max, int value) {
  field.min = 0;
  field.max = max;
  field.value = value;
}

int withBit(int word, int bit, bool on) {
  return on ? (word | bit) : (word & ~bit);
}

}  // namespace

int siemensLevelValue(int position) {
  return valueIn(kSiemensLevels, position);
}
std::optional<int> siemensLevelPosition(int value) {
  return positionIn(kSiemensLevels, value);
}
int wavecomLevelValue(int position) {
  return valueIn(kWavecomLevels, position);
}
std::optional<int> wavecomLevelPosition(int value) {
  return positionIn(kWavecomLevels, value);
}

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
  all.push_back({"sbBasicAdd", [this] { sbBasicAddClick(); }});
  all.push_back({"sbBasicRemove", [this] { sbBasicRemoveClick(); }});
  all.push_back({"sbBasicRemoveAll", [this] { sbBasicRemoveAllClick(); }});
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
    appendError(kAudioLevel);
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
  const std::string full = cformat(kBasicCommandBuffer, "AT%%G09=%d,%d,%d,%d,%d\r\n", flags(), tones[0],
                                   tones[1], tones[2], terminationFlags());
  if (link().commSend(full) != static_cast<int>(full.size())) {
    const std::string shorter =
        cformat(kBasicCommandBuffer, "AT%%G09=%d,%d,%d,%d\r\n", flags(), tones[0], tones[1], tones[2]);
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
  writeRegister(cformat(kBasicCommandBuffer, "AT%%G101=%s\r\n", value.c_str()),
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

void BasicPage::sbBasicAddClick() {
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

void BasicPage::sbBasicRemoveClick() {
  if (lbBasicCauses.removeSelectedEntry()) setModified();
}

void BasicPage::sbBasicRemoveAllClick() {
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

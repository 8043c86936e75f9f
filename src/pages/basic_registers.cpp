#include "pages/basic_registers.h"

#include <algorithm>
#include <array>

namespace gw::basic {

namespace {

// Register values of the track bar positions, low to high.
constexpr std::array<int, kSiemensPositions> kSiemensLevels = {4, 2, 0, 1, 3};
constexpr std::array<int, kWavecomPositions> kWavecomLevels = {6, 4, 2, 0, 1, 3, 5};

// Siemens tone: 2 on, 4 off.
constexpr int kSiemensToneOn = 2;
constexpr int kSiemensToneOff = 4;
// "Use networks": the register codes of the three items.
constexpr std::array<int, 3> kNetworkUseCodes = {2, 13, 14};

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
       .commandBufferSize = kCommandBuffer},
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
       .commandBufferSize = kCommandBuffer},
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
       .commandBufferSize = kCommandBuffer},
      {.key = "G04",
       .fields = {{"cbBasicVoice", nullptr, "Basic settings - Echo cancelling"},
                  {"tbBasicTran2", nullptr, "Basic settings - Transmission volume", nullptr, kWavecomMap},
                  {"tbBasicRec2", nullptr, "Basic settings - Reception volume", nullptr, kWavecomMap}},
       .writeFormat = "AT%%G04=%d,%d,%d\r\n",
       .errors = {"Basic settings - Wavecom modules parametres\n",
                  "Basic settings - Wavecom modules parametres\n"},
       .commandBufferSize = kCommandBuffer},
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
       .commandBufferSize = kCommandBuffer,
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
       .errors = {kAudioLevelLine, kAudioLevelLine},
       .via = WriteVia::SendCollectError,
       .commandBufferSize = kCommandBuffer},
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

}  // namespace gw::basic

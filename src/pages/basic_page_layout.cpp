// The GSM basic page as the window shows it: the call and tone settings beside the error causes, the cause
// transfer list beside the Siemens levels, the Wavecom levels beside the Sierra Wireless settings, and the
// audio levels with their dB.

#include "pages/basic_page.h"

namespace gw {

namespace {
constexpr int kCauseChars = 4;
constexpr int kSpinChars = 5;
constexpr CaptionText kTransmission{1328, "Transmission vol. :"};
constexpr CaptionText kReception{1329, "Reception vol. :"};
constexpr CaptionText kFiveStepScale{1352, "(-5 ... +5)"};
constexpr CaptionText kSevenStepScale{1353, "(-6 ... +6)"};
constexpr CaptionText kSierraScale{1354, "(-10 ... +10)"};
constexpr int kCauseTransferTitle = 438;
}  // namespace

const FormLayout& basicPageLayout() {
  using K = ControlKind;
  static const FormLayout layout{
      "pBasic",
      {
          {{
              {"gbBasic1",
               {1300, "GSM settings :"},
               1,
               {
                   {K::Spin, "seBasicCall", {1301, "Call delay [s] :"}, nullptr, {}, kSpinChars},
                   {K::Spin, "seBasicMin", {1302, "Min numbers from VoIP :"}, nullptr, {}, kSpinChars},
                   {K::Spin, "seBasicMax", {1303, "Max numbers from VoIP :"}, nullptr, {}, kSpinChars},
                   {K::Spin, "seBasicWait", {1304, "Wait for next digit [s] :"}, nullptr, {}, kSpinChars},
                   {K::Combo, "cbBasicSim", {1305, "SIM card number :"}},
                   {K::Combo, "cbBasicRecSms", {1308, "Received SMS save to :"}},
                   {K::Combo, "cbBasicDial", {1311, "Dial tone :"}},
                   {K::Combo, "cbBasicRing", {1312, "Ring tone :"}},
                   {K::Combo, "cbBasicGenerate", {1313, "Busy tone :"}},
                   {K::Check,
                    "cbBasicTerminationGsm",
                    {1319, "Termination of call to GSM by command AT+SHUP "}},
               }},
              {"gbBasic2",
               {1320, "Error GSM causes"},
               1,
               {
                   {K::Edit,
                    "edBasicLack",
                    {1321, "Lack of digits in OVERLAP dial mode : "},
                    nullptr,
                    {},
                    kCauseChars},
                   {K::Edit,
                    "edBasicRestricted",
                    {1322, "Restricted number prefix  :"},
                    nullptr,
                    {},
                    kCauseChars},
                   {K::Edit,
                    "edBasicSelected",
                    {1323, "Selected module/GSM group is not ready : "},
                    nullptr,
                    {},
                    kCauseChars},
                   {K::Edit,
                    "edBasicNomodule",
                    {1324, "No module/GSM group is ready "},
                    nullptr,
                    {},
                    kCauseChars},
               }},
          }},
          {{
              {"gbBasic4",
               {kCauseTransferTitle, "Cause transfer"},
               3,
               {
                   {.kind = K::List, .name = "lbBasicCauses", .wide = true},
                   {K::Button, "sbBasicCauseAdd", {1325, "Add"}},
                   {K::Button, "sbBasicCauseRemove", {93, "Remove"}},
                   {K::Button, "sbBasicCauseRemoveAll", {94, "Remove all"}},
               }},
              {"gbBasic3",
               {1327, "Voice parametres of Siemens GSM modules"},
               1,
               {
                   {K::Check, "cbBasicSiemens", {1326, "Siemens tone"}},
                   {K::Track, "tbBasicTran", kTransmission, nullptr, kFiveStepScale},
                   {K::Track, "tbBasicRec", kReception, nullptr, kFiveStepScale},
               }},
          }},
          {{
              {"gbBasic5",
               {1334, "Voice parametres of Wavecom modules"},
               1,
               {
                   {K::Combo, "cbBasicVoice", {1330, "Echo cancelling :"}},
                   {K::Track, "tbBasicTran2", kTransmission, nullptr, kSevenStepScale},
                   {K::Track, "tbBasicRec2", kReception, nullptr, kSevenStepScale},
               }},
              {"gbBasic6",
               {1335, "Sierra wireless modules settings :"},
               1,
               {
                   {K::Track, "tbBasicTran4", kTransmission, nullptr, kSierraScale},
                   {K::Track, "tbBasicRec4", kReception, nullptr, kSierraScale},
                   {K::Combo, "cbBasicUse", {1336, "Use networks :"}},
                   {K::Combo, "cbBasicSearch", {1340, "Searching priority :"}},
               }},
          }},
          {{
              {"gbBasic7",
               {1344, "Audio level :"},
               2,
               {
                   {K::Track, "tbBasicOutputLevel", {1345, "Output audio level :"}},
                   {K::Label, "lbBasicOutputDb"},
                   {K::Track, "tbBasicInputLevel", {1346, "Input audio level :"}},
                   {K::Label, "lbBasicInputDb"},
               }},
          }},
      }};
  return layout;
}

}  // namespace gw

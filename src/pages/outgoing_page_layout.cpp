// The outgoing groups page as the window shows it: the group tabs, then the group's calls to GSM, its limits
// and statistics and its CLIP to GSM settings, two to a line, and the two SMS texts the gateway keeps for all
// groups.

#include "pages/outgoing_page.h"

namespace gw {

namespace {
constexpr int kSpinChars = 4;
constexpr int kShortChars = 6;
constexpr int kModificationChars = 16;
constexpr int kSeparatorChars = 2;
constexpr CaptionText kOff = {1510, "(0 = off)"};
}  // namespace

const FormLayout& outgoingPageLayout() {
  using K = ControlKind;
  static const FormLayout layout{
      "pOutgoing",
      {
          {{
              {nullptr, {}, 1, {{K::Tabs, "tcOutgoing", {}, nullptr, {}, 0, {}, true}}},
          }},
          {{
              {"gbOut1",
               {1534, "Calls to GSM :"},
               2,
               {
                   {K::Edit,
                    "edOutRoaming",
                    {1504, "Roaming enabled for network :"},
                    nullptr,
                    {},
                    kShortChars},
                   {K::Combo, "cbOutClir", {1505, "CLIR :"}},
                   {K::Spin, "seOutDelayConnect", {1516, "Delay for CONNECT[s] : "}, nullptr, {}, kSpinChars},
                   {K::Spin,
                    "seOutDelayAlerting",
                    {1517, "Delay for ALERTING [s] :"},
                    nullptr,
                    kOff,
                    kSpinChars},
                   {K::Spin,
                    "seOutDelaySms",
                    {1523, "Default delay for \"SMS at no answer\" [s : ]\""},
                    nullptr,
                    kOff,
                    kSpinChars},
                   {K::Check, "cbOutgoingVirtualTone", {1532, "Generate virtual ring tone"}},
               }},
          }},
          {{
              {"gbOut2",
               {1535, "Limits and statistics :"},
               2,
               {
                   {K::Edit,
                    "edOutMaxNumber",
                    {1509, "Max number of called numbers :"},
                    nullptr,
                    kOff,
                    kShortChars},
                   {K::Edit, "edOutSmsNumber", {1511, "SMS messages number :"}, nullptr, kOff, kShortChars},
                   {K::Spin, "seOutDayStats", {1512, "Day of deleting stats :"}, nullptr, kOff, kSpinChars},
                   {K::Spin,
                    "seOutDayGroup",
                    {1522, "Day of deleting stats in group :"},
                    nullptr,
                    {},
                    kSpinChars},
                   {K::Spin,
                    "seOutMinimalLength",
                    {1513, "Minimal length of call after conect :"},
                    nullptr,
                    {},
                    kSpinChars},
                   {K::Spin,
                    "seOutPrecision",
                    {1514, "Precision of counting length of call :"},
                    nullptr,
                    {},
                    kSpinChars},
                   {K::Spin, "seOutPseudo", {1515, "Pseudo tarif :"}, nullptr, {}, kSpinChars},
                   {K::Combo, "cbOutDisconnect", {1518, "Disconnect call :"}},
               }},
          }},
          {{
              {"gbOut3",
               {1536, "CLIP to GSM :"},
               2,
               {
                   {K::Edit,
                    "edOutClip",
                    {1526, "Clip to GSM separator"},
                    nullptr,
                    {1527, "(empty = off)"},
                    kSeparatorChars},
                   {K::Edit,
                    "edOutGsmMod",
                    {1528, "CLIP to GSM modification :"},
                    nullptr,
                    {},
                    kModificationChars},
                   {K::Combo, "cbOutGsmInvite", {1529, "Use CLIP to GSM from INVITE field :"}},
                   {.kind = K::Label,
                    .name = "lbOutHint2",
                    .label = {1533, "For proper functionality \"Clip to GSM separator\" has to be set "},
                    .wide = true,
                    .alert = true},
               }},
          }},
          {{
              {"gbOut4",
               {1537, "SMS texts (all groups) :"},
               1,
               {
                   {.kind = K::Edit,
                    .name = "edOutTextSms",
                    .label = {1524, "Text of \"SMS at no answer\" (number=%N) "},
                    .wide = true},
                   {.kind = K::Edit,
                    .name = "edOutTextSmsAll",
                    .label = {1525, "Text of SMS for all calls (number=%N)"},
                    .wide = true},
               }},
          }},
      }};
  return layout;
}

}  // namespace gw

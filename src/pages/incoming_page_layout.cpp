// The incoming groups page as the window shows it: the group tabs, then the group's handling of calls beside
// its list of called numbers, and below them the CLIP table rules and the CLIP to VoIP settings.

#include "pages/incoming_page.h"

namespace gw {

namespace {
constexpr int kSpinChars = 4;
constexpr int kPrefixChars = 16;
constexpr int kClipChars = 8;
constexpr int kSeparatorChars = 2;
}  // namespace

const FormLayout& incomingPageLayout() {
  using K = ControlKind;
  static const FormLayout layout{
      "pIncoming",
      {
          {{
              {nullptr, {}, 1, {{K::Tabs, "tcIncoming", {}, nullptr, {}, 0, {}, true}}},
          }},
          {{
              {"gbIn1",
               {1624, "Incoming calls :"},
               1,
               {
                   {.kind = K::Combo, .name = "cbInMode", .label = {1604, "Mode : "}, .wide = true},
                   {.kind = K::Label, .name = "lbInHelp", .wide = true},
                   {K::Spin, "seInMin", {1605, "Min digits in DTMF :"}, nullptr, {}, kSpinChars},
                   {K::Spin, "seInMax", {1606, "Max digits in DTMF :"}, nullptr, {}, kSpinChars},
                   {K::Spin,
                    "seInTour",
                    {1607, "Tour for enterign DTMF digits [s] : "},
                    nullptr,
                    {},
                    kSpinChars},
                   {K::Spin,
                    "seInDay",
                    {1608, "Day of deleting incoming stats :"},
                    nullptr,
                    {1609, "(0 = off)"},
                    kSpinChars},
                   {K::Edit, "edInPrefix", {1610, "Prefix before DISA :"}, nullptr, {}, kPrefixChars},
                   {K::Edit, "edInClip", {1611, "Clip : "}, nullptr, {}, kClipChars},
               }},
              {"gbIn2",
               {1612, "List of called numbers :"},
               3,
               {
                   {.kind = K::List, .name = "lbInCalled", .wide = true},
                   {K::Button, "sbInAdd", {1613, "Add"}},
                   {K::Button, "sbInRemove", {1614, "Remove"}},
                   {K::Button, "sbInRemoveAll", {1615, "Remove all"}},
               }},
          }},
          {{
              {"gbIn3",
               {1625, "CLIP table (all groups) :"},
               1,
               {
                   {K::Spin,
                    "seInTime",
                    {1616, "Time to keep clip in table [hours] : "},
                    nullptr,
                    {},
                    kSpinChars},
                   {K::Check, "cbInTimeOff", {1617, "Off"}},
                   {K::Check, "cbInAdd", {1618, "Add record only for unconnected call"}},
                   {K::Check, "cbInDelete", {1619, "Delete record for connected answer"}},
               }},
              {"gbIn4",
               {1626, "CLIP to VoIP :"},
               1,
               {
                   {K::Edit,
                    "edInSeparator",
                    {1620, "Clip to VoIP separator: "},
                    nullptr,
                    {1621, "(empty = off)"},
                    kSeparatorChars},
                   {K::Edit, "edInMod", {1622, "Clip to VoIP modification : "}, nullptr, {}, kPrefixChars},
                   {.kind = K::Label,
                    .name = "lbInHint2",
                    .label = {1623, "For proper functionality \"Clip to VoIP separator\" has to be set "},
                    .wide = true},
               }},
          }},
      }};
  return layout;
}

}  // namespace gw

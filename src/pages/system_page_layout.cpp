// The System page as the window shows it: the IP settings beside the modes, the PIN, end-of-dialling and
// upgrade port, the DTMF codes two to a line (activation left, its counterpart right).

#include "pages/system_page.h"

namespace gw {

namespace {
constexpr int kAddressChars = 15;
constexpr int kShortChars = 7;
constexpr int kCodeChars = 4;
}  // namespace

const FormLayout& systemPageLayout() {
  using K = ControlKind;
  static const FormLayout layout{
      "pSystem",
      {
          {{
              {"gbSystem1",
               {1100, "IP Settings :"},
               1,
               {
                   {K::Edit, "edSystemIpAddress", {1101, "IP address :"}, nullptr, {}, kAddressChars},
                   {K::Edit, "edSystemSubnetMask", {1102, "Subnet mask :"}, nullptr, {}, kAddressChars},
                   {K::Edit, "edSystemIpRouter", {1103, "IP router : "}, nullptr, {}, kAddressChars},
               }},
              {"gbSystem2",
               {1104, "Modes :"},
               1,
               {
                   {K::Combo, "cbSystemCDRmode", {1105, "CDR mode :"}},
                   {K::Edit,
                    "edSystemUnitId",
                    {1106, "Unit ID :"},
                    nullptr,
                    {1107, "(0 = off, 255 = max)"},
                    kCodeChars},
               }},
          }},
          {{
              {"gbSystemOther",
               {},
               2,
               {
                   {K::Edit, "edSystemPin", {1108, "PIN :"}, nullptr, {}, kShortChars},
                   {K::Check, "cbSystemUpgrade", {1110, "Enable upgrading fiwmare via Ethernet"}},
                   {K::Edit,
                    "edSystemDial3",
                    {1109, "End of dialing (empty = off)"},
                    "lbSystemNormal",
                    {},
                    kCodeChars},
                   {K::Spin, "seSystemPort", {1111, "Port :"}, "lbSystemPort"},
               }},
          }},
          {{
              {"gbSystem3",
               {1112, "Mobility extension DTMF settings : "},
               2,
               {
                   {K::Edit,
                    "edSystemStartDialing",
                    {1113, "Start dialing (quick call forwarding) :"},
                    nullptr,
                    {},
                    kCodeChars},
                   {K::Edit,
                    "edSystemEndDialing",
                    {1114, "End dialing (quick call forwarding) :"},
                    nullptr,
                    {},
                    kCodeChars},
                   {K::Edit, "edSystemHold", {1115, "Hold call :"}, nullptr, {}, kCodeChars},
                   {K::Edit, "edSystemHang", {1116, "Hang up call :"}, nullptr, {}, kCodeChars},
                   {K::Edit,
                    "edSystemFollowActivation",
                    {1117, "\"Follow me\" activation :"},
                    nullptr,
                    {},
                    kCodeChars},
                   {K::Edit,
                    "edSystemFollowDeactivation",
                    {1118, "\"Follow me\" deactivation :"},
                    nullptr,
                    {},
                    kCodeChars},
                   {K::Edit,
                    "edSystemSmsActivation",
                    {1119, "\"Sms at no answer\" activation :"},
                    nullptr,
                    {},
                    kCodeChars},
                   {K::Edit,
                    "edSystemSmsDeactivation",
                    {1120, "\"Sms at no answer\" deactivation :"},
                    nullptr,
                    {},
                    kCodeChars},
               }},
          }},
      }};
  return layout;
}

}  // namespace gw

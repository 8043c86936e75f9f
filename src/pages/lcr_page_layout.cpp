// The LCR page as the window shows it: the list view over the whole width with its editing buttons and the
// table's "Defaults" below it; then the holiday list with its buttons, and the two daylight-saving dates.
// And the record dialog: the network, the hours of use and the weekend, the longest call, the groups.

#include "pages/lcr_page.h"

namespace gw {

namespace {
constexpr int kDateChars = 5;
}  // namespace

const FormLayout& lcrPageLayout() {
  using K = ControlKind;
  static const FormLayout layout{
      "pLcr",
      {
          {{
              {nullptr,
               {},
               5,
               {
                   {.kind = K::Table,
                    .name = "lvLcr",
                    .columns = {{1800, "Network"}, {1801, "Using time"}, {1802, "Groups"}, {1803, "Limit"}},
                    .wide = true,
                    .activateButton = "sbLcrEdit"},
                   {K::Button, "sbLcrNew", {1804, "Add"}},
                   {K::Button, "sbLcrEdit", {1805, "Modify"}},
                   {K::Button, "sbLcrRemove", {1806, "Remove"}},
                   {K::Button, "sbLcrRemoveAll", {1807, "Remove all"}},
                   {K::Button, "sbLcrDefaultLcr", {1001, "Defaults"}},
               }},
          }},
          {{
              {"gbBasic1",
               {1808, "Holidays list"},
               4,
               {
                   {.kind = K::List, .name = "lbBasicHolidays", .wide = true},
                   {K::Button, "sbBasicAdd", {1804, "Add"}},
                   {K::Button, "sbBasicRemove", {1806, "Remove"}},
                   {K::Button, "sbBasicRemoveAll", {1807, "Remove all"}},
                   {K::Button, "sbLcrDefault", {1001, "Defaults"}},
               }},
          }},
          {{
              {nullptr,
               {},
               2,
               {
                   {K::Edit,
                    "edSystemWinter",
                    {1809, "Date to move to winter time [dd.mm] :"},
                    nullptr,
                    {},
                    kDateChars},
                   {K::Edit,
                    "edSystemSummer",
                    {1810, "Date to move to summer time [dd.mm] :"},
                    nullptr,
                    {},
                    kDateChars},
               }},
          }},
      }};
  return layout;
}

const FormLayout& lcrDialogLayout() {
  using K = ControlKind;
  static const FormLayout layout{
      "fLcr",
      {
          {{{nullptr, {}, 1, {{K::Combo, "cbNetwork", {1811, "Network ID :"}}}}}},
          {{
              {"gbLcrTime",
               {1812, "Time limitation of use"},
               2,
               {
                   {K::Edit, "edFrom", {1813, "From:"}, nullptr, {}, kDateChars},
                   {K::Edit, "edTo", {1814, "To:"}, nullptr, {}, kDateChars},
                   {.kind = K::Check,
                    .name = "cbWeekend",
                    .label = {1815, "Enabled for weekend"},
                    .wide = true},
                   {K::Radio, "rbAll", {1816, "Use all weekend"}},
                   {K::Radio, "rbWeek", {1817, "Use as in week (set above)"}},
               }},
          }},
          {{{nullptr,
             {},
             1,
             {{K::Spin, "seLimit", {1818, "Max length of call:"}, nullptr, {1819, "(0 = off)"}}}}}},
          {{
              {"gbLcrGroups",
               {1802, "Groups"},
               4,
               {
                   {K::Combo, "cbGroups1"},
                   {K::Combo, "cbGroups2"},
                   {K::Combo, "cbGroups3"},
                   {K::Combo, "cbGroups4"},
                   {K::Combo, "cbGroups5"},
                   {K::Combo, "cbGroups6"},
                   {K::Combo, "cbGroups7"},
               }},
          }},
      }};
  return layout;
}

}  // namespace gw

// The autorouting table page as the window shows it: the list view over the whole width, its four editing
// buttons below it; and the record dialog: the two numbers, then what the gateway does with the call.

#include "pages/auto_page.h"

namespace gw {

namespace {
constexpr int kNumberChars = 24;
constexpr int kDialChars = 14;
}  // namespace

const FormLayout& autoPageLayout() {
  using K = ControlKind;
  static const FormLayout layout{"pAuto",
                                 {
                                     {{
                                         {nullptr,
                                          {},
                                          4,
                                          {
                                              {.kind = K::Table,
                                               .name = "lvAuto",
                                               .columns = {{1900, "GSM number (CLIP)"},
                                                           {1901, "Dial (to VoIP)"},
                                                           {1902, "Limit"},
                                                           {1903, "Autorouting type"}},
                                               .wide = true,
                                               .activateButton = "sbAutoEdit"},
                                              {K::Button, "sbAutoNew", {1904, "Add"}},
                                              {K::Button, "sbAutoEdit", {1905, "Modify"}},
                                              {K::Button, "sbAutoRemove", {1906, "Remove"}},
                                              {K::Button, "sbAutoRemoveAll", {1907, "Remove all"}},
                                          }},
                                     }},
                                 }};
  return layout;
}

const FormLayout& autoDialogLayout() {
  using K = ControlKind;
  static const FormLayout layout{
      "fAuto",
      {
          {{
              {nullptr,
               {},
               1,
               {
                   {K::Edit, "edGsm", {1900, "GSM number (CLIP)"}, "lbGsm", {}, kNumberChars},
                   {K::Edit, "edDial", {1901, "Dial (to VoIP)"}, "lbDial", {}, kDialChars},
               }},
          }},
          {{
              {nullptr,
               {},
               2,
               {
                   {K::Check, "cbAutodial", {1909, "Autodial"}},
                   {K::Check, "cbAutocallback", {1910, "Autocallback"}},
                   {K::Check, "cbLimit", {1902, "Limit"}},
                   {K::Spin, "seLimit", {1911, "(0 = off)"}, "Label1"},
               }},
          }},
      }};
  return layout;
}

}  // namespace gw

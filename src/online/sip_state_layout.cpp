// The SIP registration state page as the window shows it: the view over the whole page, in columns, and
// "Register again" below it.

#include "online/sip_state.h"

namespace gw {

const FormLayout& sipStatePageLayout() {
  using K = ControlKind;
  static const FormLayout layout{
      "pSipReg",
      {
          {{
              {nullptr,
               {},
               1,
               {
                   {.kind = K::Memo, .name = "memSipReg", .wide = true, .report = true},
                   {K::Button, "btnSipReg", {2100, "Register again"}},
               }},
          }},
      }};
  return layout;
}

}  // namespace gw

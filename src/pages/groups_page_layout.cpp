// The groups assignment page as the window shows it: one line per module, its outgoing and its incoming
// group.

#include "pages/groups_page.h"

namespace gw {

namespace {
constexpr CaptionText kOutgoing{1405, "Outgoing : "};
constexpr CaptionText kIncoming{1406, "Incoming : "};
}  // namespace

const FormLayout& groupsPageLayout() {
  using K = ControlKind;
  static const FormLayout layout{"pGroup",
                                 {
                                     {{
                                         {"gbGroup1",
                                          {1400, "Groups assignment"},
                                          3,
                                          {
                                              {K::Label, "lbGroupModule0", {1401, "0. module"}},
                                              {K::Combo, "cbGroupOut0", kOutgoing},
                                              {K::Combo, "cbGroupIn0", kIncoming},
                                              {K::Label, "lbGroupModule1", {1402, "1. module"}},
                                              {K::Combo, "cbGroupOut1", kOutgoing},
                                              {K::Combo, "cbGroupIn1", kIncoming},
                                              {K::Label, "lbGroupModule2", {1403, "2. module"}},
                                              {K::Combo, "cbGroupOut2", kOutgoing},
                                              {K::Combo, "cbGroupIn2", kIncoming},
                                              {K::Label, "lbGroupModule3", {1404, "3. module"}},
                                              {K::Combo, "cbGroupOut3", kOutgoing},
                                              {K::Combo, "cbGroupIn3", kIncoming},
                                          }},
                                     }},
                                 }};
  return layout;
}

}  // namespace gw

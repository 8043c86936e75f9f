// The network list page as the window shows it: the tabs of the eight lists, the network ID and default
// number of digits of the shown list, then its two tables side by side, each with its four buttons; and the
// entry dialog, once for each table (the second field's label differs).

#include "pages/network_page.h"

namespace gw {

namespace {

constexpr int kIdChars = 6;
constexpr int kEntryChars = 12;

// The entry dialog with the second field's label of one table.
FormLayout netDialogLayout(CaptionText secondLabel) {
  using K = ControlKind;
  return FormLayout{
      "fNet",
      {
          {{
              {nullptr,
               {},
               1,
               {
                   {K::Edit, "ed1", {1716, "Prefix :"}, "lb1", {}, kEntryChars},
                   {K::Edit, "ed2", secondLabel, "lb2", {}, kEntryChars},
                   {.kind = K::Label,
                    .name = "lbHelp",
                    .label = {1717, "Only the digits and the characters '+', '*' and '#' are allowed."},
                    .wide = true},
               }},
          }},
      }};
}

// One table of the shown list: the list box, its buttons below it, two to a line.
GroupSpec entryTable(const char* group, CaptionText title, const char* list, const char* add,
                     const char* edit, const char* remove, const char* removeAll) {
  using K = ControlKind;
  return GroupSpec{group,
                   title,
                   2,
                   {
                       {.kind = K::List, .name = list, .wide = true, .activateButton = edit},
                       {K::Button, add, {1712, "Add"}},
                       {K::Button, edit, {1713, "Edit"}},
                       {K::Button, remove, {1714, "Remove"}},
                       {K::Button, removeAll, {1715, "Remove all"}},
                   }};
}

}  // namespace

const FormLayout& networkPageLayout() {
  using K = ControlKind;
  static const FormLayout layout{
      "pNet",
      {
          {{{nullptr, {}, 1, {{.kind = K::Tabs, .name = "tcNet", .wide = true}}}}},
          {{
              {nullptr,
               {},
               2,
               {
                   {K::Edit, "edNetNetid", {1708, "Network ID:"}, nullptr, {}, kIdChars},
                   {K::Spin, "seNetDefault", {1709, "Default number of digits:"}},
               }},
          }},
          {{
              entryTable("gbNet1", {1710, "Table of replaced prefixes"}, "lbNetRep", "sbNetRepAdd",
                         "sbNetRepEdit", "sbNetRepRemove", "sbNetRepRemoveAll"),
              entryTable("gbNet2", {1711, "Table of prefixes"}, "lbNetPref", "sbNetPrefAdd", "sbNetPrefEdit",
                         "sbNetPrefRemove", "sbNetPrefRemoveAll"),
          }},
      }};
  return layout;
}

const FormLayout& netReplacedDialogLayout() {
  static const FormLayout layout = netDialogLayout({362, "Replaced with :"});
  return layout;
}

const FormLayout& netPrefixDialogLayout() {
  static const FormLayout layout = netDialogLayout({363, "Number of digits :"});
  return layout;
}

}  // namespace gw

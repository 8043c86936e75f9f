// The mobility extension page as the window shows it: the list view over the whole width, its four editing
// buttons below it; and the record dialog: the three names, the number and the two functions.

#include "pages/ext_page.h"

namespace gw {

namespace {
constexpr int kNameChars = 30;
constexpr int kGsmChars = 16;
}  // namespace

const FormLayout& extPageLayout() {
  using K = ControlKind;
  static const FormLayout layout{"pExt",
                                 {
                                     {{
                                         {nullptr,
                                          {},
                                          4,
                                          {
                                              {.kind = K::Table,
                                               .name = "lvExt",
                                               .columns = {{2000, "Name"},
                                                           {2001, "User"},
                                                           {2002, "Pass"},
                                                           {2003, "CLIP (GSM number)"},
                                                           {2004, "\"Follow me\" function"},
                                                           {2005, "\"SMS at no answer\" function"},
                                                           {453, "Registered"}},
                                               .wide = true,
                                               .activateButton = "sbExtEdit"},
                                              {K::Button, "sbExtNew", {2006, "Add"}},
                                              {K::Button, "sbExtEdit", {2007, "Modify"}},
                                              {K::Button, "sbExtRemove", {2008, "Remove"}},
                                              {K::Button, "sbExtRemoveAll", {2009, "Remove all"}},
                                          }},
                                     }},
                                 }};
  return layout;
}

const FormLayout& extDialogLayout() {
  using K = ControlKind;
  static const FormLayout layout{
      "fExt",
      {
          {{
              {nullptr,
               {},
               1,
               {
                   {K::Edit, "edName", {2011, "Name :"}, nullptr, {}, kNameChars},
                   {K::Edit, "edUser", {2012, "User :"}, nullptr, {}, kNameChars},
                   {K::Edit, "edPass", {2013, "Password :"}, nullptr, {}, kNameChars},
                   {K::Edit, "edGsm", {2003, "CLIP (GSM number)"}, nullptr, {}, kGsmChars},
                   {K::Check, "cbFollow", {2004, "\"Follow me\" function"}},
                   {K::Check, "cbSms", {2005, "\"SMS at no answer\" function"}},
               }},
          }},
      }};
  return layout;
}

}  // namespace gw

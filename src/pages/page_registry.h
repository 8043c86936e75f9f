#pragma once
// The parameter pages the program has, one row each, in page order (System, Ethernet, GSM basic, Groups,
// Outgoing, Incoming, Network list, LCR, Autorouting, Mobility extension). Everything that deals with all
// pages — the program state, the topic dispatcher, the main window, gwctl, the close question, a change of
// the link type — walks this table; nothing outside a page's own files names the page.

#include <memory>
#include <vector>

#include "pages/form_layout.h"
#include "pages/page.h"

namespace gw {

struct PageRegistration {
  const char* cliName;  // gwctl's name of the page: "system"
  int topicCaption;     // the topic that shows it: caption 30 "System parametres"
  std::unique_ptr<Page> (*make)(const PageContext& context);
  // The page's window: control names, groups and captions (its control name is the page's: "pSystem").
  const FormLayout& (*layout)();
};

const std::vector<PageRegistration>& pageRegistry();

// The row of a gwctl page name, or nullptr.
const PageRegistration* registrationNamed(std::string_view cliName);

}  // namespace gw

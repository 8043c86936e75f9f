#include "pages/page_registry.h"

#include "base/caption_ids.h"
#include "pages/auto_page.h"
#include "pages/basic_page.h"
#include "pages/ethernet_page.h"
#include "pages/ext_page.h"
#include "pages/groups_page.h"
#include "pages/incoming_page.h"
#include "pages/lcr_page.h"
#include "pages/network_page.h"
#include "pages/outgoing_page.h"
#include "pages/system_page.h"

namespace gw {

namespace {

template <class P>
std::unique_ptr<Page> makePage(const PageContext& context) {
  return std::make_unique<P>(context);
}

}  // namespace

const std::vector<PageRegistration>& pageRegistry() {
  static const std::vector<PageRegistration> rows = {
      {"system", cap::kSystemTopic, makePage<SystemPage>, systemPageLayout},
      {"ethernet", cap::kEthernetTopic, makePage<EthernetPage>, ethernetPageLayout},
      {"basic", cap::kGsmBasicTopic, makePage<BasicPage>, basicPageLayout},
      {"groups", cap::kGroupsAssignmentTopic, makePage<GroupsPage>, groupsPageLayout},
      {"outgoing", cap::kOutgoingGroupsTopic, makePage<OutgoingPage>, outgoingPageLayout},
      {"incoming", cap::kIncomingGroupsTopic, makePage<IncomingPage>, incomingPageLayout},
      {"network", cap::kNetworkListTopic, makePage<NetworkPage>, networkPageLayout},
      {"lcr", cap::kLcrTableTopic, makePage<LcrPage>, lcrPageLayout},
      {"autorouting", cap::kAutoroutingTopic, makePage<AutoPage>, autoPageLayout},
      {"extension", cap::kMobilityExtensionTopic, makePage<ExtPage>, extPageLayout},
  };
  return rows;
}

const PageRegistration* registrationNamed(std::string_view cliName) {
  for (const PageRegistration& row : pageRegistry()) {
    if (row.cliName == cliName) return &row;
  }
  return nullptr;
}

}  // namespace gw

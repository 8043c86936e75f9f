#include "base/caption_ids.h"
#include "online/online_tool.h"
#include "online/resets.h"
#include "online/sip_state.h"

namespace gw {

namespace {

template <class T>
std::unique_ptr<OnlineTool> makeTool(const OnlineContext& context) {
  return std::make_unique<T>(context);
}

}  // namespace

const std::vector<ToolRegistration>& toolRegistry() {
  static const std::vector<ToolRegistration> rows = {
      {cap::kGatewayResetTopic, nullptr, nullptr, false, makeTool<GatewayResetTool>},
      {cap::kFactoryResetTopic, nullptr, nullptr, false, makeTool<FactoryResetTool>},
      {cap::kSipRegistrationTopic, "pSipReg", sipStatePageLayout, true, makeTool<SipStateTool>},
  };
  return rows;
}

}  // namespace gw

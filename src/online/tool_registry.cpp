#include "base/caption_ids.h"
#include "online/actual_calls.h"
#include "online/date_time.h"
#include "online/diagnostics.h"
#include "online/firmware_tool.h"
#include "online/login_account.h"
#include "online/online_tool.h"
#include "online/report_tools.h"
#include "online/resets.h"
#include "online/sip_state.h"
#include "online/terminal.h"
#include "online/tracing.h"
#include "online/voice.h"

namespace gw {

namespace {

template <class T>
std::unique_ptr<OnlineTool> makeTool(const OnlineContext& context) {
  return std::make_unique<T>(context);
}

}  // namespace

const std::vector<ToolRegistration>& toolRegistry() {
  static const std::vector<ToolRegistration> rows = {
      {cap::kTerminalTopic, nullptr, nullptr, true, makeTool<TerminalTool>},
      {cap::kTracingTopic, "pTracing", tracingPageLayout, true, makeTool<TracingTool>},
      {cap::kGatewayResetTopic, nullptr, nullptr, false, makeTool<GatewayResetTool>},
      {cap::kFactoryResetTopic, nullptr, nullptr, false, makeTool<FactoryResetTool>},
      {cap::kDateTimeTopic, "pDateTime", dateTimeLayout, true, makeTool<DateTimeTool>},
      {cap::kLogFileTopic, "pLog", logPageLayout, true, makeTool<LogTool>},
      {cap::kCallDataTopic, "pCall", callPageLayout, true, makeTool<CallTool>},
      {cap::kStatisticsTopic, "pStatistics", statisticsPageLayout, true, makeTool<StatisticsTool>},
      {cap::kLoginAccountTopic, "pLogin", loginAccountLayout, true, makeTool<LoginTool>},
      {cap::kDiagnosticsTopic, nullptr, nullptr, true, makeTool<DiagTool>},
      {cap::kActualCallsTopic, nullptr, nullptr, true, makeTool<ActualTool>},
      {cap::kFirmwareTopic, "pFirm", firmwarePageLayout, true, makeTool<FirmwareTool>},
      {cap::kSipRegistrationTopic, "pSipReg", sipStatePageLayout, true, makeTool<SipStateTool>},
      {cap::kVoiceMessageTopic, "pVoice", voicePageLayout, true, makeTool<VoiceTool>},
  };
  return rows;
}

}  // namespace gw

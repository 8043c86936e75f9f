#include "online/diagnostics.h"

#include "base/cformat.h"
#include "base/text.h"

namespace gw {

namespace {

constexpr std::size_t kReplyCapacity = 1024;
// A moment for the gateway between a command and its reply.
constexpr int kReplyPauseMs = 10;
// The fifth tick after the last good poll closes the window: four failed polls are tolerated.
constexpr int kFailedPollsTolerated = 3;

constexpr std::size_t kLabelsPerModule = kModuleStateValues + 1;
// The captions in front of a module's values ("Layer2:" .. "Signal:"), in label order.
constexpr int kFirstValueCaption = 2700;
constexpr std::array<const char*, kLabelsPerModule> kValueCaptions = {
    "Layer2:",    "Layer3:",      "Network:",       "Net ID:",  "Net cell:",
    "Module ID:", "Revision ID:", "Serial number:", "SIM ID :", "Signal:"};
constexpr std::array<const char*, kGsmModules> kModuleTitles = {"Module #0", "Module #1", "Module #2",
                                                                "Module #3"};
constexpr CaptionText kWindowTitle{2714, "Diagnostic calls"};

// The control names of every module's labels: "lb0layer2" .. "lb3signal", and "lb0layer2Caption" ... for
// the captions in front of them; "gbModule0" .. for the group boxes.
struct Names {
  std::array<std::array<std::string, kLabelsPerModule>, kGsmModules> value;
  std::array<std::array<std::string, kLabelsPerModule>, kGsmModules> caption;
  std::array<std::string, kGsmModules> group;
};

const Names& names() {
  static const Names all = [] {
    Names n;
    for (int m = 0; m < kGsmModules; ++m) {
      const auto mi = static_cast<std::size_t>(m);
      for (std::size_t i = 0; i < kLabelsPerModule; ++i) {
        const char* suffix = i < kModuleStateValues ? kModuleStateKeys[i].suffix : kSignalSuffix;
        n.value[mi][i] = "lb" + std::to_string(m) + suffix;
        n.caption[mi][i] = n.value[mi][i] + "Caption";
      }
      n.group[mi] = "gbModule" + std::to_string(m);
    }
    return n;
  }();
  return all;
}

GroupSpec moduleGroup(int module) {
  using K = ControlKind;
  const auto m = static_cast<std::size_t>(module);
  GroupSpec group{names().group[m].c_str(), {DiagTool::kModuleTitle + module, kModuleTitles[m]}, 2};
  for (std::size_t i = 0; i < kLabelsPerModule; ++i) {
    group.controls.push_back({K::Label,
                              names().caption[m][i].c_str(),
                              {kFirstValueCaption + static_cast<int>(i), kValueCaptions[i]}});
    group.controls.push_back({K::Label, names().value[m][i].c_str()});
  }
  return group;
}

}  // namespace

DiagTool::DiagTool(const OnlineContext& context) : WindowTool(context) {}

std::vector<NamedField> DiagTool::fields() {
  std::vector<NamedField> all;
  for (std::size_t m = 0; m < modules.size(); ++m) {
    for (std::size_t i = 0; i < kModuleStateValues; ++i)
      all.push_back({names().value[m][i], &modules[m].values[i]});
    all.push_back({names().value[m][kModuleStateValues], &modules[m].signal});
  }
  return all;
}

std::vector<ControlSet::Button> DiagTool::buttons() {
  return {{"sbOk", [this] { sbOkClick(); }}};
}

const WindowTool::WindowSpec& DiagTool::window() const {
  static const WindowSpec spec{"fDiag", kWindowTitle, diagWindowLayout,
                               "sbOk",  "tDiag",      {kChartTitle, kChartAxis}};
  return spec;
}

bool DiagTool::enter() {
  for (std::deque<SignalSample>& samples : history_) samples.clear();
  return WindowTool::enter();
}

void DiagTool::tDiagTimer() {
  if (failures_++ > kFailedPollsTolerated) {
    giveUp();
    return;
  }
  poll();
}

PollResult DiagTool::poll() {
  modulesRead_ = 0;
  for (int module = 0; module < kGsmModules; ++module) {
    const PollResult result = pollModule(module);
    if (result != PollResult::Done) return result;
    modulesRead_ = module + 1;
  }
  return PollResult::Done;
}

PollResult DiagTool::pollModule(int module) {
  Link& link = ctx_.link;
  ModuleLabels& labels = modules[static_cast<std::size_t>(module)];
  if (!sendAll(cformat(kCommandBufferSize, "AT&S0%d\r\n", module))) return failure();
  ctx_.clock.sleep(kReplyPauseMs);
  const std::string state = link.commReceive(kReplyCapacity);
  if (!contains(state, "OK")) return failure();
  if (!keepResponsive()) return PollResult::Closed;
  const auto values = moduleStateValues(state);
  for (std::size_t i = 0; i < values.size(); ++i) labels.values[i].set(values[i]);

  // A signal command that is not taken, or not answered at all, ends the poll as the state command does:
  // going on would only wait out the next module's reply limit on a gateway that has gone quiet.
  if (!sendAll(cformat(kCommandBufferSize, "AT&Q%d\r\n", module))) return failure();
  ctx_.clock.sleep(kReplyPauseMs);
  const std::string signal = link.commReceive(kReplyCapacity);
  if (signal.empty() && link.gatewayStoppedAnswering()) return PollResult::Silent;
  const SignalReading reading = signalReading(signal, module);
  labels.signal.set(reading.shown);
  if (reading.dbm) record(module, *reading.dbm);
  if (!keepResponsive()) return PollResult::Closed;
  failures_ = 0;
  return PollResult::Done;
}

void DiagTool::record(int module, int dbm) {
  std::deque<SignalSample>& samples = history_[static_cast<std::size_t>(module)];
  const std::int64_t now = ctx_.clock.nowMs();
  samples.push_back({now, dbm});
  while (!samples.empty() && (now - samples.front().ms > kHistoryMs || samples.size() > kHistorySamples))
    samples.pop_front();
}

const FormLayout& diagWindowLayout() {
  static const FormLayout layout{"fDiag",
                                 {
                                     {{moduleGroup(0), moduleGroup(1)}},
                                     {{moduleGroup(2), moduleGroup(3)}},
                                 }};
  return layout;
}

}  // namespace gw

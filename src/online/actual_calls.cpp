#include "online/actual_calls.h"

#include "online/live_replies.h"

namespace gw {

namespace {

constexpr std::string_view kCallsCommand = "AT&X\r\n";
constexpr std::size_t kReplyCapacity = 1024;
constexpr int kReplyPauseMs = 10;
// Four failed polls in a row close the window at the next tick.
constexpr int kFailedPollsBeforeClose = 4;
constexpr CaptionText kWindowTitle{2715, "Actual calls"};

}  // namespace

ActualTool::ActualTool(const OnlineContext& context) : WindowTool(context) {}

std::vector<ControlSet::Button> ActualTool::buttons() {
  return {{"SpeedButton1", [this] { SpeedButton1Click(); }}};
}

const WindowTool::WindowSpec& ActualTool::window() const {
  static const WindowSpec spec{"fActual", kWindowTitle, actualWindowLayout, "SpeedButton1", "tActual"};
  return spec;
}

void ActualTool::tActualTimer() {
  if (failures_ >= kFailedPollsBeforeClose) {
    giveUp();
    return;
  }
  ++failures_;
  poll();
}

PollResult ActualTool::poll() {
  if (!sendAll(kCallsCommand)) return failure();
  ctx_.clock.sleep(kReplyPauseMs);
  const std::string reply = ctx_.link.commReceive(kReplyCapacity);
  // Silence is no read: the list stays, and the poll counts as failed, so a gateway that stopped answering
  // closes the window instead of blanking it every 5 s for ever.
  if (reply.empty()) return failure();
  mActual.set(actualCallsText(reply));
  failures_ = 0;
  return PollResult::Done;
}

const FormLayout& actualWindowLayout() {
  using K = ControlKind;
  static const FormLayout layout{
      "fActual",
      {
          {{{nullptr, {}, 1, {{K::Memo, "mActual", {}, nullptr, {}, 0, {}, true}}}}},
      }};
  return layout;
}

}  // namespace gw

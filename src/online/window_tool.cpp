#include "online/window_tool.h"

#include "base/caption_ids.h"

namespace gw {

bool WindowTool::enter() {
  // A window closed after failed polls opens with a clean count: otherwise it would close at its first poll.
  failures_ = 0;
  if (!ctx_.connection.commConnect(false)) return true;
  open_ = true;
  ctx_.host.setMainEnabled(false);
  if (onWindow) onWindow(true);
  tick();
  return true;
}

bool WindowTool::busy() const {
  const Link& link = ctx_.link;
  return polling_ || link.inExchange() || link.commBusy;
}

void WindowTool::tick() {
  if (!open_ || busy()) return;
  polling_ = true;
  timerTick();
  polling_ = false;
  if (onChanged) onChanged();
}

void WindowTool::formClose() {
  if (!open_) return;
  open_ = false;
  ctx_.host.setMainEnabled(true);
  if (onWindow) onWindow(false);
}

bool WindowTool::keepResponsive() {
  const bool wasOpen = open_;
  if (onChanged) onChanged();
  ctx_.clock.processEvents();
  // A poll without a window (gwctl) goes on; one whose window was closed meanwhile stops.
  return open_ || !wasOpen;
}

bool WindowTool::sendAll(std::string_view command) {
  return ctx_.link.commSend(command) == static_cast<int>(command.size());
}

PollResult WindowTool::failure() {
  return ctx_.link.gatewayStoppedAnswering() ? PollResult::Silent : PollResult::Failed;
}

void WindowTool::giveUp() {
  const bool silent = ctx_.link.gatewayStoppedAnswering();
  formClose();
  if (silent && ctx_.link.comm.connected) {
    ctx_.connection.linkLost(LinkLoss::Silent);
    return;
  }
  ctx_.host.messageBox(Message{ctx_.captions.at(cap::kCommunicationFailed),
                               ctx_.captions.at(cap::kErrorTitle), MessageKind::Error,
                               cap::kCommunicationFailed, cap::kErrorTitle});
}

}  // namespace gw

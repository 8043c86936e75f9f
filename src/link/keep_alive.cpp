#include "link/keep_alive.h"

#include "link/login.h"

namespace gw {

namespace {

// The gateway is asked only after more than this many whole seconds without any exchange.
constexpr int kSilenceBeforeProbeS = 15;
constexpr std::string_view kProbe = "AT\r";
constexpr std::size_t kProbeReplyCapacity = 128;

bool heldOff(const Link& link, const KeepAliveConditions& c) {
  return c.toolOwnsLink || link.lanTracingActive || link.commBusy ||
         !link.comm.connected;
}

}  // namespace

KeepAlive keepAliveTick(Link& link, const KeepAliveConditions& conditions) {
  if (heldOff(link, conditions)) return KeepAlive::Idle;
  // A timer may fire while an exchange waits (waits process events); a probe then would mix two replies.
  if (link.inExchange()) return KeepAlive::Idle;
  if (link.clock().nowSeconds() - link.lastActivity() <= kSilenceBeforeProbeS) return KeepAlive::Idle;
  link.commSend(kProbe);
  const std::string reply = link.commReceive(kProbeReplyCapacity);
  if (conditions.terminalDisplayVisible) return KeepAlive::Sent;
  if (reply.empty()) return KeepAlive::LinkLost;
  return asksForLogin(reply) ? KeepAlive::LoggedOut : KeepAlive::Sent;
}

}  // namespace gw

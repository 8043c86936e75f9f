#pragma once
// The keep-alive of either link type: after a long silence it asks the gateway "AT" and tells the caller
// whether the gateway is still there. The caller runs it every kKeepAlivePeriodMs and disconnects on
// LinkLost.

#include "link/link.h"

namespace gw {

inline constexpr int kKeepAlivePeriodMs = 5000;

// What the link cannot know itself.
struct KeepAliveConditions {
  // An online tool talks to the gateway on its own: the SIP registration poll runs its exchanges, the serial
  // tracing reader owns the port.
  bool toolOwnsLink = false;
  bool terminalDisplayVisible = false;  // the terminal shows the reply; an empty one means nothing then
};

enum class KeepAlive {
  Idle,       // nothing was sent
  Sent,       // "AT" was sent and the gateway answered (or the terminal shows the answer)
  LinkLost,   // the gateway did not answer: the caller runs the disconnect
  LoggedOut,  // the console answered with a login prompt (it restarted or dropped the login): the caller
              // runs the disconnect, since no command reaches the gateway any more
};

KeepAlive keepAliveTick(Link& link, const KeepAliveConditions& conditions);

}  // namespace gw

#pragma once
// The gateway's login, on the LAN and on a freshly opened serial link.

#include <string>
#include <string_view>

#include "link/link.h"

namespace gw {

// Logs in after `greeting` (the reply to the first "\r\n"): answers the password prompt, or wakes the gateway
// until a login prompt shows, then sends the user name and password. A gateway that never prompts needs no
// login and only has to answer "AT". False on a short send or when the gateway refuses.
bool gatewayLogin(Link& link, const std::string& user, const std::string& password,
                  const std::string& greeting);

// The text holds a login prompt or the password prompt: the console waits for a login, not for commands.
bool asksForLogin(std::string_view text);

// The shorter login after the serial firmware upgrade's own port search: only when a login prompt is waiting.
bool upgradeLogin(Link& link, const std::string& user, const std::string& password);

}  // namespace gw

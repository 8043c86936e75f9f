#pragma once
// Telnet on the LAN console: the negotiation burst the gateway may send at connect, and the removal of the
// IAC sequences a client sends (the console answers none of them).

#include <string>
#include <string_view>

namespace gwsim {

// IAC WILL ECHO, IAC WILL SUPPRESS-GO-AHEAD, IAC DO NAWS, IAC DO TERMINAL-TYPE.
std::string telnetNegotiation();

class TelnetFilter {
 public:
  // The data bytes of `bytes`; a sequence split between two calls is removed as a whole.
  std::string filter(std::string_view bytes);

 private:
  enum class State { Data, Command, Option, Subnegotiation, SubnegotiationCommand };
  State state_ = State::Data;
};

}  // namespace gwsim

#pragma once
// The soak's menu: every gwctl command a session may draw, one row each. A command that a later change adds
// joins the soak with one row here.

#include <string>
#include <vector>

namespace gw::soak {

// What a command may change besides the gateway, so the session knows what to check afterwards.
enum class Writes { Nothing, ParameterFile, GatewayList };

struct MenuCommand {
  std::string name;               // as failure notes name it
  std::vector<std::string> args;  // after the link options; {PAGE} and {FILE} are filled in per draw
  bool online;                    // talks to the gateway (gets the link options)
  // Its time limit against any failing gateway: its own fixed waits (report limits, a reset's restart, the
  // connect) and the number of exchanges that may each wait a whole response time-out before it ends.
  int fixedS;
  int timeoutWaits;
  Writes writes = Writes::Nothing;

  int limitMs(int responseTimeoutMs) const;
};

const std::vector<MenuCommand>& menu();

// Every page name gwctl knows, and "all".
std::vector<std::string> pageChoices();

}  // namespace gw::soak

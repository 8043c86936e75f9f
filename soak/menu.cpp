#include "menu.h"

#include "pages/page_registry.h"

namespace gw::soak {

namespace {
// A loaded machine and the process start: what every limit gets on top, in proportion and in seconds.
constexpr double kLimitMargin = 1.5;
constexpr int kLimitSlackS = 15;

// Connecting to a gateway that does not answer: the login's ten wake-up probes, each a 200 ms pause and a
// chunk wait of 5 s, then the AT probe.
constexpr int kConnectS = 60;
}  // namespace

int MenuCommand::limitMs(int responseTimeoutMs) const {
  const int connectS = online ? kConnectS : 0;
  return static_cast<int>(kLimitMargin * ((connectS + fixedS) * 1000 + timeoutWaits * responseTimeoutMs)) +
         kLimitSlackS * 1000;
}

const std::vector<MenuCommand>& menu() {
  // Connecting (login, identification) may sit through about 8 time-outs; a dump three attempts; a whole
  // save writes some 350 registers, each tried even when the one before failed; a factory reset clears 96
  // records before its reset.
  static const std::vector<MenuCommand> rows = {
      {"identify", {"identify"}, true, 10, 10},
      {"send", {"send", "AT&V\\r\\n"}, true, 10, 11},
      {"send-ati3", {"send", "ATI3\\r\\n"}, true, 10, 11},
      {"load", {"load", "{PAGE}", "-o", "{FILE}"}, true, 60, 120, Writes::ParameterFile},
      {"save", {"save", "{PAGE}", "-i", "{FILE}"}, true, 60, 400},
      {"defaults", {"defaults", "{PAGE}", "-o", "{FILE}"}, false, 5, 0, Writes::ParameterFile},
      {"sip-state", {"sip-state"}, true, 10, 14},
      {"reset", {"--yes", "reset"}, true, 25, 20},
      {"factory-reset", {"--yes", "factory-reset"}, true, 25, 110},
      {"time", {"time"}, true, 10, 12},
      {"time-sync", {"time", "--sync"}, true, 10, 14},
      {"log", {"log"}, true, 30, 12},
      {"cdr", {"cdr"}, true, 30, 14},
      {"cdr-delete", {"cdr", "--delete"}, true, 30, 14},
      {"stats", {"stats"}, true, 20, 16},
      {"trace", {"trace", "--seconds", "1"}, true, 10, 14},
      {"voice-info", {"voice", "info"}, true, 10, 20},
      {"diag", {"diag"}, true, 10, 18},
      {"calls", {"calls"}, true, 10, 11},
      {"diff", {"diff", "{PAGE}", "-i", "{FILE}"}, true, 60, 120},
      {"history", {"history"}, false, 5, 0},
      {"json-identify", {"--json", "identify"}, true, 10, 10},
      {"gateway-add",
       {"gateway", "add", "Soak", "--host", "127.0.0.1", "--port", "2323", "--user", "u", "--password", "p"},
       false,
       5,
       0,
       Writes::GatewayList},
      {"gateway-edit", {"gateway", "edit", "Soak", "--port", "2424"}, false, 5, 0, Writes::GatewayList},
      {"gateway-remove", {"gateway", "remove", "Soak"}, false, 5, 0, Writes::GatewayList},
      {"settings", {"settings"}, false, 5, 0},
      {"settings-lan", {"settings", "--link", "lan"}, false, 5, 0},
  };
  return rows;
}

std::vector<std::string> pageChoices() {
  std::vector<std::string> names;
  for (const PageRegistration& row : pageRegistry()) names.emplace_back(row.cliName);
  names.emplace_back("all");
  return names;
}

}  // namespace gw::soak

#pragma once
// The summary of one command run against several gateways: a table for people, a JSON document for tools.

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

namespace gw {

struct FleetRun {
  std::string gateway;
  int status = 0;
  double seconds = 0.0;
  std::string out;  // what the run printed on stdout
  std::string err;  // and on stderr
};

// "ok", "errors reported", "usage error", "no connection", "file error", "interrupted".
std::string fleetResult(int status);
// The highest exit status: an interrupt outranks a file error, that a lost connection, and so on.
int worstStatus(const std::vector<FleetRun>& runs);
// A header line, then one line per gateway: gateway, result, exit status, seconds (two decimals).
std::string fleetTable(const std::vector<FleetRun>& runs);
// {"command", "status", "gateways": [{"gateway", "result", "status", "seconds", "output", "errors"}]};
// "output" is the run's own JSON document when it printed one, its text otherwise.
nlohmann::json fleetJson(const std::string& command, const std::vector<FleetRun>& runs);

}  // namespace gw

#include "app/cli_fleet_table.h"

#include <algorithm>
#include <cstdio>

#include "app/cli_options.h"

namespace gw {

namespace {

constexpr std::size_t kMinNameColumn = 8;  // "gateway" and a space
constexpr std::size_t kResultColumn = 16;  // "errors reported" and a space
constexpr std::size_t kStatusColumn = 7;   // "status" and a space

std::string padded(std::string text, std::size_t width) {
  text.resize(std::max(width, text.size() + 1), ' ');
  return text;
}

}  // namespace

std::string fleetResult(int status) {
  switch (status) {
    case kExitOk:
      return "ok";
    case kExitReportedErrors:
      return "errors reported";
    case kExitUsage:
      return "usage error";
    case kExitNoConnection:
      return "no connection";
    case kExitFileError:
      return "file error";
    case kExitInterrupted:
      return "interrupted";
    default:
      return "exit " + std::to_string(status);
  }
}

int worstStatus(const std::vector<FleetRun>& runs) {
  int worst = kExitOk;
  for (const FleetRun& run : runs) worst = std::max(worst, run.status);
  return worst;
}

std::string fleetTable(const std::vector<FleetRun>& runs) {
  std::size_t nameColumn = kMinNameColumn;
  for (const FleetRun& run : runs) nameColumn = std::max(nameColumn, run.gateway.size() + 1);
  std::string table = padded("gateway", nameColumn) + padded("result", kResultColumn) +
                      padded("status", kStatusColumn) + "seconds\n";
  for (const FleetRun& run : runs) {
    char seconds[32];
    std::snprintf(seconds, sizeof seconds, "%.2f", run.seconds);
    table += padded(run.gateway, nameColumn) + padded(fleetResult(run.status), kResultColumn) +
             padded(std::to_string(run.status), kStatusColumn) + seconds + "\n";
  }
  return table;
}

nlohmann::json fleetJson(const std::string& command, const std::vector<FleetRun>& runs) {
  nlohmann::json gateways = nlohmann::json::array();
  for (const FleetRun& run : runs) {
    nlohmann::json output = nlohmann::json::parse(run.out, nullptr, false);
    if (output.is_discarded()) output = run.out;
    gateways.push_back({{"gateway", run.gateway},
                        {"result", fleetResult(run.status)},
                        {"status", run.status},
                        {"seconds", run.seconds},
                        {"output", output},
                        {"errors", run.err}});
  }
  return {{"command", command}, {"status", worstStatus(runs)}, {"gateways", gateways}};
}

}  // namespace gw

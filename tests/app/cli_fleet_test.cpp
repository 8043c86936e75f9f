// The options and the summary of one command against several gateways.

#include <gtest/gtest.h>

#include "app/cli_fleet_table.h"
#include "app/cli_options.h"

namespace gw {
namespace {

TEST(CliFleet, OptionsNameTheGatewaysAndHowManyRunAtOnce) {
  const CliParse p = parseCommandLine({"--gateways", "A, B,C", "--jobs", "8", "load", "all", "--json"});
  ASSERT_EQ(p.error, "");
  EXPECT_EQ(p.options.gateways, (std::vector<std::string>{"A", "B", "C"}));
  EXPECT_EQ(p.options.jobs, 8);
  EXPECT_TRUE(p.options.json);
  EXPECT_EQ(parseCommandLine({"--all-gateways", "identify"}).options.jobs, kDefaultJobs);

  for (const std::vector<std::string>& refused : std::vector<std::vector<std::string>>{
           {"--gateways", "A,,B", "identify"},
           {"--gateways", "A", "--all-gateways", "identify"},
           {"--all-gateways", "--lan", "h", "identify"},
           {"--all-gateways", "--gateway", "A", "identify"},
           {"--all-gateways", "--jobs", "0", "identify"},
           {"--all-gateways", "--jobs", "65", "identify"},
       }) {
    EXPECT_NE(parseCommandLine(refused).error, "") << refused[1];
  }
}

TEST(CliFleet, SummaryGivesEachGatewayAndTheWorstStatus) {
  const std::vector<FleetRun> runs = {
      {"north", kExitOk, 1.234, "{\"edition\": \"Kestrin\"}\n", ""},
      {"south-long-name", kExitNoConnection, 5.0, "", "gwctl: no answer\n"},
      {"east", kExitReportedErrors, 0.5, "plain text\n", ""},
  };
  EXPECT_EQ(worstStatus(runs), kExitNoConnection);
  EXPECT_EQ(worstStatus({}), kExitOk);
  EXPECT_EQ(fleetTable(runs),
            "gateway         result          status seconds\n"
            "north           ok              0      1.23\n"
            "south-long-name no connection   3      5.00\n"
            "east            errors reported 1      0.50\n");
  const nlohmann::json json = fleetJson("identify", runs);
  EXPECT_EQ(json["status"], kExitNoConnection);
  EXPECT_EQ(json["gateways"][0]["output"]["edition"], "Kestrin");  // a run's JSON stays JSON
  EXPECT_EQ(json["gateways"][2]["output"], "plain text\n");
  EXPECT_EQ(json["gateways"][1]["result"], "no connection");
}

}  // namespace
}  // namespace gw

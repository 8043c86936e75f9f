// Drift, history and several gateways at once, through gwctl against gwsim processes.

#include <nlohmann/json.hpp>

#include "base/ini_file.h"
#include "gwctl_fixture.h"

namespace gw::test {
namespace {

constexpr const char* kSystemSection = "System parametres";

// The summary table's row of a gateway.
std::string rowOf(const std::string& out, const std::string& gateway) {
  for (const std::string& line : splitFields(out, '\n')) {
    if (line.starts_with(gateway + " ")) return line;
  }
  return {};
}

class Fleet : public GwctlFixture {
 protected:
  // A gwsim on the LAN, and a gateway of gtws.ini pointing at it.
  std::unique_ptr<SimProcess> addGateway(const std::string& name) {
    auto sim = std::make_unique<SimProcess>(GWSIM_PATH, std::vector<std::string>{"--tcp", "0"});
    if (!sim->ready()) return nullptr;
    addEntry(name, sim->tcpPort());
    return sim;
  }
  void addEntry(const std::string& name, int port) {
    const ProcessResult r = gwctl({"gateway", "add", name, "--host", "127.0.0.1", "--port",
                                   std::to_string(port), "--user", "admin", "--password", "admin"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
  }
  std::string parameterFile(const std::string& name) { return home.file(name + "/" + name + ".ini"); }
};

TEST_F(Fleet, OneCommandAgainstSeveralGatewaysGivesEachItsOwnRunAndTheWorstStatus) {
  std::vector<std::unique_ptr<SimProcess>> sims;
  for (const char* name : {"north", "south", "east"}) {
    sims.push_back(addGateway(name));
    ASSERT_TRUE(sims.back()) << name;
  }
  const std::string settingsBefore = readFile(home.file("settings.ini"));

  const ProcessResult load = gwctl({"--all-gateways", "--jobs", "3", "--json", "load", "all"}, 300'000);
  ASSERT_EQ(load.exitCode, 0) << load.err;
  const nlohmann::json summary = nlohmann::json::parse(load.out);
  ASSERT_EQ(summary["gateways"].size(), 3u);
  for (const nlohmann::json& run : summary["gateways"]) {
    const std::string name = run["gateway"];
    EXPECT_EQ(run["status"], 0) << name;
    EXPECT_EQ(IniFile::load(parameterFile(name)).keys(kSystemSection).empty(), false) << name;
    // Each gateway's exchange went into its own LOG.
    EXPECT_NE(readFile(home.file(name + "/log.txt")).find("AT&V"), std::string::npos) << name;
  }
  EXPECT_EQ(readFile(home.file("settings.ini")), settingsBefore);  // the remembered selection stays

  // Ctrl+C, taken by whichever run reads it first, ends every run.
  constexpr int kInterruptAfterMs = 700;
  const ProcessResult interrupted =
      runProcess(GWCTL_PATH, {"--home", home.path(), "--all-gateways", "--jobs", "3", "load", "all"}, 60'000,
                 {}, kInterruptAfterMs);
  EXPECT_EQ(interrupted.exitCode, 130) << interrupted.out << interrupted.err;
  for (const char* name : {"north", "south", "east"})
    EXPECT_TRUE(rowOf(interrupted.out, name).find("interrupted") != std::string::npos) << interrupted.out;

  // A gateway that does not answer makes the whole run fail with its status; the others still run.
  addEntry("dead", 1);
  const ProcessResult identify = gwctl({"--gateways", "north,dead,east", "identify"});
  EXPECT_EQ(identify.exitCode, 3) << identify.err;
  EXPECT_NE(identify.out.find("north: "), std::string::npos) << identify.out;
  EXPECT_TRUE(rowOf(identify.out, "dead").starts_with("dead    no connection   3 ")) << identify.out;
  EXPECT_TRUE(rowOf(identify.out, "east").starts_with("east    ok              0 ")) << identify.out;

  EXPECT_EQ(gwctl({"--json", "load", "all"}).exitCode, 2);  // a table-less command has no JSON of its own

  const ProcessResult unknown = gwctl({"--gateways", "north,wets", "identify"});
  EXPECT_EQ(unknown.exitCode, 2);
  EXPECT_NE(unknown.err.find("\"wets\""), std::string::npos) << unknown.err;
}

TEST_F(Fleet, DriftIsFoundKeptBeforeASaveAndUndoneFromTheHistory) {
  const std::unique_ptr<SimProcess> sim = addGateway("gw");
  ASSERT_TRUE(sim);
  const std::vector<std::string> gw = {"--gateway", "gw"};
  const auto run = [&](std::vector<std::string> args) {
    args.insert(args.begin(), gw.begin(), gw.end());
    return gwctl(args, 300'000);
  };
  ASSERT_EQ(run({"load", "all"}).exitCode, 0);
  const ProcessResult same = run({"diff", "all"});
  EXPECT_EQ(same.exitCode, 0) << same.out << same.err;
  EXPECT_EQ(same.out, "no differences, 10 pages compared\n");

  // The file drifts from the gateway in one key.
  IniFile file = IniFile::load(parameterFile("gw"));
  const std::string gatewayValue = file.readString(kSystemSection, "X31", "");
  const std::string fileValue = gatewayValue == "1,1" ? "0,0" : "1,1";
  file.writeString(kSystemSection, "X31", fileValue);
  ASSERT_TRUE(file.save());
  const ProcessResult drift = run({"diff", "system"});
  EXPECT_EQ(drift.exitCode, 1) << drift.err;
  EXPECT_EQ(drift.out, "System parametres / X31: " + fileValue + " \u2192 " + gatewayValue +
                           "\n1 difference, 1 page compared\n");
  const nlohmann::json json = nlohmann::json::parse(run({"--json", "diff", "system"}).out);
  EXPECT_EQ(json["differences"][0]["gateway"], gatewayValue);

  // The save keeps what the gateway held; afterwards the gateway holds the file.
  const ProcessResult save = run({"save", "system", "--snapshot"});
  ASSERT_EQ(save.exitCode, 0) << save.err;
  EXPECT_EQ(run({"diff", "system"}).exitCode, 0);
  const nlohmann::json history = nlohmann::json::parse(run({"--json", "history"}).out);
  ASSERT_EQ(history["entries"].size(), 1u);
  const std::string stamp = history["entries"][0]["stamp"];
  EXPECT_EQ(IniFile::load(history["entries"][0]["path"]).readString(kSystemSection, "X31", ""), gatewayValue);

  const ProcessResult declined = run({"restore", stamp});
  EXPECT_EQ(declined.exitCode, 1);
  EXPECT_EQ(run({"diff", "system"}).exitCode, 0);  // nothing was sent
  const ProcessResult restored = run({"--yes", "restore", stamp});
  EXPECT_EQ(restored.exitCode, 0) << restored.err;
  EXPECT_EQ(run({"diff", "system"}).out, drift.out);  // the gateway is back where it was
}

}  // namespace
}  // namespace gw::test

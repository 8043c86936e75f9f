// gwctl diag, calls and account against gwsim over the LAN and over a pseudo-terminal.

#include <chrono>
#include <nlohmann/json.hpp>

#include "gwctl_fixture.h"

namespace gw::test {
namespace {

class GwctlDiag : public GwctlFixture {
 protected:
  void SetUp() override {
    GwctlFixture::SetUp();
    home.write("settings.ini", "[main]\nTimeout=1000\n");  // a silent gateway is given up on sooner
  }

  static std::vector<std::string> serial(const SimProcess& sim, std::vector<std::string> rest) {
    std::vector<std::string> args = {"--serial", sim.ptyPath(), "--user", "admin", "--password", "admin"};
    args.insert(args.end(), rest.begin(), rest.end());
    return args;
  }

  std::string message(int title, int text) const {
    return english.at(title) + ": " + english.at(text) + "\n";
  }
};

TEST_F(GwctlDiag, ModulesAndCallsArePrintedAsTablesOverEitherLink) {
  SimProcess sim(GWSIM_PATH,
                 {"--tcp", "0", "--pty", home.file("ttyGW"), "--rates", "115200", "--modules-off", "3"});
  ASSERT_TRUE(sim.ready()) << sim.error();
  for (const bool lanLink : {true, false}) {
    const ProcessResult diag = gwctl(lanLink ? lan(sim, {"diag"}) : serial(sim, {"diag"}));
    EXPECT_EQ(diag.exitCode, 0) << diag.err;
    const std::vector<std::string> lines = splitFields(diag.out, '\n');
    ASSERT_EQ(lines.size(), 6u) << diag.out;  // header, four modules, the final line feed
    EXPECT_TRUE(lines[0].starts_with("Module  Layer2  Layer3      Network   Net ID  Net cell  Module ID"))
        << lines[0];
    EXPECT_TRUE(lines[1].starts_with("0       up      registered  Net"))
        << lines[1];  // its operator may roam
    EXPECT_TRUE(lines[1].ends_with(" dBm")) << lines[1];
    EXPECT_TRUE(lines[4].starts_with("3       down    no-sim      -         -       -         GM-400"))
        << lines[4];
    EXPECT_TRUE(lines[4].ends_with("  -")) << lines[4];  // no SIM: no identity, no level

    const ProcessResult calls = gwctl(lanLink ? lan(sim, {"calls"}) : serial(sim, {"calls"}));
    EXPECT_EQ(calls.exitCode, 0) << calls.err;
    EXPECT_TRUE(calls.out.starts_with("cha-layer3     dir calling          called           durat.\n"))
        << calls.out;
    EXPECT_EQ(calls.out.find('\r'), std::string::npos);
    EXPECT_EQ(calls.out.find("OK"), std::string::npos);
  }
  // The same poll as one JSON document, keyed by the table's column names.
  const ProcessResult json = gwctl(lan(sim, {"--json", "diag"}));
  EXPECT_EQ(json.exitCode, 0) << json.err;
  const nlohmann::json modules = nlohmann::json::parse(json.out).at("modules");
  ASSERT_EQ(modules.size(), 4u) << json.out;
  EXPECT_EQ(modules[3].at("Layer3"), "no-sim");
  EXPECT_TRUE(nlohmann::json::parse(gwctl(lan(sim, {"--json", "calls"})).out)
                  .at("calls")[0]
                  .get<std::string>()
                  .starts_with("cha-layer3"));
}

TEST_F(GwctlDiag, AGatewayFallingSilentMidPollEndsItWithinTheReplyLimitAndOneMessage) {
  // Command lines after the login: AT, ATI4, ATI3, AT&M0, then AT&S00, AT&Q0, AT&S01 answered; AT&Q1 is not.
  SimProcess sim(GWSIM_PATH, {"--tcp", "0", "--silent-after", "7"});
  ASSERT_TRUE(sim.ready()) << sim.error();
  const auto start = std::chrono::steady_clock::now();
  const ProcessResult r = gwctl(lan(sim, {"diag"}));
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(splitFields(r.out, '\n').size(), 3u) << r.out;  // the header and module 0
  EXPECT_EQ(r.err, message(47, 2907));
}

TEST_F(GwctlDiag, TheAccountChangesOverThePtyOnlyAndWhatThePageRefusesIsNeverSent) {
  SimProcess sim(GWSIM_PATH, {"--tcp", "0", "--pty", home.file("ttyGW"), "--rates", "115200", "--log",
                              home.file("heard.txt")});
  ASSERT_TRUE(sim.ready()) << sim.error();
  const ProcessResult lanRefused = gwctl(lan(sim, {"account", "--user", "bob", "--password", "pw1"}));
  EXPECT_EQ(lanRefused.exitCode, 1);
  EXPECT_EQ(lanRefused.err, message(54, 63));
  for (const auto& [user, password] :
       {std::pair{"bo b", "pw1"}, {"bob", "pw-1"}, {"", "pw1"}, {"bob4567890", "pw123"}}) {
    const ProcessResult refused = gwctl(serial(sim, {"account", "--user", user, "--password", password}));
    EXPECT_EQ(refused.exitCode, 2) << user << "/" << password;
  }
  EXPECT_EQ(readFile(home.file("heard.txt")).find("X80"), std::string::npos);

  const ProcessResult set = gwctl(serial(sim, {"account", "--user", "bob", "--password", "pw1"}));
  EXPECT_EQ(set.exitCode, 0) << set.err;
  EXPECT_EQ(set.err, message(54, 66));
  EXPECT_EQ(gwctl(lan(sim, {"calls"})).exitCode, 3);  // admin is no account any more
  const ProcessResult asBob = gwctl(
      {"--lan", "127.0.0.1:" + std::to_string(sim.tcpPort()), "--user", "bob", "--password", "pw1", "calls"});
  EXPECT_EQ(asBob.exitCode, 0) << asBob.err;

  EXPECT_EQ(gwctl(serial(sim, {"--yes", "account", "--disable"})).exitCode, 0);
  EXPECT_EQ(gwctl({"--lan", "127.0.0.1:" + std::to_string(sim.tcpPort()), "calls"}).exitCode, 0);
}

}  // namespace
}  // namespace gw::test

// gwctl as an operator meets it: a refused raw command, Ctrl+C while connecting, the link type setting.

#include "gwctl_fixture.h"

namespace gw::test {
namespace {

constexpr int kInterruptAfterMs = 1500;

TEST_F(GwctlFixture, SendFailsWhenTheGatewayRefusesTheCommand) {
  SimProcess sim(GWSIM_PATH, {"--tcp", "0"});
  ASSERT_TRUE(sim.ready()) << sim.error();
  struct Case {
    const char* command;
    int exitCode;
  };
  for (const Case& c : {Case{"AT\\r\\n", 0}, Case{"AT%Q7=1\\r\\n", 1}}) {
    const ProcessResult r = gwctl(lan(sim, {"send", c.command}));
    EXPECT_EQ(r.exitCode, c.exitCode) << c.command << r.out << r.err;
    EXPECT_FALSE(r.out.empty()) << c.command;  // the reply is printed either way
  }
}

TEST_F(GwctlFixture, CtrlCEndsAConnectToAGatewayThatNeverAnswers) {
  // The gateway takes the connection and says nothing: without Ctrl+C the login probes take a minute.
  SimProcess sim(GWSIM_PATH, {"--tcp", "0", "--silent-after", "0"});
  ASSERT_TRUE(sim.ready()) << sim.error();
  const ProcessResult r =
      runProcess(GWCTL_PATH,
                 {"--home", home.path(), "--lan", "127.0.0.1:" + std::to_string(sim.tcpPort()), "--user",
                  "admin", "--password", "admin", "identify"},
                 60'000, {}, kInterruptAfterMs);
  EXPECT_EQ(r.exitCode, 130) << r.err;
  EXPECT_LT(r.elapsedMs, kInterruptAfterMs + 2'000);
  EXPECT_EQ(r.err, english.at(54) + ": " + english.at(2904) + "\ngwctl: interrupted\n");
  EXPECT_EQ(r.out, "");
}

TEST_F(GwctlFixture, SettingsChooseTheLinkTypeAndPort) {
  ProcessResult r = gwctl({"settings", "--port", "/dev/pts/7"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_TRUE(r.out.starts_with("link: serial\nport: /dev/pts/7\n")) << r.out;
  r = gwctl({"settings", "--link", "lan"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_TRUE(r.out.starts_with("link: lan\nport: /dev/pts/7\n")) << r.out;
  EXPECT_NE(readFile(home.file("settings.ini")).find("CommType=2"), std::string::npos);
  EXPECT_EQ(gwctl({"settings", "--link", "lan", "--port", "ttyS0"}).exitCode, 2);
}

}  // namespace
}  // namespace gw::test

// gwctl sip-state against gwsim: one poll of a full gateway whose extensions drop out and register again,
// over the LAN and over the serial console; the view goes to stdout.

#include "gwctl_fixture.h"

namespace gw::test {
namespace {

class SipStateCommand : public GwctlFixture {};

TEST_F(SipStateCommand, PrintsEveryExtensionWithItsRegistration) {
  for (bool serial : {false, true}) {
    SCOPED_TRACE(serial ? "serial" : "LAN");
    const std::string pty = home.file("ttyGW");
    std::vector<std::string> options = {"--full", "--sip-churn-ms", "50"};
    const std::vector<std::string> console = serial
                                                 ? std::vector<std::string>{"--pty", pty, "--rates", "115200"}
                                                 : std::vector<std::string>{"--tcp", "0"};
    options.insert(options.end(), console.begin(), console.end());
    SimProcess sim(GWSIM_PATH, options);
    ASSERT_TRUE(sim.ready()) << sim.error();
    std::vector<std::string> args =
        serial
            ? std::vector<std::string>{"--serial", pty, "--user", "admin", "--password", "admin", "sip-state"}
            : lan(sim, {"sip-state"});
    const ProcessResult r = gwctl(args);
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const std::vector<std::string> lines = splitFields(r.out, '\n');
    ASSERT_EQ(lines.size(), 2U + 32U + 1U);  // header, dashes, 32 extensions, the final line end
    EXPECT_EQ(lines[0], "Name" + std::string(43, ' ') + "User" + std::string(43, ' ') + "Registered");
    EXPECT_EQ(lines[1], std::string(lines[0].size(), '-'));
    EXPECT_EQ(lines[2].substr(0, 47 + 16), "Extension-00000" + std::string(32, ' ') + "user-00000000000");
    // The gateway has been up for some periods of churn: a third of the extensions is away.
    const auto away = std::count_if(lines.begin(), lines.end(),
                                    [](const std::string& l) { return l.ends_with(" Unregistered"); });
    EXPECT_TRUE(away == 10 || away == 11) << r.out;
  }
}

}  // namespace
}  // namespace gw::test

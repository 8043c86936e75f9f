// gwctl load, save and defaults of the System page against gwsim.

#include "gwctl_fixture.h"

namespace gw::test {
namespace {

constexpr const char* kSystemSection =
    "[System parametres]\n"
    "X30=*,#,#\n"
    "X31=7*,9#\n"
    "X32=*55,#55\n"
    "X33=*33,#33\n"
    "S70=192.168.1.100\n"
    "S71=255.255.255.0\n"
    "S72=192.168.1.1\n"
    "S91=5,12\n"
    "S98=1234\n"
    "X24=0\n";

// The command lines gwsim heard after the connect's own exchanges.
std::vector<std::string> pageCommandsHeard(const std::string& transcript) {
  std::vector<std::string> lines = splitFields(transcript, '\n');
  const auto afterConnect = std::find(lines.begin(), lines.end(), "AT&M0");
  std::vector<std::string> commands(afterConnect == lines.end() ? lines.begin() : afterConnect + 1,
                                    lines.end());
  if (!commands.empty() && commands.back().empty()) commands.pop_back();
  return commands;
}

TEST_F(GwctlFixture, LoadWritesTheSystemSectionTheGatewayHolds) {
  home.write("state.ini", "[registers]\nS91=5,12\nS98=1234\nX30=*\nX24=0\n");
  SimProcess sim(GWSIM_PATH, {"--tcp", "0", "--state", home.file("state.ini")});
  ASSERT_TRUE(sim.ready()) << sim.error();
  const ProcessResult r = gwctl(lan(sim, {"load", "system", "-o", home.file("out.ini")}));
  // The dump's X30 lacks two fields: their defaults are taken and reported, and the file is written.
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(r.err, "System settings - End dialing\nSystem settings - End of dialing\n");
  const std::string file = readFile(home.file("out.ini"));
  EXPECT_TRUE(file.starts_with("[Gateway]\nati3=ATI3, Velquin Orvale QN4")) << file;
  EXPECT_NE(file.find(kSystemSection), std::string::npos) << file;
}

TEST_F(GwctlFixture, SaveSendsTheSystemRegistersInOrderWithoutAddressesOverTheLan) {
  home.write("in.ini", kSystemSection);
  SimProcess sim(GWSIM_PATH, {"--tcp", "0", "--log", home.file("heard.txt"), "--refuse", "S98"});
  ASSERT_TRUE(sim.ready()) << sim.error();
  const ProcessResult r = gwctl(lan(sim, {"save", "system", "-i", home.file("in.ini")}));
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(r.err, "System settings - PIN\n");  // the refused register; the save went on
  EXPECT_EQ(pageCommandsHeard(readFile(home.file("heard.txt"))),
            (std::vector<std::string>{"AT%S91=5,12", "AT%S98=1234", "AT%X30=*,#,#", "AT%X31=7*,9#",
                                      "AT%X32=*55,#55", "AT%X33=*33,#33", "AT%X24=0"}));
}

TEST_F(GwctlFixture, SaveOverTheSerialLinkWritesTheAddressesToo) {
  home.write("in.ini", kSystemSection);
  const std::string pty = home.file("ttyGW");
  SimProcess sim(GWSIM_PATH, {"--pty", pty, "--rates", "115200", "--log", home.file("heard.txt")});
  ASSERT_TRUE(sim.ready()) << sim.error();
  const std::vector<std::string> serial = {"--serial", pty, "--user", "admin", "--password", "admin"};
  auto withSerial = [&](std::vector<std::string> rest) {
    rest.insert(rest.begin(), serial.begin(), serial.end());
    return rest;
  };
  const ProcessResult r = gwctl(withSerial({"save", "system", "-i", home.file("in.ini")}));
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(pageCommandsHeard(readFile(home.file("heard.txt"))),
            (std::vector<std::string>{"AT%S70=192.168.1.100", "AT%S71=255.255.255.0", "AT%S72=192.168.1.1",
                                      "AT%S91=5,12", "AT%S98=1234", "AT%X30=*,#,#", "AT%X31=7*,9#",
                                      "AT%X32=*55,#55", "AT%X33=*33,#33", "AT%X24=0"}));

  // What was written is what a later load reads back.
  const ProcessResult back = gwctl(withSerial({"load", "system", "-o", home.file("back.ini")}));
  EXPECT_EQ(back.exitCode, 0) << back.err;
  EXPECT_NE(readFile(home.file("back.ini")).find(kSystemSection), std::string::npos);
}

TEST_F(GwctlFixture, AnInvalidPageIsNotSent) {
  home.write("in.ini", "[System parametres]\nX31=,9#\n");
  SimProcess sim(GWSIM_PATH, {"--tcp", "0", "--log", home.file("heard.txt")});
  ASSERT_TRUE(sim.ready()) << sim.error();
  const ProcessResult r = gwctl(lan(sim, {"save", "system", "-i", home.file("in.ini")}));
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(r.err, english.at(47) + ": " + english.at(204) + "\n");
  EXPECT_EQ(readFile(home.file("heard.txt")), "");  // not even connected
}

TEST_F(GwctlFixture, AFileThatCannotBeReadWholeIsAFileErrorAndNothingIsSent) {
  home.write("in.ini", "[System parametres]\nS91=x,1\n");
  SimProcess sim(GWSIM_PATH, {"--tcp", "0", "--log", home.file("heard.txt")});
  ASSERT_TRUE(sim.ready()) << sim.error();
  const ProcessResult r = gwctl(lan(sim, {"save", "system", "-i", home.file("in.ini")}));
  EXPECT_EQ(r.exitCode, 4);
  EXPECT_NE(r.err.find(home.file("in.ini") + ": Error during reading system parametres"), std::string::npos)
      << r.err;
  EXPECT_EQ(readFile(home.file("heard.txt")), "");
}

TEST_F(GwctlFixture, APageWhoseDumpNeverArrivesFailsAndLeavesTheFileAsItWas) {
  home.write("settings.ini", "[main]\nTimeout=1000\n");  // short waits for the silent gateway
  home.write("out.ini", kSystemSection);
  SimProcess sim(GWSIM_PATH, {"--tcp", "0", "--silent-after", "3"});  // ATI4, ATI3, AT&M0 answered
  ASSERT_TRUE(sim.ready()) << sim.error();
  const ProcessResult r = gwctl(lan(sim, {"load", "system", "-o", home.file("out.ini")}));
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(r.err, "System settings - All parametres\n" + english.at(2907) + "\n");
  EXPECT_EQ(readFile(home.file("out.ini")), kSystemSection);
}

TEST_F(GwctlFixture, DefaultsGiveTheSameFileWithOrWithoutDefaultsIni) {
  ASSERT_EQ(gwctl({"defaults", "system", "-o", home.file("with.ini")}).exitCode, 0);
  std::filesystem::remove(home.file("defaults.ini"));
  ASSERT_EQ(gwctl({"defaults", "system", "-o", home.file("without.ini")}).exitCode, 0);
  const std::string with = readFile(home.file("with.ini"));
  EXPECT_EQ(with, readFile(home.file("without.ini")));
  EXPECT_NE(with.find("S98=4821\nX24=0\n"), std::string::npos) << with;
  EXPECT_EQ(gwctl({"defaults", "ethernet", "basic", "groups", "-o", home.file("eth.ini")}).exitCode, 0);
  EXPECT_EQ(gwctl({"defaults", "nonsense"}).exitCode, 2);
}

}  // namespace
}  // namespace gw::test

// gwctl identify against gwsim over TCP and over a pseudo-terminal.

#include <filesystem>
#include <regex>

#include "gwctl_fixture.h"

namespace gw::test {
namespace {

TEST_F(GwctlFixture, IdentifiesBothEditionsOverTheLan) {
  struct Case {
    const char* edition;
    const char* serial;
    const char* editionName;
  };
  for (const Case& c :
       {Case{"orvale", "Q2041-00017", "Velquin Orvale"}, Case{"kestrin", "K427-00017", "Velquin Kestrin"}}) {
    SimProcess sim(GWSIM_PATH, {"--tcp", "0", "--edition", c.edition, "--firmware-version", "03.00.07"});
    ASSERT_TRUE(sim.ready()) << sim.error();
    const ProcessResult r = gwctl(lan(sim, {"identify"}));
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, english.at(217) + " : " + c.serial + ", Boot : 01.05 , Firmware : 03.00.07 \n" +
                         "[127.0.0.1] " + english.at(213) + ", " + c.editionName + "\n" + c.editionName +
                         "\n");
  }
}

TEST_F(GwctlFixture, AWrongPasswordCannotConnect) {
  SimProcess sim(GWSIM_PATH, {"--tcp", "0", "--login", "admin:right"});
  ASSERT_TRUE(sim.ready()) << sim.error();
  const ProcessResult r = gwctl(lan(sim, {"identify"}));
  EXPECT_EQ(r.exitCode, 3);
  EXPECT_EQ(r.err, english.at(47) + ": " + english.at(50) + "\n");
  EXPECT_EQ(r.out, "");
}

TEST_F(GwctlFixture, ADeviceWithoutTheProductMarkIsRefused) {
  SimProcess sim(GWSIM_PATH, {"--tcp", "0", "--no-login", "--product", "Generic GSM modem"});
  ASSERT_TRUE(sim.ready()) << sim.error();
  const ProcessResult r = gwctl(lan(sim, {"identify"}));
  EXPECT_EQ(r.exitCode, 3);
  EXPECT_EQ(r.err, english.at(47) + ": " + english.at(51) + "\n");
}

TEST_F(GwctlFixture, AGatewaySilentAfterLoginIsNotIdentifiedWithinTheResponseTime) {
  // The device answers the greeting, the login and "AT", then nothing more.
  SimProcess sim(GWSIM_PATH, {"--tcp", "0", "--silent-after", "1"});
  ASSERT_TRUE(sim.ready()) << sim.error();
  const ProcessResult r = gwctl(lan(sim, {"--timeout", "1000", "identify"}));
  EXPECT_EQ(r.exitCode, 3);
  EXPECT_EQ(r.err, english.at(47) + ": " + english.at(51) + "\n");
  // Two 1 s login pauses, then "AT" and "ATI4" each given up after the response time plus a second of slack.
  EXPECT_LT(r.elapsedMs, 2'000 + 2 * 3'000 + 2'000);
}

TEST_F(GwctlFixture, WritesTheCommunicationLogOfANamedGatewayInItsFolder) {
  SimProcess sim(GWSIM_PATH, {"--tcp", "0"});
  ASSERT_TRUE(sim.ready()) << sim.error();
  ASSERT_EQ(gwctl({"gateway", "add", "Office", "--host", "127.0.0.1", "--port", std::to_string(sim.tcpPort()),
                   "--user", "admin", "--password", "admin"})
                .exitCode,
            0);
  const ProcessResult r = gwctl({"--gateway", "Office", "--lan", "127.0.0.1:" + std::to_string(sim.tcpPort()),
                                 "--log", "send", "AT\\r\\n"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_TRUE(r.out.starts_with("AT")) << r.out;
  EXPECT_TRUE(r.out.ends_with("\r\nOK\r\n")) << r.out;

  // Appending (the default) writes log.txt in the gateway's folder, opened once the gateway is identified;
  // each LAN command stands twice, stamped, and each reply once as received.
  const std::string log = readFile(home.file("Office/log.txt"));
  const std::string stamp = R"(->\[\d\d\.\d\d\.\d{4} \d\d:\d\d:\d\d\]\r\n)";
  EXPECT_TRUE(std::regex_search(log, std::regex("^" + stamp + "AT&M0\r\n" + stamp + "AT&M0\r\n<-AT&M0")))
      << log;
  EXPECT_TRUE(std::regex_search(log, std::regex(stamp + "AT\r\n" + stamp + "AT\r\n<-"))) << log;
  EXPECT_TRUE(log.ends_with("AT\r\n<-" + r.out)) << log;
}

TEST_F(GwctlFixture, AnUnnamedGatewayLogsIntoTheProgramFolderAndNewFilesNeverOverwrite) {
  SimProcess sim(GWSIM_PATH, {"--tcp", "0"});
  ASSERT_TRUE(sim.ready()) << sim.error();
  home.write("settings.ini", "[main]\nAppend=0\n");
  for (int i = 0; i < 2; ++i) ASSERT_EQ(gwctl(lan(sim, {"--log", "identify"})).exitCode, 0);
  int logs = 0;
  for (const auto& entry : std::filesystem::directory_iterator(home.path())) {
    if (std::regex_match(entry.path().filename().string(), std::regex(R"(\d+(_\d+)?\.txt)"))) ++logs;
  }
  EXPECT_EQ(logs, 2);
}

TEST_F(GwctlFixture, IdentifiesOverAPseudoTerminalAtTheFastestRateAnswered) {
  const std::string pty = home.file("ttyGW");
  SimProcess sim(GWSIM_PATH, {"--pty", pty, "--rates", "57600,115200", "--edition", "kestrin"});
  ASSERT_TRUE(sim.ready()) << sim.error();
  const ProcessResult r = gwctl({"--serial", pty, "--user", "admin", "--password", "admin", "identify"});
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_NE(r.out.find("[" + pty + "] " + english.at(213) + " , " + english.at(215) +
                       " 115200Bd/s, Velquin Kestrin\n"),
            std::string::npos)
      << r.out;
}

TEST_F(GwctlFixture, AMissingLanguageFileIsAFileErrorThatNamesTheFolder) {
  std::filesystem::remove(home.file("languages.ini"));
  const ProcessResult r = gwctl({"gateways"});
  EXPECT_EQ(r.exitCode, 4);
  EXPECT_EQ(
      r.err,
      "Error: Language file not found, program will be closed. Soubor s jazykovým nastavením nebyl nalezen, "
      "program bude ukončen. " +
          home.path() + "\n");
}

TEST_F(GwctlFixture, UsageErrorsAndHelp) {
  EXPECT_EQ(gwctl({"--frobnicate", "identify"}).exitCode, 2);
  EXPECT_EQ(gwctl({"identify", "extra"}).exitCode, 2);
  EXPECT_EQ(gwctl({"nonsense"}).exitCode, 2);
  // A typo is one line that names the likely word and where the rest is, not the usage text.
  struct Typo {
    std::vector<std::string> args;
    const char* line;
  };
  for (const Typo& t : {
           Typo{{"identfy"},
                "gwctl: unknown command \"identfy\"; did you mean identify? (see gwctl --help)\n"},
           Typo{{"--gatway", "Office", "load", "system"},
                "gwctl: unknown option --gatway; did you mean --gateway? (see gwctl --help)\n"},
           Typo{{"load", "sytem"}, "gwctl: unknown page \"sytem\"; did you mean system? (pages: "},
           Typo{{"gateway", "add", "Gw", "--hots", "10.0.0.1"},
                "gwctl: unknown gateway option --hots; did you mean --host? (see gwctl gateway --help)\n"},
           Typo{{"frobnicate"}, "gwctl: unknown command \"frobnicate\" (see gwctl --help)\n"},
       }) {
    const ProcessResult r = gwctl(t.args);
    EXPECT_EQ(r.exitCode, 2) << t.line;
    EXPECT_TRUE(r.err.starts_with(t.line)) << r.err;
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
  }
  const ProcessResult help = gwctl({"--help"});
  EXPECT_EQ(help.exitCode, 0);
  for (const char* word : {"identify", "send TEXT", "gateways", "--home", "--gateway", "--lan", "--serial",
                           "--user", "--password", "--timeout", "--log", "--no-log", "--yes"}) {
    EXPECT_NE(help.out.find(word), std::string::npos) << word;
  }
  const ProcessResult commandHelp = gwctl({"gateway", "--help"});
  EXPECT_EQ(commandHelp.exitCode, 0);
  EXPECT_NE(commandHelp.out.find("--fwport"), std::string::npos);
}

}  // namespace
}  // namespace gw::test

// gwctl time, log, cdr and stats against gwsim over the LAN and over a pseudo-terminal.

#include <chrono>

#include "gwctl_fixture.h"

namespace gw::test {
namespace {

class GwctlReports : public GwctlFixture {
 protected:
  void SetUp() override {
    GwctlFixture::SetUp();
    home.write("settings.ini", "[main]\nTimeout=1000\n");  // the wake-up line of the log waits this long
  }

  static std::vector<std::string> serial(const SimProcess& sim, std::vector<std::string> rest) {
    std::vector<std::string> args = {"--serial", sim.ptyPath(), "--user", "admin", "--password", "admin"};
    args.insert(args.end(), rest.begin(), rest.end());
    return args;
  }

  static std::size_t count(const std::string& text, const std::string& part) {
    std::size_t n = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
    return n;
  }
};

TEST_F(GwctlReports, TheClockIsSetOverTheLanAndReadOverTheSerialLine) {
  SimProcess sim(GWSIM_PATH, {"--tcp", "0", "--pty", home.file("ttyGW"), "--rates", "115200", "--log",
                              home.file("heard.txt")});
  ASSERT_TRUE(sim.ready()) << sim.error();
  const ProcessResult set = gwctl(lan(sim, {"time", "--set", "31.12.2026 23:59:58"}));
  EXPECT_EQ(set.exitCode, 0) << set.err;
  EXPECT_EQ(set.err, english.at(54) + ": " + english.at(66) + "\n");
  EXPECT_NE(readFile(home.file("heard.txt")).find("AT%S99=31.12.2026.4/23:59:58\n"), std::string::npos);

  const ProcessResult read = gwctl(serial(sim, {"time"}));
  EXPECT_EQ(read.exitCode, 0) << read.err;
  // The clock ran on from the value set: a few seconds later it is 31 December or already 1 January.
  const bool sameDay = read.out.starts_with("31.12.2026 23:59:");
  EXPECT_TRUE(sameDay || read.out.starts_with("01.01.2027 00:0")) << read.out;
  EXPECT_TRUE(read.out.ends_with(sameDay ? " Thursday\n" : " Friday\n")) << read.out;

  for (const char* bad : {"32.01.2026 10:00:00", "01.01.2026 25:00:00", "1.1.2026 10:00:00"}) {
    const ProcessResult refused = gwctl(lan(sim, {"time", "--set", bad}));
    EXPECT_EQ(refused.exitCode, 2) << bad;
  }
  EXPECT_EQ(count(readFile(home.file("heard.txt")), "AT%S99="), 1u);  // nothing sent for them
}

TEST_F(GwctlReports, TheLogComesWholeOverTheSerialLineWithOkInItsLinesAndIsAppendedToAFile) {
  SimProcess sim(GWSIM_PATH, {"--pty", home.file("ttyGW"), "--rates", "115200", "--ok-in-reports",
                              "--log-lines", "30", "--page-lines", "8"});
  ASSERT_TRUE(sim.ready()) << sim.error();
  const ProcessResult r = gwctl(serial(sim, {"log"}));
  EXPECT_EQ(r.exitCode, 0) << r.err;
  const std::vector<std::string> lines = splitFields(r.out, '\n');
  ASSERT_EQ(lines.size(), 32u) << r.out;  // header, 30 events and the final line feed
  EXPECT_EQ(lines.front(), "   date     time     event");
  EXPECT_EQ(lines[30], "01.03.26 08:46:53  Call out: LAN 1029 -> GSM2 +420601100029, 49 s");
  EXPECT_EQ(count(r.out, "Init: OK\n"), 6u);

  home.write("events.txt", "kept\r\n");
  const ProcessResult saved = gwctl(serial(sim, {"log", "-o", home.file("events.txt")}));
  EXPECT_EQ(saved.exitCode, 0) << saved.err;
  EXPECT_EQ(saved.out, "");
  const std::string file = readFile(home.file("events.txt"));
  EXPECT_TRUE(file.starts_with("kept\r\n\r\n[unnamed : ")) << file;
  // The same lines as on stdout, each ended by CR LF.
  std::string block;
  for (std::size_t i = 0; i + 1 < lines.size(); ++i) block += lines[i] + "\r\n";
  EXPECT_TRUE(file.ends_with("]\r\n\r\n" + block)) << file;
}

TEST_F(GwctlReports, DeletingRecordsAndClearingCountersChangeTheGatewayOverEitherLink) {
  SimProcess sim(GWSIM_PATH, {"--tcp", "0", "--pty", home.file("ttyGW"), "--rates", "115200", "--cdr-records",
                              "5", "--state", home.file("state.ini")});
  ASSERT_TRUE(sim.ready()) << sim.error();
  const ProcessResult deleted = gwctl(serial(sim, {"cdr", "--delete", "-o", home.file("cdr.txt")}));
  EXPECT_EQ(deleted.exitCode, 0) << deleted.err;
  EXPECT_EQ(count(readFile(home.file("cdr.txt")), "\r\n01.03.26 "), 5u);
  EXPECT_EQ(gwctl(lan(sim, {"cdr"})).out,
            "   date     time     type  cause   from/to groups  conn. durat.  aoc-info  gid\n");

  EXPECT_EQ(gwctl(lan(sim, {"stats", "--delete"})).exitCode, 0);
  const ProcessResult after = gwctl(serial(sim, {"stats"}));
  EXPECT_EQ(after.exitCode, 0) << after.err;
  EXPECT_NE(after.out.find("lan: outgoing minutes by group\n  group 1                               0\n"),
            std::string::npos)
      << after.out;
  EXPECT_NE(readFile(home.file("state.ini")).find("deleted_records=5\ngroups=0,0,0,0\n"), std::string::npos);
}

TEST_F(GwctlReports, AStalledGatewayEndsEveryTransferWithItsMessageAndKeepsWhatArrived) {
  SimProcess sim(GWSIM_PATH,
                 {"--tcp", "0", "--stall-reports", "1", "--page-lines", "4", "--cdr-records", "9"});
  ASSERT_TRUE(sim.ready()) << sim.error();
  struct Case {
    std::vector<std::string> args;
    int message;
    const char* kept;
  };
  const Case cases[] = {{{"log", "-o", home.file("log.out")}, 56, "01.03.26 08:03:14  SIP: registered"},
                        {{"cdr", "--delete", "-o", home.file("del.out")}, 62, "01.03.26 08:00:00 out"}};
  for (const Case& c : cases) {
    const auto start = std::chrono::steady_clock::now();
    const ProcessResult r = gwctl(lan(sim, c.args));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(30)) << c.args[0];
    EXPECT_EQ(r.exitCode, 1) << c.args[0];
    EXPECT_EQ(r.err, english.at(47) + ": " + english.at(c.message) + "\n" + english.at(54) + ": " +
                         english.at(75) + "\n")
        << c.args[0];
    EXPECT_NE(readFile(c.args.back()).find(c.kept), std::string::npos) << readFile(c.args.back());
  }
}

}  // namespace
}  // namespace gw::test

// The gateway's reports and clock as a client meets them: pages answered with a space, records confirmed with
// "#" and deleted, counters cleared, the clock set and running on, a stalled report, and the state file.

#include <gtest/gtest.h>

#include <string>

#include "options.h"
#include "sim_console.h"

namespace gwsim::test {
namespace {

std::int64_t localSeconds = daysFromCivil(2026, 1, 8) * 86400 + 9 * 3600 + 5 * 60 + 7;

DeviceConfig reportConfig(int logLines, int callRecords, bool okInRecords = false) {
  DeviceConfig config;
  config.pageLines = 4;
  config.reports = {Edition::Orvale, logLines, callRecords, okInRecords};
  config.localClock = [] { return localSeconds; };
  return config;
}

std::size_t count(const std::string& text, const std::string& part) {
  std::size_t n = 0;
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
  return n;
}

TEST(Reports, LogAndCallRecordsLeaveInPagesClosedByOk) {
  SimConsole console(Edition::Orvale, reportConfig(10, 5, true));
  const std::string log = console.collect("AT&L");
  EXPECT_EQ(count(log, "<SPACE>\r\n"), 2u);  // header and 10 lines, 4 a page
  EXPECT_TRUE(log.starts_with("AT&L\r\n   date     time     event\r\n01.03.26 08:00:00  GSM1: "));
  EXPECT_TRUE(endsWith(log, "\r\nOK\r\n"));
  EXPECT_EQ(count(log, "Init: OK\r\n"), 2u);  // --ok-in-reports
  const std::string calls = console.collect("AT&C");
  EXPECT_EQ(count(calls, "\r\n"), 1u + 6u + 1u + 1u);  // echo, header and 5 records, one page mark, OK
  EXPECT_NE(calls.find("00:01:29" + std::string(12, ' ') + "3\r\n"), std::string::npos) << calls;
}

TEST(Reports, RecordsHandedOverOneByOneAreDeletedWhenConfirmed) {
  SimConsole console(Edition::Orvale, reportConfig(0, 3));
  EXPECT_TRUE(console.send("AT&CR\r").starts_with("AT&CR\r\n01.03.26 08:00:00 out "));
  EXPECT_TRUE(console.send("#").starts_with("01.03.26 08:11:00 in "));
  EXPECT_EQ(console.send("\r\n"), "\r\n\r\n");  // any other key ends the transfer; the record sent stays
  EXPECT_EQ(console.device.reportState(), "[reports]\ndeleted_records=1\n");
  console.send("AT&CR\r");
  console.send("#");
  EXPECT_EQ(console.send("#"), "#");  // none left
  EXPECT_EQ(console.reply("AT&CR"), "\r\nOK\r\n");
  EXPECT_EQ(console.reply("AT&C"),
            "   date     time     type  cause   from/to groups  conn. durat.  aoc-info  gid\r\nOK\r\n");
}

TEST(Reports, CountersAreSetAsAWholeAndKeptInTheState) {
  SimConsole console(Edition::Orvale, reportConfig(0, 0));
  EXPECT_NE(console.reply("AT&TOUT").find("group 4                              45\r\n"), std::string::npos);
  for (const char* command : {"at%tgall=0,0,0,0", "at%tiall=0,0", "at%tmall=0,0,0,0,0,0"})
    EXPECT_EQ(console.reply(command), "\r\nOK\r\n") << command;
  for (const char* command : {"at%tgall=0,0,0", "at%tiall=0,x", "at%txall=0"})
    EXPECT_EQ(console.reply(command), "\r\nERROR\r\n") << command;
  EXPECT_EQ(console.reply("AT&TIN").find("1523"), std::string::npos);
  const std::string state = console.device.reportState();
  EXPECT_EQ(state, "[reports]\ngroups=0,0,0,0\nincoming=0,0\nmodules=0,0,0,0,0,0\n");

  SimConsole restarted(Edition::Orvale, reportConfig(0, 0));
  EXPECT_TRUE(restarted.device.applyReportState("[registers]\nS70=1\n" + state + "bogus=1\n").size() == 1);
  EXPECT_EQ(restarted.device.reportState(), state);
}

TEST(Reports, TheClockRunsOnFromTheValueSetAndRefusesWhatIsNoTime) {
  SimConsole console(Edition::Orvale, reportConfig(0, 0));
  EXPECT_NE(console.reply("AT&V").find("\r\nS98=\r\nS99=8.1.2026.4/9:05:07\r\nX20="), std::string::npos);
  EXPECT_EQ(console.reply("AT%S99=31.12.2026.2/23:59:58"), "\r\nOK\r\n");
  localSeconds += 3;
  EXPECT_NE(console.reply("AT&V").find("S99=1.1.2027.3/0:00:01\r\n"), std::string::npos);
  for (const char* bad :
       {"AT%S99=00.00.0000.1/14:05:00", "AT%S99=31.02.2026.1/10:00:00", "AT%S99=08.12.2026.1/24:00:00",
        "AT%S99=08.12.2026.8/10:00:00", "AT%S99=08.12.2026.1"})
    EXPECT_EQ(console.reply(bad), "\r\nERROR\r\n") << bad;
  EXPECT_TRUE(console.device.reportState().starts_with("[reports]\nclock="));
}

TEST(Reports, AStalledReportSendsHalfAPageAndSwallowsItsKeysUntilAnotherByte) {
  DeviceConfig config = reportConfig(10, 3);
  config.stallReportsAfter = 1;
  SimConsole console(Edition::Orvale, config);
  console.send("AT&L\r");
  const std::string half = console.send(" ");
  EXPECT_FALSE(half.empty());
  EXPECT_EQ(half.find("<SPACE>"), std::string::npos);
  EXPECT_EQ(console.send(" "), "");
  EXPECT_EQ(console.reply("AT"), "\r\nOK\r\n");  // the console takes commands again

  console.send("AT&CR\r");
  console.send("#");                 // the second record, cut
  EXPECT_EQ(console.send("#"), "");  // unanswered, and nothing more is deleted
  EXPECT_EQ(console.device.reportState(), "[reports]\ndeleted_records=1\n");
}

TEST(Reports, OptionsSizeTheReportsAndChooseTheirFailures) {
  const ParsedOptions parsed = parseOptions(
      {"--tcp", "0", "--log-lines", "5000", "--cdr-records", "0", "--ok-in-reports", "--stall-reports", "2"});
  ASSERT_TRUE(parsed.options) << parsed.error;
  EXPECT_EQ(parsed.options->logLines, 5000);
  EXPECT_EQ(parsed.options->callRecords, 0);
  EXPECT_TRUE(parsed.options->okInReports);
  EXPECT_EQ(parsed.options->stallReports, 2);
  EXPECT_FALSE(parseOptions({"--tcp", "0", "--log-lines", "-1"}).options);
}

}  // namespace
}  // namespace gwsim::test

// The three report pages against a scripted LAN gateway on the fake clock: paging, the marks that end a
// report, time limits, deletion and clearing, and "Save to file".
#include <signal.h>
#include <sys/resource.h>

#include "online/report_file.h"
#include "online/report_readers.h"
#include "online/report_text.h"
#include "online/report_tools.h"
#include "program/program_fixture.h"

namespace gw::test {
namespace {

struct ReportsFixture : ProgramFixture {
  void SetUp() override {
    ProgramFixture::SetUp();
    scriptGateway();
    ASSERT_TRUE(program->connection.commConnect(false));
    host.clear();
    peer.received.clear();
  }

  // The first page answers `command`, each further page one space.
  void pages(const std::string& command, const std::vector<std::string>& replies,
             const std::string& key = " ") {
    for (std::size_t i = 0; i < replies.size(); ++i) peer.answerOnce(i == 0 ? command : key, replies[i]);
  }

  std::size_t sent(const std::string& bytes) const {
    std::size_t count = 0;
    for (std::size_t at = peer.received.find(bytes); at != std::string::npos;
         at = peer.received.find(bytes, at + 1))
      ++count;
    return count;
  }
};

TEST(ReportText, BlankRunsAndClosingLines) {
  const std::string gap12(12, ' ');
  const std::string gap9(9, ' ');
  const std::string gap10(10, ' ');
  EXPECT_EQ(shrinkBlankRuns("a" + gap12 + "b" + gap12 + "c"), "a  b  c");
  EXPECT_EQ(shrinkBlankRuns("a" + gap9 + "b"), "a" + gap9 + "b");
  // A run that starts among the last 11 characters stays.
  EXPECT_EQ(shrinkBlankRuns("012345678" + gap10 + "xy"), "012345678  xy");
  EXPECT_EQ(shrinkBlankRuns("0123456789" + gap10 + "x"), "0123456789" + gap10 + "x");
  EXPECT_EQ(closingOkAt("line\r\nOK\r\n"), 4u);
  EXPECT_EQ(closingOkAt("OK\r\n"), 0u);
  EXPECT_FALSE(closingOkAt("GSM2: Init: OK\r\n"));
  EXPECT_FALSE(closingOkAt("\r\nOK\r\nmore"));
  EXPECT_EQ(closingErrorAt("AT&L\r\n\r\nERROR\r\n"), 6u);
}

TEST_F(ReportsFixture, TheLogPagesAreAnsweredWithOneSpaceEachAndAnOkInARecordEndsNothing) {
  pages("AT&L\r", {"AT&L\r\n   date  event\r\nfirst\r\n<SPACE>\r\n",
                   "GSM1: Init: OK\r\nsecond\r\n<SPACE>\r\n", "third\r\nGSM2: Init: OK\r\nOK\r\n"});
  LogTool& log = program->tool<LogTool>();
  EXPECT_EQ(log.load(), ReportOutcome::Done);
  EXPECT_EQ(log.lines(), (std::vector<std::string>{"   date  event", "first", "GSM1: Init: OK", "second",
                                                   "third", "GSM2: Init: OK"}));
  EXPECT_EQ(sent("AT&L\r"), 1u);
  EXPECT_EQ(sent(" "), 2u);
  EXPECT_EQ(host.messageLabels(), std::vector<int>{61});
}

TEST_F(ReportsFixture, AStalledLogEndsWithinItsLimitAndKeepsWhatArrived) {
  pages("AT&L\r", {"AT&L\r\n   date  event\r\nfirst\r\n<SPACE>\r\n", "second\r\nthi"});
  LogTool& log = program->tool<LogTool>();
  std::int64_t lastData = 0;
  clock.onWait([&] {
    if (peer.received.find(' ') != std::string::npos && lastData == 0) lastData = clock.nowMs();
  });
  EXPECT_EQ(log.load(), ReportOutcome::Failed);
  const std::int64_t silent = clock.nowMs() - lastData;
  EXPECT_GT(silent, 5000);
  EXPECT_LT(silent, 10'000);
  EXPECT_EQ(log.lines(), (std::vector<std::string>{"   date  event", "first", "second", "thi"}));
  EXPECT_EQ(host.messageLabels(), std::vector<int>{56});
}

TEST_F(ReportsFixture, CallRecordsComeInPagesWithTheirLongGapsShrunk) {
  const std::string gap(12, ' ');
  pages("AT&C\r", {"AT&C\r\n   date  gid\r\nr1" + gap + "1\r\n<SPACE>\r\n",
                   "r2" + gap + "OK    2\r\n<SPACE>\r\n", "r3" + std::string(9, ' ') + "3\r\nOK\r\n"});
  CallTool& calls = program->tool<CallTool>();
  EXPECT_EQ(calls.load(), ReportOutcome::Done);
  EXPECT_EQ(calls.lines(),
            (std::vector<std::string>{"   date  gid", "r1  1", "r2  OK    2", "r3         3"}));
  EXPECT_EQ(sent(" "), 2u);
  EXPECT_TRUE(peer.received.ends_with(" \r\n\r\n\r\n"));  // the listing is closed with empty lines
  EXPECT_EQ(host.messageLabels(), std::vector<int>{61});
}

TEST_F(ReportsFixture, AStalledCallListingFailsWithinItsPageLimit) {
  pages("AT&C\r", {"AT&C\r\n   date  gid\r\nr1\r\n<SPACE>\r\n", "r2\r\n"});
  CallTool& calls = program->tool<CallTool>();
  const std::int64_t start = clock.nowMs();
  EXPECT_EQ(calls.load(), ReportOutcome::Failed);
  EXPECT_LT(clock.nowMs() - start, 25'000);  // a page of 10 s, then the closing exchanges
  EXPECT_EQ(calls.lines(), (std::vector<std::string>{"   date  gid", "r1", "r2", ""}));
  EXPECT_EQ(host.messageLabels(), std::vector<int>{62});
}

TEST_F(ReportsFixture, RecordByRecordEachIsConfirmedWithAHashUntilTheGatewayHasNoMore) {
  pages("AT&CR\r", {"AT&CR\r\nrecord 1 OK\r\n", "record 2\r\n", "#"}, "#");
  CallTool& calls = program->tool<CallTool>();
  EXPECT_EQ(calls.load(true), ReportOutcome::Done);
  const std::vector<std::string> lines = calls.lines();
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[0], kCallRecordsHeader);
  EXPECT_EQ(lines[1], std::string(78, '-'));
  EXPECT_EQ(lines[2], "record 1 OK");
  EXPECT_EQ(lines[3], "record 2");
  EXPECT_EQ(sent("#"), 2u);

  // A gateway that falls silent before its "#" has not handed everything over.
  host.clear();
  pages("AT&CR\r", {"AT&CR\r\nrecord 3\r\n"}, "#");
  EXPECT_EQ(calls.load(true), ReportOutcome::Failed);
  EXPECT_EQ(calls.lines().back(), "record 3");
  EXPECT_EQ(host.messageLabels(), std::vector<int>{62});
}

// A gateway that never ends its listing: every space brings another page. The transfer stops once it has
// read more than any gateway holds, keeps what it read, and says the report was cut short.
TEST_F(ReportsFixture, AnEndlessListingStopsAtTheReportCap) {
  peer.answer(" ", std::string(64 * 1024, 'y') + "\r\n<SPACE>\r\n");
  peer.answer("#", std::string(3000, 'z') + "\r\n");
  const struct {
    std::string command;
    int message;
  } cases[] = {{"AT&L\r", 56}, {"AT&C\r", 62}, {"AT&CR\r", 62}};
  for (const auto& c : cases) {
    host.clear();
    peer.answerOnce(c.command, c.command + "\n   date  gid\r\n<SPACE>\r\n");
    ReportTool& tool = c.command == "AT&L\r" ? static_cast<ReportTool&>(program->tool<LogTool>())
                                             : program->tool<CallTool>();
    EXPECT_EQ(tool.load(c.command == "AT&CR\r"), ReportOutcome::Failed) << c.command;
    std::size_t kept = 0;
    for (const std::string& line : tool.lines()) kept += line.size();
    EXPECT_GT(kept, kMaxReportBytes / 2) << c.command;
    EXPECT_LE(kept, kMaxReportBytes) << c.command;
    EXPECT_EQ(host.messageLabels(), std::vector<int>{c.message}) << c.command;
  }
}

TEST_F(ReportsFixture, StatisticsAreClearedOnlyOnceBothPartsArrivedWhole) {
  StatisticsTool& stats = program->tool<StatisticsTool>();
  peer.answer("AT&TIN\r", "AT&TIN\r\nlan: in\r\n  SIP: OK\r\nOK\r\n");
  peer.answerOnce("AT&TOUT\r", "AT&TOUT\r\nnetwork: out 5\r\nOK\r\n");
  EXPECT_EQ(stats.load(true), ReportOutcome::Done);
  // Clearing starts its text at "lan" only.
  EXPECT_EQ(stats.lines(), (std::vector<std::string>{"lan: in", "  SIP: OK", ""}));
  EXPECT_NE(peer.received.find("at%tgall=0,0,0,0\r\nat%tiall=0,0\r\nat%tmall=0,0,0,0,0,0\r\n"),
            std::string::npos);

  host.clear();
  peer.received.clear();
  peer.answerOnce("AT&TOUT\r", "AT&TOUT\r\nlan: out\r\n");  // the rest never comes
  const std::int64_t start = clock.nowMs();
  EXPECT_EQ(stats.load(true), ReportOutcome::Failed);
  EXPECT_LT(clock.nowMs() - start, 8000);
  EXPECT_EQ(stats.lines(), (std::vector<std::string>{"lan: in", "  SIP: OK", "lan: out", ""}));
  EXPECT_EQ(peer.received.find("at%t"), std::string::npos);
  EXPECT_EQ(host.messageLabels(), std::vector<int>{62});
}

TEST_F(ReportsFixture, SavingAppendsABlockPerSaveAndAFailureLeavesTheFileAsItWas) {
  LogTool& log = program->tool<LogTool>();
  EXPECT_EQ(log.saveToFile(), SaveOutcome::Empty);
  log.memo.set("one\ntwo");
  log.fileEdit.set(home.file("report.txt"));
  EXPECT_EQ(log.saveToFile(), SaveOutcome::Saved);
  EXPECT_EQ(log.saveToFile(), SaveOutcome::Saved);
  const LocalTime t = clock.localTime();
  char stamp[32];
  std::snprintf(stamp, sizeof stamp, "%02d.%02d.%04d %02d:%02d:%02d", t.day, t.month, t.year, t.hour,
                t.minute, t.second);
  const std::string block = "\r\n[Gw1 : " + std::string(stamp) + "]\r\n\r\none\r\ntwo\r\n";
  EXPECT_EQ(readFile(home.file("report.txt")), block + block);

  // A write cut short by a file size limit takes its part back.
  struct rlimit before {};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &before), 0);
  const sighandler_t oldHandler = signal(SIGXFSZ, SIG_IGN);
  struct rlimit limited = before;
  limited.rlim_cur = static_cast<rlim_t>(block.size() * 2 + 10);
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
  const SaveOutcome cut = log.saveToFile();
  setrlimit(RLIMIT_FSIZE, &before);
  signal(SIGXFSZ, oldHandler);
  EXPECT_EQ(cut, SaveOutcome::Failed);
  EXPECT_EQ(readFile(home.file("report.txt")), block + block);

  log.fileEdit.set(home.path());  // a folder
  EXPECT_EQ(log.saveToFile(), SaveOutcome::Failed);
  EXPECT_EQ(host.messageLabels(), (std::vector<int>{75, 75, 60, 60}));
}

TEST_F(ReportsFixture, TheFileChooserStartsWithoutTxtAndAddsIt) {
  StatisticsTool& stats = program->tool<StatisticsTool>();
  EXPECT_EQ(stats.fileEdit.text, program->selection.toolFiles().statistics);  // the selected gateway's
  stats.fileEdit.set("/data/v1.2/Statistics.txt");
  host.files = {std::string("/data/v1.2/monthly"), std::nullopt};
  stats.sbStatFileClick();
  EXPECT_EQ(host.events.back().text, "/data/v1.2/Statistics");
  EXPECT_EQ(stats.fileEdit.text, "/data/v1.2/monthly.txt");
  stats.sbStatFileClick();  // cancelled
  EXPECT_EQ(stats.fileEdit.text, "/data/v1.2/monthly.txt");
}

}  // namespace
}  // namespace gw::test

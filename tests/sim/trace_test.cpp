// The simulator's tracing: the commands that start and stop it, what it sends, and how fast.
#include <gtest/gtest.h>

#include <string>

#include "command.h"
#include "device.h"
#include "identity.h"
#include "options.h"
#include "session.h"
#include "trace.h"

namespace gwsim {
namespace {

TEST(TraceCommands, StartTakesATypeAndALevelOfTwoToFourAndRxStops) {
  struct Row {
    const char* line;
    CommandKind kind;
    char type;
    int level;
  };
  const Row rows[] = {
      {"AT!L2", CommandKind::TraceStart, 'L', 2}, {"at!r4", CommandKind::TraceStart, 'R', 4},
      {"AT!RX", CommandKind::TraceStop, 0, 0},    {"AT!L5", CommandKind::Unknown, 0, 0},
      {"AT!L", CommandKind::Unknown, 0, 0},       {"AT!X2", CommandKind::Unknown, 0, 0},
  };
  for (const Row& row : rows) {
    const Command command = parseCommand(row.line);
    EXPECT_EQ(command.kind, row.kind) << row.line;
    EXPECT_EQ(command.traceType, row.type) << row.line;
    EXPECT_EQ(command.traceLevel, row.level) << row.line;
  }
}

TEST(TraceCommands, TheSessionStartsWithTheDetailsOfS92AndStops) {
  Transcript transcript;
  DeviceConfig config;
  config.identity = identityFor(SimOptions{});
  config.loginEnabled = false;
  Device device(config, RegisterStore(), transcript);
  Session session(device);
  EXPECT_EQ(session.feed("AT%S92=32\r").out.back().bytes, "\r\nERROR\r\n");  // 0..31
  session.feed("AT%S92=10\r");
  const FeedResult started = session.feed("AT!R3\r");
  ASSERT_TRUE(started.trace && started.trace->start);
  EXPECT_EQ(started.trace->settings.type, 'R');
  EXPECT_EQ(started.trace->settings.level, 3);
  EXPECT_EQ(started.trace->settings.details, 10);
  const FeedResult stopped = session.feed("AT!RX\r");
  ASSERT_TRUE(stopped.trace);
  EXPECT_FALSE(stopped.trace->start);
  EXPECT_EQ(stopped.out.back().bytes, "\r\nOK\r\n");
}

TEST(TraceGenerator, KindsFollowTypeLevelAndDetails) {
  const auto names = [](const TraceSettings& settings) {
    std::string all;
    for (const std::string& kind : traceKinds(settings)) all += kind.substr(0, kind.find('\t')) + " ";
    return all;
  };
  EXPECT_EQ(names({'L', 2, 0}), "IP TCP TELNET ");
  EXPECT_EQ(names({'L', 4, 0}), "TELNET ");
  EXPECT_EQ(names({'R', 3, kTraceSmp | kTraceLcr}), "L3 L4 SMP LCR ");
  EXPECT_EQ(names({'R', 4, 31}), "L4 STATE-L34 SMP STATE-L2 LCR ");
}

TEST(TraceGenerator, NumberedLinesLeaveAtTheRateInBatches) {
  TraceGenerator trace(2000);
  EXPECT_FALSE(trace.nextDueMs());
  trace.start({'R', 4, kTraceTimestamp}, 1000);
  EXPECT_EQ(*trace.nextDueMs(), 1010);  // not more often than every 10 ms
  EXPECT_TRUE(trace.due(1005).empty());
  std::vector<std::string> lines = trace.due(1010);
  ASSERT_EQ(lines.size(), 20u);
  EXPECT_EQ(lines.front(), "[00:00:00.010] L4 #000001 SIP INVITE sip:100@192.168.1.10\r\n");
  EXPECT_EQ(lines.back().substr(15, 10), "L4 #000020");
  EXPECT_EQ(trace.due(2010).size(), 2000u);  // 2020 lines are due 1010 ms after the start
  trace.stop();
  EXPECT_TRUE(trace.due(3000).empty());
}

}  // namespace
}  // namespace gwsim

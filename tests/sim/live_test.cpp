// The modules, their signal levels and the calls in progress as they change with the steps of the live
// state, and the login account a client sets through X80.

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "sim_console.h"

namespace gwsim::test {
namespace {

constexpr std::int64_t kStepMs = 1000;

// The fake clock comes first: the device reads it while it is built.
struct FakeNow {
  std::int64_t now = 0;
};

struct LiveConsole : FakeNow, SimConsole {
  explicit LiveConsole(std::set<int> off = {}, Edition edition = Edition::Orvale)
      : SimConsole(edition, config(now, std::move(off), edition)) {}

  static DeviceConfig config(std::int64_t& clock, std::set<int> off, Edition edition) {
    DeviceConfig c;
    c.clock = [&clock] { return clock; };
    c.live = {edition, kStepMs, std::move(off)};
    return c;
  }
};

std::string valueOf(const std::string& reply, const std::string& key) {
  const std::size_t at = reply.find(key);
  if (at == std::string::npos) return "<none>";
  const std::size_t start = at + key.size();
  return reply.substr(start, reply.find('\r', start) - start);
}

TEST(Live, ModulesRoamAndTheirLevelsMoveWithinTheirRangeStepByStep) {
  LiveConsole console({3});
  std::set<std::string> networks;
  std::set<int> levels;
  for (int step = 0; step < 40; ++step) {
    console.now = step * kStepMs;
    const std::string state = console.reply("AT&S01");
    EXPECT_EQ(valueOf(state, "Layer3: "), "registered");
    networks.insert(valueOf(state, "Network: "));
    const int level = std::stoi(valueOf(console.reply("AT&Q1"), "Signal: (g01) "));
    EXPECT_GE(level, -113);
    EXPECT_LE(level, -51);
    levels.insert(level);
  }
  EXPECT_EQ(networks.size(), 2u);  // home and roaming
  EXPECT_GT(levels.size(), 4u);

  const std::string off = console.reply("AT&S03");
  EXPECT_EQ(valueOf(off, "Layer3: "), "no-sim");
  EXPECT_EQ(valueOf(off, "Simid: "), "<none>");
  EXPECT_EQ(console.reply("AT&Q3"), "\r\nSignal: (g03) unknown\r\n\r\nOK\r\n");
  EXPECT_EQ(console.reply("AT&S04"), kError);
  EXPECT_EQ(console.reply("AT&Q9"), kError);

  LiveConsole kestrin({}, Edition::Kestrin);
  EXPECT_EQ(valueOf(kestrin.reply("AT&S02"), "Layer2: "), "none");
  EXPECT_NE(kestrin.reply("AT&Q2").find("unknown"), std::string::npos);
}

TEST(Live, CallsStartRingAndEndWhileTheirDurationsRun) {
  LiveConsole console({1, 2, 3});  // module 0 alone
  std::string states;
  for (int step = 0; step < 9; ++step) {
    console.now = step * kStepMs + 500;
    const std::string calls = console.reply("AT&X");
    EXPECT_NE(calls.find("\r\ncha-layer3     dir calling"), std::string::npos) << calls;
    const std::size_t line = calls.find("gsm0 ");
    states += line == std::string::npos ? '-' : calls[line + 6];
    if (step == 3) {
      EXPECT_NE(calls.find(" 00:00:01\r\n"), std::string::npos) << calls;
    }
  }
  EXPECT_EQ(states, "ilcccc---");  // dialing, alerting, active for four steps, then no call
  console.now = 9 * kStepMs;
  EXPECT_NE(console.reply("AT&X").find("Calls in progress: 1\r\n"), std::string::npos);
}

TEST(Live, TheLoginAccountIsSetAndRemovedForTheLoginsThatFollow) {
  SimConsole console;
  EXPECT_EQ(console.reply("AT%X80=bob/pw1"), kOk);
  Session next(console.device);
  EXPECT_FALSE(next.loggedIn());
  next.feed("bob\r");
  next.feed("pw1\r");
  EXPECT_TRUE(next.loggedIn());

  for (const char* bad :
       {"AT%X80=bob", "AT%X80=/pw", "AT%X80=bob/", "AT%X80=b-b/pw", "AT%X80=bob45678901/pw12"})
    EXPECT_EQ(console.reply(bad), kError) << bad;
  EXPECT_TRUE(console.device.acceptsLogin("bob", "pw1"));

  EXPECT_EQ(console.reply("AT%X80="), kOk);
  EXPECT_TRUE(Session(console.device).loggedIn());
}

}  // namespace
}  // namespace gwsim::test

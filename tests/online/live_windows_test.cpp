// The diagnostic calls and actual calls windows on the fake clock against a scripted LAN gateway: what a
// poll reads and shows, the polls' guard against overlapping exchanges, and how the windows give up.

#include "base/caption_ids.h"
#include "online/actual_calls.h"
#include "online/diagnostics.h"
#include "program/program_fixture.h"

namespace gw::test {
namespace {

std::string moduleReply(int m, const std::string& lines) {
  return "AT&S0" + std::to_string(m) + "\r\n\r\n" + lines + "\r\n\r\nOK\r\n";
}

std::string signalReply(int m, const std::string& level) {
  return "AT&Q" + std::to_string(m) + "\r\n\r\nSignal: (g0" + std::to_string(m) + ") " + level +
         "\r\n\r\nOK\r\n";
}

std::size_t count(const std::string& text, const std::string& part) {
  std::size_t n = 0;
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
  return n;
}

TEST(LiveReplies, ValuesSignalsAndCallsAreTakenAsTheWindowsShowThem) {
  const auto values = moduleStateValues(
      "\r\nLayer2: up\r\nLayer3:   registered now\r\nNetwork: NetBeta\r\nNetid: 23002\r\nModid: "
      "GM-400\r\n\r\nOK\r\n");
  EXPECT_EQ(values[0], "up");
  EXPECT_EQ(values[1], "registered");  // spaces skipped, the value ends at the next one
  EXPECT_EQ(values[2], "NetBeta");
  EXPECT_EQ(values[3], "23002");
  EXPECT_EQ(values[4], "");  // no Netcell
  EXPECT_EQ(values[8], "");  // no Simid

  struct Signal {
    const char* reply;
    int module;
    const char* shown;
    std::optional<int> dbm;
  };
  const Signal signals[] = {{"\r\nSignal: (g02) -71\r\nOK\r\n", 2, "-71 dBm", -71},
                            {"\r\nSignal: (g02) unknown\r\nOK\r\n", 2, "", std::nullopt},
                            {"\r\nSignal: (g01) -71\r\nOK\r\n", 2, "", std::nullopt},  // another module's
                            {"\r\nERROR\r\n", 0, "", std::nullopt}};
  for (const Signal& s : signals) {
    const SignalReading reading = signalReading(s.reply, s.module);
    EXPECT_EQ(reading.shown, s.shown) << s.reply;
    EXPECT_EQ(reading.dbm, s.dbm) << s.reply;
  }

  EXPECT_EQ(actualCallsText("AT&X\r\n\r\nCalls: 1\r\ncha-layer3 dir\r\ngsm0 out OKSANA\r\n\r\nOK\r\n"),
            "cha-layer3 dir\r\ngsm0 out OKSANA\r\n");
  EXPECT_EQ(actualCallsText("AT&X\r\n\r\nERROR\r\n"), "AT&X\r\n\r\nERROR\r\n");
}

struct LiveFixture : ProgramFixture {
  std::vector<bool> windowEvents;

  void SetUp() override {
    ProgramFixture::SetUp();
    peer.answerOnce("\r\n", "\r\nQN login: ");
    peer.answerOnce("admin\r", "admin\r\nPassword: ");
    peer.answerOnce("admin\r", "\r\nOK\r\n");
    peer.answer("ATI4\r\n", "ATI4\r\n\r\nSNumber: Q2041-00017\r\n\r\nOK\r\n");
    peer.answer("ATI3\r\n", "ATI3\r\n\r\nVelquin Orvale QN4\r\nB-01.05 V-03.00.05 \r\n\r\nOK\r\n");
    peer.answer("AT\r\n", "AT\r\n\r\nOK\r\n");
    peer.answer("AT&M0\r\n", "AT&M0\r\n\r\nOK\r\n");
    diag().onWindow = [this](bool open) { windowEvents.push_back(open); };
    actual().onWindow = [this](bool open) { windowEvents.push_back(open); };
  }

  DiagTool& diag() { return program->tool<DiagTool>(); }
  ActualTool& actual() { return program->tool<ActualTool>(); }

  void scriptModules(const std::string& level = "-71") {
    for (int m = 0; m < kGsmModules; ++m) {
      peer.answer("AT&S0" + std::to_string(m) + "\r\n",
                  moduleReply(m, "Layer2: up\r\nNetwork: Net" + std::to_string(m) + "\r\nSimid: 894" +
                                     std::to_string(m)));
      peer.answer("AT&Q" + std::to_string(m) + "\r\n", signalReply(m, level));
    }
  }

  void choose(int topic) { program->topics.tvTopicClick(program->topics.topicText(topic)); }
};

TEST_F(LiveFixture, TheDiagnosticTopicOpensTheWindowOverADisabledMainWindowAndPollsEveryModule) {
  scriptModules();
  choose(26);
  EXPECT_EQ(windowEvents, (std::vector<bool>{true}));
  EXPECT_FALSE(host.mainEnabled);
  EXPECT_TRUE(program->anyToolKeepsLinkBusy());  // the keep-alive stays quiet between the polls
  EXPECT_EQ(program->window.title, captionOf(26));
  const std::size_t first = peer.received.find("AT&S00\r\n");
  ASSERT_NE(first, std::string::npos);
  EXPECT_EQ(peer.received.substr(first),
            "AT&S00\r\nAT&Q0\r\nAT&S01\r\nAT&Q1\r\nAT&S02\r\nAT&Q2\r\nAT&S03\r\nAT&Q3\r\n");
  for (int m = 0; m < kGsmModules; ++m) {
    const DiagTool::ModuleLabels& labels = diag().modules[static_cast<std::size_t>(m)];
    EXPECT_EQ(labels.values[0].text, "up");
    EXPECT_EQ(labels.values[2].text, "Net" + std::to_string(m));
    EXPECT_EQ(labels.values[3].text, "");
    EXPECT_EQ(labels.signal.text, "-71 dBm");
    EXPECT_EQ(diag().history(m).size(), 1u);
  }

  diag().sbOkClick();
  EXPECT_EQ(windowEvents, (std::vector<bool>{true, false}));
  EXPECT_TRUE(host.mainEnabled);
  EXPECT_FALSE(program->anyToolKeepsLinkBusy());
  const std::string before = peer.received;
  diag().tick();  // a timer that fires once more after the close
  EXPECT_EQ(peer.received, before);
}

TEST_F(LiveFixture, APollNeverStartsDuringAnotherExchangeNorInsideItself) {
  scriptModules();
  choose(26);
  const std::size_t polls = count(peer.received, "AT&S00");
  // The window's timer fires while an exchange waits, and while the poll itself keeps the window alive.
  clock.onWait([this] { diag().tick(); });
  program->link.commSend("AT\r\n");
  program->link.commReceive(64);
  EXPECT_EQ(count(peer.received, "AT&S00"), polls);
  diag().tick();
  EXPECT_EQ(count(peer.received, "AT&S00"), polls + 1);
  EXPECT_EQ(count(peer.received, "AT&Q3"), polls + 1);
}

TEST_F(LiveFixture, AGatewaySilentMidPollEndsThePollWithinTheReplyLimitAndTheWindowGivesUpWithOneMessage) {
  scriptModules();
  choose(26);
  peer.answerOnce("AT&S01\r\n", moduleReply(1, "Layer2: down"));  // the second module's state, then silence
  peer.answerOnce("AT&Q1\r\n", "");
  const std::int64_t start = clock.nowMs();
  diag().tick();
  EXPECT_LE(clock.nowMs() - start, program->link.timeoutMs + 1000);  // one reply limit, not one per module
  EXPECT_EQ(diag().modules[1].values[0].text, "down");
  EXPECT_EQ(diag().modules[1].signal.text, "-71 dBm");  // kept from the poll before
  EXPECT_EQ(count(peer.received, "AT&S02"), 1u);

  peer.closeAfter(0);  // from here on nothing answers
  for (int tick = 0; tick < 4; ++tick) diag().tick();
  EXPECT_TRUE(diag().windowOpen());
  EXPECT_TRUE(host.messageLabels().empty());
  diag().tick();  // the fifth tick after the last good poll
  EXPECT_FALSE(diag().windowOpen());
  EXPECT_EQ(host.messageLabels(), (std::vector<int>{cap::kLinkLost}));
  EXPECT_FALSE(program->link.comm.connected);
  EXPECT_TRUE(host.mainEnabled);
}

TEST_F(LiveFixture, ARefusingGatewayClosesTheWindowWithOneMessageAndTheWindowOpensAgainAfterwards) {
  peer.answer("AT&S00\r\n", "AT&S00\r\n\r\nERROR\r\n");
  choose(26);  // the poll at opening is the first that fails
  for (int tick = 0; tick < 3; ++tick) diag().tick();
  EXPECT_TRUE(diag().windowOpen());
  diag().tick();
  EXPECT_FALSE(diag().windowOpen());
  EXPECT_EQ(host.messageLabels(), (std::vector<int>{cap::kCommunicationFailed}));
  EXPECT_TRUE(program->link.comm.connected);

  const std::size_t polls = count(peer.received, "AT&S00");
  choose(26);  // a fresh count: the window polls instead of closing at once
  EXPECT_TRUE(diag().windowOpen());
  EXPECT_EQ(count(peer.received, "AT&S00"), polls + 1);
}

TEST_F(LiveFixture, TheSignalHistoryKeepsTenMinutesAndNoMore) {
  scriptModules("-80");
  choose(26);
  for (int tick = 0; tick < 200; ++tick) {
    clock.advance(DiagTool::kPollIntervalMs);
    diag().tick();
  }
  const std::deque<SignalSample>& kept = diag().history(3);
  ASSERT_FALSE(kept.empty());
  EXPECT_LE(clock.nowMs() - kept.front().ms, DiagTool::kHistoryMs);
  EXPECT_GE(clock.nowMs() - kept.front().ms, DiagTool::kHistoryMs - DiagTool::kPollIntervalMs);
  EXPECT_EQ(kept.back().dbm, -80);
}

TEST_F(LiveFixture, ActualCallsShowTheGatewaysTableAndCloseOnTheFifthTickAfterTheLastRead) {
  peer.answerOnce("AT&X\r\n", "AT&X\r\n\r\nCalls in progress: 1\r\ncha-layer3 dir\r\ngsm0 out\r\n\r\nOK\r\n");
  choose(27);
  EXPECT_TRUE(actual().windowOpen());
  EXPECT_FALSE(host.mainEnabled);
  EXPECT_EQ(actual().mActual.text, "cha-layer3 dir\r\ngsm0 out\r\n");
  for (int tick = 0; tick < 4; ++tick) actual().tick();  // silent: the table stays
  EXPECT_EQ(actual().mActual.text, "cha-layer3 dir\r\ngsm0 out\r\n");
  EXPECT_TRUE(actual().windowOpen());
  actual().tick();
  EXPECT_FALSE(actual().windowOpen());
  EXPECT_EQ(host.messageLabels(), (std::vector<int>{cap::kLinkLost}));
}

TEST_F(LiveFixture, NoWindowOpensWithoutAGateway) {
  peer.refuseConnect = true;
  choose(27);
  choose(26);
  EXPECT_TRUE(windowEvents.empty());
  EXPECT_TRUE(host.mainEnabled);
  EXPECT_EQ(peer.received.find("AT&"), std::string::npos);
}

}  // namespace
}  // namespace gw::test

// The command exchange over the LAN: when a response ends, how long waits last, what reaches rxText.

#include <gtest/gtest.h>

#include <cmath>

#include "link_fixture.h"

namespace gw::test {
namespace {

class LanExchange : public LinkFixture {
 protected:
  void SetUp() override { connectLan(); }

  std::string exchange(const std::string& command, std::size_t capacity = kReplyBuffer) {
    EXPECT_EQ(link.commSend(command), static_cast<int>(command.size()));
    return link.commReceive(capacity);
  }
};

TEST_F(LanExchange, JoinsAResponseThatArrivesInPieces) {
  peer.answer("AT&V\r\n", {"S70=1\r\nS71=", "2\r\n", "\r\nOK\r\n"}, 50, 300);
  const auto start = clock.nowMs();
  EXPECT_EQ(exchange("AT&V\r\n"), "S70=1\r\nS71=2\r\n\r\nOK\r\n");
  EXPECT_LT(msSince(start), 1000);
  EXPECT_EQ(peer.received, "AT&V\r\n");
}

TEST_F(LanExchange, EndsAtTheFirstTerminatorOfAnyKind) {
  // A listing page ends at <SPACE> although no OK came; the rest is the next page's.
  peer.answer("AT&L\r\n", {"R1=a\r\n\r\n<SPACE>\r\n", "R2=b\r\n\r\nOK\r\n"}, 0, 400);
  EXPECT_EQ(exchange("AT&L\r\n"), "R1=a\r\n\r\n<SPACE>\r\n");
  EXPECT_EQ(link.commReceive(kReplyBuffer), "R2=b\r\n\r\nOK\r\n");

  // A terminator split between two blocks still ends the response at once.
  peer.answer("AT\r\n", {"\r\nO", "K\r\n"}, 0, 200);
  const auto start = clock.nowMs();
  EXPECT_EQ(exchange("AT\r\n"), "\r\nOK\r\n");
  EXPECT_LT(msSince(start), 1000);
}

TEST_F(LanExchange, ABareOkWaitsForTheChunkTimeOut) {
  peer.answer("AT\r\n", "AT OK", 20);
  const auto start = clock.nowMs();
  EXPECT_EQ(exchange("AT\r\n"), "AT OK");
  EXPECT_GE(msSince(start), 5000);
  EXPECT_LE(msSince(start), 6100);
}

TEST_F(LanExchange, ASilentGatewayGivesAnEmptyTextAfterFiveToSixSeconds) {
  for (int offsetMs : {0, 999}) {
    clock.advance((1000 - clock.nowMs() % 1000) % 1000 + offsetMs);  // where in the wall second it starts
    const auto start = clock.nowMs();
    EXPECT_EQ(exchange("AT\r\n"), "");
    EXPECT_GE(msSince(start), 5000) << offsetMs;
    EXPECT_LE(msSince(start), 6100) << offsetMs;
  }
  link.timeoutMs = 2000;
  const auto start = clock.nowMs();
  EXPECT_EQ(exchange("AT\r\n"), "");
  EXPECT_LE(msSince(start), 3100);
}

TEST_F(LanExchange, EndlessDataIsCutOffAfterFifteenToSixteenSeconds) {
  clock.onWait([&] { peer.send(std::string(100, 'x')); });
  const auto start = clock.nowMs();
  const std::string text = exchange("AT&V\r\n", 256);
  EXPECT_EQ(text, std::string(256, 'x'));
  EXPECT_GE(msSince(start), 15000);
  EXPECT_LE(msSince(start), 16100);
}

TEST_F(LanExchange, ALongResponseIsCutToTheCapacityYetEndsAtItsTerminator) {
  peer.answer("AT\r\n", std::string(64 * 1024, 'L') + "\r\nOK\r\n");
  const auto start = clock.nowMs();
  EXPECT_EQ(exchange("AT\r\n", 1024), std::string(1024, 'L'));
  EXPECT_LT(msSince(start), 1000);
  EXPECT_FALSE(link.rxReady());  // nothing of it is left to spoil the next response
}

TEST_F(LanExchange, TelnetNegotiationAndNulBytesNeverReachTheResponse) {
  std::string storm;
  for (int i = 0; i < 4000; ++i) storm += "\xff\xfd\x18\xff\xfb\x01";
  peer.answer("AT\r\n", {storm, std::string("S\0\0=1\x80\r\n", 8), "\r\nOK\r\n"}, 0, 10);
  EXPECT_EQ(exchange("AT\r\n"), "S=1\r\n\r\nOK\r\n");
}

TEST_F(LanExchange, APeerThatClosesMidReplyGivesWhatCameAndALinkThatSendsNothing) {
  peer.answer("AT&V\r\n", "S70=1\r\n", 10);
  link.commSend("AT&V\r\n");
  peer.closeAfter(20);
  EXPECT_EQ(link.commReceive(kReplyBuffer), "S70=1\r\n");
  EXPECT_FALSE(link.tcpActive());
  EXPECT_EQ(link.commSend("AT\r\n"), 0);
  EXPECT_FALSE(link.lanSendByte('A'));
}

TEST_F(LanExchange, TellsWhetherTheGatewayStillAnswers) {
  peer.answer("AT\r\n", "\r\nOK\r\n");
  EXPECT_FALSE(link.heardSinceOpen());
  exchange("AT\r\n");
  EXPECT_TRUE(link.heardSinceOpen());
  EXPECT_FALSE(link.gatewayStoppedAnswering());
  exchange("AT&V\r\n");  // silence
  EXPECT_TRUE(link.gatewayStoppedAnswering());
  exchange("AT\r\n");  // answered again: a single silent command was not the end of the gateway
  EXPECT_FALSE(link.gatewayStoppedAnswering());
  peer.closeAfter(0);
  clock.sleep(10);
  EXPECT_TRUE(link.gatewayStoppedAnswering());
}

TEST_F(LanExchange, SendsTheTextUpToItsFirstNulAndReportsSocketErrorsAsZero) {
  EXPECT_EQ(link.commSend(std::string("AT\r\n\0junk", 9)), 4);
  EXPECT_EQ(peer.received, "AT\r\n");
  peer.failSends = true;
  EXPECT_EQ(link.commSend("AT\r\n"), 0);
  EXPECT_FALSE(link.lanSendByte('x'));
}

TEST_F(LanExchange, ChunkReadersKeepWhatDoesNotFitForTheNextRead) {
  peer.send(std::string(700, 'a') + std::string(700, 'b'));
  clock.sleep(1);
  EXPECT_EQ(link.commReadChunk(700), std::string(700, 'a'));
  const auto start = clock.nowMs();
  EXPECT_EQ(link.commReadChunk(1024), std::string(700, 'b'));
  EXPECT_LT(msSince(start), 200);  // ready at once: only the burst pause
}

TEST_F(LanExchange, ChunkReadersWaitTheirSecondsForSilence) {
  auto start = clock.nowMs();
  EXPECT_EQ(link.commReadChunk(kReplyBuffer), "");
  EXPECT_GE(msSince(start), 5000);
  EXPECT_LE(msSince(start), 6200);

  start = clock.nowMs();
  EXPECT_EQ(link.commReadChunkTimed(kReplyBuffer, 2), std::optional<std::string>(""));
  EXPECT_GE(msSince(start), 2000);
  EXPECT_LE(msSince(start), 3200);

  start = clock.nowMs();
  EXPECT_EQ(link.commReadChunkTimed(kReplyBuffer, std::nan("")), std::optional<std::string>(""));
  EXPECT_LE(msSince(start), 1200);

  link.comm.linkType = 0;
  EXPECT_EQ(link.commReadChunkTimed(kReplyBuffer, 2), std::nullopt);
}

// A wall clock that stands still (set back, or stuck) must not stretch a wait without end.
class StuckWallClock : public FakeClock {
 public:
  std::int64_t nowSeconds() override { return 1'700'000'000; }
};

TEST(LanExchangeLimits, HoldEvenWhenTheWallClockStandsStill) {
  StuckWallClock clock;
  ScriptedSerialBus bus(clock);
  ScriptedTcpPeer peer(clock);
  Link link(clock, bus.factory(), peer.client());
  link.comm.linkType = kLanLink;
  ASSERT_TRUE(link.lanOpenSocket("10.0.0.1", 23));
  EXPECT_EQ(link.commReceive(kReplyBuffer), "");
  EXPECT_LE(clock.nowMs(), 6100);
  clock.onWait([&] { peer.send("x"); });
  link.commReceive(kReplyBuffer);
  EXPECT_LE(clock.nowMs(), 6100 + 16100);
}

TEST_F(LanExchange, LogsEachCommandTwiceAndEachResponseOnce) {
  const std::string path = startLog();
  peer.answer("AT\r\n", "\r\nOK\r\n");
  exchange("AT\r\n");
  link.closeLog();
  link.closeLog();  // a second close closes nothing
  EXPECT_EQ(readFile(path), sendEntry("AT\r\n") + sendEntry("AT\r\n") + "<-\r\nOK\r\n");
}

TEST_F(LanExchange, LogsNothingWhenOffOrForACommandTheSocketNeverSaw) {
  const std::string path = startLog();
  link.comm.saveLog = false;
  peer.answer("AT\r\n", "\r\nOK\r\n");
  exchange("AT\r\n");
  link.comm.saveLog = true;
  link.lanClose();
  EXPECT_EQ(link.commSend("AT\r\n"), 0);
  link.closeLog();
  EXPECT_EQ(readFile(path), "");
}

TEST_F(LanExchange, SendCheckOkAndSendCollectErrorJudgeTheReply) {
  peer.answer("AT%S70=1\r\n", "\r\nOK\r\n");
  peer.answer("AT%S71=1\r\n", "OK\r\n");
  peer.answer("AT%S72=1\r\n", "\r\nERROR\r\n");
  std::string reply;
  EXPECT_TRUE(link.sendCheckOk("AT%S70=1\r\n", kReplyBuffer, &reply));
  EXPECT_EQ(reply, "\r\nOK\r\n");
  EXPECT_FALSE(link.sendCheckOk("AT%S72=1\r\n", kReplyBuffer));

  std::string errors;
  link.timeoutMs = 1000;
  link.sendCollectError("AT%S71=1\r\n", kReplyBuffer, errors, "System settings - PIN\n");  // "OK" is enough
  EXPECT_EQ(errors, "");
  link.sendCollectError("AT%S72=1\r\n", kReplyBuffer, errors, "System settings - PIN\n");
  link.sendCollectError("AT%S72=1\r\n", kReplyBuffer, errors, "System settings - PIN\n");
  EXPECT_EQ(errors, "System settings - PIN\n");  // listed once
  peer.failSends = true;
  const auto start = clock.nowMs();
  EXPECT_FALSE(link.sendCheckOk("AT%S70=1\r\n", kReplyBuffer));
  link.sendCollectError("AT%S72=1\r\n", kReplyBuffer, errors, "System settings - PIN\n");
  EXPECT_EQ(errors, "System settings - PIN\nSystem settings - PIN\n");  // a failed send always adds it
  EXPECT_EQ(msSince(start), 0);                                         // neither waited for a reply
}

}  // namespace
}  // namespace gw::test

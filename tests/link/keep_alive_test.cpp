// The keep-alive: when it asks the gateway, and what an unanswered probe means.

#include <gtest/gtest.h>

#include "link/keep_alive.h"
#include "link_fixture.h"

namespace gw::test {
namespace {

class KeepAliveTick : public LinkFixture {
 protected:
  void SetUp() override {
    connectLan();
    link.comm.connected = true;
    link.touchActivity();
  }
  KeepAlive tick(const KeepAliveConditions& c = {}) { return keepAliveTick(link, c); }
};

TEST_F(KeepAliveTick, ProbesOnlyAfterMoreThanFifteenSilentSeconds) {
  peer.answer("AT\r", "AT\r\n\r\nOK\r\n");
  clock.advance(15'999);
  EXPECT_EQ(tick(), KeepAlive::Idle);
  EXPECT_EQ(peer.received, "");
  clock.advance(1);
  EXPECT_EQ(tick(), KeepAlive::Sent);
  EXPECT_EQ(peer.received, "AT\r");
  EXPECT_EQ(tick(), KeepAlive::Idle);  // the probe itself was activity
}

TEST_F(KeepAliveTick, AnUnansweredProbeMeansTheLinkIsLostUnlessTheTerminalShowsIt) {
  clock.advance(20'000);
  EXPECT_EQ(tick({false, true}), KeepAlive::Sent);
  clock.advance(20'000);
  EXPECT_EQ(tick(), KeepAlive::LinkLost);
  EXPECT_EQ(peer.received, "AT\rAT\r");
}

TEST_F(KeepAliveTick, AConsoleThatAsksForALoginAgainIsNotTakenForAnAnswer) {
  // After a restart a console may greet the probe with its prompt: the gateway answers, but no command
  // reaches it any more.
  for (const char* reply : {"AT\r\nPassword: ", "\r\nQN login: "}) {
    peer.answerOnce("AT\r", reply);
    clock.advance(20'000);
    EXPECT_EQ(tick(), KeepAlive::LoggedOut) << reply;
  }
}

TEST_F(KeepAliveTick, StaysQuietWhileAnythingElseOwnsTheLink) {
  clock.advance(60'000);
  link.commBusy = true;  // a long operation, however long
  EXPECT_EQ(tick(), KeepAlive::Idle);
  link.commBusy = false;
  EXPECT_EQ(tick({true, false}), KeepAlive::Idle);  // a tool talks to the gateway on its own
  link.lanTracingActive = true;
  EXPECT_EQ(tick(), KeepAlive::Idle);
  link.lanTracingActive = false;
  link.comm.connected = false;
  EXPECT_EQ(tick(), KeepAlive::Idle);
  EXPECT_EQ(peer.received, "");
}

TEST_F(KeepAliveTick, NeverCutsIntoAnExchangeThatIsStillWaiting) {
  // With a long Timeout an exchange may wait past the keep-alive's 15 s; a timer firing meanwhile must not
  // send its probe into it.
  link.timeoutMs = 30'000;
  int ticks = 0;
  clock.onWait([&] {
    if (++ticks % 100 == 0) {
      EXPECT_EQ(tick(), KeepAlive::Idle);
    }
  });
  link.commSend("AT&V\r\n");
  EXPECT_EQ(link.commReceive(kReplyBuffer), "");
  EXPECT_GE(ticks, 3000);
  EXPECT_EQ(peer.received, "AT&V\r\n");
}

TEST_F(KeepAliveTick, WatchesTheSerialLinkToo) {
  link.lanClose();
  ScriptedSerialDevice& device = openSerial();
  device.answer("AT\r", "\r\nOK\r\n");
  clock.advance(16'000);
  EXPECT_EQ(tick(), KeepAlive::Sent);
  link.closeSerial();
  clock.advance(16'000);
  EXPECT_EQ(tick(), KeepAlive::LinkLost);
}

}  // namespace
}  // namespace gw::test

// The LAN connection: opening it, who gets the received text, and what happens when the peer goes away.

#include <gtest/gtest.h>

#include "link_fixture.h"

namespace gw::test {
namespace {

class LanConnection : public LinkFixture {
 protected:
  std::vector<std::pair<LanDisplayTarget, std::string>> shown;
  int linkLost = 0;

  void SetUp() override {
    link.onLanDisplay = [this](LanDisplayTarget target, const std::string& text) {
      shown.emplace_back(target, text);
    };
    link.onLinkLost = [this] { ++linkLost; };
  }
};

TEST_F(LanConnection, WaitsUpToFiveSecondsForTheConnectionToComeUp) {
  link.comm.linkType = kLanLink;
  peer.connectDelayMs = 4000;
  EXPECT_TRUE(link.lanOpenSocket("10.0.0.1", 23));
  EXPECT_EQ(peer.host, "10.0.0.1");
  EXPECT_EQ(peer.port, 23);
  EXPECT_TRUE(link.lanOpenSocket("10.0.0.1", 23));  // already active: nothing new
  EXPECT_EQ(peer.connects, 1);
  link.lanClose();

  peer.connectDelayMs = 60'000;
  const auto start = clock.nowMs();
  EXPECT_FALSE(link.lanOpenSocket("10.0.0.1", 23));
  EXPECT_GE(msSince(start), 5000);
  EXPECT_LE(msSince(start), 6100);
  EXPECT_FALSE(link.tcpActive());

  peer.refuseConnect = true;
  EXPECT_FALSE(link.lanOpenSocket("10.0.0.1", 23));
}

TEST_F(LanConnection, ANewConnectionStartsWithAnEmptyReceiveBuffer) {
  connectLan();
  peer.send("left over");
  clock.sleep(1);
  EXPECT_TRUE(link.rxReady());
  link.lanClose();
  connectLan();
  EXPECT_FALSE(link.rxReady());
}

TEST_F(LanConnection, TheTerminalAndTracingTakeTheTextInsteadOfTheExchange) {
  connectLan();
  link.terminalActive = true;
  peer.send("AT\xff\xfb\x01\r\n");
  clock.sleep(1);
  link.terminalActive = false;
  link.lanTracingActive = true;
  peer.send("trace");
  clock.sleep(1);
  EXPECT_FALSE(link.rxReady());
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(shown[0], std::make_pair(LanDisplayTarget::Terminal, std::string("AT\r\n")));
  EXPECT_EQ(shown[1], std::make_pair(LanDisplayTarget::Tracing, std::string("trace")));
  EXPECT_EQ(linkLost, 0);
}

TEST_F(LanConnection, APeerClosingUnderTheTerminalIsReportedOnce) {
  connectLan();
  std::vector<int> sockets;
  link.onLanSocket = [&](int fd) { sockets.push_back(fd); };
  link.terminalActive = true;
  peer.send("bye\r\n");
  peer.closeAfter(0);
  clock.sleep(1);
  clock.sleep(1);
  EXPECT_EQ(linkLost, 1);
  EXPECT_EQ(shown.size(), 1u);  // the text before the close was still shown
  EXPECT_EQ(sockets, (std::vector<int>{-1}));
  link.telnetDataAvailable("late");  // a block after the loss does not report it again
  EXPECT_EQ(linkLost, 1);
}

TEST_F(LanConnection, APeerClosingUnderTheExchangeIsLeftToTheKeepAlive) {
  connectLan();
  peer.closeAfter(0);
  clock.sleep(1);
  EXPECT_EQ(linkLost, 0);
  EXPECT_FALSE(link.tcpActive());
}

TEST_F(LanConnection, TextNobodyTakesIsKeptOnlyUpToItsNewestMegabyte) {
  connectLan();
  constexpr std::size_t kMiB = 1 << 20;
  peer.send(std::string(2 * kMiB, 'a'));
  peer.send(std::string(kMiB, 'b'));
  for (int i = 0; i < 200; ++i) clock.sleep(1);  // every poll takes a bounded share
  EXPECT_EQ(link.commReadChunk(4 * kMiB), std::string(kMiB, 'b'));
}

}  // namespace
}  // namespace gw::test

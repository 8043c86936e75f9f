#include "online/resets.h"

#include <regex>

#include "program/program_fixture.h"

namespace gw::test {
namespace {

using ResetFixture = ProgramFixture;

std::vector<std::string> commandsAfter(const std::string& sent, const std::string& marker) {
  const std::size_t at = sent.find(marker);
  std::vector<std::string> lines;
  if (at == std::string::npos) return lines;
  const std::string tail = sent.substr(at);
  std::size_t start = 0;
  for (std::size_t end = tail.find("\r\n"); end != std::string::npos; end = tail.find("\r\n", start)) {
    lines.push_back(tail.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

TEST_F(ResetFixture, FactoryResetClearsTheTablesInterleavedThenResets) {
  scriptGateway();
  host.answers = {Answer::Yes};
  EXPECT_EQ(factoryReset(program->onlineContext), ResetOutcome::Done);

  std::vector<std::string> expected;
  for (int i = 0; i < 64; ++i) {
    expected.push_back("AT%R" + std::to_string(i) + "=");
    if (i < 32) expected.push_back("AT%M" + std::to_string(i) + "=");
  }
  expected.push_back("AT%R00=1,0:00/24:00,1,0");
  expected.push_back("AT&FRES");
  auto sent = commandsAfter(peer.received, "AT%R0=");
  sent.resize(std::min(sent.size(), expected.size()));
  EXPECT_EQ(sent, expected);
  EXPECT_EQ(expected.size(), 98u);

  EXPECT_EQ(host.messageLabels(), (std::vector<int>{58, 59}));
  // The reset window first says the tables are deleted, then that the gateway resets.
  std::vector<std::string> labels;
  for (const auto& e : host.events) {
    if (e.what == "reset") labels.push_back(e.detail);
  }
  EXPECT_EQ(labels, (std::vector<std::string>{captionOf(481), captionOf(108)}));
  EXPECT_FALSE(host.resetShown);
  EXPECT_TRUE(host.mainEnabled);
  EXPECT_TRUE(program->link.comm.connected);  // reconnected after the LAN restart
}

TEST_F(ResetFixture, ANoSendsNothing) {
  scriptGateway();
  ASSERT_TRUE(program->connection.commConnect(false));
  const std::string before = peer.received;
  EXPECT_EQ(gatewayReset(program->onlineContext), ResetOutcome::Declined);
  EXPECT_EQ(peer.received, before);
  EXPECT_EQ(host.messageLabels(), (std::vector<int>{55}));
}

TEST_F(ResetFixture, NotConnectedEndsQuietly) {
  peer.refuseConnect = true;
  EXPECT_EQ(gatewayReset(program->onlineContext), ResetOutcome::NotConnected);
  for (int label : host.messageLabels()) EXPECT_NE(label, 55);
}

TEST_F(ResetFixture, LanResetReconnectsAfterFiveSeconds) {
  scriptGateway();
  ASSERT_TRUE(program->connection.commConnect(false));
  const int connectsBefore = peer.connects;
  host.answers = {Answer::Yes};
  const auto start = clock.nowMs();
  EXPECT_EQ(gatewayReset(program->onlineContext), ResetOutcome::Done);
  EXPECT_GE(clock.nowMs() - start, 5000);
  EXPECT_EQ(peer.connects, connectsBefore + 1);
  EXPECT_EQ(host.messageLabels(), (std::vector<int>{55, 57}));
  EXPECT_NE(peer.received.find("AT&BSYS=RESET\r\n"), std::string::npos);
}

TEST_F(ResetFixture, AFailedReconnectIsAFailedReset) {
  scriptGateway();
  ASSERT_TRUE(program->connection.commConnect(false));
  host.answers = {Answer::Yes};
  peer.answer("AT&BSYS=RESET\r\n", "\r\nOK\r\n");
  clock.onWait([&] {
    if (peer.received.find("AT&BSYS=RESET") != std::string::npos) peer.refuseConnect = true;
  });
  EXPECT_EQ(gatewayReset(program->onlineContext), ResetOutcome::Failed);
  EXPECT_EQ(host.messageLabels().back(), 56);
  EXPECT_TRUE(host.mainEnabled);
}

struct SerialResetFixture : ProgramFixture {
  ScriptedSerialDevice* device = nullptr;

  void SetUp() override {
    ProgramFixture::SetUp();
    program->link.comm.linkType = kSerialLink;
    program->link.comm.portName = "ttyUSB0";
    program->link.comm.portList = {"ttyUSB0"};
    device = &bus.device("ttyUSB0");
    device->answer("ATI3\r\n", "ATI3\r\n\r\nVelquin Orvale QN4\r\nB-01.05 V-03.00.05 \r\n\r\nOK\r\n");
    device->answer("ATI4\r\n", "ATI4\r\n\r\nSNumber: Q2041-00017\r\n\r\nOK\r\n");
    device->answer("AT\r\n", "AT\r\n\r\nOK\r\n");
    device->answer("\r\n", "\r\n");
    ASSERT_TRUE(program->connection.commConnect(false));
    host.clear();
    host.answers = {Answer::Yes};
  }
};

TEST_F(SerialResetFixture, WaitsForInitOk) {
  device->answer("AT&BSYS=RESET\r\n", "AT&BSYS=RESET\r\n\r\nOK\r\n");
  device->send("\r\nInit: OK\r\n", 2000);
  EXPECT_EQ(gatewayReset(program->onlineContext), ResetOutcome::Done);
  EXPECT_EQ(host.messageLabels(), (std::vector<int>{55, 57}));
}

TEST_F(SerialResetFixture, InitOkSplitAcrossTwoReadsIsNotRecognised) {
  device->answer("AT&BSYS=RESET\r\n", "AT&BSYS=RESET\r\n\r\nOK\r\n");
  device->send("\r\nInit: ", 2000);
  device->send("OK\r\n", 2600);  // after the read of the first half has given up
  const auto start = clock.nowMs();
  EXPECT_EQ(gatewayReset(program->onlineContext), ResetOutcome::Failed);
  EXPECT_GE(clock.nowMs() - start, 14'000);
  EXPECT_LT(clock.nowMs() - start, 17'000);
  EXPECT_EQ(host.messageLabels(), (std::vector<int>{55, 56}));
}

}  // namespace
}  // namespace gw::test

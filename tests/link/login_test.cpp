// The gateway login and the upgrade login, byte for byte.

#include <gtest/gtest.h>

#include "link/login.h"
#include "link_fixture.h"

namespace gw::test {
namespace {

class Login : public LinkFixture {
 protected:
  void SetUp() override { connectLan(); }
};

TEST_F(Login, AGreetingWithALoginPromptLeadsStraightToTheCredentials) {
  peer.answer("admin\r", "Password:", 100);
  peer.answer("secret\r", "\r\nOK\r\n", 100);
  const auto start = clock.nowMs();
  EXPECT_TRUE(gatewayLogin(link, "admin", "secret", "Welcome\r\nQNK login:"));
  EXPECT_EQ(peer.received, "admin\rsecret\r");
  EXPECT_GE(msSince(start), 2000);  // a second after each of the two sends
}

TEST_F(Login, APasswordPromptInTheGreetingIsAnsweredWithACrFirst) {
  peer.answer("secret\r", "\r\nOK\r\n");
  EXPECT_TRUE(gatewayLogin(link, "admin", "secret", "Password:"));
  EXPECT_EQ(peer.received, "\radmin\rsecret\r");
}

TEST_F(Login, AWrongPasswordFails) {
  peer.answer("secret\r", "\r\nLogin incorrect\r\nQN login:");
  EXPECT_FALSE(gatewayLogin(link, "admin", "secret", "QN login:"));
}

TEST_F(Login, WakesAQuietGatewayUntilItPrompts) {
  peer.answerOnce("\r\n", "");
  peer.answerOnce("\r\n", "\r\n");
  peer.answerOnce("\r\n", "\r\nQNC login:");
  peer.answer("pw\r", "\r\nOK\r\n");
  EXPECT_TRUE(gatewayLogin(link, "u", "pw", ""));
  EXPECT_EQ(peer.received, "\r\n\r\n\r\nu\rpw\r");
}

TEST_F(Login, AGatewayThatNeverPromptsGetsTenProbesThenAnAt) {
  peer.answer("AT\r\n", "AT\r\nOK\r\n");
  EXPECT_TRUE(gatewayLogin(link, "u", "pw", "\r\n"));
  std::string expected;
  for (int i = 0; i < 10; ++i) expected += "\r\n";
  EXPECT_EQ(peer.received, expected + "AT\r\n");
}

TEST_F(Login, ASilentGatewayWithoutPromptFails) {
  EXPECT_FALSE(gatewayLogin(link, "u", "pw", ""));
}

TEST_F(Login, AShortSendFailsAtOnce) {
  peer.failSends = true;
  const auto start = clock.nowMs();
  EXPECT_FALSE(gatewayLogin(link, "u", "pw", "QN login:"));
  EXPECT_FALSE(gatewayLogin(link, "u", "pw", ""));
  EXPECT_EQ(msSince(start), 0);
}

TEST_F(Login, TheUpgradeLoginSendsNothingWithoutAPrompt) {
  peer.send("Init: OK\r\n");
  EXPECT_TRUE(upgradeLogin(link, "u", "pw"));
  EXPECT_EQ(peer.received, "");
}

TEST_F(Login, TheUpgradeLoginEndsCredentialsWithCrLf) {
  peer.send("QN login:");
  peer.answer("u\r\n", "Password:");
  peer.answer("pw\r\n", "\r\nOK\r\n");
  EXPECT_TRUE(upgradeLogin(link, "u", "pw"));
  EXPECT_EQ(peer.received, "u\r\npw\r\n");

  peer.send("QNK login:");
  peer.answer("bad\r\n", "\r\nERROR\r\n");
  EXPECT_FALSE(upgradeLogin(link, "u", "bad"));
}

TEST_F(Login, WorksTheSameOnTheSerialLink) {
  link.lanClose();
  ScriptedSerialDevice& device = openSerial();
  device.answer("admin\r", "Password:");
  device.answer("secret\r", "\r\nOK\r\n");
  EXPECT_TRUE(gatewayLogin(link, "admin", "secret", "QN login:"));
  EXPECT_EQ(device.written, "admin\rsecret\r");
}

}  // namespace
}  // namespace gw::test

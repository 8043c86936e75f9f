// What the window shows of the link is what the link is: after a failed connect, after choosing another
// gateway while connected, after a language switch, and when the link dies under a page action.

#include "base/caption_ids.h"
#include "pages/page_actions.h"
#include "program/program_fixture.h"
#include "shell/gateway.h"

namespace gw::test {
namespace {

struct ConnectionStates : ProgramFixture {
  Connection& connection() { return program->connection; }
};

TEST_F(ConnectionStates, OnlineTopicsShowConnectedOnlyAfterAConnectThatSucceeded) {
  peer.refuseConnect = true;
  EXPECT_FALSE(connection().commConnect(false));
  EXPECT_EQ(program->window.onlineImage, kImageOnlineDisconnected);
  peer.refuseConnect = false;
  scriptGateway();
  ASSERT_TRUE(connection().commConnect(false));
  EXPECT_EQ(program->window.onlineImage, kImageOnlineConnected);
}

TEST_F(ConnectionStates, ChoosingAnotherGatewayClosesTheOpenLinkFirst) {
  ASSERT_TRUE(GatewayFile(program->selection.gatewaysPath())
                  .write("Lab", GatewayEntry{"10.0.0.9", "23", "2222", "admin", "admin", std::nullopt}));
  scriptGateway();
  ASSERT_TRUE(connection().commConnect(false));
  program->selection.selectGateway("Lab");
  EXPECT_FALSE(program->link.tcpActive());
  EXPECT_FALSE(connection().connected());
  EXPECT_EQ(host.status[1], "Lab : " + captionOf(cap::kDisconnected));
  EXPECT_EQ(program->window.onlineImage, kImageOnlineDisconnected);
  EXPECT_TRUE(program->window.enabled("mConnect"));

  ASSERT_TRUE(connection().commConnect(false));  // the next connect goes to the gateway shown
  EXPECT_EQ(peer.host, "10.0.0.9");
}

TEST_F(ConnectionStates, TheStatusBarFollowsTheLanguage) {
  scriptGateway();
  ASSERT_TRUE(connection().commConnect(false));
  program->setLanguage(Language::Czech);
  const CaptionList czech = program->captions;
  EXPECT_EQ(host.status[1], "Gw1 : [10.0.0.5] " + czech.at(cap::kConnectedTo) + ", Velquin Orvale");
  EXPECT_EQ(host.status[2], czech.at(cap::kSerialNumber) + " : Q2041-00017, " + czech.at(cap::kBootWord) +
                                " : 01.05 , " + czech.at(cap::kFirmwareWord) + " : 03.00.05 ");
  connection().disconnectCommand();
  program->setLanguage(Language::Spanish);
  EXPECT_EQ(host.status[1], "Gw1 : " + program->captions.at(cap::kDisconnected));
  EXPECT_EQ(host.status[2], program->captions.at(cap::kGatewayPrompt));
  EXPECT_NE(host.status[2], "Gateway :");
}

TEST_F(ConnectionStates, APageActionWhoseLinkDiedSaysTheCauseOnce) {
  scriptGateway();
  ASSERT_TRUE(connection().commConnect(false));
  // The gateway goes away as soon as the page asks for its registers.
  bool closed = false;
  clock.onWait([&] {
    if (!closed && peer.received.find("AT&V") != std::string::npos) {
      closed = true;
      peer.closeAfter(0);
    }
  });
  loadFromGateClick(program->systemPage);
  ASSERT_FALSE(host.messages.empty());
  const Message& summary = host.messages.back();
  EXPECT_EQ(summary.textLabel, cap::kLoadErrorsHeader);
  const std::string cause = captionOf(cap::kStoppedAnswering);
  EXPECT_TRUE(
      summary.text.starts_with(captionOf(cap::kLoadErrorsHeader) + "\n" + program->pageState.errorList))
      << summary.text;
  EXPECT_TRUE(summary.text.ends_with("\n" + cause)) << summary.text;
  EXPECT_EQ(summary.text.find(cause), summary.text.rfind(cause));
}

}  // namespace
}  // namespace gw::test

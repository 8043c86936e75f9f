// What the window shows of the link is what the link is: after a language switch, and when the link dies
// under a page action. (A failed connect and another gateway chosen while connected: tests/ui.)

#include "base/caption_ids.h"
#include "pages/page_actions.h"
#include "pages/system_page.h"
#include "program/program_fixture.h"

namespace gw::test {
namespace {

struct ConnectionStates : ProgramFixture {
  Connection& connection() { return program->connection; }
};

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
  loadFromGateClick(program->page<SystemPage>());
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

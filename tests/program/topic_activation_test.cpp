#include "program/topic_activation.h"

#include "program/program_fixture.h"

namespace gw::test {
namespace {

struct TopicFixture : ProgramFixture {
  std::unique_ptr<TopicActivation> topics;
  std::vector<std::string> calls;

  void SetUp() override {
    ProgramFixture::SetUp();
    topics = std::make_unique<TopicActivation>(*program, program->window);
    topics->setPageTopic(30, "pSystem", [this] { calls.push_back("system entered"); });
    topics->setHandler(21, {[this] {
                              calls.push_back("terminal start");
                              return true;
                            },
                            [this] { calls.push_back("terminal stop"); }});
  }
};

TEST_F(TopicFixture, ShowsTheChosenPageAndTitleByCaptionText) {
  topics->tvTopicClick(topics->topicText(30));
  EXPECT_EQ(program->window.page, "pSystem");
  EXPECT_EQ(program->window.title, captionOf(30));
  EXPECT_EQ(program->currentTopic, 30);
  EXPECT_EQ(calls, (std::vector<std::string>{"terminal stop", "system entered"}));
}

TEST_F(TopicFixture, GroupNodesHideEveryPageAndStopTheTerminal) {
  topics->tvTopicClick(topics->topicText(30));
  calls.clear();
  topics->tvTopicClick(captionOf(28));  // "Online configuration"
  EXPECT_EQ(program->window.page, "");
  EXPECT_EQ(program->window.title, "");
  EXPECT_EQ(program->currentTopic, -1);
  EXPECT_EQ(calls, (std::vector<std::string>{"terminal stop"}));
}

TEST_F(TopicFixture, TheSameTopicInAnotherLanguageIsFoundByItsNewText) {
  program->setLanguage(Language::Czech);
  const std::string czech = topics->topicText(30);
  EXPECT_NE(czech, "System parametres");
  topics->tvAlphaClick(czech);
  EXPECT_EQ(program->window.page, "pSystem");
  topics->tvAlphaClick("System parametres");  // the English text is no topic any more
  EXPECT_EQ(program->window.page, "");
}

TEST_F(TopicFixture, TopicsWithoutHandlersAreNotOffered) {
  EXPECT_TRUE(topics->hasHandler(30));
  EXPECT_FALSE(topics->hasHandler(31));
  topics->tvTopicClick(topics->topicText(31));
  EXPECT_EQ(program->window.page, "");
}

TEST(MainWindowModel, CommandStatesFollowTheLinkAndTheTerminal) {
  MainWindowModel window;
  EXPECT_TRUE(window.enabled("mConnect"));
  EXPECT_FALSE(window.enabled("mDisconnect"));
  EXPECT_FALSE(window.enabled("tbDisconnect"));
  window.linkStateChanged(true);
  EXPECT_FALSE(window.enabled("mConnect"));
  EXPECT_FALSE(window.enabled("mGatewayList"));
  EXPECT_TRUE(window.enabled("tbTerminal"));
  EXPECT_EQ(window.onlineImage, kImageOnlineDisconnected);
  window.connectAttempted();  // whatever its outcome
  EXPECT_EQ(window.onlineImage, kImageOnlineConnected);
  window.terminalRunning(true);
  EXPECT_FALSE(window.enabled("tbLoadGate"));
  EXPECT_FALSE(window.enabled("mSave"));
  window.linkStateChanged(false);
  EXPECT_EQ(window.onlineImage, kImageOnlineDisconnected);
  EXPECT_TRUE(window.enabled("tbLoadGate"));
  EXPECT_TRUE(window.enabled("mCommSett"));
  EXPECT_FALSE(window.terminalVisible);
}

TEST(MainWindowModel, KestrinHidesToolsAndTheGlossary) {
  MainWindowModel window;
  EXPECT_FALSE(window.glossaryVisible());
  window.applyEdition(false);
  EXPECT_TRUE(window.glossaryVisible());
  EXPECT_TRUE(window.visible("mSipReg"));
  window.applyEdition(true);
  EXPECT_FALSE(window.glossaryVisible());
  EXPECT_FALSE(window.visible("mSipReg"));
  EXPECT_FALSE(window.visible("tbTerminal"));
  EXPECT_TRUE(window.visible("mDate"));

  CaptionList english;
  const auto kestrinTree = window.topicTree(english, true);
  const auto orvaleTree = window.topicTree(english, false);
  EXPECT_LT(kestrinTree.size(), orvaleTree.size());
  for (const auto& node : kestrinTree) {
    EXPECT_NE(node.text, "LCR table");
    EXPECT_NE(node.text, "Terminal");
  }
  const auto glossary = window.glossary(english, false);
  EXPECT_TRUE(std::is_sorted(glossary.begin(), glossary.end(),
                             [](const auto& a, const auto& b) { return a.text < b.text; }));
}

}  // namespace
}  // namespace gw::test

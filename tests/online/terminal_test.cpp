#include "online/terminal.h"

#include "base/caption_ids.h"
#include "base/text.h"
#include "program/program_fixture.h"
#include "support/manual_reader.h"

namespace gw::test {
namespace {

constexpr int kLinkLost = 2908;

struct TerminalFixture : ProgramFixture {
  TerminalTool* tool = nullptr;
  int readers = 0;

  void SetUp() override {
    ProgramFixture::SetUp();
    scriptGateway();
    program->link.startReader = manualReaders(readers);
    tool = &program->tool<TerminalTool>();
  }
  void choose(int topic) { program->topics.tvTopicClick(program->topics.topicText(topic)); }
  std::string typed() const { return peer.received.substr(peer.received.rfind("AT&M0\r\n") + 7); }
  void type(std::string_view keys) {
    for (char key : keys) tool->mTerminalKeyPress(key);
  }
};

TEST_F(TerminalFixture, LanKeysGoAsTypedTheEchoShowsAndLeavingSendsOneLineEnd) {
  choose(cap::kTerminalTopic);
  ASSERT_TRUE(tool->running());
  EXPECT_TRUE(program->link.terminalActive);
  EXPECT_TRUE(program->window.terminalVisible);
  EXPECT_FALSE(program->window.enabled("tbSaveGate"));
  choose(cap::kTerminalTopic);  // chosen again: nothing more starts or is sent

  type("AT\r");
  type(std::string{TerminalTool::kCopyKey, TerminalTool::kPasteKey});
  EXPECT_EQ(typed(), "AT\r");
  peer.send("AT\r\n\r\nOK\r\nA");
  peer.send("\b \b");  // the echo of an erased character is not shown
  clock.sleep(10);
  EXPECT_EQ(tool->mTerminal.text(), "AT\r\n\r\nOK\r\nA");
  type("\b");  // erases locally, as the echo is not shown
  EXPECT_EQ(tool->mTerminal.lines().back(), "");
  type("\b");  // the caret is just after a line feed: nothing more is erased
  EXPECT_EQ(tool->mTerminal.lines().back(), "");
  EXPECT_EQ(typed(), "AT\r\b\b");

  choose(cap::kSystemTopic);
  EXPECT_FALSE(tool->running());
  EXPECT_FALSE(program->link.terminalActive);
  EXPECT_FALSE(program->window.terminalVisible);
  EXPECT_TRUE(program->window.enabled("tbSaveGate"));
  EXPECT_EQ(typed(), "AT\r\b\b\r\n");
  choose(cap::kGsmBasicTopic);
  EXPECT_EQ(typed(), "AT\r\b\b\r\n");
}

TEST_F(TerminalFixture, PasteSendsAtMostFiveHundredElevenCharacters) {
  choose(cap::kTerminalTopic);
  tool->paste("");
  EXPECT_EQ(typed(), "");
  tool->paste(std::string(600, 'x'));
  EXPECT_EQ(typed(), std::string(TerminalTool::kPasteLimit, 'x'));
  EXPECT_EQ(tool->mTerminal.text(), "");  // only the gateway's echo shows what was sent
}

TEST_F(TerminalFixture, AFailedKeystrokeIsALostLinkSaidOnce) {
  choose(cap::kTerminalTopic);
  peer.failSends = true;
  type("A");
  EXPECT_FALSE(tool->running());
  EXPECT_FALSE(program->link.comm.connected);
  EXPECT_FALSE(program->window.terminalVisible);
  EXPECT_EQ(host.messageLabels(), std::vector<int>{kLinkLost});
}

TEST_F(TerminalFixture, TheSerialReaderShowsRepliesOnLinesOfTheirOwnAndStopsWithTheTopic) {
  program->link.comm.linkType = kSerialLink;
  program->link.comm.portList = {"ttyUSB0"};
  ScriptedSerialDevice& device = bus.device("ttyUSB0");
  device.answer("ATI3\r\n", "ATI3\r\n\r\nVelquin Orvale QN4\r\nB-01.05 V-03.00.05 \r\n\r\nOK\r\n");
  device.answer("ATI4\r\n", "ATI4\r\n\r\nSNumber: Q2041-00017\r\n\r\nOK\r\n");
  device.answer("AT\r\n", "AT\r\n\r\nOK\r\n");
  device.answer("\r\n", "\r\n");
  choose(cap::kTerminalTopic);
  ASSERT_EQ(readers, 1);
  EXPECT_EQ(device.timeouts(), kTerminalReadTimeouts);
  choose(cap::kTerminalTopic);
  EXPECT_EQ(readers, 1);

  device.answer("AT\r", "\r\n\r\nOK\r\n");
  device.send("AT");
  tool->tick();
  type("AT\r");
  tool->tick();
  device.send("X");
  tool->tick();
  // The reply starts a line of its own after the typed line, and what follows it starts the next one.
  EXPECT_EQ(tool->mTerminal.text(), "AT\r\n\r\nOK\r\nX");
  EXPECT_TRUE(endsWith(device.written, "AT\r"));

  choose(cap::kSystemTopic);
  EXPECT_EQ(readers, 0);
  EXPECT_TRUE(endsWith(device.written, "AT\r\r\n"));
  EXPECT_EQ(device.timeouts(), kCommandReadTimeouts);
  EXPECT_TRUE(program->window.enabled("tbLoadGate"));
}

}  // namespace
}  // namespace gw::test

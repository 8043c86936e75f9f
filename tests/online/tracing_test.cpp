#include "online/tracing.h"

#include <filesystem>

#include "base/caption_ids.h"
#include "base/text.h"
#include "program/program_fixture.h"
#include "support/manual_reader.h"

namespace gw::test {
namespace {

constexpr int kLinkLost = 2908;
constexpr int kCommunicationFailed = 56;
constexpr int kStartCaption = 152;
constexpr int kStopCaption = 153;

struct TracingFixture : ProgramFixture {
  TracingTool* tool = nullptr;
  int readers = 0;
  std::string printed;

  void SetUp() override {
    ProgramFixture::SetUp();
    scriptGateway();
    program->link.startReader = manualReaders(readers);
    tool = &program->tool<TracingTool>();
    tool->edTracFile.text = home.file("trace.txt");
    tool->onTraceText = [this](std::string_view text) { printed += text; };
  }
  std::string traceFile() const { return readFile(home.file("trace.txt")); }
  // The gateway takes the details and starts "AT!R2" (what a LAN trace of the defaults sends).
  void acceptDefaultStart() {
    peer.answer("AT%S92=0\r", "AT%S92=0\r\n\r\nOK\r\n");
    peer.answer("AT!R2\r", "AT!R2\r\n\r\nOK\r\n");
  }
  std::size_t sent(std::string_view command) const {
    std::size_t count = 0;
    for (std::size_t at = peer.received.find(command); at != std::string::npos;
         at = peer.received.find(command, at + 1))
      ++count;
    return count;
  }
};

TEST_F(TracingFixture, DetailValueIsTheSumOfTheBoxesOrThirtyOneWithFullTracing) {
  const std::vector<std::pair<std::vector<const char*>, int>> rows = {
      {{}, 0},
      {{"cbTracState2", "cbTracTimestamp"}, 10},
      {{"cbTracState34", "cbTracSmp", "cbTracLcr"}, 21},
      {{"cbTracFull", "cbTracState2"}, 31},
  };
  for (const auto& [boxes, value] : rows) {
    tool->sbTracDefaultsClick();
    for (const char* box : boxes) tool->editCheck(box, true);
    EXPECT_EQ(tool->detailValue(), value) << boxes.size();
  }
  EXPECT_FALSE(tool->cbTracLcr.enabled);  // "Full tracing" disables the five boxes
  tool->sbTracDefaultsClick();
  EXPECT_TRUE(tool->cbTracLcr.enabled);
}

TEST_F(TracingFixture, LanTraceGoesToViewFileAndOutputUntilTheStopCommandsEcho) {
  peer.answer("AT%S92=10\r", "AT%S92=10\r\n\r\nOK\r\n");
  peer.answer("AT!R3\r", "AT!R3\r\n\r\nOK\r\nL3 #000001 a\r\n");
  peer.answer("AT!RX\r", {"L4 #000003 c\r\nAT!", "RX\r\n\r\nOK\r\n"}, 0, 20);
  tool->editChoice("cbTracType", TracingTool::kLanType);
  tool->editChoice("rgTracLevel", 1);
  tool->editCheck("cbTracState2", true);
  tool->editCheck("cbTracTimestamp", true);

  tool->sbTracStartClick();
  ASSERT_TRUE(tool->running());
  EXPECT_EQ(tool->cbTracType.index, TracingTool::kMessagesType);  // the LAN cannot trace itself
  EXPECT_EQ(tool->rgTracLevel.texts.front().caption, 159);
  EXPECT_EQ(tool->sbTracStart.text.caption, kStopCaption);
  EXPECT_FALSE(program->window.enabled("tbLoadGate"));
  EXPECT_FALSE(program->window.enabled("mSave"));
  peer.send("L2 #000002 b\r\n");
  clock.sleep(10);

  tool->sbTracStartClick();
  EXPECT_FALSE(tool->running());
  const std::string body = "L3 #000001 a\r\nL2 #000002 b\r\nL4 #000003 c\r\n";
  EXPECT_EQ(printed, body);
  EXPECT_TRUE(startsWith(traceFile(), "\r\n[Tracing : ")) << traceFile();
  EXPECT_TRUE(endsWith(traceFile(), "]\r\n\r\n" + body)) << traceFile();
  EXPECT_EQ(tool->mTracing.text(), "L3 #000001 a\r\nL2 #000002 b\r\nL4 #000003 c\r\n");
  EXPECT_NE(peer.received.find("AT%S92=10\rAT!R3\r"), std::string::npos);
  EXPECT_TRUE(endsWith(peer.received, "AT!RX\r"));
  EXPECT_EQ(tool->sbTracStart.text.caption, kStartCaption);
  EXPECT_TRUE(program->window.enabled("tbLoadGate"));
  EXPECT_FALSE(program->link.rxReady());  // nothing of the stop reply is left for the next exchange
  EXPECT_TRUE(host.messageLabels().empty());
}

TEST_F(TracingFixture, ARefusedStartSaysSoAndLeavesTracingOffWithoutAFile) {
  struct Row {
    const char* details;
    const char* start;  // nullptr: the start command must not be sent
  };
  const Row rows[] = {
      {"AT%S92=0\r\n\r\nERROR\r\n", nullptr},
      {"AT%S92=0\r\n\r\nOK\r\n", "AT!R2\r\n\r\nERROR\r\n"},
      {"AT%S92=0\r\n\r\nOK\r\n", "AT!R2\r\n\r\nBUSY\r\n"},
  };
  for (const Row& row : rows) {
    peer.answerOnce("AT%S92=0\r", row.details);
    if (row.start != nullptr) peer.answerOnce("AT!R2\r", row.start);
    const std::size_t starts = sent("AT!R2\r");
    host.clear();
    tool->sbTracStartClick();
    EXPECT_FALSE(tool->running()) << row.details;
    EXPECT_EQ(host.messageLabels(), std::vector<int>{kCommunicationFailed});
    EXPECT_EQ(sent("AT!R2\r"), starts + (row.start != nullptr ? 1 : 0));
    EXPECT_FALSE(std::filesystem::exists(home.file("trace.txt")));
    EXPECT_TRUE(program->window.enabled("tbLoadGate"));
  }
}

TEST_F(TracingFixture, LeavingTheTopicStopsARunningTraceOnceAndAStoppedOneNotAtAll) {
  acceptDefaultStart();
  peer.answer("AT!RX\r", "AT!RX\r\n\r\nOK\r\n");
  program->topics.tvTopicClick(program->topics.topicText(cap::kTracingTopic));
  EXPECT_EQ(program->window.page, "pTracing");
  tool->sbTracStartClick();
  ASSERT_TRUE(tool->running());
  program->topics.tvTopicClick(program->topics.topicText(cap::kSystemTopic));
  EXPECT_FALSE(tool->running());
  program->topics.tvTopicClick(program->topics.topicText(cap::kTracingTopic));
  program->topics.tvTopicClick(program->topics.topicText(cap::kSystemTopic));
  EXPECT_EQ(sent("AT!RX\r"), 1u);
}

TEST_F(TracingFixture, ALinkLostUnderTheTraceIsSaidOnceAndEndsIt) {
  acceptDefaultStart();
  tool->sbTracStartClick();
  ASSERT_TRUE(tool->running());
  peer.closeAfter(0);
  clock.sleep(10);
  tool->tick();
  tool->tick();
  EXPECT_FALSE(tool->running());
  EXPECT_FALSE(program->link.comm.connected);
  EXPECT_EQ(host.messageLabels(), std::vector<int>{kLinkLost});
  EXPECT_EQ(sent("AT!RX\r"), 0u);
}

TEST_F(TracingFixture, AStopTheGatewayNeverAnswersEndsAfterTheResponseTime) {
  acceptDefaultStart();
  tool->sbTracStartClick();
  peer.send("L2 #000001 a\r\nAT!R");  // a line, then what might begin the echo but never does
  const std::int64_t start = clock.nowMs();
  tool->sbTracStartClick();
  EXPECT_FALSE(tool->running());
  EXPECT_GE(clock.nowMs() - start, program->link.timeoutMs);
  EXPECT_LT(clock.nowMs() - start, program->link.timeoutMs + 1000);
  EXPECT_EQ(printed, "L2 #000001 a\r\nAT!R");  // held back as a possible echo, then given to the trace
}

struct SerialTracingFixture : TracingFixture {
  ScriptedSerialDevice* device = nullptr;

  void SetUp() override {
    TracingFixture::SetUp();
    program->link.comm.linkType = kSerialLink;
    program->link.comm.portName = "ttyUSB0";
    program->link.comm.portList = {"ttyUSB0"};
    device = &bus.device("ttyUSB0");
    device->answer("ATI3\r\n", "ATI3\r\n\r\nVelquin Orvale QN4\r\nB-01.05 V-03.00.05 \r\n\r\nOK\r\n");
    device->answer("ATI4\r\n", "ATI4\r\n\r\nSNumber: Q2041-00017\r\n\r\nOK\r\n");
    device->answer("AT\r\n", "AT\r\n\r\nOK\r\n");
    device->answer("\r\n", "\r\n");
    ASSERT_TRUE(program->connection.commConnect(false));
  }
};

TEST_F(SerialTracingFixture, TheReaderAssemblesLinesWhateverTheReadsAndTheStopEndsIt) {
  device->answer("AT%S92=0\r", "AT%S92=0\r\n\r\nOK\r\n");
  device->answer("AT!L2\r", "AT!L2\r\n\r\nOK\r\nIP #000001 a\r\nTC");
  device->answer("AT!RX\r", "AT!RX\r\n\r\nOK\r\n");
  tool->sbTracStartClick();
  ASSERT_TRUE(tool->running());
  EXPECT_EQ(readers, 1);
  EXPECT_EQ(device->timeouts(), kTerminalReadTimeouts);
  device->send("P #000002 b\r\n\r\n");
  tool->tick();
  device->send("TELNET #000003 c\r\n");
  tool->tick();

  tool->sbTracStartClick();
  EXPECT_FALSE(tool->running());
  EXPECT_EQ(readers, 0);
  EXPECT_EQ(device->timeouts(), kCommandReadTimeouts);
  EXPECT_TRUE(endsWith(device->written, "AT!L2\rAT!RX\r"));
  // Each line once, with the LF the file gives every line; the line of a lone CR is not kept.
  const std::string body = "IP #000001 a\r\nTCP #000002 b\r\nTELNET #000003 c\r\n";
  EXPECT_EQ(printed, body);
  EXPECT_TRUE(endsWith(traceFile(), "]\r\n\r\n" + body)) << traceFile();
  EXPECT_TRUE(host.messageLabels().empty());
}

}  // namespace
}  // namespace gw::test

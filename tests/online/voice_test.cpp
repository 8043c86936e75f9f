// The voice message page on the fake clock: a message read into a WAV file and a file written into one over
// a scripted serial gateway (with its side of XMODEM), the refusals, and the recording call over the LAN.

#include "online/voice.h"

#include <algorithm>

#include "base/files.h"
#include "base/text.h"
#include "program/program_fixture.h"
#include "support/scripted_xmodem.h"

namespace gw::test {
namespace {

const char* const kView1 =
    "AT!M1=view\r\n\r\nFile length: 300\r\nData Codec: G.711 A-law\r\nSamples/sec: 8000\r\n"
    "Data length: 256\r\nData duration: 32 ms\r\n\r\nOK\r\n";

std::string message300() {
  std::string data = "RIFF";
  for (int i = 4; i < 300; ++i) data.push_back(static_cast<char>(i % 251));
  return data;
}

struct SerialVoice : ProgramFixture {
  ScriptedSerialDevice* device = nullptr;
  std::unique_ptr<ScriptedXmodemPeer> gateway;

  void SetUp() override {
    ProgramFixture::SetUp();
    program->link.comm.linkType = kSerialLink;
    program->link.comm.portName = "ttyUSB0";
    program->link.comm.portList = {"ttyUSB0"};
    device = &bus.device("ttyUSB0");
    device->answer("ATI3\r\n", "ATI3\r\n\r\nVelquin Orvale QN4\r\nB-01.05 V-03.00.05 \r\n\r\nOK\r\n");
    device->answer("ATI4\r\n", "ATI4\r\n\r\nSNumber: Q2041-00017\r\n\r\nOK\r\n");
    device->answer("\r\n", "\r\nOK\r\n");
    ASSERT_TRUE(program->connection.commConnect(false));
    gateway = std::make_unique<ScriptedXmodemPeer>(*device);
    host.clear();
  }

  VoiceTool& tool() { return program->tool<VoiceTool>(); }
  VoiceOutcome readInto(const std::string& path) {
    tool().editChoice("cbVoiceType", 1);
    tool().editChoice("rgVoiceDirection", 0);
    tool().editText("edVoiceFile", path);
    return tool().sbVoiceReadWriteClick();
  }
};

struct ReadCase {
  const char* name;
  bool existing;
  Answer overwrite;
  XmodemFault fault;
  VoiceOutcome outcome;
  bool whole;  // the file holds the message afterwards (else what it held before, or nothing)
  std::vector<int> messages;
};

void PrintTo(const ReadCase& c, std::ostream* out) {
  *out << c.name;
}

class VoiceRead : public SerialVoice, public ::testing::WithParamInterface<ReadCase> {};

TEST_P(VoiceRead, TheFileTakesItsPlaceOnlyWhenTheWholeMessageCame) {
  const ReadCase& c = GetParam();
  device->answerOnce("AT!M1=view\r\n", kView1);
  device->answerOnce("AT!M1=READ\r\n", "AT!M1=READ\r\n\r\nOK\r\n");
  gateway->sendFile(message300(), c.fault);
  const std::string path = home.file("hello.wav");
  if (c.existing) home.write("hello.wav", "old");
  host.answers = {c.overwrite};
  EXPECT_EQ(readInto(path), c.outcome);
  EXPECT_EQ(host.messageLabels(), c.messages);
  EXPECT_FALSE(fileExists(path + ".part"));
  if (c.whole) {
    EXPECT_EQ(readFile(path), message300());  // cut to the 300 bytes the gateway announced
    EXPECT_EQ(tool().mVoice.text,
              "File length: 300\nData codec: G.711 A-law\nSamples/sec: 8000\nData length: 256\n"
              "Data duration: 32 ms");
    EXPECT_EQ(host.firmStatus, "Received packet :3");
    EXPECT_EQ(host.firmSteps.back(), 300);
  } else {
    EXPECT_EQ(fileExists(path), c.existing);
    if (c.existing) {
      EXPECT_EQ(readFile(path), "old");
    }
  }
  if (c.outcome == VoiceOutcome::Failed) {
    std::string lineEnds;
    for (int i = 0; i < 10; ++i) lineEnds += "\r\n";
    EXPECT_TRUE(device->written.ends_with(lineEnds));  // the gateway's console brought back
    EXPECT_EQ(tool().mVoice.text, "");
  }
  if (c.outcome == VoiceOutcome::Declined) {
    EXPECT_FALSE(contains(device->written, "AT!M1=view"));
  }
  EXPECT_FALSE(host.firmShown);
  EXPECT_TRUE(host.mainEnabled);
  EXPECT_FALSE(program->link.commBusy);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, VoiceRead,
    ::testing::Values(
        ReadCase{"NewFile", false, Answer::No, XmodemFault::None, VoiceOutcome::Done, true, {70}},
        ReadCase{"Overwritten", true, Answer::Yes, XmodemFault::Corrupt, VoiceOutcome::Done, true, {69, 70}},
        ReadCase{"KeptOnNo", true, Answer::No, XmodemFault::None, VoiceOutcome::Declined, false, {69}},
        ReadCase{"CancelledOldKept",
                 true,
                 Answer::Yes,
                 XmodemFault::Cancel,
                 VoiceOutcome::Failed,
                 false,
                 {69, 56}},
        ReadCase{
            "CancelledNoneLeft", false, Answer::No, XmodemFault::Cancel, VoiceOutcome::Failed, false, {56}}),
    [](const ::testing::TestParamInfo<ReadCase>& info) { return std::string(info.param.name); });

struct Refusal {
  const char* view;  // the gateway's reply to the view command
  int message;
};

class VoiceRefusal : public SerialVoice, public ::testing::WithParamInterface<Refusal> {};

TEST_P(VoiceRefusal, SaysWhyAndAsksForNothing) {
  device->answerOnce("AT!M1=view\r\n", GetParam().view);
  EXPECT_EQ(readInto(home.file("x.wav")), VoiceOutcome::Refused);
  EXPECT_EQ(host.messageLabels(), std::vector<int>{GetParam().message});
  EXPECT_FALSE(contains(device->written, "READ"));
}

INSTANTIATE_TEST_SUITE_P(
    Views, VoiceRefusal,
    ::testing::Values(Refusal{"AT!M1=view\r\n\r\nERROR\r\n", 477},
                      Refusal{"AT!M1=view\r\n\r\nFile length: \r\nData Codec: \r\n\r\nOK\r\n", 489}));

TEST_F(SerialVoice, WritingAFileThatIsNotThereSaysSo) {
  tool().editChoice("rgVoiceDirection", 1);
  tool().editText("edVoiceFile", home.file("missing.wav"));
  EXPECT_EQ(tool().sbVoiceReadWriteClick(), VoiceOutcome::FileError);
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0].textLabel, 71);
  EXPECT_EQ(host.messages[0].captionLabel, 54);
  EXPECT_EQ(host.messages[0].kind, MessageKind::Error);
}

TEST_F(SerialVoice, AWrittenFileReachesTheGatewayThroughARefusedBlock) {
  const std::string data(200, 'w');
  home.write("prompt.wav", data);
  device->answerOnce("AT!M3=WRITE\r\n", "AT!M3=WRITE\r\n\r\nOK\r\nC");
  gateway->takeFile(XmodemFault::Corrupt, false);
  tool().editChoice("cbVoiceType", 3);
  tool().editChoice("rgVoiceDirection", 1);
  tool().editText("edVoiceFile", home.file("prompt.wav"));
  EXPECT_EQ(tool().sbVoiceReadWriteClick(), VoiceOutcome::Done);
  EXPECT_EQ(host.messageLabels(), std::vector<int>{72});
  EXPECT_EQ(gateway->received, data + std::string(56, '\0'));
  EXPECT_EQ(tool().mVoice.text, "File length : 200");
  EXPECT_EQ(host.firmStatus, "Transmitted packet :2");
}

TEST_F(ProgramFixture, TransfersAreRefusedOverTheLanAndTheFileFollowsTheTypeUntilPicked) {
  scriptGateway();
  VoiceTool& tool = program->tool<VoiceTool>();
  EXPECT_EQ(tool.sbVoiceReadWriteClick(), VoiceOutcome::Refused);
  EXPECT_EQ(host.messageLabels(), std::vector<int>{68});

  const std::string folder = program->selection.gatewayFolder();
  tool.editChoice("cbVoiceType", 4);
  EXPECT_EQ(tool.edVoiceFile.text, joinPath(folder, "Text message.wav"));
  host.files = {std::string("/tmp/picked.wav")};
  tool.click("sbVoiceFile");
  tool.editChoice("cbVoiceType", 0);
  EXPECT_EQ(tool.edVoiceFile.text, "/tmp/picked.wav");
}

// The recording call over the LAN: the gateway's indications as scripted blocks after the dial command.
struct CallCase {
  const char* name;
  std::vector<std::string> indications;   // one block every 300 ms after the dial
  bool recordingEnds;                     // "AT!M0=record" is followed by OK two seconds later
  std::optional<std::int64_t> leaveAtMs;  // another topic is chosen then
  std::vector<int> states;
  std::vector<int> messages;
  VoiceCall::End end;
  std::int64_t minMs, maxMs;
};

const std::string kProc = "\r\nGSM1: CC proc.ind\r\n";
const std::string kAlert = "\r\nGSM1: CC alert.ind\r\n";
const std::string kAnswer = "\r\nGSM1: CC setup.conf\r\n";

void PrintTo(const CallCase& c, std::ostream* out) {
  *out << c.name;
}

class VoiceCallTest : public ProgramFixture, public ::testing::WithParamInterface<CallCase> {};

TEST_P(VoiceCallTest, TheCallFollowsTheIndicationsAndEndsWithinItsLimits) {
  const CallCase& c = GetParam();
  scriptGateway();
  peer.answer("AT!M0=ERASE\r", "AT!M0=ERASE\r\n\r\nOK\r\n");
  peer.answer("AT!SG00=603123456\r", c.indications, 300, 300);
  peer.answerOnce("AT!M0=record\r\n", "AT!M0=record\r\n\r\nRecording message...\r\n");
  VoiceTool& tool = program->tool<VoiceTool>();
  tool.editText("edVoiceGsmDial", "603123456");
  tool.editCheck("cbVoiceErase", true);
  tool.click("sbVoiceDial");
  const std::int64_t start = clock.nowMs();
  std::vector<int> states;
  bool okQueued = false;
  while (tool.call().active() && clock.nowMs() - start < 200'000) {
    if (states.empty() || states.back() != tool.call().statusCaption())
      states.push_back(tool.call().statusCaption());
    if (c.leaveAtMs && clock.nowMs() - start >= *c.leaveAtMs) tool.leave();
    clock.sleep(VoiceCall::kPollIntervalMs);  // the page's timer
    tool.tick();
    if (c.recordingEnds && tool.call().recording() && !okQueued) {
      peer.send("\r\nOK\r\n", 2000);
      okQueued = true;
    }
  }
  states.push_back(tool.call().statusCaption());
  EXPECT_EQ(states, c.states);
  EXPECT_EQ(host.messageLabels(), c.messages);
  EXPECT_EQ(tool.call().lastEnd(), c.end);
  EXPECT_GE(clock.nowMs() - start, c.minMs);
  EXPECT_LE(clock.nowMs() - start, c.maxMs);
  EXPECT_FALSE(tool.sbVoiceHang.enabled);
  EXPECT_TRUE(tool.sbVoiceDial.enabled);
  EXPECT_EQ(tool.lbVoiceTime.text, "60");
  const std::size_t dial = peer.received.find("AT!SG00=603123456\r");
  ASSERT_NE(dial, std::string::npos);
  EXPECT_LT(peer.received.find("AT!M0=ERASE\r"), dial);
  // Hung up on the gateway; over the LAN the command goes twice.
  const std::size_t hangUp = peer.received.find("AT!D\r\n", dial);
  ASSERT_NE(hangUp, std::string::npos);
  EXPECT_NE(peer.received.find("AT!D\r\n", hangUp + 1), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(
    Calls, VoiceCallTest,
    ::testing::Values(
        CallCase{"Recorded",
                 {kProc, kAlert, kAnswer},
                 true,
                 {},
                 {429, 430, 431, 432, 435},
                 {522},
                 VoiceCall::End::Recorded,
                 900,
                 4000},
        // An indication split between two reads is still seen.
        CallCase{"Busy",
                 {kProc, "\r\nGSM1: CAU-user", "busy\r\n"},
                 false,
                 {},
                 {429, 430, 434},
                 {},
                 VoiceCall::End::Busy,
                 900,
                 2000},
        // A recording that never ends is stopped by the countdown, sixty seconds after the answer.
        CallCase{"Countdown",
                 {kProc, kAlert, kAnswer},
                 false,
                 {},
                 {429, 430, 431, 432, 435},
                 {522},
                 VoiceCall::End::Recorded,
                 60'900,
                 62'000},
        // A gateway that reports nothing: the call is hung up sixty seconds after the dial, and it says so.
        CallCase{"Silent", {}, false, {}, {429, 435}, {2532}, VoiceCall::End::NotAnswered, 60'000, 61'000},
        CallCase{"LeftTopic", {kProc}, false, 2000, {429, 430, 435}, {}, VoiceCall::End::HungUp, 2000, 3000}),
    [](const ::testing::TestParamInfo<CallCase>& info) { return std::string(info.param.name); });

TEST(IndicationText, AnIndicationSplitBetweenReadsIsFoundOnce) {
  IndicationText text;
  text.add("..GSM1: CC setup.");
  EXPECT_FALSE(text.has("setup.conf"));
  text.add("conf\r\n");
  EXPECT_TRUE(text.has("setup.conf"));
  text.add("\r\nnext");
  EXPECT_FALSE(text.has("setup.conf"));
}

}  // namespace
}  // namespace gw::test

// The simulator's voice messages: the commands, the messages and their state, its side of XMODEM with the
// failure modes, and the recording call's indications.
#include <gtest/gtest.h>

#include <string>

#include "command.h"
#include "device.h"
#include "identity.h"
#include "options.h"
#include "recording_call.h"
#include "session.h"
#include "voice_store.h"
#include "xmodem_peer.h"

namespace gwsim {
namespace {

std::string joined(const std::vector<Chunk>& chunks) {
  std::string all;
  for (const Chunk& chunk : chunks) all += chunk.bytes;
  return all;
}

TEST(VoiceCommands, NamesAndMessageNumbers) {
  struct Row {
    const char* line;
    CommandKind kind;
    int message;
  };
  const Row rows[] = {
      {"AT!M1=view", CommandKind::VoiceView, 1},     {"at!m8=read", CommandKind::VoiceRead, 8},
      {"AT!M0=WRITE", CommandKind::VoiceWrite, 0},   {"AT!M0=ERASE", CommandKind::VoiceErase, 0},
      {"AT!M0=record", CommandKind::VoiceRecord, 0}, {"AT!SG00=+420603", CommandKind::CallDial, -1},
      {"AT!D", CommandKind::CallHangUp, -1},         {"AT!M1=play", CommandKind::Unknown, -1},
      {"AT!Mx=view", CommandKind::Unknown, -1},
  };
  for (const Row& row : rows) {
    const Command command = parseCommand(row.line);
    EXPECT_EQ(command.kind, row.kind) << row.line;
    EXPECT_EQ(command.voiceMessage, row.message) << row.line;
  }
  EXPECT_EQ(parseCommand("AT!SG00=+420603").value, "+420603");
}

TEST(VoiceCommands, ViewEraseAndTransfersOnlyOnTheSerialLine) {
  Transcript transcript;
  DeviceConfig config;
  config.identity = identityFor(SimOptions{});
  config.loginEnabled = false;
  Device device(config, RegisterStore(), transcript);
  Session lan(device);
  Session serial(device, false, true);
  const auto reply = [](const FeedResult& r) { return r.out.back().bytes; };
  EXPECT_EQ(reply(lan.feed("AT!M1=view\r")),
            "\r\nFile length: 6044\r\nData Codec: G.711 A-law\r\nSamples/sec: 8000\r\nData length: 6000\r\n"
            "Data duration: 750 ms\r\n\r\nOK\r\n");
  EXPECT_EQ(reply(lan.feed("AT!M1=READ\r")), "\r\nERROR\r\n");
  const FeedResult read = serial.feed("AT!M1=READ\r\nAT\r");
  ASSERT_TRUE(read.transfer);
  EXPECT_TRUE(read.transfer->gatewaySends);
  EXPECT_EQ(read.out.size(), 2u);  // the echo and OK; the rest of the block belongs to the transfer
  EXPECT_EQ(reply(serial.feed("AT!M9=view\r")), "\r\nERROR\r\n");

  serial.feed("AT!M1=ERASE\r");
  EXPECT_EQ(
      reply(lan.feed("AT!M1=view\r")),
      "\r\nFile length: \r\nData Codec: \r\nSamples/sec: \r\nData length: \r\nData duration: \r\n\r\nOK\r\n");
  EXPECT_EQ(reply(serial.feed("AT!M1=READ\r")), "\r\nERROR\r\n");  // nothing there to send
  EXPECT_TRUE(serial.feed("AT!M1=WRITE\r").transfer);
}

TEST(VoiceStore, ChangedMessagesSurviveInTheStateFile) {
  VoiceStore store;
  EXPECT_EQ(store.formatState(), "");
  store.erase(2);
  store.store(3, recordedMessage(250) + std::string(60, '\x1A'));  // cut to the RIFF length
  EXPECT_EQ(*store.data(3), recordedMessage(250));
  VoiceStore restored;
  EXPECT_TRUE(restored.applyState("[registers]\nS70=1\n" + store.formatState() + "m7=%%\n").size() == 1);
  EXPECT_FALSE(restored.data(2));
  EXPECT_EQ(restored.data(3), store.data(3));
  EXPECT_EQ(restored.data(4), store.data(4));
}

TEST(XmodemPeer, SendingMeetsEachFaultOnce) {
  const std::string file = madeMessage(0);  // 4044 bytes: 32 blocks
  enum class Fault { Corrupt, DropAck, Pause, Cancel };
  for (Fault fault : {Fault::Corrupt, Fault::DropAck, Fault::Pause, Fault::Cancel}) {
    XmodemFaults faults;
    if (fault == Fault::Corrupt) faults.corruptBlock = 2;
    if (fault == Fault::DropAck) faults.dropAckBlock = 1;
    if (fault == Fault::Pause) faults.pauseBlock = 2;
    if (fault == Fault::Cancel) faults.cancelBlock = 2;
    XmodemPeer peer(XmodemPeer::Role::Sending, file, faults, 0);
    EXPECT_TRUE(peer.start().empty());
    const std::string first = joined(peer.feed("C", 0));
    ASSERT_EQ(first.substr(0, 3), "\x01\x01\xFE");
    ASSERT_EQ(first.size(), 133u);
    const std::vector<Chunk> second = peer.feed("\x06", 10);  // block 1 acknowledged
    const std::string later = joined(peer.onTime(1010));      // and then a second of silence
    switch (fault) {
      case Fault::Corrupt:
        EXPECT_EQ(later.substr(0, 3), "\x01\x02\xFD");  // block 2 again, whole this time
        EXPECT_NE(joined(second), later);
        break;
      case Fault::DropAck:
        EXPECT_TRUE(second.empty());
        EXPECT_EQ(later, first);  // the ACK was lost: block 1 again
        break;
      case Fault::Pause:
        ASSERT_EQ(second.size(), 2u);
        EXPECT_EQ(second[1].pauseMs, kFramePauseMs);
        EXPECT_EQ(later, "");  // its wait for an answer starts after the pause
        break;
      case Fault::Cancel:
        EXPECT_EQ(joined(second), "\x18\x18");
        EXPECT_TRUE(peer.finished());
        break;
    }
  }
}

TEST(XmodemPeer, ReceivingAcknowledgesARepeatAfterALostAck) {
  const std::string file = madeMessage(1);
  XmodemFaults dropAck;
  dropAck.dropAckBlock = 2;
  XmodemPeer sender(XmodemPeer::Role::Sending, file, {}, 0);
  XmodemPeer receiver(XmodemPeer::Role::Receiving, "", dropAck, 0);
  std::string toReceiver = joined(sender.feed(joined(receiver.start()), 0));
  std::int64_t now = 0;
  int silences = 0;
  while (!receiver.finished() && silences < 20) {
    std::string replies = joined(receiver.feed(toReceiver, ++now));
    if (replies.empty()) {
      now += 1000;
      replies = joined(receiver.onTime(now));  // the silence after the lost ACK is refused
      ++silences;
    }
    toReceiver = joined(sender.feed(replies, now));
  }
  ASSERT_TRUE(receiver.received());
  EXPECT_EQ(*receiver.received(), file + std::string(128 - file.size() % 128, '\x1A'));
  EXPECT_EQ(silences, 1);
}

TEST(RecordingCall, IndicationsFollowTheModeStepByStep) {
  const struct {
    CallMode mode;
    const char* indications;
  } rows[] = {
      {CallMode::Answer, "proc.ind alert.ind setup.conf "},
      {CallMode::Busy, "proc.ind CAU-userbusy "},
      {CallMode::NoAnswer, "proc.ind alert.ind CAU-timeout "},
      {CallMode::HangUp, "proc.ind alert.ind setup.conf disc.ind "},
      {CallMode::Silent, ""},
  };
  for (const auto& row : rows) {
    RecordingCall call({row.mode, 100, 1000});
    call.dial(0);
    std::string seen;
    for (std::int64_t t = 0; t <= 1000; t += 50) {
      const std::string text = call.due(t).text;
      for (std::size_t at = text.find("GSM1: "); at != std::string::npos; at = text.find("GSM1: ", at + 1)) {
        std::string word = text.substr(at + 6, text.find('\r', at) - at - 6);
        if (word.starts_with("CC ")) word = word.substr(3);
        seen += word + " ";
      }
    }
    EXPECT_EQ(seen, row.indications) << static_cast<int>(row.mode);
  }
}

TEST(RecordingCall, RecordsOnlyWhenAnsweredAndForTheRecordingTime) {
  RecordingCall call({CallMode::Answer, 100, 1000});
  call.dial(0);
  EXPECT_FALSE(call.record(50));  // not answered yet
  call.due(300);
  EXPECT_EQ(call.record(400), "\r\nRecording message...\r\n");
  EXPECT_EQ(call.due(1399).text, "");
  const RecordingCall::Due done = call.due(1400);
  EXPECT_EQ(done.text, "\r\nOK\r\n");
  EXPECT_EQ(done.recordedMs, 1000);

  call.dial(2000);
  call.due(2300);
  call.record(2300);
  EXPECT_EQ(call.hangUp(2550), 250);  // hung up during the recording: what was recorded is kept
}

}  // namespace
}  // namespace gwsim

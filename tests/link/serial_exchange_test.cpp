// The command exchange over the serial link: reads end at silence, a NUL or the capacity.

#include <gtest/gtest.h>

#include "link_fixture.h"

namespace gw::test {
namespace {

class SerialExchange : public LinkFixture {};

TEST_F(SerialExchange, AResponseEndsWhenTheLineFallsSilentTerminatorOrNot) {
  ScriptedSerialDevice& device = openSerial();
  ASSERT_TRUE(link.setCommandTimeouts());
  device.byteGapMs = 200;  // slower than a byte per read time-out would still be one response
  device.answer("ATI4\r\n", "SN: 1");
  EXPECT_EQ(link.commSend("ATI4\r\n"), 6);
  const auto start = clock.nowMs();
  EXPECT_EQ(link.commReceive(kReplyBuffer), "SN: 1");
  // The last byte came 800 ms in; then one silent read of the command profile (70 + 160 ms).
  EXPECT_EQ(msSince(start), 800 + 230);
  EXPECT_EQ(device.written, "ATI4\r\n");
}

TEST_F(SerialExchange, EachTimeOutProfileBoundsASilentRead) {
  openSerial();
  auto start = clock.nowMs();
  EXPECT_EQ(link.serialRead(kReplyBuffer), "");
  EXPECT_EQ(msSince(start), 240);  // as opened
  ASSERT_TRUE(link.setTerminalTimeouts());
  start = clock.nowMs();
  EXPECT_EQ(link.serialReadByte(), '\0');
  EXPECT_EQ(msSince(start), 2);
  ASSERT_TRUE(link.setCommandTimeouts());
  start = clock.nowMs();
  EXPECT_EQ(link.commReadChunk(kReplyBuffer), "");
  EXPECT_EQ(msSince(start), 230);
}

TEST_F(SerialExchange, ReadsStopAtANulAndAtTheCapacityEvenOfEndlessData) {
  ScriptedSerialDevice& device = openSerial();
  device.send(std::string("AB\0CD", 5));
  EXPECT_EQ(link.serialRead(kReplyBuffer), "AB");
  EXPECT_EQ(link.serialRead(kReplyBuffer), "CD");
  device.streamEndless("xyz");
  EXPECT_EQ(link.commReceive(7), "xyzxyzx");
  EXPECT_EQ(link.serialRead(0), "");
}

TEST_F(SerialExchange, WritesEveryByteButLogsTheCommandUpToItsNul) {
  const std::string path = startLog();
  ScriptedSerialDevice& device = openSerial();
  device.answer("AT\r\n", "\r\nOK\r\n");
  EXPECT_EQ(link.commSend(std::string("AT\r\n\0Z", 6)), 6);
  EXPECT_EQ(link.commReceive(kReplyBuffer), "\r\nOK\r\n");
  EXPECT_EQ(link.commSend(""), 0);
  EXPECT_EQ(link.serialRead(kReplyBuffer), "");  // nothing received: no entry
  link.closeLog();
  EXPECT_EQ(device.written, std::string("AT\r\n\0Z", 6));
  EXPECT_EQ(readFile(path), sendEntry("AT\r\n") + "<-\r\nOK\r\n");
}

TEST_F(SerialExchange, ALogOpenedForAppendKeepsWhatWasThere) {
  const std::string path = folder.write("log.txt", "earlier");
  link.comm.saveLog = true;
  ASSERT_TRUE(link.openLog(path, true));
  openSerial();
  link.commSend("AT\r");
  link.closeLog();
  EXPECT_EQ(readFile(path), "earlier" + sendEntry("AT\r"));
  ASSERT_TRUE(link.openLog(path, false));
  link.closeLog();
  EXPECT_EQ(readFile(path), "");
  EXPECT_FALSE(link.openLog(folder.file("missing/folder/log.txt"), false));
  EXPECT_FALSE(link.logOpen());
}

TEST_F(SerialExchange, WithoutAPortNothingIsWrittenAndNothingWaits) {
  link.comm.linkType = kSerialLink;
  const auto start = clock.nowMs();
  EXPECT_EQ(link.commSend("AT\r\n"), 0);
  EXPECT_EQ(link.commReceive(kReplyBuffer), "");
  EXPECT_FALSE(link.sendCheckOk("AT\r\n", kReplyBuffer));
  EXPECT_FALSE(link.setCommandTimeouts());
  EXPECT_EQ(msSince(start), 0);
}

TEST_F(SerialExchange, SendCheckOkPausesBeforeItListens) {
  ScriptedSerialDevice& device = openSerial();
  ASSERT_TRUE(link.setCommandTimeouts());
  device.answer("AT%S70=1\r\n", "\r\nOK\r\n", 50);
  const auto start = clock.nowMs();
  EXPECT_TRUE(link.sendCheckOk("AT%S70=1\r\n", kReplyBuffer));
  EXPECT_EQ(msSince(start), 100 + 230);  // the pause, then the reply (already there) and one silent read
}

}  // namespace
}  // namespace gw::test

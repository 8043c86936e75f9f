// XMODEM-CRC on the fake clock against a scripted peer on the other end of the line: the recovery paths of
// both directions and their time limits.

#include "firmware/xmodem.h"

#include <gtest/gtest.h>

#include <map>
#include <sstream>

#include "firmware/xmodem_frame.h"
#include "support/scripted_serial.h"
#include "support/scripted_xmodem.h"

namespace gw::test {
namespace {

using namespace xmodem;

std::string testData(std::size_t size) {
  std::string data;
  for (std::size_t i = 0; i < size; ++i) data.push_back(static_cast<char>((i * 7 + i / 128) & 0xFF));
  data[5] = '\0';  // a genuine NUL is data like any other byte
  return data;
}

using Fault = XmodemFault;

std::size_t count(const std::string& text, char c) {
  return static_cast<std::size_t>(std::count(text.begin(), text.end(), c));
}

// One end of a serial line on the fake clock, with the gateway's side of XMODEM scripted on the other.
struct Line {
  FakeClock clock;
  ScriptedSerialBus bus{clock};
  ScriptedSerialDevice& device = bus.device("ttyS0");
  std::unique_ptr<SerialPort> port = bus.factory()("ttyS0", 115200).port;
  ScriptedXmodemPeer gateway{device};
  bool stop = false;
  XmodemLine line{*port, clock, [this] { return stop; }, {}};

  Line() { port->setReadTimeouts(kCommandReadTimeouts); }
  void sendAsGateway(const std::string& data, Fault fault) { gateway.sendFile(data, fault); }
  void receiveAsGateway(Fault fault, bool asks = true) { gateway.takeFile(fault, asks); }
};

TEST(XmodemFrame, CrcAndChecks) {
  EXPECT_EQ(crc16("123456789"), 0x31C3);  // the check value of CRC-16/XMODEM
  const std::string frame = dataFrame(257, "abc");
  EXPECT_EQ(frame.size(), 133u);
  EXPECT_EQ(frame.substr(0, 6), std::string("\x01\x01\xFE"
                                            "abc",
                                            6));
  EXPECT_EQ(frameData(frame), "abc" + std::string(125, '\0'));
  EXPECT_EQ(endFrame(), '\x04' + std::string(132, '\0'));

  std::string damaged = frame;
  damaged[100] ^= 1;
  std::string badComplement = frame;
  badComplement[2] = 0;
  const struct {
    std::string frame;
    std::uint8_t last;
    FrameKind kind;
  } cases[] = {
      {frame, 0, FrameKind::ValidNext},
      {frame, 1, FrameKind::Repeat},
      {frame, 5, FrameKind::Bad},
      {damaged, 0, FrameKind::Bad},
      {damaged, 1, FrameKind::Bad},
      {badComplement, 0, FrameKind::Bad},
      {frame.substr(0, 132), 0, FrameKind::Bad},
      {"\x04", 9, FrameKind::End},
      {dataFrame(1, ""), 255, FrameKind::Bad},
      {dataFrame(256, "x"), 255, FrameKind::ValidNext},
  };
  for (const auto& c : cases) EXPECT_EQ(checkFrame(c.frame, c.last), c.kind) << int(c.last);
}

TEST(Xmodem, ReceivingRecoversFromEveryLineFaultAndKeepsTheExpectedLength) {
  const struct {
    Fault fault;
    std::size_t naks;
  } cases[] = {{Fault::None, 0}, {Fault::PauseInside, 2}, {Fault::Corrupt, 1}, {Fault::LostAck, 0}};
  for (const auto& c : cases) {
    Line fresh;
    const std::string data = testData(300);
    fresh.sendAsGateway(data, c.fault);
    std::ostringstream file;
    EXPECT_EQ(receiveXmodem(fresh.line, file, 300), XmodemEnd::Done) << int(c.fault);
    EXPECT_EQ(file.str(), data) << int(c.fault);  // 128 + 128 + 44 bytes, never a byte of silence
    EXPECT_EQ(count(fresh.device.written, kNak), c.naks) << int(c.fault);
    EXPECT_TRUE(fresh.device.written.ends_with(std::string(2, kAck))) << int(c.fault);
  }
}

TEST(Xmodem, ReceivingEndsWithinItsLimits) {
  const struct {
    Fault fault;
    bool sends;
    std::int64_t expected;
    XmodemEnd end;
    std::int64_t minMs, maxMs;
  } cases[] = {
      // Three requests, three seconds apart, for a first block that never comes.
      {Fault::None, false, 300, XmodemEnd::NoStart, 7000, 9000},
      // Intact repeats of block 1 are acknowledged, but nine seconds without a new block end it with CAN.
      {Fault::Repeats, true, 300, XmodemEnd::TimedOut, 9000, 10500},
      // Ten damaged frames in a row are refused; the eleventh ends it with CAN.
      {Fault::AlwaysCorrupt, true, 300, XmodemEnd::TooManyErrors, 0, 9000},
      {Fault::Cancel, true, 300, XmodemEnd::Cancelled, 0, 1000},
      // The sender ended before the length the gateway announced: a failure, not a short file.
      {Fault::None, true, 1000, XmodemEnd::Incomplete, 0, 1000},
  };
  for (const auto& c : cases) {
    Line fresh;
    if (c.sends) fresh.sendAsGateway(testData(300), c.fault);
    std::ostringstream file;
    const std::int64_t start = fresh.clock.nowMs();
    EXPECT_EQ(receiveXmodem(fresh.line, file, c.expected), c.end) << int(c.fault);
    const std::int64_t took = fresh.clock.nowMs() - start;
    EXPECT_GE(took, c.minMs) << int(c.fault);
    EXPECT_LE(took, c.maxMs) << int(c.fault);
    const std::string& wire = fresh.device.written;
    if (c.end == XmodemEnd::NoStart) {
      EXPECT_EQ(wire, "CCC");
    }
    if (c.end == XmodemEnd::TimedOut) {
      EXPECT_EQ(wire.back(), kCan);
    }
    if (c.end == XmodemEnd::TooManyErrors) {
      EXPECT_EQ(count(wire, kNak), 10u);
      EXPECT_EQ(wire.back(), kCan);
    }
  }
}

TEST(Xmodem, ReceivingStopsWhenAskedAndTellsTheSender) {
  Line l;
  l.sendAsGateway(testData(1000), Fault::None);
  l.line.progress = [&l](int blocks, std::int64_t) { l.stop = blocks == 2; };
  std::ostringstream file;
  EXPECT_EQ(receiveXmodem(l.line, file, 1000), XmodemEnd::Stopped);
  EXPECT_TRUE(l.device.written.ends_with(std::string(2, kCan)));
}

TEST(Xmodem, SendingFramesTheFileAndRecovers) {
  const struct {
    Fault fault;
    XmodemEnd end;
    std::size_t minMs, maxMs;
    std::string ending;  // after the end frame, before DC1
  } cases[] = {
      {Fault::None, XmodemEnd::Done, 0, 2000, ""},
      {Fault::Corrupt, XmodemEnd::Done, 0, 2000, ""},  // a NAK brings the frame again
      {Fault::Cancel, XmodemEnd::Cancelled, 0, 2000, ""},
      {Fault::LostAck, XmodemEnd::TimedOut, 10000, 11000, ""},             // nothing for ten seconds
      {Fault::RefuseEnd, XmodemEnd::Done, 0, 2000, std::string(1, kEot)},  // then EOT alone
  };
  for (const auto& c : cases) {
    Line fresh;
    fresh.receiveAsGateway(c.fault);
    const std::string data = testData(200);
    std::istringstream file(data);
    std::vector<std::int64_t> progress;
    fresh.line.progress = [&progress](int, std::int64_t bytes) { progress.push_back(bytes); };
    const std::int64_t start = fresh.clock.nowMs();
    EXPECT_EQ(sendXmodem(fresh.line, file), c.end) << int(c.fault);
    const auto took = static_cast<std::size_t>(fresh.clock.nowMs() - start);
    EXPECT_GE(took, c.minMs) << int(c.fault);
    EXPECT_LE(took, c.maxMs) << int(c.fault);
    if (c.end != XmodemEnd::Done) continue;
    EXPECT_EQ(fresh.gateway.received, data + std::string(56, '\0'));  // the last block padded with zeros
    EXPECT_EQ(progress, (std::vector<std::int64_t>{128, 200}));
    EXPECT_TRUE(fresh.device.written.ends_with(endFrame() + c.ending + kDc1)) << int(c.fault);
  }
}

TEST(Xmodem, SendingStartsWithoutTheRequestAfterFifteenSilentReads) {
  Line l;
  std::istringstream file(testData(10));
  l.receiveAsGateway(Fault::None, false);
  l.device.send("AT!M1=WRITE\r\n");  // the echo is skipped without counting
  const std::int64_t start = l.clock.nowMs();
  EXPECT_EQ(sendXmodem(l.line, file), XmodemEnd::Done);
  EXPECT_EQ(l.device.written.substr(0, 3), std::string("\x01\x01\xFE", 3));
  EXPECT_GE(l.clock.nowMs() - start, 15 * (230 + 200));
  EXPECT_LE(l.clock.nowMs() - start, 16 * (230 + 200));
}

}  // namespace
}  // namespace gw::test

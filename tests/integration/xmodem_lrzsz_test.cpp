// Our XMODEM-CRC against lrzsz, a peer written elsewhere, over a pair of pseudo-terminals: both directions,
// each with one block damaged on the way so the refusal and the repeat are met too.

#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>
#include <sstream>

#include "base/clock.h"
#include "firmware/xmodem.h"
#include "link/posix_serial_port.h"
#include "support/pty_bridge.h"
#include "support/temp_dir.h"

namespace gw::test {
namespace {

constexpr int kBitsPerSecond = 115200;
constexpr int kPeerExitMs = 30000;
constexpr std::size_t kFileBytes = 3000;  // 24 blocks, the last one short
// A data byte inside the second frame: its CRC no longer matches.
constexpr long kSecondFrameByte = 133 + 40;

bool lrzszInstalled() {
  return ::access("/usr/bin/sx", X_OK) == 0 && ::access("/usr/bin/rx", X_OK) == 0;
}

std::string sample() {
  std::string data;
  for (std::size_t i = 0; i < kFileBytes; ++i) data.push_back(static_cast<char>((i * 7 + i / 256) & 0xff));
  return data;
}

std::string readAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

struct Direction {
  const char* name;
  bool weSend;
};

class XmodemWithLrzsz : public ::testing::TestWithParam<Direction> {};

TEST_P(XmodemWithLrzsz, AFileCrossesWholeThroughADamagedBlock) {
  if (!lrzszInstalled()) GTEST_SKIP() << "lrzsz is not installed (scripts/setup installs it)";
  PtyBridge bridge;
  ASSERT_TRUE(bridge.ready());
  SerialOpenResult opened = PosixSerialPort::open(bridge.nearPath(), kBitsPerSecond);
  ASSERT_TRUE(opened.port);
  TempDir dir;
  const std::string peerFile = dir.file("peer.bin");
  const std::string data = sample();
  SystemClock clock;
  XmodemLine line{*opened.port, clock, {}, {}};

  if (GetParam().weSend) {
    bridge.damageTowardsFar(kSecondFrameByte);
    const pid_t peer = bridge.startFar(dir.path(), "rx", {"-c", "-X", "peer.bin"});
    std::istringstream source(data);
    EXPECT_EQ(sendXmodem(line, source), XmodemEnd::Done);
    EXPECT_EQ(waitForExit(peer, kPeerExitMs), 0);
    // The receiver keeps our padding of the last block: what it has begins with the whole file, then zeros.
    const std::string got = readAll(peerFile);
    EXPECT_EQ(got.substr(0, data.size()), data);
    EXPECT_EQ(got.find_first_not_of('\0', data.size()), std::string::npos);
  } else {
    { std::ofstream(peerFile, std::ios::binary) << data; }
    bridge.damageTowardsNear(kSecondFrameByte);
    const pid_t peer = bridge.startFar(dir.path(), "sx", {"-X", "peer.bin"});
    std::ostringstream target;
    EXPECT_EQ(receiveXmodem(line, target, std::ssize(data)), XmodemEnd::Done);
    EXPECT_EQ(waitForExit(peer, kPeerExitMs), 0);
    EXPECT_EQ(target.str(), data);
  }
  const char* peerName = GetParam().weSend ? "rx" : "sx";
  if (HasFailure())
    ADD_FAILURE() << peerName << " said:\n" << readAll(dir.file(std::string(peerName) + ".log"));
}

INSTANTIATE_TEST_SUITE_P(Directions, XmodemWithLrzsz,
                         ::testing::Values(Direction{"WeSend", true}, Direction{"WeReceive", false}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace gw::test

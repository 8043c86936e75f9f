// A LAN upgrade run against a scripted gateway on the fake clock: the login, the erase, the windowed
// write (also through lost and reordered datagrams) and the reset; a silent port, a wrong password and a
// refused erase each end with their message within their limits.
#include "firmware/ucmd_session.h"

#include <gtest/gtest.h>

#include <deque>
#include <map>

#include "base/fake_clock.h"

namespace gw {
namespace {

using namespace ucmd;

constexpr std::uint32_t kAreaStart = 0x01000000;
constexpr std::uint32_t kAreaBytes = 8u << 20;
constexpr std::uint32_t kWindow = 8 * kBlockBytes;
constexpr std::uint32_t kEraseStep = 1u << 20;

// The gateway's side of UCMD: a challenge before each operation, the area, erase steps and window grants.
struct ScriptedGateway : UdpChannel {
  std::string credential = "admin/admin";
  bool silent = false;
  bool refuseErase = false;
  int loseEvery = 0;     // every Nth datagram (either way) is lost
  bool reorder = false;  // every other pair of replies swaps
  std::map<std::uint32_t, std::vector<std::uint8_t>> blocks;
  std::deque<std::vector<std::uint8_t>> replies;
  int modes = 0;
  int resets = 0;
  int datagrams = 0;

  bool lost() { return loseEvery > 0 && ++datagrams % loseEvery == 0; }
  void reply(Packet p) {
    if (lost()) return;
    replies.push_back(encode(p));
    if (reorder && replies.size() == 2) std::swap(replies[0], replies[1]);
  }
  std::vector<std::uint8_t> challenge(std::uint8_t seq) const {
    return std::vector<std::uint8_t>(kAuthBytes, seq);
  }
  std::uint32_t contiguousEnd() const {
    std::uint32_t end = kAreaStart + kBlockBytes;
    while (blocks.count(end) != 0) end += kBlockBytes;
    return end;
  }

  bool send(const std::vector<std::uint8_t>& datagram) override {
    if (silent || lost()) return true;
    const Packet p = *decode(datagram.data(), datagram.size());
    switch (p.code) {
      case kMode: {
        ++modes;
        // The answer expected is to the challenge sent with the previous PSWERR (its sequence's bytes).
        const auto expected =
            authentication(challenge(static_cast<std::uint8_t>(p.sequence - 1)), credential);
        if (!std::equal(expected.begin(), expected.end(), p.data.begin())) {
          reply({kPasswordError, p.sequence, 0, 0, 0, challenge(p.sequence)});
          break;
        }
        if (p.param2 == static_cast<std::uint32_t>(Operation::Reset)) ++resets;
        reply({kModeOk, p.sequence, kAreaStart, kWindow, kAreaStart + kAreaBytes, {}});
        break;
      }
      case kErase:
        reply(refuseErase ? Packet{kEraseError, p.sequence, p.address, 0, 0, {}}
                          : Packet{kEraseOk, p.sequence, p.address, kEraseStep, 0, {}});
        break;
      case kWrite:
        blocks[p.address] = p.data;
        reply({kWriteOk, p.sequence, p.address, contiguousEnd() + kWindow, 0, {}});
        break;
      default:
        reply({kCodeError, p.sequence, 0, 0, 0, {}});
    }
    return true;
  }
  std::optional<std::vector<std::uint8_t>> receive() override {
    if (replies.empty()) return std::nullopt;
    std::vector<std::uint8_t> next = replies.front();
    replies.pop_front();
    return next;
  }
};

struct QuietStatus : UpgradeStatus {
  std::vector<std::string> titles;
  void title(const std::string& line) override { titles.push_back(line); }
  void status(const std::string&) override {}
  void phaseDone() override {}
  bool escaped() override { return false; }
};

std::vector<std::uint8_t> imageOf(std::size_t size) {
  std::vector<std::uint8_t> image(size);
  for (std::size_t i = 0; i < size; ++i) image[i] = static_cast<std::uint8_t>(i * 7 + i / 1024);
  return image;
}

TEST(UcmdSession, WritesTheImageThroughLossAndReordering) {
  struct Case {
    const char* name;
    int loseEvery;
    bool reorder;
  };
  for (const Case c : {Case{"clean", 0, false}, Case{"5% lost, reordered", 20, true}}) {
    FakeClock clock;
    ScriptedGateway gateway;
    gateway.loseEvery = c.loseEvery;
    gateway.reorder = c.reorder;
    QuietStatus status;
    std::string log;
    UcmdSession session(clock, gateway, "admin/admin", Memory::Cpu, status, log);
    std::vector<std::uint8_t> image = imageOf(100 * kBlockBytes + 100);
    ASSERT_TRUE(session.erase() && session.write(image, "fw.hex") && session.reset())
        << c.name << session.error();
    stampChecksum(image);
    image.resize(101 * kBlockBytes, 0xFF);
    for (std::uint32_t at = kBlockBytes; at < image.size(); at += kBlockBytes) {
      ASSERT_EQ(gateway.blocks.count(kAreaStart + at), 1u) << c.name << at;
      EXPECT_TRUE(std::equal(image.begin() + at, image.begin() + at + kBlockBytes,
                             gateway.blocks[kAreaStart + at].begin()))
          << c.name << " block " << at;
    }
    EXPECT_EQ(gateway.resets, 1) << c.name;
    EXPECT_NE(log.find("-->  WRITE   (  "), std::string::npos);
  }
}

TEST(UcmdSession, FailuresEndWithTheirMessageWithinTheirLimits) {
  struct Case {
    const char* name;
    bool silent;
    std::string credential;
    bool refuseErase;
    std::string error;
    std::int64_t withinMs;
  };
  const Case cases[] = {
      {"silent", true, "admin/admin", false, "\n*** User escaped ***\n", 6000},
      {"wrong password", false, "admin/other", false, "\nERROR: UCMD packet user:name\n\n", 100},
      {"refused erase", false, "admin/admin", true, "\nERROR: UCMD erase at (01000000)\n\n", 100},
  };
  for (const Case& c : cases) {
    FakeClock clock;
    ScriptedGateway gateway;
    gateway.silent = c.silent;
    gateway.refuseErase = c.refuseErase;
    gateway.credential = c.credential;
    QuietStatus status;
    std::string log;
    UcmdSession session(clock, gateway, "admin/admin", Memory::Cpu, status, log);
    EXPECT_FALSE(session.erase()) << c.name;
    EXPECT_EQ(session.error(), c.error) << c.name;
    EXPECT_LE(clock.nowMs(), c.withinMs) << c.name;
    EXPECT_GE(clock.nowMs(), c.silent ? 5000 : 0) << c.name;
  }
}

}  // namespace
}  // namespace gw

// gwsim's firmware port without a socket: the challenge before the grant, a block into the flash, and the
// datagrams it does not take.
#include <gtest/gtest.h>
#include <openssl/evp.h>

#include <algorithm>
#include <string>
#include <vector>

#include "flash.h"
#include "udp_port.h"

namespace gwsim {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes packet(std::uint8_t code, std::uint8_t seq, std::uint32_t address, std::uint32_t param2,
             Bytes data = {}) {
  Bytes out(16 + data.size(), 0);
  out[0] = code;
  out[1] = seq;
  for (int i = 0; i < 4; ++i) out[4 + i] = static_cast<std::uint8_t>(address >> (8 * i));
  for (int i = 0; i < 4; ++i) out[12 + i] = static_cast<std::uint8_t>(param2 >> (8 * i));
  std::copy(data.begin(), data.end(), out.begin() + 16);
  return out;
}

Bytes md5(Bytes bytes) {
  Bytes digest(16);
  unsigned length = 0;
  EVP_Digest(bytes.data(), bytes.size(), digest.data(), &length, EVP_md5(), nullptr);
  return digest;
}

TEST(FirmwarePort, GrantsTheAnsweredChallengeAndWritesABlock) {
  Flash flash;
  UdpPort port({0, "admin", "pa:ss", 0, 0, false, ""}, flash);
  const auto first = port.answer(packet(0x39, 1, 1, 2, Bytes(16, 0)), 0);
  ASSERT_EQ(first.size(), 1u);
  ASSERT_EQ(first[0][0], 0xC9);  // PSWERR with its challenge
  Bytes answer(first[0].begin() + 16, first[0].end());
  const std::string credential = "admin/pa:ss";
  answer.insert(answer.end(), credential.begin(), credential.end());
  const auto granted = port.answer(packet(0x39, 2, 1, 2, md5(answer)), 0);
  ASSERT_EQ(granted.size(), 1u);
  EXPECT_EQ(granted[0][0], 0x99);  // MODOK

  const auto written = port.answer(packet(0x33, 3, Flash::kCpuStart + 1024, 0, Bytes(1024, 0x5A)), 0);
  ASSERT_EQ(written.size(), 1u);
  EXPECT_EQ(written[0][0], 0x93);  // WROK
  const Bytes image = flash.cpuImage();
  ASSERT_EQ(image.size(), 2048u);
  EXPECT_EQ(image[1024], 0x5A);

  for (std::size_t size : {15u, 17u, 1041u}) EXPECT_TRUE(port.answer(Bytes(size, 0x39), 0).empty()) << size;
}

}  // namespace
}  // namespace gwsim

#include "firmware/xmodem_frame.h"

#include <algorithm>

namespace gw::xmodem {

namespace {

constexpr std::uint16_t kPolynomial = 0x1021;
constexpr std::uint16_t kTopBit = 0x8000;
constexpr int kBitsPerByte = 8;
constexpr std::size_t kNumberAt = 1;
constexpr std::size_t kComplementAt = 2;
constexpr std::size_t kCrcAt = kHeaderBytes + kBlockBytes;
constexpr unsigned kByteMask = 0xFF;

unsigned byteAt(std::string_view text, std::size_t at) {
  return static_cast<unsigned char>(text[at]);
}

bool intact(std::string_view frame) {
  if (frame.size() != kFrameBytes || frame[0] != kSoh) return false;
  if (byteAt(frame, kNumberAt) + byteAt(frame, kComplementAt) != kByteMask) return false;
  const unsigned crc = (byteAt(frame, kCrcAt) << kBitsPerByte) | byteAt(frame, kCrcAt + 1);
  return crc == crc16(frameData(frame));
}

}  // namespace

std::uint16_t crc16(std::string_view data) {
  std::uint16_t crc = 0;
  for (char c : data) {
    crc ^= static_cast<std::uint16_t>(static_cast<unsigned char>(c) << kBitsPerByte);
    for (int bit = 0; bit < kBitsPerByte; ++bit) {
      crc = (crc & kTopBit) != 0 ? static_cast<std::uint16_t>((crc << 1) ^ kPolynomial)
                                 : static_cast<std::uint16_t>(crc << 1);
    }
  }
  return crc;
}

std::string dataFrame(int blockNumber, std::string_view data) {
  std::string frame(kFrameBytes, '\0');
  const unsigned number = static_cast<unsigned>(blockNumber) & kByteMask;
  frame[0] = kSoh;
  frame[kNumberAt] = static_cast<char>(number);
  frame[kComplementAt] = static_cast<char>(kByteMask - number);
  frame.replace(kHeaderBytes, std::min(data.size(), kBlockBytes), data.substr(0, kBlockBytes));
  const std::uint16_t crc = crc16(frameData(frame));
  frame[kCrcAt] = static_cast<char>(crc >> kBitsPerByte);
  frame[kCrcAt + 1] = static_cast<char>(crc & kByteMask);
  return frame;
}

std::string endFrame() {
  std::string frame(kFrameBytes, '\0');
  frame[0] = kEot;
  return frame;
}

FrameKind checkFrame(std::string_view frame, std::uint8_t lastBlock) {
  if (!frame.empty() && frame[0] == kEot) return FrameKind::End;
  if (!intact(frame)) return FrameKind::Bad;
  const unsigned number = byteAt(frame, kNumberAt);
  if (number == ((lastBlock + 1u) & kByteMask)) return FrameKind::ValidNext;
  if (number == lastBlock) return FrameKind::Repeat;
  return FrameKind::Bad;
}

std::string_view frameData(std::string_view frame) {
  return frame.substr(kHeaderBytes, kBlockBytes);
}

}  // namespace gw::xmodem

#pragma once
// XMODEM-CRC frames as they travel on the line: 133 bytes — SOH, the block number, its complement, 128 data
// bytes and the CRC-16 of the data, high byte first. EOT in the first byte ends a transfer. Pure functions,
// so the receiver's checks run without a port.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace gw::xmodem {

inline constexpr char kSoh = 0x01;
inline constexpr char kEot = 0x04;
inline constexpr char kAck = 0x06;
inline constexpr char kNak = 0x15;
inline constexpr char kCan = 0x18;
inline constexpr char kDc1 = 0x11;        // the sender's last byte, after its end frame was acknowledged
inline constexpr char kCrcRequest = 'C';  // the receiver asks for CRC mode and the first block

inline constexpr std::size_t kBlockBytes = 128;
inline constexpr std::size_t kHeaderBytes = 3;  // SOH, block number, complement
inline constexpr std::size_t kFrameBytes = kHeaderBytes + kBlockBytes + 2;

// CRC-16 with the polynomial 0x1021, initial value 0, no reflection and no final XOR.
std::uint16_t crc16(std::string_view data);

// The frame of block `blockNumber` (counted from 1; modulo 256 on the line), the data padded with 0x00.
std::string dataFrame(int blockNumber, std::string_view data);
// The end frame: EOT followed by 132 zero bytes, as long as a data frame.
std::string endFrame();

enum class FrameKind {
  ValidNext,  // the block after the last one accepted, intact
  Repeat,     // the last block accepted once more, intact: its acknowledgement was lost on the way
  End,        // EOT
  Bad,        // anything else: damaged, short, out of order
};

// The frame as the receiver sees it, given the number (modulo 256) of the last block it accepted.
FrameKind checkFrame(std::string_view frame, std::uint8_t lastBlock);
// The 128 data bytes of a whole frame.
std::string_view frameData(std::string_view frame);

}  // namespace gw::xmodem

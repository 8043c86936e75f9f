#include "support/scripted_xmodem.h"

namespace gw::test {

namespace {

constexpr char kSoh = 0x01;
constexpr char kEot = 0x04;
constexpr char kAck = 0x06;
constexpr char kNak = 0x15;
constexpr char kCan = 0x18;
constexpr std::size_t kBlock = 128;
constexpr std::size_t kFrame = 133;

std::uint16_t crc(std::string_view data) {
  std::uint16_t c = 0;
  for (char byte : data) {
    c = static_cast<std::uint16_t>(c ^ (static_cast<unsigned char>(byte) << 8));
    for (int i = 0; i < 8; ++i)
      c = static_cast<std::uint16_t>((c & 0x8000) != 0 ? (c << 1) ^ 0x1021 : c << 1);
  }
  return c;
}

std::string frameOf(int number, std::string data) {
  data.resize(kBlock, '\0');
  const std::uint16_t c = crc(data);
  return std::string{kSoh, static_cast<char>(number), static_cast<char>(255 - number)} + data +
         static_cast<char>(c >> 8) + static_cast<char>(c & 0xFF);
}

}  // namespace

void ScriptedXmodemPeer::sendFile(const std::string& data, XmodemFault fault) {
  for (std::size_t at = 0; at < data.size(); at += kBlock)
    frames_.push_back(frameOf(static_cast<int>(at / kBlock) + 1, data.substr(at, kBlock)));
  frames_.emplace_back(1, kEot);
  device_.onWrite = [this, fault](std::string_view written) {
    for (char c : written) {
      if (next_ >= frames_.size()) return;
      if (c == 'C' || c == kNak) {
        deliver(fault);
      } else if (c == kAck && fault == XmodemFault::Repeats && next_ == 0) {
        device_.send(frames_[0], 300);  // a sender stuck on block 1
      } else if (c == kAck && fault == XmodemFault::LostAck && next_ == 1 && !struck_) {
        struck_ = true;  // the ACK never reached the sender: it sends the block again
        deliver(fault);
      } else if (c == kAck && ++next_ < frames_.size()) {
        deliver(fault);
      }
    }
  };
}

void ScriptedXmodemPeer::deliver(XmodemFault fault) {
  std::string frame = frames_[next_];
  const bool strike = next_ == 1 && (fault == XmodemFault::AlwaysCorrupt || !struck_);
  if (strike && fault == XmodemFault::PauseInside) {
    struck_ = true;
    device_.send(frame.substr(0, 70));
    device_.send(frame.substr(70), 1000);
    return;
  }
  if (strike && (fault == XmodemFault::Corrupt || fault == XmodemFault::AlwaysCorrupt)) {
    struck_ = true;
    frame[50] = static_cast<char>(frame[50] ^ 0x40);
  }
  if (strike && fault == XmodemFault::Cancel) frame = std::string(2, kCan);
  device_.send(frame);
}

void ScriptedXmodemPeer::takeFile(XmodemFault fault, bool asks) {
  if (asks) device_.send("C");
  device_.onWrite = [this, fault](std::string_view written) {
    inbound_.append(written);
    while (!inbound_.empty()) {
      const std::size_t need = inbound_[0] == kSoh ? kFrame : 1;
      if (inbound_.size() < need) return;
      const std::string frame = inbound_.substr(0, need);
      inbound_.erase(0, need);
      if (frame[0] == kEot) {
        const bool refuse = fault == XmodemFault::RefuseEnd && !struck_;
        struck_ = struck_ || refuse;
        device_.send(std::string(1, refuse ? kNak : kAck));
      }
      if (frame[0] != kSoh) continue;  // the end frame's padding, DC1
      const bool second = static_cast<unsigned char>(frame[1]) == 2;
      if (second && fault == XmodemFault::Corrupt && !struck_) {
        struck_ = true;
        device_.send(std::string(1, kNak));
      } else if (second && fault == XmodemFault::Cancel) {
        device_.send(std::string(1, kCan));
      } else if (!(second && fault == XmodemFault::LostAck)) {
        received.append(frame.substr(3, kBlock));
        device_.send(std::string(1, kAck));
      }
    }
  };
}

}  // namespace gw::test

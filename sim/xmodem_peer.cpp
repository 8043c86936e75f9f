#include "xmodem_peer.h"

namespace gwsim {
namespace {

constexpr char kSoh = 0x01;
constexpr char kEot = 0x04;
constexpr char kAck = 0x06;
constexpr char kNak = 0x15;
constexpr char kCan = 0x18;
constexpr char kRequest = 'C';
constexpr char kPadding = 0x1A;
constexpr std::size_t kBlockBytes = 128;
constexpr std::size_t kFrameBytes = 133;
constexpr std::size_t kDataAt = 3;
constexpr unsigned kByteMask = 0xFF;

// A sender waits this long for the client's "C" before it gives the transfer up.
constexpr std::int64_t kStartWaitMs = 60000;
// A sender sends a block again, and a receiver refuses what it has (NAK), after this long without a word.
constexpr std::int64_t kReplyWaitMs = 1000;
// Tries of one block (or of the first request) before the gateway gives the transfer up.
constexpr int kMaxRetries = 10;

unsigned byteAt(std::string_view text, std::size_t at) {
  return static_cast<unsigned char>(text[at]);
}

std::uint16_t crc16(std::string_view data) {
  std::uint16_t crc = 0;
  for (char c : data) {
    crc = static_cast<std::uint16_t>(crc ^ (static_cast<unsigned char>(c) << 8));
    for (int bit = 0; bit < 8; ++bit)
      crc = static_cast<std::uint16_t>((crc & 0x8000) != 0 ? (crc << 1) ^ 0x1021 : crc << 1);
  }
  return crc;
}

std::string frameOf(std::size_t block, std::string_view data) {
  std::string frame(1, kSoh);
  frame.push_back(static_cast<char>(block & kByteMask));
  frame.push_back(static_cast<char>(kByteMask - (block & kByteMask)));
  std::string payload(data.substr(0, kBlockBytes));
  payload.resize(kBlockBytes, kPadding);
  const std::uint16_t crc = crc16(payload);
  return frame + payload + static_cast<char>(crc >> 8) + static_cast<char>(crc & kByteMask);
}

bool intact(std::string_view frame) {
  if (byteAt(frame, 1) + byteAt(frame, 2) != kByteMask) return false;
  const unsigned crc = (byteAt(frame, kFrameBytes - 2) << 8) | byteAt(frame, kFrameBytes - 1);
  return crc == crc16(frame.substr(kDataAt, kBlockBytes));
}

}  // namespace

XmodemPeer::XmodemPeer(Role role, std::string data, const XmodemFaults& faults, std::int64_t nowMs)
    : role_(role),
      data_(role == Role::Sending ? std::move(data) : std::string()),
      faults_(faults),
      state_(role == Role::Sending ? State::AwaitStart : State::Taking),
      nowMs_(nowMs) {}

std::vector<Chunk> XmodemPeer::start() {
  if (role_ == Role::Sending) {
    dueMs_ = nowMs_ + kStartWaitMs;
    return {};
  }
  requests_ = 1;
  dueMs_ = nowMs_ + kReplyWaitMs;
  return {{std::string(1, kRequest), 0}};
}

std::optional<std::int64_t> XmodemPeer::nextDueMs() const {
  return finished() ? std::nullopt : dueMs_;
}

std::optional<std::string> XmodemPeer::received() const {
  if (role_ != Role::Receiving || state_ != State::Done) return std::nullopt;
  return data_;
}

bool XmodemPeer::strikes(const std::optional<long>& fault, std::size_t block, bool& used) const {
  if (!fault || static_cast<std::size_t>(*fault) != block || used) return false;
  used = true;
  return true;
}

std::vector<Chunk> XmodemPeer::feed(std::string_view bytes, std::int64_t nowMs) {
  nowMs_ = nowMs;
  std::vector<Chunk> out;
  for (char byte : bytes) {
    if (finished()) break;
    for (Chunk& chunk : role_ == Role::Sending ? replyTo(byte, nowMs) : take(byte, nowMs))
      out.push_back(std::move(chunk));
  }
  return out;
}

std::vector<Chunk> XmodemPeer::onTime(std::int64_t nowMs) {
  nowMs_ = nowMs;
  if (finished() || !dueMs_ || nowMs < *dueMs_) return {};
  switch (state_) {
    case State::AwaitStart:
      state_ = State::Failed;
      return {};
    case State::AwaitReply:
      return retry(nowMs, frameOf(block_, std::string_view(data_).substr((block_ - 1) * kBlockBytes)));
    case State::AwaitEndReply:
      return retry(nowMs, std::string(1, kEot));
    case State::Taking:
      if (block_ == 1 && frame_.empty()) {
        if (++requests_ > kMaxRetries) return giveUp();
        dueMs_ = nowMs + kReplyWaitMs;
        return {{std::string(1, kRequest), 0}};
      }
      frame_.clear();  // a frame that stopped halfway is refused
      return retry(nowMs, std::string(1, kNak));
    case State::Done:
    case State::Failed:
      break;
  }
  return {};
}

std::vector<Chunk> XmodemPeer::retry(std::int64_t nowMs, std::string bytes) {
  if (++retries_ > kMaxRetries) return giveUp();
  dueMs_ = nowMs + kReplyWaitMs;
  return {{std::move(bytes), 0}};
}

std::vector<Chunk> XmodemPeer::giveUp() {
  state_ = State::Failed;
  return {{std::string(2, kCan), 0}};
}

// The block on the line, with the fault that strikes it.
std::vector<Chunk> XmodemPeer::sendCurrent(bool first) {
  const std::size_t blocks = (data_.size() + kBlockBytes - 1) / kBlockBytes;
  if (block_ > blocks) {
    state_ = State::AwaitEndReply;
    dueMs_ = nowMs_ + kReplyWaitMs;
    return {{std::string(1, kEot), 0}};
  }
  state_ = State::AwaitReply;
  dueMs_ = nowMs_ + kReplyWaitMs;
  std::string frame = frameOf(block_, std::string_view(data_).substr((block_ - 1) * kBlockBytes));
  bool cancelUsed = false;
  if (first && strikes(faults_.cancelBlock, block_, cancelUsed)) {
    state_ = State::Failed;
    return {{std::string(2, kCan), 0}};
  }
  if (strikes(faults_.corruptBlock, block_, corruptUsed_)) frame[kDataAt + 10] ^= 0x40;
  if (strikes(faults_.pauseBlock, block_, pauseUsed_)) {
    dueMs_ = nowMs_ + kFramePauseMs + kReplyWaitMs;
    return {{frame.substr(0, kFrameBytes / 2), 0}, {frame.substr(kFrameBytes / 2), kFramePauseMs}};
  }
  return {{frame, 0}};
}

std::vector<Chunk> XmodemPeer::replyTo(char byte, std::int64_t nowMs) {
  const bool refused = byte == kNak || byte == kRequest;
  if (byte == kCan) {
    state_ = State::Failed;
    return {};
  }
  switch (state_) {
    case State::AwaitStart:
      return refused ? sendCurrent(true) : std::vector<Chunk>{};
    case State::AwaitReply:
      if (byte == kAck) {
        if (strikes(faults_.dropAckBlock, block_, dropUsed_)) return {};  // lost on the way
        ++block_;
        retries_ = 0;
        return sendCurrent(true);
      }
      if (!refused) return {};
      if (++retries_ > kMaxRetries) return giveUp();
      return sendCurrent(false);
    case State::AwaitEndReply:
      if (byte == kAck) state_ = State::Done;
      if (byte == kNak) return retry(nowMs, std::string(1, kEot));
      return {};
    case State::Taking:
    case State::Done:
    case State::Failed:
      break;
  }
  return {};
}

std::vector<Chunk> XmodemPeer::take(char byte, std::int64_t nowMs) {
  if (frame_.empty()) {
    if (byte == kEot) {
      state_ = State::Done;
      return {{std::string(1, kAck), 0}};
    }
    if (byte == kCan) state_ = State::Failed;
    if (byte != kSoh) return {};  // what comes before a frame (a line end) and between frames
  }
  frame_.push_back(byte);
  dueMs_ = nowMs + kReplyWaitMs;
  return frame_.size() == kFrameBytes ? frameTaken(nowMs) : std::vector<Chunk>{};
}

std::vector<Chunk> XmodemPeer::frameTaken(std::int64_t nowMs) {
  const std::string frame = std::move(frame_);
  frame_.clear();
  const unsigned number = byteAt(frame, 1);
  if (intact(frame) && block_ > 1 && number == ((block_ - 1) & kByteMask)) {
    retries_ = 0;  // the client missed our acknowledgement and sent the block again
    return {{std::string(1, kAck), 0}};
  }
  if (!intact(frame) || number != (block_ & kByteMask) || strikes(faults_.corruptBlock, block_, corruptUsed_))
    return retry(nowMs, std::string(1, kNak));
  bool cancelUsed = false;
  if (strikes(faults_.cancelBlock, block_, cancelUsed)) {
    state_ = State::Failed;
    return {{std::string(2, kCan), 0}};
  }
  data_.append(frame, kDataAt, kBlockBytes);
  retries_ = 0;
  dueMs_ = nowMs + kReplyWaitMs;
  if (strikes(faults_.dropAckBlock, block_++, dropUsed_)) return {};
  return {{std::string(1, kAck), 0}};
}

}  // namespace gwsim

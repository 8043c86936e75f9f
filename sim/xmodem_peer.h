#pragma once
// XMODEM-CRC from the gateway's side of the serial line: it sends a voice message to a client that asked for
// it ("AT!M<n>=READ") or takes one the client sends ("AT!M<n>=WRITE"). The console hands it what the client
// sent and the time; what it sends leaves as chunks (a chunk may wait before it leaves). The failure modes
// strike one block once, so that a client's every recovery path can be met.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "delivery.h"

namespace gwsim {

struct XmodemFaults {
  std::optional<long>
      corruptBlock;  // damaged on the line: sent with a flipped byte, or taken as damaged (NAK)
  std::optional<long>
      dropAckBlock;                 // its acknowledgement is lost: ignored when sending, not sent when taking
  std::optional<long> pauseBlock;   // sending: the block stops halfway for kFramePauseMs
  std::optional<long> cancelBlock;  // CAN CAN in place of the block, or of its acknowledgement
};

// How long a paused block stops halfway.
inline constexpr int kFramePauseMs = 1500;

class XmodemPeer {
 public:
  enum class Role { Sending, Receiving };

  XmodemPeer(Role role, std::string data, const XmodemFaults& faults, std::int64_t nowMs);

  // What the gateway sends at once when the transfer starts (the receiver's first "C").
  std::vector<Chunk> start();
  std::vector<Chunk> feed(std::string_view bytes, std::int64_t nowMs);
  // What is due by `nowMs` (a repeated request, a block sent again, a NAK after silence).
  std::vector<Chunk> onTime(std::int64_t nowMs);
  std::optional<std::int64_t> nextDueMs() const;

  bool finished() const { return state_ == State::Done || state_ == State::Failed; }
  // Receiving: the file taken, once the transfer ended with EOT.
  std::optional<std::string> received() const;

 private:
  enum class State { AwaitStart, AwaitReply, AwaitEndReply, Taking, Done, Failed };

  std::vector<Chunk> sendCurrent(bool first);
  std::vector<Chunk> replyTo(char byte, std::int64_t nowMs);
  std::vector<Chunk> take(char byte, std::int64_t nowMs);
  std::vector<Chunk> frameTaken(std::int64_t nowMs);
  std::vector<Chunk> retry(std::int64_t nowMs, std::string bytes);
  std::vector<Chunk> giveUp();
  bool strikes(const std::optional<long>& fault, std::size_t block, bool& used) const;

  Role role_;
  std::string data_;
  XmodemFaults faults_;
  State state_;
  std::int64_t nowMs_;
  std::optional<std::int64_t> dueMs_;
  std::size_t block_ = 1;  // sending: the block on the line; receiving: the block awaited
  int retries_ = 0;
  int requests_ = 0;
  std::string frame_;  // receiving: the frame arriving
  bool corruptUsed_ = false;
  bool dropUsed_ = false;
  bool pauseUsed_ = false;
};

}  // namespace gwsim

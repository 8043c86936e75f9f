#pragma once
// How replies leave the console: whole, or (--split-replies) in pieces with pauses between them, optionally
// behind a burst of noise (--garbage); and the queue that keeps pieces in order and paces them.

#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace gwsim {

struct Chunk {
  std::string bytes;
  int pauseMs = 0;  // silence after the previous chunk left before this one may
};

struct DeliveryPolicy {
  bool split = false;
  bool garbage = false;
};

inline constexpr int kSplitPieces = 3;
inline constexpr int kSplitPauseMs = 30;

// The noise: random bytes including NUL, but never CR, LF or a letter, so that it cannot end a reply or form
// a word a client looks for ("OK", "ERROR", "QN", "SNumber").
std::string garbageBurst(std::mt19937& random);

std::vector<Chunk> planReply(const std::string& reply, const DeliveryPolicy& policy, std::mt19937& random);
// Trace lines due together: one chunk, or each line as a reply of its own when replies are split or noisy.
std::vector<Chunk> planTrace(const std::vector<std::string>& lines, const DeliveryPolicy& policy,
                             std::mt19937& random);

class OutputQueue {
 public:
  // Bytes accepted, or kWouldBlock, or kWriteFailed.
  using Writer = std::function<long(std::string_view)>;
  static constexpr long kWouldBlock = -1;
  static constexpr long kWriteFailed = -2;

  enum class Flush { Done, Waiting, Blocked, Failed };

  // False when the queue already holds its bound of bytes (a client that does not read); nothing is queued.
  bool push(Chunk chunk);
  bool empty() const { return chunks_.empty(); }
  std::size_t pendingBytes() const;
  // When the head chunk may leave; empty when nothing is queued.
  std::optional<std::int64_t> readyAtMs() const;
  // Writes what may leave at `nowMs`, one write() per chunk.
  Flush flush(std::int64_t nowMs, const Writer& write);
  void clear();

 private:
  std::deque<Chunk> chunks_;
  std::size_t headOffset_ = 0;
  std::optional<std::int64_t> lastSentMs_;
};

}  // namespace gwsim

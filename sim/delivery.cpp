#include "delivery.h"

#include <algorithm>
#include <cctype>

namespace gwsim {
namespace {

constexpr int kGarbageMinBytes = 8;
constexpr int kGarbageMaxBytes = 32;
constexpr std::size_t kMaxQueuedBytes = 1 << 20;

bool allowedInGarbage(int byte) {
  return byte != '\r' && byte != '\n' && !std::isalpha(byte);
}

}  // namespace

std::string garbageBurst(std::mt19937& random) {
  std::uniform_int_distribution<int> length(kGarbageMinBytes, kGarbageMaxBytes);
  std::uniform_int_distribution<int> byte(0, 255);
  std::string burst(1, '\0');  // always at least one NUL: serial readers stop at it
  const int size = length(random);
  while (static_cast<int>(burst.size()) < size) {
    const int b = byte(random);
    if (allowedInGarbage(b)) burst += static_cast<char>(b);
  }
  std::shuffle(burst.begin(), burst.end(), random);
  return burst;
}

std::vector<Chunk> planReply(const std::string& reply, const DeliveryPolicy& policy, std::mt19937& random) {
  std::vector<Chunk> chunks;
  if (policy.garbage) chunks.push_back({garbageBurst(random), 0});
  if (!policy.split) {
    chunks.push_back({reply, 0});
    return chunks;
  }
  const std::size_t pieceSize = (reply.size() + kSplitPieces - 1) / kSplitPieces;
  for (std::size_t at = 0; at < reply.size(); at += pieceSize) {
    chunks.push_back({reply.substr(at, pieceSize), at == 0 ? 0 : kSplitPauseMs});
  }
  return chunks;
}

std::vector<Chunk> planTrace(const std::vector<std::string>& lines, const DeliveryPolicy& policy,
                             std::mt19937& random) {
  std::vector<Chunk> chunks;
  if (lines.empty()) return chunks;
  if (!policy.split && !policy.garbage) {
    std::string all;
    for (const std::string& line : lines) all += line;
    chunks.push_back({std::move(all), 0});
    return chunks;
  }
  for (const std::string& line : lines) {
    for (Chunk& chunk : planReply(line, policy, random)) chunks.push_back(std::move(chunk));
  }
  return chunks;
}

bool OutputQueue::push(Chunk chunk) {
  if (chunk.bytes.empty()) return true;
  if (pendingBytes() + chunk.bytes.size() > kMaxQueuedBytes) return false;
  chunks_.push_back(std::move(chunk));
  return true;
}

std::size_t OutputQueue::pendingBytes() const {
  std::size_t bytes = 0;
  for (const Chunk& chunk : chunks_) bytes += chunk.bytes.size();
  return bytes - headOffset_;
}

std::optional<std::int64_t> OutputQueue::readyAtMs() const {
  if (chunks_.empty()) return std::nullopt;
  if (!lastSentMs_ || headOffset_ > 0) return lastSentMs_.value_or(0);
  return *lastSentMs_ + chunks_.front().pauseMs;
}

OutputQueue::Flush OutputQueue::flush(std::int64_t nowMs, const Writer& write) {
  while (!chunks_.empty()) {
    if (*readyAtMs() > nowMs) return Flush::Waiting;
    const std::string& bytes = chunks_.front().bytes;
    const long written = write(std::string_view(bytes).substr(headOffset_));
    if (written == kWouldBlock) return Flush::Blocked;
    if (written < 0) return Flush::Failed;
    headOffset_ += static_cast<std::size_t>(written);
    if (headOffset_ < bytes.size()) return Flush::Blocked;
    chunks_.pop_front();
    headOffset_ = 0;
    lastSentMs_ = nowMs;
  }
  return Flush::Done;
}

void OutputQueue::clear() {
  chunks_.clear();
  headOffset_ = 0;
}

}  // namespace gwsim

#include "online/trace_text.h"

#include "link/response.h"

namespace gw {

namespace {
constexpr std::string_view kStartAccepted = "\r\nOK\r\n";
// More than the longest terminator: what a reply cut short keeps of its end.
constexpr std::size_t kReplyTailBytes = 32;
}  // namespace

std::vector<std::string> TraceLineAssembler::feed(std::string_view bytes) {
  std::vector<std::string> lines;
  for (char c : bytes) {
    if (c == '\0') continue;  // the serial reader cannot tell a NUL from silence
    if (c != '\n') {
      line_.push_back(c);
      if (line_.size() < kMaxTraceLineBytes) continue;
    }
    if (line_ != "\r") lines.push_back(line_);
    line_.clear();
  }
  return lines;
}

std::string afterStartReply(std::string_view chunk) {
  const std::size_t at = chunk.find(kStartAccepted);
  if (at == std::string_view::npos) return {};
  return std::string(chunk.substr(at + kStartAccepted.size()));
}

std::string StopReplySplitter::feed(std::string_view text) {
  if (inReply_) {
    addReply(text);
    return {};
  }
  held_.append(text);
  const std::size_t echo = held_.find(echo_);
  if (echo != std::string::npos) {
    inReply_ = true;
    addReply(std::string_view(held_).substr(echo));
    std::string trace = held_.substr(0, echo);
    held_.clear();
    return trace;
  }
  // Keep back the longest end of the text that could begin the echo.
  std::size_t keep = std::min(held_.size(), echo_.size() - 1);
  while (keep > 0 && held_.compare(held_.size() - keep, keep, echo_, 0, keep) != 0) --keep;
  std::string trace = held_.substr(0, held_.size() - keep);
  held_.erase(0, held_.size() - keep);
  return trace;
}

void StopReplySplitter::addReply(std::string_view text) {
  reply_.append(text);
  complete_ = complete_ || responseComplete(reply_);
  // Only the end of a long reply can still hold a terminator that is not complete yet.
  if (reply_.size() > kMaxStopReplyBytes) reply_.erase(0, reply_.size() - kReplyTailBytes);
}

bool StopReplySplitter::replyComplete() const {
  return complete_;
}

std::string StopReplySplitter::flush() {
  std::string held;
  held.swap(held_);
  return held;
}

}  // namespace gw

#pragma once
// The trace as it arrives: the serial reader's line rule, the part of the start command's reply that is
// already trace, and the split between the trace and the stop command's reply.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace gw {

// The serial reader's line rule: a LF ends a line; a line that holds only a CR is not kept. Bytes wait for
// their LF across any number of reads, so the lines do not depend on how the bytes were chunked.
// A trace line never grows past this: a longer one is taken as a line there, as if its LF had come.
inline constexpr std::size_t kMaxTraceLineBytes = 4096;
// The stop command's reply is kept up to this size (its end only beyond it) while its terminator is awaited.
inline constexpr std::size_t kMaxStopReplyBytes = 64 * 1024;

class TraceLineAssembler {
 public:
  // The lines the bytes complete, each without its LF (a CR before it stays).
  std::vector<std::string> feed(std::string_view bytes);
  void reset() { line_.clear(); }

 private:
  std::string line_;
};

// What followed the start command's reply in the same read: the first trace text. Empty when the read did
// not reach the end of the reply.
std::string afterStartReply(std::string_view chunk);

// After the stop command the gateway sends the rest of the trace, then the command's echo and its reply.
// Splits what arrives into trace text and the reply, and tells when the reply is complete.
class StopReplySplitter {
 public:
  explicit StopReplySplitter(std::string echo) : echo_(std::move(echo)) {}

  // The part of `text` that is trace. A possible beginning of the echo at its end is held back until the
  // next text shows whether it is one.
  std::string feed(std::string_view text);
  bool replyComplete() const;
  // The text held back, when the reply never came.
  std::string flush();

 private:
  std::string echo_;
  void addReply(std::string_view text);

  std::string held_;
  std::string reply_;
  bool inReply_ = false;
  bool complete_ = false;
};

}  // namespace gw

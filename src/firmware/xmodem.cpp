#include "firmware/xmodem.h"

#include <algorithm>
#include <istream>
#include <optional>
#include <ostream>
#include <string>

#include "firmware/xmodem_frame.h"

namespace gw {

namespace {

using xmodem::FrameKind;

// Receiving.
constexpr int kFirstBlockAttempts = 3;
constexpr int kFirstBlockRetryPauseMs = 3000;
// A frame's first byte may take this many read time-outs: the sender turns the line round first.
constexpr int kFrameStartReads = 2;
// One frame is never read for longer than this, however slowly its bytes trickle in.
constexpr int kFrameLimitMs = 10000;
// Without a good block for longer than this the receiver gives up.
constexpr int kGoodBlockLimitMs = 9000;
// Bad frames in a row the receiver refuses; the next one ends the transfer.
constexpr int kMaxBadFrames = 9;
// The end is acknowledged twice, this far apart.
constexpr int kEndAcks = 2;
constexpr int kEndAckPauseMs = 10;
// Bad frames before the end that still let it count as a clean one (the end itself counts one).
constexpr int kCleanEndErrors = 2;
// The rest of a damaged frame is read away until the line has been silent for one read time-out, but never
// for longer than this.
constexpr int kPurgeLimitMs = 10000;

// Sending.
// Silent reads while waiting for the receiver's "C", each followed by a pause; the transfer starts after
// them even without it.
constexpr int kStartSilentReads = 15;
constexpr int kStartPauseMs = 200;
// Bytes other than "C" (the echo of the command, the gateway's reply) read while waiting for it before the
// transfer starts anyway.
constexpr int kStartNoiseBytes = 1024;
constexpr int kAckWaitMs = 10000;
// A frame refused more often than this ends the transfer.
constexpr int kMaxResends = 10;

// The port, the clock and the user's stop, as both directions use them.
class Wire {
 public:
  explicit Wire(XmodemLine& line) : line_(line), byteWaitMs_(line.port.readTimeouts().oneByteMs()) {}

  std::optional<char> readByte() { return line_.port.readByte(byteWaitMs_); }
  bool write(std::string_view bytes) { return line_.port.write(bytes) == static_cast<int>(bytes.size()); }
  bool put(char byte) { return write(std::string_view(&byte, 1)); }
  std::int64_t now() { return line_.clock.nowMs(); }
  void sleep(int ms) { line_.clock.sleep(ms); }
  bool stopRequested() const { return line_.stopRequested && line_.stopRequested(); }
  void progress(int blocks, std::int64_t bytes) const {
    if (line_.progress) line_.progress(blocks, bytes);
  }
  // Tells the peer the transfer is over.
  void cancel() { write(std::string(2, xmodem::kCan)); }
  // Reads away what the line still carries, until it falls silent.
  void purge() {
    const std::int64_t start = now();
    while (readByte() && now() - start < kPurgeLimitMs) {
    }
  }

 private:
  XmodemLine& line_;
  int byteWaitMs_;
};

enum class Arrival { Frame, End, Cancel, Broken };

class Receiver {
 public:
  Receiver(XmodemLine& line, std::ostream& target, std::int64_t expected)
      : wire_(line), target_(target), expected_(std::max<std::int64_t>(expected, 0)) {}

  XmodemEnd run() {
    if (const std::optional<XmodemEnd> end = firstBlock()) return *end;
    std::uint8_t last = 1;
    int errors = 0;
    char reply = xmodem::kAck;
    std::int64_t clockStart = wire_.now();
    for (;;) {
      if (wire_.stopRequested()) return abandon(XmodemEnd::Stopped);
      if (!wire_.put(reply)) return XmodemEnd::LineLost;
      const Arrival arrival = readFrame();
      if (arrival == Arrival::Cancel) return XmodemEnd::Cancelled;
      if (arrival == Arrival::End) {
        ++errors;  // the end counts one: a clean end comes straight after a good block
        break;
      }
      const FrameKind kind = arrival == Arrival::Frame ? xmodem::checkFrame(frame_, last) : FrameKind::Bad;
      if (kind == FrameKind::ValidNext) {
        if (!take()) return abandon(XmodemEnd::FileError);
        ++last;
        reply = xmodem::kAck;
        errors = 0;
        clockStart = wire_.now();
      } else if (kind == FrameKind::Repeat) {
        // Our acknowledgement was lost: the block is kept already, the sender must move on.
        reply = xmodem::kAck;
      } else {
        if (errors > kMaxBadFrames) {
          wire_.put(xmodem::kCan);
          return XmodemEnd::TooManyErrors;
        }
        if (errors == 0) clockStart = wire_.now();
        wire_.purge();
        reply = xmodem::kNak;
        ++errors;
      }
      if (wire_.now() - clockStart > kGoodBlockLimitMs) {
        wire_.put(xmodem::kCan);
        return XmodemEnd::TimedOut;
      }
    }
    if (errors >= kCleanEndErrors) return XmodemEnd::BadEnd;
    for (int i = 0; i < kEndAcks; ++i) {
      if (i > 0) wire_.sleep(kEndAckPauseMs);
      wire_.put(xmodem::kAck);
    }
    return written_ < expected_ ? XmodemEnd::Incomplete : XmodemEnd::Done;
  }

 private:
  // Block 1 after "C", in up to three attempts; nothing when it came.
  std::optional<XmodemEnd> firstBlock() {
    for (int attempt = 0; attempt < kFirstBlockAttempts; ++attempt) {
      if (wire_.stopRequested()) return abandon(XmodemEnd::Stopped);
      if (attempt > 0) {
        wire_.sleep(kFirstBlockRetryPauseMs);
        wire_.purge();
      }
      if (!wire_.put(xmodem::kCrcRequest)) return XmodemEnd::LineLost;
      const Arrival arrival = readFrame();
      if (arrival == Arrival::Cancel) return XmodemEnd::Cancelled;
      if (arrival == Arrival::Frame && xmodem::checkFrame(frame_, 0) == FrameKind::ValidNext) {
        if (!take()) return abandon(XmodemEnd::FileError);
        return std::nullopt;
      }
    }
    return XmodemEnd::NoStart;
  }

  // One frame into frame_. A read that times out inside a frame breaks it: the frame is refused, the
  // silence never becomes data.
  Arrival readFrame() {
    frame_.clear();
    std::optional<char> first;
    for (int i = 0; i < kFrameStartReads && !first; ++i) first = wire_.readByte();
    if (!first || *first == xmodem::kEot || *first == xmodem::kCan) {
      if (!first) return Arrival::Broken;
      return *first == xmodem::kEot ? Arrival::End : Arrival::Cancel;
    }
    if (*first != xmodem::kSoh) return Arrival::Broken;
    frame_.push_back(*first);
    const std::int64_t start = wire_.now();
    while (frame_.size() < xmodem::kFrameBytes) {
      const std::optional<char> byte = wire_.readByte();
      if (!byte || wire_.now() - start > kFrameLimitMs) return Arrival::Broken;
      frame_.push_back(*byte);
    }
    return Arrival::Frame;
  }

  // The block's data, cut to what is left of the expected length.
  bool take() {
    const std::string_view data = xmodem::frameData(frame_);
    const std::int64_t keep = std::clamp<std::int64_t>(expected_ - written_, 0, std::ssize(data));
    if (keep > 0) {
      target_.write(data.data(), keep);
      if (!target_) return false;
      written_ += keep;
    }
    wire_.progress(++blocks_, written_);
    return true;
  }

  XmodemEnd abandon(XmodemEnd why) {
    wire_.cancel();
    return why;
  }

  Wire wire_;
  std::ostream& target_;
  std::int64_t expected_;
  std::int64_t written_ = 0;
  int blocks_ = 0;
  std::string frame_;
};

enum class Reply { Ack, Nak, Cancel, Silence, Stop };

class Sender {
 public:
  Sender(XmodemLine& line, std::istream& source) : wire_(line), source_(source) {}

  XmodemEnd run() {
    if (const std::optional<XmodemEnd> end = awaitStart()) return *end;
    int blocks = 0;
    std::int64_t sent = 0;
    for (;;) {
      if (wire_.stopRequested()) return abandon(XmodemEnd::Stopped);
      std::string data(xmodem::kBlockBytes, '\0');
      source_.read(data.data(), std::ssize(data));
      // A file that cannot be read is not at its end: sending EOT would pass a cut file off as whole.
      if (source_.bad()) return abandon(XmodemEnd::FileError);
      data.resize(static_cast<std::size_t>(source_.gcount()));
      const bool last = data.empty();
      const std::string frame = last ? xmodem::endFrame() : xmodem::dataFrame(blocks + 1, data);
      // The gateway takes the end as a whole frame; a receiver that refuses it wants EOT alone.
      if (const std::optional<XmodemEnd> end = deliver(frame, last ? std::string(1, xmodem::kEot) : frame)) {
        return *end;
      }
      if (last) {
        wire_.put(xmodem::kDc1);
        wire_.readByte();  // the receiver's answer to it, not looked at
        return XmodemEnd::Done;
      }
      sent += std::ssize(data);
      wire_.progress(++blocks, sent);
    }
  }

 private:
  // Waits for the receiver's "C"; nothing when the transfer may start.
  std::optional<XmodemEnd> awaitStart() {
    int silent = 0;
    int noise = 0;
    while (silent < kStartSilentReads && noise < kStartNoiseBytes) {
      if (wire_.stopRequested()) return abandon(XmodemEnd::Stopped);
      const std::optional<char> byte = wire_.readByte();
      if (!byte) {
        ++silent;
        wire_.sleep(kStartPauseMs);
      } else if (*byte == xmodem::kCrcRequest) {
        return std::nullopt;
      } else if (*byte == xmodem::kCan) {
        return XmodemEnd::Cancelled;
      } else {
        ++noise;
      }
    }
    return std::nullopt;  // a receiver whose "C" was lost still takes the first block
  }

  // Sends the frame, and `again` after each refusal, until it is acknowledged; nothing when it was.
  std::optional<XmodemEnd> deliver(const std::string& frame, const std::string& again) {
    for (int resends = 0;; ++resends) {
      if (!wire_.write(resends == 0 ? frame : again)) return XmodemEnd::LineLost;
      switch (awaitReply()) {
        case Reply::Ack:
          return std::nullopt;
        case Reply::Cancel:
          return XmodemEnd::Cancelled;
        case Reply::Silence:
          return XmodemEnd::TimedOut;
        case Reply::Stop:
          return abandon(XmodemEnd::Stopped);
        case Reply::Nak:
          if (resends >= kMaxResends) return XmodemEnd::TooManyErrors;
          break;
      }
    }
  }

  Reply awaitReply() {
    const std::int64_t start = wire_.now();
    while (wire_.now() - start < kAckWaitMs) {
      if (wire_.stopRequested()) return Reply::Stop;
      const std::optional<char> byte = wire_.readByte();
      if (!byte) continue;
      if (*byte == xmodem::kAck) return Reply::Ack;
      if (*byte == xmodem::kNak) return Reply::Nak;
      if (*byte == xmodem::kCan) return Reply::Cancel;
    }
    return Reply::Silence;
  }

  XmodemEnd abandon(XmodemEnd why) {
    wire_.cancel();
    return why;
  }

  Wire wire_;
  std::istream& source_;
};

}  // namespace

XmodemEnd receiveXmodem(XmodemLine& line, std::ostream& target, std::int64_t expectedLength) {
  return Receiver(line, target, expectedLength).run();
}

XmodemEnd sendXmodem(XmodemLine& line, std::istream& source) {
  return Sender(line, source).run();
}

const char* xmodemEndText(XmodemEnd end) {
  switch (end) {
    case XmodemEnd::Done:
      return "transfer complete";
    case XmodemEnd::NoStart:
      return "the first block never came whole";
    case XmodemEnd::TimedOut:
      return "the other side stopped answering";
    case XmodemEnd::TooManyErrors:
      return "too many damaged blocks";
    case XmodemEnd::BadEnd:
      return "the transfer ended after a damaged block";
    case XmodemEnd::Incomplete:
      return "the transfer ended before all the data had come";
    case XmodemEnd::Cancelled:
      return "the other side cancelled the transfer";
    case XmodemEnd::Stopped:
      return "stopped";
    case XmodemEnd::FileError:
      return "the file could not be read or written";
    case XmodemEnd::LineLost:
      return "the serial port no longer takes data";
  }
  return "";
}

}  // namespace gw

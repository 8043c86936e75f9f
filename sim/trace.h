#pragma once
// The gateway's protocol tracing as a console sends it: once "AT!L<level>" (LAN and Telnet) or
// "AT!R<level>" (VoIP and GSM messages) has started it, trace lines of that type and level, with the details
// register S92 asks for, leave at a steady rate until "AT!RX" (or a restart, or the client leaving) ends it.
// Every line carries a sequence number, so a client's file can be checked for lost or doubled lines.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace gwsim {

// Lines per second unless --trace-rate says otherwise.
inline constexpr int kDefaultTraceRate = 4;

// S92: the details of the trace.
inline constexpr int kTraceState34 = 1;
inline constexpr int kTraceTimestamp = 2;
inline constexpr int kTraceSmp = 4;
inline constexpr int kTraceState2 = 8;
inline constexpr int kTraceLcr = 16;

struct TraceSettings {
  char type = 'R';  // 'L' LAN and Telnet, 'R' VoIP and GSM messages
  int level = 2;    // 2, 3 or 4: the lower the level, the more kinds of lines
  int details = 0;  // S92
};

// What a command line did to the tracing of its console.
struct TraceOrder {
  bool start = false;  // false: stop
  TraceSettings settings;
};

// The kinds of line a trace of these settings sends, in the order they take turns.
std::vector<std::string> traceKinds(const TraceSettings& settings);

class TraceGenerator {
 public:
  explicit TraceGenerator(int linesPerSecond = kDefaultTraceRate);

  void start(const TraceSettings& settings, std::int64_t nowMs);
  void stop() { on_ = false; }
  bool on() const { return on_; }
  // When lines are due next; empty while tracing is off.
  std::optional<std::int64_t> nextDueMs() const;
  // The lines due by `nowMs`, each ending in CR LF.
  std::vector<std::string> due(std::int64_t nowMs);

 private:
  std::string line(std::uint64_t number, std::int64_t atMs) const;

  int rate_;
  bool on_ = false;
  TraceSettings settings_;
  std::vector<std::string> kinds_;
  std::int64_t startMs_ = 0;
  std::int64_t lastSentMs_ = 0;
  std::uint64_t sent_ = 0;
};

}  // namespace gwsim

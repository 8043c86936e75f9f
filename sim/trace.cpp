#include "trace.h"

#include <algorithm>
#include <cstdio>

namespace gwsim {
namespace {

// Lines due together leave together: the console wakes at most this often for the trace.
constexpr std::int64_t kTraceTickMs = 10;
// A console that could not send for long does not make up for it all at once.
constexpr std::int64_t kMaxLinesAtOnce = 10000;
constexpr std::size_t kLineBytes = 160;
constexpr std::int64_t kMsPerSecond = 1000;

struct Kind {
  const char* name;
  const char* text;
};

// LAN and Telnet tracing: level 2 adds IP, level 3 TCP, level 4 is Telnet alone.
constexpr Kind kLanKinds[] = {{"IP", "192.168.1.100 > 192.168.1.10 proto 6 len 60"},
                              {"TCP", "23 > 40112 seq 1024 ack 88 win 1460"},
                              {"TELNET", "data 12 bytes"}};
// VoIP and GSM messages: the layers 2, 3 and 4.
constexpr Kind kMessageKinds[] = {{"L2", "GSM1 I-frame N(S)=3 N(R)=5"},
                                  {"L3", "GSM1 CC SETUP called 603123456"},
                                  {"L4", "SIP INVITE sip:100@192.168.1.10"}};
struct DetailKind {
  int bit;
  Kind kind;
};
constexpr DetailKind kDetailKinds[] = {
    {kTraceState34, {"STATE-L34", "GSM1 call active, SIP dialog confirmed"}},
    {kTraceSmp, {"SMP", "CPU->AUX 0x21 len 8"}},
    {kTraceState2, {"STATE-L2", "GSM1 multiple frame established"}},
    {kTraceLcr, {"LCR", "route to network 1, SIM 2 of group 1"}},
};
constexpr int kLowestLevel = 2;
constexpr int kHighestLevel = 4;

std::string kindLine(const Kind& kind) {
  return std::string(kind.name) + "\t" + kind.text;
}

}  // namespace

std::vector<std::string> traceKinds(const TraceSettings& settings) {
  const Kind* kinds = settings.type == 'L' ? kLanKinds : kMessageKinds;
  std::vector<std::string> result;
  const int level = std::clamp(settings.level, kLowestLevel, kHighestLevel);
  for (int i = level - kLowestLevel; i <= kHighestLevel - kLowestLevel; ++i)
    result.push_back(kindLine(kinds[i]));
  for (const DetailKind& detail : kDetailKinds) {
    if ((settings.details & detail.bit) != 0) result.push_back(kindLine(detail.kind));
  }
  return result;
}

TraceGenerator::TraceGenerator(int linesPerSecond) : rate_(std::max(linesPerSecond, 1)) {}

void TraceGenerator::start(const TraceSettings& settings, std::int64_t nowMs) {
  on_ = true;
  settings_ = settings;
  kinds_ = traceKinds(settings);
  startMs_ = nowMs;
  lastSentMs_ = nowMs;
  sent_ = 0;
}

std::optional<std::int64_t> TraceGenerator::nextDueMs() const {
  if (!on_) return std::nullopt;
  const std::int64_t nextLine =
      startMs_ + (static_cast<std::int64_t>(sent_ + 1) * kMsPerSecond + rate_ - 1) / rate_;
  return std::max(nextLine, lastSentMs_ + kTraceTickMs);
}

std::vector<std::string> TraceGenerator::due(std::int64_t nowMs) {
  std::vector<std::string> lines;
  if (!on_ || nowMs < *nextDueMs()) return lines;
  const auto total = static_cast<std::uint64_t>((nowMs - startMs_) * rate_ / kMsPerSecond);
  const std::uint64_t count = std::min<std::uint64_t>(total - std::min(total, sent_), kMaxLinesAtOnce);
  for (std::uint64_t i = 0; i < count; ++i) lines.push_back(line(++sent_, nowMs));
  lastSentMs_ = nowMs;
  return lines;
}

std::string TraceGenerator::line(std::uint64_t number, std::int64_t atMs) const {
  char text[kLineBytes];
  std::string stamp;
  if ((settings_.details & kTraceTimestamp) != 0) {
    const std::int64_t ms = atMs - startMs_;
    std::snprintf(text, sizeof text, "[%02lld:%02lld:%02lld.%03lld] ", static_cast<long long>(ms / 3600000),
                  static_cast<long long>(ms / 60000 % 60), static_cast<long long>(ms / 1000 % 60),
                  static_cast<long long>(ms % 1000));
    stamp = text;
  }
  const std::string& kind = kinds_[(number - 1) % kinds_.size()];
  const std::size_t tab = kind.find('\t');
  std::snprintf(text, sizeof text, "%s #%06llu %s\r\n", kind.substr(0, tab).c_str(),
                static_cast<unsigned long long>(number), kind.substr(tab + 1).c_str());
  return stamp + text;
}

}  // namespace gwsim

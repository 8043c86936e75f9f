#include "online/live_replies.h"

#include "base/text.h"
#include "pages/dump.h"

namespace gw {

namespace {
constexpr std::string_view kUnknownLevel = "unknown";
constexpr std::string_view kLevelUnit = " dBm";
constexpr std::string_view kCallsStart = "cha-layer3";
// The reply's closing OK with the line end before it: what the window leaves out.
constexpr std::string_view kCallsEnd = "\r\nOK\r\n";
}  // namespace

std::array<std::string, kModuleStateValues> moduleStateValues(std::string_view reply) {
  std::array<std::string, kModuleStateValues> values;
  for (std::size_t i = 0; i < kModuleStateKeys.size(); ++i)
    values[i] = dumpWord(kModuleStateKeys[i].key, reply);
  return values;
}

SignalReading signalReading(std::string_view reply, int module) {
  const std::string key = "Signal: (g0" + std::to_string(module) + ")";
  const std::string value = dumpWord(key, reply);
  // A missing value is no level either: " dBm" alone would say nothing true.
  if (value.empty() || contains(value, kUnknownLevel)) return {};
  return {value + std::string(kLevelUnit), toInt(value)};
}

std::string actualCallsText(std::string_view reply) {
  const std::size_t start = reply.find(kCallsStart);
  if (start != std::string_view::npos) reply.remove_prefix(start);
  // The reply's own closing OK, not the first "OK" of a caller's name or number.
  const std::size_t end = reply.rfind(kCallsEnd);
  if (end != std::string_view::npos) reply = reply.substr(0, end);
  return std::string(reply);
}

}  // namespace gw

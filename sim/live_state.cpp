#include "live_state.h"

#include <algorithm>
#include <array>
#include <cstdio>

namespace gwsim {
namespace {

struct Operator {
  const char* name;
  const char* id;
  int cellBase;
};
constexpr std::array<Operator, 3> kOperators{{
    {"NetAlpha", "23001", 0x1A40},
    {"NetBeta", "23002", 0x2B10},
    {"NetGamma", "23003", 0x3C80},
}};
// A module stays with an operator this many steps; every third period it roams to the next one.
constexpr std::int64_t kStepsPerOperator = 6;
constexpr std::int64_t kRoamingPeriod = 3;

// Levels in dBm: each module around its own mean, swinging in a triangle of kSwingSteps steps, with a
// little noise; never outside what a module reports.
constexpr int kStrongestMeanDbm = -63;
constexpr int kMeanStepDbm = 8;
constexpr std::int64_t kSwingSteps = 12;
constexpr int kNoiseDbm = 2;
constexpr int kWeakestDbm = -113;
constexpr int kStrongestDbm = -51;

// A call: dialling for a step, alerting for a step, then connected for kConnectedSteps, then the module
// rests; the modules' cycles are shifted by kCycleShift steps each.
constexpr std::int64_t kCallCycleSteps = 9;
constexpr std::int64_t kConnectedFrom = 2;
constexpr std::int64_t kConnectedSteps = 4;
constexpr std::int64_t kCycleShift = 2;

constexpr int kKestrinModules = 2;
constexpr std::size_t kLineSize = 96;

const char* const kModuleType = "GM-400";
const char* const kModuleRevision = "R03.12";

template <class... Args>
std::string format(const char* fmt, Args... args) {
  char line[kLineSize];
  std::snprintf(line, sizeof line, fmt, args...);
  return line;
}

// A small deterministic mix of two numbers, for noise that is the same on every run.
int noise(std::int64_t a, int b) {
  std::uint64_t x = static_cast<std::uint64_t>(a) * 0x9E3779B97F4A7C15ULL + static_cast<std::uint64_t>(b);
  x ^= x >> 31;
  x *= 0xBF58476D1CE4E5B9ULL;
  x ^= x >> 29;
  return static_cast<int>(x % (2 * kNoiseDbm + 1)) - kNoiseDbm;
}

std::string hms(std::int64_t seconds) {
  return format("%02lld:%02lld:%02lld", static_cast<long long>(seconds / 3600),
                static_cast<long long>(seconds / 60 % 60), static_cast<long long>(seconds % 60));
}

}  // namespace

LiveState::LiveState(LiveConfig config, std::int64_t startMs)
    : config_(std::move(config)), startMs_(startMs) {}

std::int64_t LiveState::step(std::int64_t nowMs) const {
  return std::max<std::int64_t>(0, nowMs - startMs_) / std::max<std::int64_t>(1, config_.stepMs);
}

bool LiveState::registered(int module) const {
  const int fitted = config_.edition == Edition::Kestrin ? kKestrinModules : kModuleSlots;
  return module >= 0 && module < fitted && config_.modulesOff.count(module) == 0;
}

int LiveState::operatorOf(int module, std::int64_t step) const {
  const std::int64_t period = (step + module) / kStepsPerOperator;
  const int roaming = period % kRoamingPeriod == kRoamingPeriod - 1 ? 1 : 0;
  return (module + roaming) % static_cast<int>(kOperators.size());
}

int LiveState::signalDbm(int module, std::int64_t nowMs) const {
  const std::int64_t s = step(nowMs);
  const std::int64_t phase = (s + module) % kSwingSteps;
  const int swing = static_cast<int>(phase < kSwingSteps / 2 ? phase : kSwingSteps - phase);
  const int level = kStrongestMeanDbm - kMeanStepDbm * module - swing + noise(s, module);
  return std::clamp(level, kWeakestDbm, kStrongestDbm);
}

std::optional<std::vector<std::string>> LiveState::moduleLines(int module, std::int64_t nowMs) const {
  if (module < 0 || module >= kModuleSlots) return std::nullopt;
  const int fitted = config_.edition == Edition::Kestrin ? kKestrinModules : kModuleSlots;
  if (module >= fitted) return std::vector<std::string>{"Layer2: none", "Layer3: none"};
  std::vector<std::string> lines;
  const std::string hardware[] = {std::string("Modid: ") + kModuleType,
                                  std::string("Revid: ") + kModuleRevision,
                                  format("Sernum: 3569040000001%02d", module)};
  if (!registered(module)) {
    lines = {"Layer2: down", "Layer3: no-sim"};
    lines.insert(lines.end(), std::begin(hardware), std::end(hardware));
    return lines;
  }
  const Operator& op = kOperators[static_cast<std::size_t>(operatorOf(module, step(nowMs)))];
  lines = {"Layer2: up", "Layer3: registered", std::string("Network: ") + op.name,
           std::string("Netid: ") + op.id, format("Netcell: %04X", op.cellBase + module * 0x11)};
  lines.insert(lines.end(), std::begin(hardware), std::end(hardware));
  lines.push_back(format("Simid: 89420000000000001%02d", module));
  return lines;
}

std::optional<std::string> LiveState::signalLine(int module, std::int64_t nowMs) const {
  if (module < 0 || module >= kModuleSlots) return std::nullopt;
  if (!registered(module)) return format("Signal: (g0%d) unknown", module);
  return format("Signal: (g0%d) %d", module, signalDbm(module, nowMs));
}

std::vector<std::string> LiveState::callLines(std::int64_t nowMs) const {
  const std::int64_t s = step(nowMs);
  std::vector<std::string> calls;
  for (int module = 0; module < kModuleSlots; ++module) {
    if (!registered(module)) continue;
    const std::int64_t shifted = s + kCycleShift * module;
    const std::int64_t position = shifted % kCallCycleSteps;
    if (position >= kConnectedFrom + kConnectedSteps) continue;
    const std::int64_t cycle = shifted / kCallCycleSteps;
    const int party = static_cast<int>((cycle * kModuleSlots + module) % 100);
    const std::string lan = format("10%02d", party);
    const std::string gsm = format("+4206%d1000%02d", module + 1, party);
    const bool outgoing = (cycle + module) % 2 == 0;
    const char* state = position == 0 ? "dialing" : position == 1 ? "alerting" : "active";
    std::int64_t seconds = 0;
    if (position >= kConnectedFrom) {
      const std::int64_t connectedAt = startMs_ + (s - (position - kConnectedFrom)) * config_.stepMs;
      seconds = (nowMs - connectedAt) / 1000;
    }
    calls.push_back(format("gsm%d %-9s %-3s %-16s %-16s %s", module, state, outgoing ? "out" : "in",
                           (outgoing ? lan : gsm).c_str(), (outgoing ? gsm : lan).c_str(),
                           hms(seconds).c_str()));
  }
  std::vector<std::string> lines = {
      format("Calls in progress: %d", static_cast<int>(calls.size())),
      format("%-15s%-4s%-17s%-17s%s", "cha-layer3", "dir", "calling", "called", "durat.")};
  lines.insert(lines.end(), calls.begin(), calls.end());
  return lines;
}

}  // namespace gwsim

#pragma once
// What changes on the gateway by itself while a client watches: the GSM modules' registration, operator,
// cell and signal level ("AT&S00".."AT&S03", "AT&Q0".."AT&Q3"), and the calls in progress ("AT&X"). All of
// it is a function of the time since the gateway started, counted in steps of --live-step-ms, so a run is
// repeatable and a test on a fake clock sees exactly the state of each step.

#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "edition.h"

namespace gwsim {

// Module slots 0..3 answer on every edition; Kestrin fits modules into the first two only.
inline constexpr int kModuleSlots = 4;
inline constexpr std::int64_t kDefaultLiveStepMs = 5000;

struct LiveConfig {
  Edition edition = Edition::Orvale;
  std::int64_t stepMs = kDefaultLiveStepMs;
  // Modules without a SIM (--modules-off): not registered, signal "unknown", no calls.
  std::set<int> modulesOff;
};

class LiveState {
 public:
  LiveState(LiveConfig config, std::int64_t startMs);

  // The state lines of a module ("Layer2: up", "Network: NetAlpha", ...); nothing for a slot number
  // outside 0..3.
  std::optional<std::vector<std::string>> moduleLines(int module, std::int64_t nowMs) const;
  // "Signal: (g02) -71", or "Signal: (g02) unknown" for a module that is not registered.
  std::optional<std::string> signalLine(int module, std::int64_t nowMs) const;
  // "Calls in progress: N", then a table headed "cha-layer3 ..." with a line per call.
  std::vector<std::string> callLines(std::int64_t nowMs) const;

  // A registered module's level in dBm at that time (for tests).
  int signalDbm(int module, std::int64_t nowMs) const;
  bool registered(int module) const;

 private:
  std::int64_t step(std::int64_t nowMs) const;
  int operatorOf(int module, std::int64_t step) const;

  LiveConfig config_;
  std::int64_t startMs_;
};

}  // namespace gwsim

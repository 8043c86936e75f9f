#pragma once
// What the page benchmarks share: a page talking to its own gwsim process through a real LAN link with the
// real clock, and rounds of one page action whose wall time is set beside the time the exchange itself must
// spend in its fixed pauses.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "base/clock.h"
#include "base/recording_host.h"
#include "link/link.h"
#include "pages/page_actions.h"
#include "shell/connection.h"
#include "shell/gateway_dialogs.h"
#include "shell/gateway_selection.h"
#include "support/sim_process.h"
#include "support/temp_dir.h"

namespace gw::bench {

// The fixed pauses of the exchange on the LAN, in ms.
inline constexpr double kCheckOkPauseMs = 100;      // sendCheckOk and paged dumps, before the answer
inline constexpr double kRegisterPauseMs = 10;      // writeRegister, sendCollectError, listing pages
inline constexpr double kPollStepsPerReplyMs = 20;  // a LAN reply takes at least two 10 ms poll steps
inline constexpr double kReplyMs = kRegisterPauseMs + kPollStepsPerReplyMs;  // a register read or write
inline constexpr double kDumpMs = kCheckOkPauseMs + kPollStepsPerReplyMs;    // a dump

template <class P>
class SimulatedGateway {
 public:
  explicit SimulatedGateway(const std::vector<std::string>& simOptions) : sim_(GWSIM_PATH, args(simOptions)) {
    selection_.selected().name = "bench";
    selection_.selected().host = "127.0.0.1";
    selection_.selected().port = sim_.tcpPort();
    selection_.selected().userName = "admin";
    selection_.selected().password = "admin";
    link_.comm.linkType = kLanLink;
  }

  bool connect() { return sim_.ready() && connection_.commConnect(false); }
  const std::string& simError() const { return sim_.error(); }
  P& page() { return page_; }
  const std::string& errorList() const { return state_.errorList; }

 private:
  static std::vector<std::string> args(std::vector<std::string> options) {
    options.insert(options.begin(), {"--tcp", "0"});
    return options;
  }

  test::SimProcess sim_;
  test::TempDir folder_;
  SystemClock clock_;
  Link link_{clock_};
  RecordingHost host_;
  CaptionList captions_;
  GatewaySelection selection_{folder_.path(), host_, captions_};
  NewGatewayDialog newGateway_{selection_, host_, captions_};
  Connection connection_{link_, selection_, newGateway_, host_, captions_};
  TParametres image_;
  PageState state_;
  PageContext context_{link_, connection_, selection_, host_, captions_, image_, state_};
  P page_{context_};
};

inline double msSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

// Runs `action` once per round and reports the wall time per round against the prescribed time.
inline void runRounds(benchmark::State& state, const std::function<PageResult()>& action, double prescribedMs,
                      const std::function<std::string()>& errors) {
  double total = 0;
  double fastest = 1e300;
  double slowest = 0;
  int failures = 0;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    if (action() != PageResult::Succeeded) ++failures;
    const double wall = msSince(start);
    state.SetIterationTime(wall / 1000);
    total += wall;
    fastest = std::min(fastest, wall);
    slowest = std::max(slowest, wall);
  }
  const double rounds = static_cast<double>(state.iterations());
  state.counters["prescribed_ms"] = prescribedMs;
  state.counters["wall_mean_ms"] = total / rounds;
  state.counters["wall_min_ms"] = fastest;
  state.counters["wall_max_ms"] = slowest;
  state.counters["ratio_mean"] = total / rounds / prescribedMs;
  state.counters["ratio_max"] = slowest / prescribedMs;
  state.counters["failed_rounds"] = failures;
  if (failures > 0) state.SetLabel("last errors: " + errors());
}

// Registers "NAME/LoadFromGate" and "NAME/SaveToGate" of the page for `rounds` rounds each.
template <class P>
void registerLoadAndSave(const std::string& name, SimulatedGateway<P>& gateway, int rounds, double loadMs,
                         double saveMs) {
  const auto errors = [&gateway] { return gateway.errorList(); };
  benchmark::RegisterBenchmark((name + "/LoadFromGate").c_str(),
                               [&gateway, loadMs, errors](benchmark::State& s) {
                                 runRounds(
                                     s, [&] { return loadFromGate(gateway.page()); }, loadMs, errors);
                               })
      ->Iterations(rounds)
      ->UseManualTime()
      ->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark((name + "/SaveToGate").c_str(),
                               [&gateway, saveMs, errors](benchmark::State& s) {
                                 runRounds(
                                     s, [&] { return saveToGate(gateway.page()); }, saveMs, errors);
                               })
      ->Iterations(rounds)
      ->UseManualTime()
      ->Unit(benchmark::kMillisecond);
}

}  // namespace gw::bench

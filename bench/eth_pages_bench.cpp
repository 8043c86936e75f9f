// "Load from gate" and "Save to gate" of the Ethernet, GSM basic and groups pages, round after round, against
// a gwsim process over TCP loopback with the real clock. Each round's wall time is set beside the time the
// exchange itself must spend in its fixed pauses, so the ratio shows what the link, the simulator and the
// scheduler add.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>

#include "base/clock.h"
#include "base/recording_host.h"
#include "link/link.h"
#include "pages/page_actions.h"
#include "pages/page_registry.h"
#include "shell/connection.h"
#include "shell/gateway_dialogs.h"
#include "shell/gateway_selection.h"
#include "support/sim_process.h"
#include "support/temp_dir.h"

namespace gw {
namespace {

constexpr int kRounds = 30;

// The fixed pauses of the exchange on the LAN, in ms.
constexpr double kCheckOkPauseMs = 100;      // sendCheckOk, before collecting a dump
constexpr double kRegisterPauseMs = 10;      // a register write or a read before a write, before the reply
constexpr double kPollStepsPerReplyMs = 20;  // a LAN reply takes at least two 10 ms poll steps
constexpr double kDumpMs = kCheckOkPauseMs + kPollStepsPerReplyMs;
constexpr double kWriteMs = kRegisterPauseMs + kPollStepsPerReplyMs;

// Each page reads two dumps. Saving what a factory gateway holds: the Ethernet page writes sixteen registers
// and reads the SIP and GSM registers before the two shared ones (no E80: no account; no codec change); the
// GSM basic page writes eight registers, the groups page two.
struct PageRun {
  const char* page;
  double loadMs;
  double saveMs;
};
constexpr PageRun kRuns[] = {
    {"ethernet", 2 * kDumpMs, 18 * kWriteMs},
    {"basic", 2 * kDumpMs, 8 * kWriteMs},
    {"groups", 2 * kDumpMs, 2 * kWriteMs},
};

// The three pages talking to one simulator through a real LAN link.
class SimulatedGateway {
 public:
  SimulatedGateway() : sim_(GWSIM_PATH, {"--tcp", "0"}) {
    selection_.selected().name = "bench";
    selection_.selected().host = "127.0.0.1";
    selection_.selected().port = sim_.tcpPort();
    selection_.selected().userName = "admin";
    selection_.selected().password = "admin";
    link_.comm.linkType = kLanLink;
    for (const PageRun& run : kRuns) pages_.push_back(registrationNamed(run.page)->make(context_));
  }

  bool connect() { return sim_.ready() && connection_.commConnect(false); }
  const std::string& simError() const { return sim_.error(); }
  Page& page(std::size_t i) { return *pages_.at(i); }
  const std::string& errorList() const { return state_.errorList; }

 private:
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
  std::vector<std::unique_ptr<Page>> pages_;
};

double msSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

// Runs `action` once per round and reports the wall time per round against the prescribed time.
void runRounds(benchmark::State& state, SimulatedGateway& gateway, const std::function<PageResult()>& action,
               double prescribedMs) {
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
  if (failures > 0) state.SetLabel("last errors: " + gateway.errorList());
}

void registerPage(SimulatedGateway& gateway, std::size_t i) {
  const PageRun& run = kRuns[i];
  const std::string name = std::string(run.page);
  benchmark::RegisterBenchmark((name + "/LoadFromGate").c_str(),
                               [&gateway, i, run](benchmark::State& s) {
                                 runRounds(
                                     s, gateway, [&] { return loadFromGate(gateway.page(i)); }, run.loadMs);
                               })
      ->Iterations(kRounds)
      ->UseManualTime()
      ->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark((name + "/SaveToGate").c_str(),
                               [&gateway, i, run](benchmark::State& s) {
                                 runRounds(
                                     s, gateway, [&] { return saveToGate(gateway.page(i)); }, run.saveMs);
                               })
      ->Iterations(kRounds)
      ->UseManualTime()
      ->Unit(benchmark::kMillisecond);
}

}  // namespace
}  // namespace gw

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  gw::SimulatedGateway gateway;
  if (!gateway.connect()) {
    std::fprintf(stderr, "bench_eth_pages: no simulated gateway (%s)\n", gateway.simError().c_str());
    return 1;
  }
  // Each page is filled from the gateway once, so every save writes what the gateway holds.
  for (std::size_t i = 0; i < std::size(gw::kRuns); ++i) {
    gw::loadFromGate(gateway.page(i));
    gw::registerPage(gateway, i);
  }
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}

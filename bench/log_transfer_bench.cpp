// The log transfer ("Load from gate" of the Log file page) of a gateway log of 5000 events, against a gwsim
// process over TCP loopback with the real clock. The wall time is set beside the time the transfer must spend
// in its own pauses — the wake-up line's silent wait, then per pass the second over the LAN, one poll step
// and the burst pause before the chunk is taken — so the ratio shows what the link, the simulator and the
// scheduler add.
//
//   bench_log_transfer [--page-lines=N] [benchmark options]    (N: lines per page, default the gateway's 16)

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>

#include "base/recording_host.h"
#include "link/link.h"
#include "online/report_readers.h"
#include "shell/connection.h"
#include "shell/gateway_dialogs.h"
#include "shell/gateway_selection.h"
#include "support/sim_process.h"
#include "support/temp_dir.h"

namespace gw {
namespace {

constexpr int kLogLines = 5000;
constexpr int kDefaultPageLines = 16;
constexpr int kRounds = 1;  // one round already takes minutes

// The transfer's own pauses over the LAN, in ms.
constexpr int kResponseTimeMs = 1000;  // the Timeout setting used here; the wake-up's reply never ends
constexpr double kWakeUpPauseMs = 10;
constexpr double kLanPassPauseMs = 1000;
constexpr double kPollStepMs = 10;  // a chunk wait polls at least once
constexpr double kBurstPauseMs = 100;
constexpr double kPassPrescribedMs = kLanPassPauseMs + kPollStepMs + kBurstPauseMs;

class SimulatedGateway {
 public:
  explicit SimulatedGateway(int pageLines)
      : sim_(GWSIM_PATH, {"--tcp", "0", "--log-lines", std::to_string(kLogLines), "--page-lines",
                          std::to_string(pageLines)}) {
    selection_.selected().name = "bench";
    selection_.selected().host = "127.0.0.1";
    selection_.selected().port = sim_.tcpPort();
    selection_.selected().userName = "admin";
    selection_.selected().password = "admin";
    link_.comm.linkType = kLanLink;
    link_.timeoutMs = kResponseTimeMs;
  }

  bool connect() { return sim_.ready() && connection_.commConnect(false); }
  const std::string& simError() const { return sim_.error(); }
  ReportTransfer readLog() { return gw::readLog(link_, clock_); }

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
};

double msSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

void transferLog(benchmark::State& state, SimulatedGateway& gateway) {
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    const ReportTransfer log = gateway.readLog();
    const double wall = msSince(start);
    state.SetIterationTime(wall / 1000);
    // The wake-up's reply waits out more than the response time in whole seconds: at least that long.
    const double prescribed = kWakeUpPauseMs + kResponseTimeMs + log.reads * kPassPrescribedMs;
    state.counters["lines"] = static_cast<double>(log.lines.size());
    state.counters["passes"] = log.reads;
    state.counters["spaces"] = log.spaces;
    state.counters["prescribed_ms"] = prescribed;
    state.counters["wall_ms"] = wall;
    state.counters["ratio"] = wall / prescribed;
    state.counters["failed"] = log.done ? 0 : 1;
  }
}

int pageLinesOption(int& argc, char** argv) {
  int pageLines = kDefaultPageLines;
  int kept = 1;
  for (int i = 1; i < argc; ++i) {
    if (std::strncmp(argv[i], "--page-lines=", 13) == 0) {
      pageLines = std::atoi(argv[i] + 13);
    } else {
      argv[kept++] = argv[i];
    }
  }
  argc = kept;
  return pageLines > 0 ? pageLines : kDefaultPageLines;
}

}  // namespace
}  // namespace gw

int main(int argc, char** argv) {
  const int pageLines = gw::pageLinesOption(argc, argv);
  benchmark::Initialize(&argc, argv);
  gw::SimulatedGateway gateway(pageLines);
  if (!gateway.connect()) {
    std::fprintf(stderr, "bench_log_transfer: no simulated gateway (%s)\n", gateway.simError().c_str());
    return 1;
  }
  benchmark::RegisterBenchmark(("LogTransfer/5000lines/" + std::to_string(pageLines) + "perPage").c_str(),
                               [&](benchmark::State& s) { gw::transferLog(s, gateway); })
      ->Iterations(gw::kRounds)
      ->UseManualTime()
      ->Unit(benchmark::kSecond);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}

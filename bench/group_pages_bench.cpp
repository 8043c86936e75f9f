// "Load from gate" and "Save to gate" of the outgoing and incoming groups pages, round after round, against a
// fully configured gwsim (the longest SMS texts and called-number lists) over TCP loopback with the real
// clock. Each round's wall time is set beside the time the exchange must spend in its fixed pauses.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>

#include "base/clock.h"
#include "base/recording_host.h"
#include "link/link.h"
#include "pages/incoming_page.h"
#include "pages/outgoing_page.h"
#include "pages/page_actions.h"
#include "shell/connection.h"
#include "shell/gateway_dialogs.h"
#include "shell/gateway_selection.h"
#include "support/sim_process.h"
#include "support/temp_dir.h"

namespace gw {
namespace {

constexpr int kRounds = 20;

// The fixed pauses of the exchange on the LAN, in ms.
constexpr double kCheckOkPauseMs = 100;      // sendCheckOk, before collecting the dump
constexpr double kRegisterPauseMs = 10;      // writeRegister and sendCollectError, before the reply
constexpr double kPollStepsPerReplyMs = 20;  // a LAN reply takes at least two 10 ms poll steps
constexpr double kDumpMs = kCheckOkPauseMs + kPollStepsPerReplyMs;
constexpr double kWriteMs = kRegisterPauseMs + kPollStepsPerReplyMs;

// Outgoing: four dumps; S85, S86, G109, the E08 read and write, and G g1 and G g9 of four groups.
constexpr double kOutgoingLoadMs = 4 * kDumpMs;
constexpr double kOutgoingSaveMs = (5 + 2 * 4) * kWriteMs;
// Incoming: one dump; G9g, G19g and the called numbers of four groups, G99 and G199.
constexpr double kIncomingLoadMs = kDumpMs;
constexpr double kIncomingSaveMs = (3 * 4 + 2) * kWriteMs;

// Both pages talking to one simulator through a real LAN link.
class SimulatedGateway {
 public:
  SimulatedGateway() : sim_(GWSIM_PATH, {"--tcp", "0", "--full"}) {
    selection_.selected().name = "bench";
    selection_.selected().host = "127.0.0.1";
    selection_.selected().port = sim_.tcpPort();
    selection_.selected().userName = "admin";
    selection_.selected().password = "admin";
    link_.comm.linkType = kLanLink;
  }

  bool connect() { return sim_.ready() && connection_.commConnect(false); }
  const std::string& simError() const { return sim_.error(); }
  OutgoingPage& outgoing() { return outgoing_; }
  IncomingPage& incoming() { return incoming_; }
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
  OutgoingPage outgoing_{context_};
  IncomingPage incoming_{context_};
};

double msSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

// Runs `action` once per round and reports the wall time per round against the prescribed time.
void runRounds(benchmark::State& state, SimulatedGateway& gateway, const std::function<PageResult()>& action,
               double prescribedMs) {
  double total = 0;
  double slowest = 0;
  int failures = 0;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    if (action() != PageResult::Succeeded) ++failures;
    const double wall = msSince(start);
    state.SetIterationTime(wall / 1000);
    total += wall;
    slowest = std::max(slowest, wall);
  }
  const double rounds = static_cast<double>(state.iterations());
  state.counters["prescribed_ms"] = prescribedMs;
  state.counters["wall_mean_ms"] = total / rounds;
  state.counters["ratio_mean"] = total / rounds / prescribedMs;
  state.counters["ratio_max"] = slowest / prescribedMs;
  state.counters["failed_rounds"] = failures;
  if (failures > 0) state.SetLabel("last errors: " + gateway.errorList());
}

void registerRounds(const char* name, SimulatedGateway& gateway, std::function<PageResult()> action,
                    double prescribedMs) {
  benchmark::RegisterBenchmark(
      name,
      [&gateway, action, prescribedMs](benchmark::State& s) { runRounds(s, gateway, action, prescribedMs); })
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
    std::fprintf(stderr, "bench_group_pages: no simulated gateway (%s)\n", gateway.simError().c_str());
    return 1;
  }
  // The pages are filled from the gateway once, so every save writes what the gateway holds.
  gw::loadFromGate(gateway.outgoing());
  gw::loadFromGate(gateway.incoming());

  gw::registerRounds(
      "OutgoingPage/LoadFromGate", gateway, [&] { return gw::loadFromGate(gateway.outgoing()); },
      gw::kOutgoingLoadMs);
  gw::registerRounds(
      "OutgoingPage/SaveToGate", gateway, [&] { return gw::saveToGate(gateway.outgoing()); },
      gw::kOutgoingSaveMs);
  gw::registerRounds(
      "IncomingPage/LoadFromGate", gateway, [&] { return gw::loadFromGate(gateway.incoming()); },
      gw::kIncomingLoadMs);
  gw::registerRounds(
      "IncomingPage/SaveToGate", gateway, [&] { return gw::saveToGate(gateway.incoming()); },
      gw::kIncomingSaveMs);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}

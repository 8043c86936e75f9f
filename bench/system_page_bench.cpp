// "Load from gate" and "Save to gate" of the System page, round after round, against a gwsim process over TCP
// loopback with the real clock. Each round's wall time is set beside the time the exchange itself must
// spend in its fixed pauses, so the ratio shows what the link, the simulator and the scheduler add.

#include <cstdio>

#include "page_bench.h"
#include "pages/system_page.h"

namespace gw::bench {
namespace {

constexpr int kRounds = 30;

// Load: one dump. Save over the LAN: S91, S98, X30, X31, X32, X33 and X24, no addresses.
constexpr int kSavedRegisters = 7;
constexpr double kLoadPrescribedMs = kDumpMs;
constexpr double kSavePrescribedMs = kSavedRegisters * kReplyMs;

}  // namespace
}  // namespace gw::bench

int main(int argc, char** argv) {
  using namespace gw::bench;
  benchmark::Initialize(&argc, argv);
  SimulatedGateway<gw::SystemPage> gateway({});
  if (!gateway.connect()) {
    std::fprintf(stderr, "bench_system_page: no simulated gateway (%s)\n", gateway.simError().c_str());
    return 1;
  }
  // The page is filled from the gateway once, so every save writes valid values.
  gw::loadFromGate(gateway.page());
  registerLoadAndSave("SystemPage", gateway, kRounds, kLoadPrescribedMs, kSavePrescribedMs);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}

// "Load from gate" and "Save to gate" of the outgoing and incoming groups pages, round after round, against a
// fully configured gwsim (the longest SMS texts and called-number lists) over TCP loopback with the real
// clock. Each round's wall time is set beside the time the exchange must spend in its fixed pauses.

#include <cstdio>

#include "page_bench.h"
#include "pages/incoming_page.h"
#include "pages/outgoing_page.h"

namespace gw::bench {
namespace {

constexpr int kRounds = 20;

// Outgoing: four dumps; S85, S86, G109, the E08 read and write, and G g1 and G g9 of four groups.
constexpr double kOutgoingLoadMs = 4 * kDumpMs;
constexpr double kOutgoingSaveMs = (5 + 2 * 4) * kReplyMs;
// Incoming: one dump; G9g, G19g and the called numbers of four groups, G99 and G199.
constexpr double kIncomingLoadMs = kDumpMs;
constexpr double kIncomingSaveMs = (3 * 4 + 2) * kReplyMs;

}  // namespace
}  // namespace gw::bench

int main(int argc, char** argv) {
  using namespace gw::bench;
  benchmark::Initialize(&argc, argv);
  SimulatedGateway<gw::OutgoingPage> outgoing({"--full"});
  SimulatedGateway<gw::IncomingPage> incoming({"--full"});
  if (!outgoing.connect() || !incoming.connect()) {
    std::fprintf(stderr, "bench_group_pages: no simulated gateway (%s%s)\n", outgoing.simError().c_str(),
                 incoming.simError().c_str());
    return 1;
  }
  // The pages are filled from the gateway once, so every save writes what the gateway holds.
  gw::loadFromGate(outgoing.page());
  gw::loadFromGate(incoming.page());
  registerLoadAndSave("OutgoingPage", outgoing, kRounds, kOutgoingLoadMs, kOutgoingSaveMs);
  registerLoadAndSave("IncomingPage", incoming, kRounds, kIncomingLoadMs, kIncomingSaveMs);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}

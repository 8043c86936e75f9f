// "Load from gate" and "Save to gate" of the Ethernet, GSM basic and groups pages, round after round, against
// a gwsim process over TCP loopback with the real clock. Each round's wall time is set beside the time the
// exchange itself must spend in its fixed pauses, so the ratio shows what the link, the simulator and the
// scheduler add.

#include <cstdio>

#include "page_bench.h"
#include "pages/basic_page.h"
#include "pages/ethernet_page.h"
#include "pages/groups_page.h"

namespace gw::bench {
namespace {

constexpr int kRounds = 30;

// Each page reads two dumps. Saving what a factory gateway holds: the Ethernet page writes sixteen registers
// and reads the SIP and GSM registers before the two shared ones (no E80: no account; no codec change); the
// GSM basic page writes eight registers, the groups page two.
constexpr double kLoadMs = 2 * kDumpMs;
constexpr double kEthernetSaveMs = 18 * kReplyMs;
constexpr double kBasicSaveMs = 8 * kReplyMs;
constexpr double kGroupsSaveMs = 2 * kReplyMs;

// Fills the page from its gateway once, so every save writes what the gateway holds, then registers it.
template <class P>
bool prepare(const char* name, SimulatedGateway<P>& gateway, double saveMs) {
  if (!gateway.connect()) {
    std::fprintf(stderr, "bench_eth_pages: no simulated gateway (%s)\n", gateway.simError().c_str());
    return false;
  }
  gw::loadFromGate(gateway.page());
  registerLoadAndSave(name, gateway, kRounds, kLoadMs, saveMs);
  return true;
}

}  // namespace
}  // namespace gw::bench

int main(int argc, char** argv) {
  using namespace gw::bench;
  benchmark::Initialize(&argc, argv);
  SimulatedGateway<gw::EthernetPage> ethernet({});
  SimulatedGateway<gw::BasicPage> basic({});
  SimulatedGateway<gw::GroupsPage> groups({});
  if (!prepare("ethernet", ethernet, kEthernetSaveMs) || !prepare("basic", basic, kBasicSaveMs) ||
      !prepare("groups", groups, kGroupsSaveMs)) {
    return 1;
  }
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}

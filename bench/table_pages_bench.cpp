// "Load from gate" and "Save to gate" of the network list and autorouting pages against a fully configured
// gwsim over TCP loopback with the real clock: eight lists of 105 prefixes (a dump of about 12 KB) and 96
// autorouting records (a listing of seven pages).

#include <cstdio>

#include "page_bench.h"
#include "pages/auto_page.h"
#include "pages/network_page.h"

namespace gw::bench {
namespace {

constexpr int kRounds = 10;

// Network list: one dump; nine registers for each of the eight lists.
constexpr double kNetworkLoadMs = kDumpMs;
constexpr double kNetworkSaveMs = 8 * 9 * kReplyMs;
// Autorouting: the full table leaves in seven pages; 96 records and no end record.
constexpr double kAutoLoadMs = 7 * kReplyMs;
constexpr double kAutoSaveMs = 96 * kReplyMs;

}  // namespace
}  // namespace gw::bench

int main(int argc, char** argv) {
  using namespace gw::bench;
  benchmark::Initialize(&argc, argv);
  SimulatedGateway<gw::NetworkPage> network({"--full"});
  SimulatedGateway<gw::AutoPage> autorouting({"--full"});
  if (!network.connect() || !autorouting.connect()) {
    std::fprintf(stderr, "bench_table_pages: no simulated gateway (%s%s)\n", network.simError().c_str(),
                 autorouting.simError().c_str());
    return 1;
  }
  registerLoadAndSave("NetworkPage", network, kRounds, kNetworkLoadMs, kNetworkSaveMs);
  registerLoadAndSave("AutoPage", autorouting, kRounds, kAutoLoadMs, kAutoSaveMs);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}

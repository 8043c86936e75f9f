// The LAN upgrade of an 8 MB image (8 MB less one block, the largest the area takes) to gwsim's firmware
// port on loopback, with the real clock: the whole run (login, erase, windowed write, reset) less the erase
// time gwsim simulates is what the protocol, the socket and the scheduler cost.

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "base/clock.h"
#include "firmware/ucmd_session.h"
#include "support/sim_process.h"

namespace gw {
namespace {

constexpr std::size_t kImageBytes = (8u << 20) - ucmd::kBlockBytes;
constexpr int kEraseMs = 2000;

struct Silent : UpgradeStatus {
  void title(const std::string&) override {}
  void status(const std::string&) override {}
  void phaseDone() override {}
  bool escaped() override { return false; }
};

void BM_LanUpgrade8M(benchmark::State& state) {
  std::vector<std::uint8_t> image(kImageBytes);
  for (std::size_t i = 0; i < image.size(); ++i) image[i] = static_cast<std::uint8_t>(i * 131 + (i >> 10));
  for (auto _ : state) {
    test::SimProcess sim(GWSIM_PATH, {"--udp", "0", "--erase-ms", std::to_string(kEraseMs)});
    if (!sim.ready()) {
      state.SkipWithError(sim.error().c_str());
      return;
    }
    std::string error;
    std::unique_ptr<UdpChannel> channel = openUdpChannel("127.0.0.1", sim.udpPort(), error);
    SystemClock clock;
    Silent status;
    std::string log;
    UcmdSession session(clock, *channel, "admin/admin", ucmd::Memory::Cpu, status, log);
    const auto start = std::chrono::steady_clock::now();
    const bool ok = session.erase() && session.write(image, "bench.hex") && session.reset();
    const double ms =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    if (!ok) {
      state.SkipWithError(session.error().c_str());
      return;
    }
    state.counters["total_ms"] = ms;
    state.counters["beyond_erase_ms"] = ms - kEraseMs;
    std::printf("8 MB image: %.0f ms in all, %.0f ms beyond the simulated erase of %d ms\n", ms,
                ms - kEraseMs, kEraseMs);
  }
}

BENCHMARK(BM_LanUpgrade8M)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace gw

BENCHMARK_MAIN();

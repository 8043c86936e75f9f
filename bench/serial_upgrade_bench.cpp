// The serial upgrade of a 512 KB image through gwsim's boot loader over a pseudo-terminal, with the real
// clock. The time from the first record to the image's last answer is set beside the time the boot loader's
// line rate needs for the text the engine writes (ten bits a character), so the ratio shows what the record
// batches, their answers, the pty and the scheduler add.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>

#include "base/clock.h"
#include "firmware/fw_upgrade_thread.h"
#include "link/link.h"
#include "support/firmware_image.h"
#include "support/sim_process.h"
#include "support/temp_dir.h"

namespace gw {
namespace {

constexpr std::size_t kImageBytes = 512 * 1024;
constexpr double kBootLoaderBitRate = 57600;  // the boot loader's rate: the engine opens the port at it
constexpr double kBitsPerCharacter = 10;      // start, eight data bits, stop
// Every batch of eight records is followed by the batch end record.
constexpr double kBatchRecords = 8;
constexpr double kBatchEndChars = 11;

using Clock = std::chrono::steady_clock;

double secondsBetween(Clock::time_point from, Clock::time_point to) {
  return std::chrono::duration<double>(to - from).count();
}

void BM_SerialUpgrade512K(benchmark::State& state) {
  test::TempDir folder;
  const std::string hex = folder.file("image.hex");
  if (!test::writeIntelHex(test::firmwareBytes(kImageBytes, "03.01.02"), folder.file("image.bin"), hex)) {
    state.SkipWithError("objcopy failed");
    return;
  }
  const std::string text = test::readFile(hex);
  const double records = static_cast<double>(std::count(text.begin(), text.end(), '\n'));
  const double lineChars =
      static_cast<double>(text.size()) - records + (records / kBatchRecords) * kBatchEndChars;
  const double lineSeconds = lineChars * kBitsPerCharacter / kBootLoaderBitRate;

  for (auto _ : state) {
    const std::string pty = folder.file("ttyGW");
    test::SimProcess sim(GWSIM_PATH, {"--pty", pty, "--boot", "--reset-time", "0"});
    if (!sim.ready()) {
      state.SkipWithError(sim.error().c_str());
      return;
    }
    SystemClock clock;
    Link link(clock);
    CFWUpgradeThread engine(clock, link.serialFactory(), folder.file("port.log"), false);
    Clock::time_point first{};
    Clock::time_point done{};
    engine.runHere(
        pty, hex,
        [&](int stage, int) {
          if (stage == CFWUpgradeThread::kSending && first == Clock::time_point{}) first = Clock::now();
          if (stage == CFWUpgradeThread::kImageDone) done = Clock::now();
        },
        false);
    if (engine.result() != CFWUpgradeThread::kSucceeded) {
      state.SkipWithError("the upgrade failed");
      return;
    }
    const double seconds = secondsBetween(first, done);
    state.counters["image_s"] = seconds;
    state.counters["line_rate_s"] = lineSeconds;
    state.counters["ratio"] = seconds / lineSeconds;
    std::printf("512 KB image: %.2f s sending, the line rate needs %.1f s at %.0f Bd: ratio %.3f\n", seconds,
                lineSeconds, kBootLoaderBitRate, seconds / lineSeconds);
  }
}

BENCHMARK(BM_SerialUpgrade512K)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

}  // namespace
}  // namespace gw

BENCHMARK_MAIN();

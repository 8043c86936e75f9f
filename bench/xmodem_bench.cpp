// A 1 MB XMODEM-CRC transfer over a pseudo-terminal at 921600 bit/s, our side against lrzsz in both
// directions, set beside lrzsz sending to itself on the same line: bytes per second of each, so the ratios
// show whether our byte-at-a-time port reads keep up with a peer that reads in bulk.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>

#include "base/clock.h"
#include "firmware/xmodem.h"
#include "link/posix_serial_port.h"
#include "support/pty_bridge.h"
#include "support/temp_dir.h"

namespace gw {
namespace {

constexpr int kBitsPerSecond = 921600;
constexpr std::size_t kFileBytes = 1 << 20;
constexpr int kPeerExitMs = 120000;

std::string sample() {
  std::string data(kFileBytes, '\0');
  for (std::size_t i = 0; i < data.size(); ++i) data[i] = static_cast<char>((i * 31 + i / 509) & 0xff);
  return data;
}

void writeSample(const std::string& path) {
  std::ofstream(path, std::ios::binary) << sample();
}

template <typename Run>
void timeRounds(benchmark::State& state, Run run) {
  if (::access("/usr/bin/sx", X_OK) != 0) {
    state.SkipWithError("lrzsz is not installed");
    return;
  }
  for (auto _ : state) {
    test::PtyBridge bridge;
    test::TempDir dir;
    const auto start = std::chrono::steady_clock::now();
    if (!run(bridge, dir)) state.SkipWithError("the transfer failed");
    state.SetIterationTime(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kFileBytes));
}

bool ourSide(test::PtyBridge& bridge, const std::function<bool(XmodemLine&)>& transfer) {
  SerialOpenResult opened = PosixSerialPort::open(bridge.nearPath(), kBitsPerSecond);
  if (!opened.port) return false;
  SystemClock clock;
  XmodemLine line{*opened.port, clock, {}, {}};
  return transfer(line);
}

void OursSendsLrzszReceives(benchmark::State& state) {
  const std::string data = sample();
  timeRounds(state, [&data](test::PtyBridge& bridge, test::TempDir& dir) {
    const pid_t rx = bridge.startFar(dir.path(), "rx", {"-c", "-X", "in.bin"});
    std::istringstream source(data);
    const bool sent =
        ourSide(bridge, [&source](XmodemLine& line) { return sendXmodem(line, source) == XmodemEnd::Done; });
    return test::waitForExit(rx, kPeerExitMs) == 0 && sent;
  });
}

void LrzszSendsOursReceives(benchmark::State& state) {
  timeRounds(state, [](test::PtyBridge& bridge, test::TempDir& dir) {
    writeSample(dir.file("out.bin"));
    const pid_t sx = bridge.startFar(dir.path(), "sx", {"-X", "out.bin"});
    std::ostringstream target;
    const bool taken = ourSide(bridge, [&target](XmodemLine& line) {
      return receiveXmodem(line, target, kFileBytes) == XmodemEnd::Done;
    });
    return test::waitForExit(sx, kPeerExitMs) == 0 && taken && target.str().size() == kFileBytes;
  });
}

// lrzsz against itself, placed as our side is: sx on the near terminal, rx on the far one.
void LrzszBothSides(benchmark::State& state) {
  timeRounds(state, [](test::PtyBridge& bridge, test::TempDir& dir) {
    writeSample(dir.file("out.bin"));
    const pid_t rx = bridge.startFar(dir.path(), "rx", {"-c", "-X", "in.bin"});
    const pid_t sx =
        test::startOnTerminal(bridge.nearPath(), kBitsPerSecond, dir.path(), "sx", {"-X", "out.bin"});
    // The receiver's word decides: sx, on a terminal, may lose the last ACK as it flushes on exit.
    const bool received = test::waitForExit(rx, kPeerExitMs) == 0;
    test::waitForExit(sx, kPeerExitMs);
    return received;
  });
}

BENCHMARK(OursSendsLrzszReceives)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(LrzszSendsOursReceives)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(LrzszBothSides)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(2);

}  // namespace
}  // namespace gw

BENCHMARK_MAIN();

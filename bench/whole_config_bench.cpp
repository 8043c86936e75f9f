// "Load from gate" and "Save to gate" of the whole configuration of a fully configured Orvale gateway (every
// table full, every list at its maximum, the longest texts) against gwsim, over the LAN and over a pseudo-
// terminal at 921600 bit/s, with the real clock.
//
// What the exchange itself must wait is taken from the transfer as it runs: every pause and every receive
// poll step goes through the clock, so a clock that keeps a ledger of the sleeps it is asked for gives the
// waits the exchange prescribes; on the serial line each reply also ends with the read time-out of a silent
// line, counted from the replies in the communication LOG. The ratio of wall time to that shows what the
// program, the pseudo-terminal or socket and the scheduler add.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "base/clock.h"
#include "base/recording_host.h"
#include "link/link.h"
#include "link/serial_port.h"
#include "program/program.h"
#include "program/whole_transfers.h"
#include "support/sim_process.h"
#include "support/temp_dir.h"

namespace gw::bench {
namespace {

constexpr int kRounds = 3;
constexpr std::string_view kReceiveMark = "<-";

// The real clock, keeping the sum of the sleeps it was asked for.
class LedgerClock : public SystemClock {
 public:
  void sleep(int ms) override {
    askedMs_ += ms;
    SystemClock::sleep(ms);
  }
  double askedMs() const { return static_cast<double>(askedMs_); }

 private:
  long long askedMs_ = 0;
};

std::size_t countOf(const std::string& text, std::string_view mark) {
  std::size_t n = 0;
  for (std::size_t at = text.find(mark); at != std::string::npos; at = text.find(mark, at + mark.size())) ++n;
  return n;
}

// A Program connected to its own fully configured gwsim, over the LAN or over the simulator's pty.
class WholeGateway {
 public:
  explicit WholeGateway(bool serial)
      : serial_(serial),
        sim_(GWSIM_PATH, serial ? std::vector<std::string>{"--pty", ptyFolder_.file("ttyGW"), "--full"}
                                : std::vector<std::string>{"--tcp", "0", "--full"}) {
    home_.write("languages.ini", test::readFile(std::string(GW_SOURCE_DIR) + "/data/languages.ini"));
    home_.write("settings.ini", std::string("[main]\nCommType=") + (serial ? "1" : "2") +
                                    "\nComport=" + sim_.ptyPath() + "\nSaveLog=1\nAppend=1\n");
    program_ = std::make_unique<Program>(clock_, host_, home_.path());
  }

  bool connect() {
    if (!sim_.ready()) return false;
    if (!program_->start()) {
      std::fprintf(stderr, "the program did not start\n");
      return false;
    }
    TGateway& g = program_->selection.selected();
    g.name = "bench";
    g.host = "127.0.0.1";
    g.port = sim_.tcpPort();
    g.userName = "admin";
    g.password = "admin";
    // The first transfer connects; the rounds after it find the link open.
    return loadAllFromGateway(*program_).result == WholeResult::Succeeded;
  }

  std::string why() const {
    if (!sim_.ready()) return sim_.error();
    std::string text = program_->pageState.errorList;
    for (const Message& m : host_.messages) text += " [" + m.caption + ": " + m.text + "]";
    return text;
  }

  // One transfer; its wall time and what the exchange had to wait, in ms.
  template <class Transfer>
  bool round(Transfer transfer, double& wallMs, double& prescribedMs) {
    const double askedBefore = clock_.askedMs();
    const std::size_t repliesBefore = replies();
    const auto start = std::chrono::steady_clock::now();
    const bool whole = transfer(*program_).result == WholeResult::Succeeded;
    wallMs = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    prescribedMs = clock_.askedMs() - askedBefore;
    if (serial_)
      prescribedMs += static_cast<double>(replies() - repliesBefore) * kCommandReadTimeouts.oneByteMs();
    return whole;
  }

 private:
  // The replies the LOG holds so far.
  std::size_t replies() const {
    std::size_t n = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(home_.path())) {
      if (entry.path().filename() == "log.txt")
        n += countOf(test::readFile(entry.path().string()), kReceiveMark);
    }
    return n;
  }

  bool serial_;
  test::TempDir ptyFolder_;
  test::SimProcess sim_;
  test::TempDir home_;
  LedgerClock clock_;
  RecordingHost host_;
  std::unique_ptr<Program> program_;
};

template <class Transfer>
void runRounds(benchmark::State& state, WholeGateway& gateway, Transfer transfer) {
  double wall = 0;
  double prescribed = 0;
  double worst = 0;
  int failures = 0;
  for (auto _ : state) {
    double wallMs = 0;
    double prescribedMs = 0;
    if (!gateway.round(transfer, wallMs, prescribedMs)) ++failures;
    state.SetIterationTime(wallMs / 1000);
    wall += wallMs;
    prescribed += prescribedMs;
    worst = std::max(worst, wallMs / prescribedMs);
  }
  const double rounds = static_cast<double>(state.iterations());
  state.counters["wall_mean_ms"] = wall / rounds;
  state.counters["prescribed_ms"] = prescribed / rounds;
  state.counters["ratio_mean"] = wall / prescribed;
  state.counters["ratio_max"] = worst;
  state.counters["failed_rounds"] = failures;
  if (failures > 0) state.SetLabel("last errors: " + gateway.why());
}

void registerTransfers(const std::string& name, WholeGateway& gateway) {
  const auto add = [&](const std::string& action, WholeTransfer (*transfer)(Program&)) {
    benchmark::RegisterBenchmark(
        (name + "/" + action).c_str(),
        [&gateway, transfer](benchmark::State& s) { runRounds(s, gateway, transfer); })
        ->Iterations(kRounds)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond);
  };
  add("LoadAllFromGate", loadAllFromGateway);
  add("SaveAllToGate", saveAllToGateway);
}

}  // namespace
}  // namespace gw::bench

int main(int argc, char** argv) {
  using namespace gw::bench;
  benchmark::Initialize(&argc, argv);
  WholeGateway lan(false);
  WholeGateway serial(true);
  if (!lan.connect() || !serial.connect()) {
    std::fprintf(stderr, "bench_whole_config: no simulated gateway (%s / %s)\n", lan.why().c_str(),
                 serial.why().c_str());
    return 1;
  }
  registerTransfers("Lan", lan);
  registerTransfers("Serial921600", serial);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}

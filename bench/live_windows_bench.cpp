// The diagnostic calls and actual calls windows of the desktop program polling a gwsim process over TCP
// loopback, drawn offscreen: hundreds of polls back to back — at the windows' own periods of 7 s and 5 s,
// the polling of more than an hour each, warm-up included — with the program's resident memory taken after
// the warm-up and at the end. Reported: the wall time of a poll against the pauses the poll must make itself
// (a 10 ms pause before each reply, and at least two 10 ms steps of the reply wait), the CPU time per poll,
// and how much the resident memory grew.

#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <unistd.h>

#include <QApplication>
#include <chrono>
#include <cstdio>
#include <fstream>

#include "base/caption_ids.h"
#include "online/actual_calls.h"
#include "online/diagnostics.h"
#include "program/program.h"
#include "support/sim_process.h"
#include "support/temp_dir.h"
#include "ui/demo_mode.h"
#include "ui/main_window.h"
#include "ui/qt_clock.h"
#include "ui/qt_host.h"

namespace gw {
namespace {

// The diagnostic window warms up until each module's history holds all it keeps, so that what the chart
// needs is allocated before the memory is first taken: growth after that would be a leak.
constexpr int kDiagWarmUpPolls = static_cast<int>(gw::DiagTool::kHistorySamples) + 20;
constexpr int kActualWarmUpPolls = 50;
constexpr int kDiagPolls = 300;
constexpr int kActualPolls = 700;
constexpr double kPrescribedExchangeMs = 30;  // pause, one wait step, the step before the take
constexpr int kDiagExchanges = 8;
constexpr int kActualExchanges = 1;

double wallSeconds() {
  return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

double cpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  const auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
  return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

double residentKb() {
  std::ifstream statm("/proc/self/statm");
  long pages = 0;
  long resident = 0;
  statm >> pages >> resident;
  return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE)) / 1024.0;
}

// Opens the tool's window by its topic and polls it `polls` times as its timer would, each poll drawn.
template <class Tool>
void pollWindow(benchmark::State& state, int topic, int warmUpPolls, int polls, int exchanges, int periodMs) {
  test::TempDir folder;
  test::SimProcess sim(GWSIM_PATH, {"--tcp", "0", "--live-step-ms", "100"});
  std::string error;
  if (!sim.ready() || !ui::prepareDemoFolder(folder.path(), GW_BIN_DIR, sim.tcpPort(), error)) {
    state.SkipWithError("no simulated gateway");
    return;
  }
  ui::QtClock clock;
  ui::QtHost host;
  host.interceptor = [](const Message&) -> std::optional<Answer> { return Answer::No; };
  Program program(clock, host, folder.path());
  ui::TfMain window(program, host);
  window.show();
  window.chooseTopic(topic);
  Tool& tool = program.tool<Tool>();
  if (!tool.windowOpen()) {
    state.SkipWithError("the window did not open");
    return;
  }
  for (auto _ : state) {
    for (int i = 0; i < warmUpPolls; ++i) {
      tool.tick();
      QApplication::processEvents();
    }
    const double memoryBefore = residentKb();
    const double wall = wallSeconds();
    const double cpu = cpuSeconds();
    for (int i = 0; i < polls; ++i) {
      tool.tick();
      QApplication::processEvents();
    }
    const double wallMs = (wallSeconds() - wall) * 1000 / polls;
    state.SetIterationTime(wallSeconds() - wall);
    state.counters["polls"] = polls;
    state.counters["warm_up_polls"] = warmUpPolls;
    state.counters["minutes_at_its_period"] = static_cast<double>(polls) * periodMs / 60000.0;
    state.counters["ms_per_poll"] = wallMs;
    state.counters["ratio_to_prescribed"] = wallMs / (exchanges * kPrescribedExchangeMs);
    state.counters["cpu_ms_per_poll"] = (cpuSeconds() - cpu) * 1000 / polls;
    state.counters["rss_kb_after_warm_up"] = memoryBefore;
    state.counters["rss_growth_kb"] = residentKb() - memoryBefore;
  }
  tool.formClose();
}

}  // namespace
}  // namespace gw

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  const auto add = [](const char* name, auto run) {
    benchmark::RegisterBenchmark(name, run)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);
  };
  add("DiagWindow/Lan", [](benchmark::State& s) {
    gw::pollWindow<gw::DiagTool>(s, gw::cap::kDiagnosticsTopic, gw::kDiagWarmUpPolls, gw::kDiagPolls,
                                 gw::kDiagExchanges, gw::DiagTool::kPollIntervalMs);
  });
  add("ActualWindow/Lan", [](benchmark::State& s) {
    gw::pollWindow<gw::ActualTool>(s, gw::cap::kActualCallsTopic, gw::kActualWarmUpPolls, gw::kActualPolls,
                                   gw::kActualExchanges, gw::ActualTool::kPollIntervalMs);
  });
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}

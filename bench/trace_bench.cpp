// The trace path under load: gwsim traces at a fixed rate (or as fast as it can) over the LAN or a
// pseudo-terminal for a few seconds, and the program takes every line into its view model and trace file —
// the tracing tool alone, and (when the Qt program is built) the whole desktop window drawing the trace
// offscreen. Reported: the lines per second that came through, and the program's CPU time (this process;
// gwsim runs in its own) per 1,000 lines and as a share of one core.

#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>

#include "base/clock.h"
#include "base/recording_host.h"
#include "link/link.h"
#include "online/tracing.h"
#include "shell/connection.h"
#include "shell/gateway_dialogs.h"
#include "shell/gateway_selection.h"
#include "support/sim_process.h"
#include "support/temp_dir.h"

#ifdef GW_TRACE_BENCH_WINDOW
#include <QApplication>
#include <QEventLoop>
#include <QTimer>

#include "base/caption_ids.h"
#include "program/program.h"
#include "ui/demo_mode.h"
#include "ui/main_window.h"
#include "ui/qt_clock.h"
#include "ui/qt_host.h"
#endif

namespace gw {
namespace {

constexpr int kTraceSeconds = 4;
constexpr int kLoadRate = 2000;     // the rate the window must keep up with
constexpr int kFloodRate = 100000;  // as fast as gwsim sends
constexpr int kPumpMs = 10;
constexpr int kSerialRate = 921600;
constexpr double kLinesPerThousand = 1000.0;

enum class LinkKind { Lan, Serial };

double cpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  const auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
  return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

double wallSeconds() {
  return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

std::vector<std::string> simArgs(LinkKind link, int rate, const test::TempDir& folder) {
  std::vector<std::string> args = {"--trace-rate", std::to_string(rate)};
  if (link == LinkKind::Lan) {
    args.insert(args.end(), {"--tcp", "0"});
  } else {
    args.insert(args.end(), {"--pty", folder.file("ttyGW"), "--rates", std::to_string(kSerialRate)});
  }
  return args;
}

// One measured trace: lines counted as the trace file gets them.
struct Run {
  long lines = 0;
  double wall = 0;
  double cpu = 0;
};

void report(benchmark::State& state, const Run& run) {
  state.SetIterationTime(run.wall);
  state.counters["lines"] = static_cast<double>(run.lines);
  state.counters["lines_per_s"] = run.lines / run.wall;
  state.counters["cpu_ms_per_1000_lines"] =
      run.lines > 0 ? run.cpu * 1000 / (run.lines / kLinesPerThousand) : 0;
  state.counters["cpu_share_of_a_core"] = run.cpu / run.wall;
}

// The tracing tool on a link of its own, without windows.
class TracingAlone {
 public:
  TracingAlone(LinkKind kind, int rate) : sim_(GWSIM_PATH, simArgs(kind, rate, folder_)) {
    TGateway& g = selection_.selected();
    g.name = "bench";
    g.host = "127.0.0.1";
    g.port = sim_.tcpPort();
    g.userName = "admin";
    g.password = "admin";
    link_.comm.linkType = kind == LinkKind::Lan ? kLanLink : kSerialLink;
    link_.comm.portList = {sim_.ptyPath()};
    tool_.editCheck("cbTracSave", true);
    tool_.editText("edTracFile", folder_.file("trace.txt"));
    tool_.onTraceText = [this](std::string_view text) {
      lines_ += std::count(text.begin(), text.end(), '\n');
    };
  }

  bool connect() { return sim_.ready() && connection_.commConnect(false); }

  Run trace() {
    lines_ = 0;
    const double wall = wallSeconds();
    const double cpu = cpuSeconds();
    tool_.sbTracStartClick();
    while (tool_.running() && wallSeconds() - wall < kTraceSeconds) {
      clock_.sleep(kPumpMs);
      tool_.tick();
    }
    tool_.sbTracStartClick();
    return {lines_, wallSeconds() - wall, cpuSeconds() - cpu};
  }

 private:
  test::TempDir folder_;
  test::SimProcess sim_;
  SystemClock clock_;
  Link link_{clock_};
  RecordingHost host_;
  CaptionList captions_;
  GatewaySelection selection_{folder_.path(), host_, captions_};
  NewGatewayDialog newGateway_{selection_, host_, captions_};
  Connection connection_{link_, selection_, newGateway_, host_, captions_};
  OnlineContext context_{clock_, link_, connection_, selection_, host_, captions_};
  TracingTool tool_{context_};
  long lines_ = 0;
};

void traceAlone(benchmark::State& state, LinkKind kind, int rate) {
  TracingAlone bench(kind, rate);
  if (!bench.connect()) {
    state.SkipWithError("no simulated gateway");
    return;
  }
  for (auto _ : state) report(state, bench.trace());
}

#ifdef GW_TRACE_BENCH_WINDOW
// The desktop program: its main window on the Tracing page, drawing the trace as it comes.
void traceInTheWindow(benchmark::State& state, LinkKind kind, int rate) {
  test::TempDir folder;
  test::SimProcess sim(GWSIM_PATH, simArgs(kind, rate, folder));
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
  if (kind == LinkKind::Serial) {
    program.link.comm.linkType = kSerialLink;
    program.link.comm.portList = {sim.ptyPath()};
  }
  window.chooseTopic(cap::kTracingTopic);
  if (!program.connection.commConnect(false)) {
    state.SkipWithError("the simulated gateway did not connect");
    return;
  }
  TracingTool& tool = program.tool<TracingTool>();
  tool.editText("edTracFile", folder.file("trace.txt"));
  long lines = 0;
  tool.onTraceText = [&lines](std::string_view text) { lines += std::count(text.begin(), text.end(), '\n'); };
  for (auto _ : state) {
    lines = 0;
    const double wall = wallSeconds();
    const double cpu = cpuSeconds();
    tool.sbTracStartClick();
    QEventLoop loop;
    QTimer::singleShot(kTraceSeconds * 1000, &loop, &QEventLoop::quit);
    loop.exec();
    tool.sbTracStartClick();
    report(state, {lines, wallSeconds() - wall, cpuSeconds() - cpu});
  }
}
#endif

}  // namespace
}  // namespace gw

int main(int argc, char** argv) {
#ifdef GW_TRACE_BENCH_WINDOW
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
#endif
  benchmark::Initialize(&argc, argv);
  using gw::LinkKind;
  const auto add = [](const char* name, auto run) {
    benchmark::RegisterBenchmark(name, run)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);
  };
  add("Trace/Lan/2000", [](benchmark::State& s) { gw::traceAlone(s, LinkKind::Lan, gw::kLoadRate); });
  add("Trace/Serial/2000", [](benchmark::State& s) { gw::traceAlone(s, LinkKind::Serial, gw::kLoadRate); });
  add("Trace/Lan/flood", [](benchmark::State& s) { gw::traceAlone(s, LinkKind::Lan, gw::kFloodRate); });
  add("Trace/Serial/flood", [](benchmark::State& s) { gw::traceAlone(s, LinkKind::Serial, gw::kFloodRate); });
#ifdef GW_TRACE_BENCH_WINDOW
  add("TraceWindow/Lan/2000",
      [](benchmark::State& s) { gw::traceInTheWindow(s, LinkKind::Lan, gw::kLoadRate); });
  add("TraceWindow/Serial/2000",
      [](benchmark::State& s) { gw::traceInTheWindow(s, LinkKind::Serial, gw::kLoadRate); });
  add("TraceWindow/Lan/flood",
      [](benchmark::State& s) { gw::traceInTheWindow(s, LinkKind::Lan, gw::kFloodRate); });
#endif
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}

// gwconfig: the desktop program. With --demo it first starts gwsim on a free loopback port and points a demo
// program folder at it; without a display the demo runs the same steps through gwctl instead.

#include <QApplication>
#include <QStyleFactory>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "app/cli.h"
#include "base/clock.h"
#include "base/files.h"
#include "base/program_folder.h"
#include "program/program.h"
#include "ui/about_window.h"
#include "ui/demo_mode.h"
#include "ui/gwconfig_options.h"
#include "ui/icons.h"
#include "ui/main_window.h"
#include "ui/palette.h"
#include "ui/qt_clock.h"
#include "ui/qt_host.h"
#include "ui/screenshots.h"
#include "ui/sim_child.h"
#include "ui/stop_signals.h"

namespace {

constexpr const char* kSystemDumpFile = "system.txt";
// How often a stop signal that arrived during an exchange looks again.
constexpr int kStopRetryMs = 100;

bool gwctlHas(const std::string& command) {
  const auto& all = gw::cliCommands();
  return std::any_of(all.begin(), all.end(), [&](const gw::CliCommand& c) { return c.name == command; });
}

int runStep(const std::vector<std::string>& args, std::FILE* out) {
  std::string line = "$ gwctl";
  for (const std::string& a : args) line += " " + a;
  std::printf("%s\n", line.c_str());
  std::fflush(stdout);
  return gw::runGwctl(args, out, stderr);
}

// What the demo shows without windows: the gateway's identification, its System registers read into a file,
// and the file.
int demoWithoutDisplay(const std::string& folder) {
  std::printf(
      "gwconfig: no display (DISPLAY, WAYLAND_DISPLAY and QT_QPA_PLATFORM are unset); "
      "running the same steps with gwctl against the demo gateway instead.\n");
  int status = runStep({"--home", folder, "identify"}, stdout);

  const std::string file = gw::joinPath(folder, kSystemDumpFile);
  int loaded = 0;
  if (gwctlHas("load")) {
    loaded = runStep({"--home", folder, "load", "system", "-o", file}, stdout);
  } else {
    std::FILE* out = std::fopen(file.c_str(), "w");
    if (out == nullptr) {
      std::fprintf(stderr, "gwconfig: cannot write %s\n", file.c_str());
      return 1;
    }
    loaded = runStep({"--home", folder, "send", "AT&V\\r\\n"}, out);
    std::fclose(out);
  }
  if (status == 0) status = loaded;
  std::printf("--- %s\n", file.c_str());
  if (std::FILE* in = std::fopen(file.c_str(), "r")) {
    char buffer[4096];
    std::size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, in)) > 0) std::fwrite(buffer, 1, n, stdout);
    std::fclose(in);
  }
  return status;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  const gw::ui::GwconfigOptions options = gw::ui::parseGwconfigOptions(args);
  if (options.help) {
    std::fputs(gw::ui::gwconfigUsage().c_str(), stdout);
    return 0;
  }
  if (!options.error.empty()) {
    std::fprintf(stderr, "gwconfig: %s\n%s", options.error.c_str(), gw::ui::gwconfigUsage().c_str());
    return 2;
  }

  gw::SystemClock waitClock;
  std::optional<gw::ui::SimChild> sim;
  std::string folder;
  if (options.demo) {
    folder = gw::ui::demoFolder(options.home);
    const std::string executables = gw::executableFolder();
    sim.emplace(waitClock);
    const std::string state = gw::joinPath(folder, gw::ui::kDemoSimState);
    gw::makeFolders(folder);
    if (!sim->start(gw::joinPath(executables, "gwsim"), {"--tcp", "0", "--state", state})) {
      std::fprintf(stderr, "gwconfig: %s\n", sim->error().c_str());
      return 1;
    }
    std::string error;
    if (!gw::ui::prepareDemoFolder(folder, gw::ui::programDataFolder(executables), sim->port(), error)) {
      std::fprintf(stderr, "gwconfig: %s\n", error.c_str());
      return 1;
    }
  } else {
    folder = gw::resolveProgramFolder(options.home).path;
  }

  if (!gw::ui::displayAvailable()) {
    if (options.demo) return demoWithoutDisplay(folder);
    std::fprintf(
        stderr,
        "gwconfig: no display (DISPLAY, WAYLAND_DISPLAY and QT_QPA_PLATFORM are unset); gwctl does the "
        "same work without windows (gwctl --help)\n");
    return 1;
  }

  // After the simulator started (it must not inherit a blocked SIGTERM), before Qt starts its threads.
  gw::ui::blockStopSignals();
  QApplication app(argc, argv);
  // The desktop's preference is read from the platform's own palette, before Fusion replaces it.
  const gw::ui::ColorScheme scheme = !options.palette             ? gw::ui::systemColorScheme()
                                     : *options.palette == "dark" ? gw::ui::ColorScheme::Dark
                                                                  : gw::ui::ColorScheme::Light;
  QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
  gw::ui::applyColorScheme(scheme);
  QApplication::setApplicationName(QStringLiteral("gwconfig"));
  QApplication::setApplicationVersion(gw::ui::programVersion());
  QApplication::setWindowIcon(gw::ui::icon("app"));

  gw::ui::QtClock clock;
  gw::ui::QtHost host;
  gw::Program program(clock, host, folder);
  gw::ui::TfMain window(program, host);
  window.show();
  if (!window.started()) return 1;
  // Ctrl+C or SIGTERM closes the window as its Close command does (the link closed, the settings written, a
  // question when pages hold changes), once no exchange is under way.
  gw::ui::StopSignals stopSignals([&program, &window] {
    const auto closeWhenIdle = [&program, &window](const auto& self) -> void {
      if (program.link.inExchange() || program.link.commBusy) {
        QTimer::singleShot(kStopRetryMs, &window, [self] { self(self); });
        return;
      }
      window.close();
    };
    closeWhenIdle(closeWhenIdle);
  });
  if (options.screenshots) {
    const int status = gw::ui::takeScreenshots(window, program, host, *options.screenshots);
    window.close();
    return status;
  }
  return QApplication::exec();
}

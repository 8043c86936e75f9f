// --gateways A,B,C and --all-gateways: one command against several gateways of gtws.ini at once. Every
// gateway gets a Program of its own (its own link, clock, captions and LOG) on a worker thread; what a run
// prints is collected and printed after it, each line after the gateway's name, then the summary table.

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <thread>

#include "app/cli.h"
#include "app/cli_fleet_table.h"
#include "app/cli_json.h"
#include "app/cli_suggest.h"
#include "base/files.h"
#include "base/program_folder.h"
#include "base/text.h"
#include "shell/gateway.h"

namespace gw {

namespace {

// Commands that change what all gateways share (gtws.ini, settings.ini) or need a person at the terminal.
const std::vector<std::string> kSingleGatewayCommands = {"gateways", "gateway", "settings", "terminal",
                                                         "trace"};

// What one stream collected, freed when done.
class Capture {
 public:
  Capture() : file_(open_memstream(&data_, &size_)) {}
  ~Capture() {
    if (file_ != nullptr) std::fclose(file_);
    std::free(data_);
  }
  Capture(const Capture&) = delete;
  Capture& operator=(const Capture&) = delete;
  std::FILE* file() { return file_; }
  std::string text() {
    if (file_ != nullptr) std::fflush(file_);
    return data_ == nullptr ? std::string() : std::string(data_, size_);
  }

 private:
  char* data_ = nullptr;
  std::size_t size_ = 0;
  std::FILE* file_;
};

FleetRun runOne(const CliOptions& options, const CliCommand& command, const std::string& gateway,
                std::atomic<bool>& interrupted) {
  FleetRun run{gateway, kExitInterrupted, 0.0, {}, {}};
  if (interrupted.load()) return run;
  CliOptions own = options;
  own.gateways.clear();
  own.allGateways = false;
  own.gateway = gateway;
  Capture out;
  Capture err;
  if (out.file() == nullptr || err.file() == nullptr) {
    run.status = kExitFileError;
    run.err = "cannot collect the output\n";
    return run;
  }
  SystemClock clock;
  const std::int64_t started = clock.nowMs();
  run.status = runCommandOnce(own, command, out.file(), err.file(), &interrupted);
  run.seconds = static_cast<double>(clock.nowMs() - started) / 1000.0;
  run.out = out.text();
  run.err = err.text();
  return run;
}

// The gateways the options name, in gtws.ini's order for --all-gateways and as given otherwise.
struct FleetList {
  std::vector<std::string> names;
  std::string error;  // why there are none to run
  int status = kExitOk;
};

FleetList fleetGateways(const CliOptions& o) {
  const GatewayFile file(joinPath(resolveProgramFolder(o.home).path, kGatewaysFile));
  if (!file.readable()) return {{}, "cannot read " + file.path(), kExitFileError};
  const std::vector<std::string> known = file.names();
  if (o.allGateways) {
    if (known.empty()) return {{}, "gtws.ini lists no gateway", kExitUsage};
    return {known, {}, kExitOk};
  }
  FleetList list;
  for (const std::string& name : o.gateways) {
    if (!file.has(name))
      return {{}, "no gateway named \"" + name + "\" in gtws.ini" + didYouMean(name, known), kExitUsage};
    if (std::find(list.names.begin(), list.names.end(), name) == list.names.end()) list.names.push_back(name);
  }
  return list;
}

// Every line of `text` after "NAME: ".
void printPrefixed(std::FILE* to, const std::string& name, const std::string& text) {
  for (const std::string& line : splitFields(text, '\n')) {
    if (!line.empty()) std::fprintf(to, "%s: %s\n", name.c_str(), line.c_str());
  }
}

}  // namespace

int runFleet(const CliOptions& o, const CliCommand& command, std::FILE* out, std::FILE* err) {
  if (std::find(kSingleGatewayCommands.begin(), kSingleGatewayCommands.end(), command.name) !=
      kSingleGatewayCommands.end()) {
    std::fprintf(err, "gwctl: %s works on one gateway at a time%s\n", command.name.c_str(),
                 helpPointer().c_str());
    return kExitUsage;
  }
  const FleetList list = fleetGateways(o);
  if (list.status != kExitOk) {
    std::fprintf(err, "gwctl: %s\n", list.error.c_str());
    return list.status;
  }
  const std::vector<std::string>& gateways = list.names;

  // The workers inherit this mask, so Ctrl+C reaches their signal descriptors, never a default action.
  sigset_t signals;
  sigset_t previous;
  sigemptyset(&signals);
  sigaddset(&signals, SIGINT);
  sigaddset(&signals, SIGTERM);
  pthread_sigmask(SIG_BLOCK, &signals, &previous);

  std::vector<FleetRun> runs(gateways.size());
  std::atomic<std::size_t> next{0};
  std::atomic<bool> interrupted{false};
  const auto worker = [&] {
    for (std::size_t i = next++; i < gateways.size(); i = next++)
      runs[i] = runOne(o, command, gateways[i], interrupted);
  };
  std::vector<std::thread> threads;
  const std::size_t jobs = std::min<std::size_t>(static_cast<std::size_t>(o.jobs), gateways.size());
  for (std::size_t j = 0; j < jobs; ++j) threads.emplace_back(worker);
  for (std::thread& t : threads) t.join();
  pthread_sigmask(SIG_SETMASK, &previous, nullptr);

  if (o.json) {
    printJson(out, fleetJson(command.name, runs));
  } else {
    for (const FleetRun& run : runs) {
      printPrefixed(out, run.gateway, run.out);
      printPrefixed(err, run.gateway, run.err);
    }
    std::fprintf(out, "%s", fleetTable(runs).c_str());
  }
  std::fflush(out);
  std::fflush(err);
  return worstStatus(runs);
}

}  // namespace gw

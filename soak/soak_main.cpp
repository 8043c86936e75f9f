// gwsoak: randomized gwctl sessions against gwsim with its failure options (see session.h).
//
//   gwsoak [SESSIONS] [--jobs N] [--first-seed S] [--failures FILE]   many sessions, one summary line
//   gwsoak [...] --quick     fewer commands per session, short response time-outs (the CI run)
//   gwsoak --seed S                                                   one session again, step by step
//
// Session k of a run uses seed first-seed + k; each failing seed is written to the failures file.

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "session.h"

namespace {

constexpr int kDefaultSessions = 1000;
constexpr int kDefaultJobs = 3;  // sessions mostly wait on time-outs, not on the processor

struct Args {
  int sessions = kDefaultSessions;
  int jobs = kDefaultJobs;
  std::optional<std::uint64_t> seed;
  bool quick = false;
  std::uint64_t firstSeed = 0;
  std::string failures = "soak-failures.txt";
  gw::soak::Tools tools{GW_BIN_DIR "/gwctl", GW_BIN_DIR "/gwsim", GW_SOURCE_DIR "/data"};
};

std::optional<Args> parse(int argc, char** argv) {
  Args a;
  a.firstSeed =
      static_cast<std::uint64_t>(std::chrono::system_clock::now().time_since_epoch().count()) % 1'000'000'000;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    const bool hasValue = i + 1 < argc;
    if (arg == "--seed" && hasValue) {
      a.seed = std::strtoull(argv[++i], nullptr, 10);
    } else if (arg == "--quick") {
      a.quick = true;
    } else if (arg == "--jobs" && hasValue) {
      a.jobs = std::max(1, std::atoi(argv[++i]));
    } else if (arg == "--first-seed" && hasValue) {
      a.firstSeed = std::strtoull(argv[++i], nullptr, 10);
    } else if (arg == "--failures" && hasValue) {
      a.failures = argv[++i];
    } else if (arg == "--gwctl" && hasValue) {
      a.tools.gwctl = argv[++i];
    } else if (arg == "--gwsim" && hasValue) {
      a.tools.gwsim = argv[++i];
    } else if (!arg.empty() && arg[0] != '-' && std::atoi(arg.c_str()) > 0) {
      a.sessions = std::atoi(arg.c_str());
    } else {
      std::fprintf(stderr,
                   "usage: gwsoak [SESSIONS] [--jobs N] [--first-seed S] [--failures FILE] [--quick] | "
                   "--seed S [--quick]\n");
      return std::nullopt;
    }
  }
  return a;
}

}  // namespace

int main(int argc, char** argv) {
  const std::optional<Args> args = parse(argc, argv);
  if (!args) return 2;

  if (args->seed) {
    const gw::soak::SessionResult r = gw::soak::runSession(args->tools, *args->seed, true, args->quick);
    for (const std::string& line : r.notes) std::printf("%s\n", line.c_str());
    std::printf("1 sessions, %d crashes, %d over time, %d damaged files, %d leaks\n", r.crashes, r.overTime,
                r.damaged, r.leaks);
    return r.failed() ? 1 : 0;
  }

  std::printf("%d sessions from seed %llu, %d at a time\n", args->sessions,
              static_cast<unsigned long long>(args->firstSeed), args->jobs);
  std::fflush(stdout);
  std::atomic<int> next{0};
  std::mutex lock;
  int crashes = 0, overTime = 0, damaged = 0, leaks = 0;
  std::vector<std::uint64_t> failing;
  const auto worker = [&] {
    for (int k = next++; k < args->sessions; k = next++) {
      const std::uint64_t seed = args->firstSeed + static_cast<std::uint64_t>(k);
      const gw::soak::SessionResult r = gw::soak::runSession(args->tools, seed, false, args->quick);
      const std::lock_guard<std::mutex> guard(lock);
      crashes += r.crashes;
      overTime += r.overTime;
      damaged += r.damaged;
      leaks += r.leaks;
      if (!r.failed()) continue;
      failing.push_back(seed);
      std::printf("seed %llu:\n", static_cast<unsigned long long>(seed));
      for (const std::string& line : r.notes) std::printf("  %s\n", line.c_str());
      std::fflush(stdout);
    }
  };
  std::vector<std::thread> threads;
  for (int j = 0; j < args->jobs; ++j) threads.emplace_back(worker);
  for (std::thread& t : threads) t.join();

  std::ofstream out(args->failures);
  for (const std::uint64_t seed : failing) out << seed << "\n";
  std::printf("%d sessions, %d crashes, %d over time, %d damaged files, %d leaks\n", args->sessions, crashes,
              overTime, damaged, leaks);
  return failing.empty() ? 0 : 1;
}

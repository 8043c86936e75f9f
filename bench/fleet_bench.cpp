// "load all" from 8 fully configured gwsim gateways: one gwctl run with --all-gateways --jobs 8 against 8
// gwctl runs one after another. The transfer is mostly waiting for the gateway, so gateways served at once
// should take little longer than one; the ratio is the figure.

#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "support/run_process.h"
#include "support/sim_process.h"
#include "support/temp_dir.h"

namespace {

constexpr int kGateways = 8;
constexpr int kRunTimeoutMs = 600'000;

using gw::test::ProcessResult;

double secondsOf(const std::chrono::steady_clock::time_point& started) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
}

}  // namespace

int main() {
  gw::test::TempDir home;
  home.write("languages.ini", gw::test::readFile(std::string(GW_SOURCE_DIR) + "/data/languages.ini"));
  const auto gwctl = [&home](std::vector<std::string> args) {
    args.insert(args.begin(), {"--home", home.path(), "--no-log"});
    return gw::test::runProcess(GWCTL_PATH, args, kRunTimeoutMs);
  };
  std::vector<std::unique_ptr<gw::test::SimProcess>> sims;
  std::vector<std::string> names;
  for (int i = 0; i < kGateways; ++i) {
    sims.push_back(
        std::make_unique<gw::test::SimProcess>(GWSIM_PATH, std::vector<std::string>{"--tcp", "0", "--full"}));
    if (!sims.back()->ready()) {
      std::fprintf(stderr, "gwsim did not start: %s\n", sims.back()->error().c_str());
      return 1;
    }
    names.push_back("gw" + std::to_string(i + 1));
    const ProcessResult added =
        gwctl({"gateway", "add", names.back(), "--host", "127.0.0.1", "--port",
               std::to_string(sims.back()->tcpPort()), "--user", "admin", "--password", "admin"});
    if (added.exitCode != 0) {
      std::fprintf(stderr, "gateway add: %s\n", added.err.c_str());
      return 1;
    }
  }

  auto started = std::chrono::steady_clock::now();
  for (const std::string& name : names) {
    const ProcessResult r = gwctl({"--gateway", name, "load", "all"});
    if (r.exitCode != 0) std::fprintf(stderr, "%s: exit %d\n%s", name.c_str(), r.exitCode, r.err.c_str());
  }
  const double oneAfterAnother = secondsOf(started);

  started = std::chrono::steady_clock::now();
  const ProcessResult fleet = gwctl({"--all-gateways", "--jobs", std::to_string(kGateways), "load", "all"});
  const double atOnce = secondsOf(started);
  if (fleet.exitCode != 0)
    std::fprintf(stderr, "fleet: exit %d\n%s%s", fleet.exitCode, fleet.out.c_str(), fleet.err.c_str());

  std::printf("load all from %d full gateways\n", kGateways);
  std::printf("  one after another: %8.2f s\n", oneAfterAnother);
  std::printf("  --jobs %d:          %8.2f s\n", kGateways, atOnce);
  std::printf("  ratio:             %8.2f x\n", oneAfterAnother / atOnce);
  return fleet.exitCode == 0 ? 0 : 1;
}

#pragma once
// Runs the built gwctl against gwsim processes, each test in a program folder of its own.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include <string>
#include <vector>

#include "base/captions.h"
#include "base/text.h"
#include "shell/captions_file.h"
#include "support/run_process.h"
#include "support/sim_process.h"
#include "support/temp_dir.h"

namespace gw::test {

class GwctlFixture : public ::testing::Test {
 protected:
  TempDir home;
  CaptionList english;

  void SetUp() override {
    home.write("languages.ini", readFile(std::string(GW_SOURCE_DIR) + "/data/languages.ini"));
    home.write("defaults.ini", readFile(std::string(GW_SOURCE_DIR) + "/data/defaults.ini"));
    english = loadLabels(home.file("languages.ini"), kLanguageEnglish);
  }

  ProcessResult gwctl(std::vector<std::string> args, int timeoutMs = 60'000) {
    args.insert(args.begin(), {"--home", home.path()});
    return runProcess(GWCTL_PATH, args, timeoutMs);
  }

  // gwctl arguments for the LAN console of `sim` with its default login.
  static std::vector<std::string> lan(const SimProcess& sim, std::vector<std::string> rest) {
    std::vector<std::string> args = {
        "--lan", "127.0.0.1:" + std::to_string(sim.tcpPort()), "--user", "admin", "--password", "admin"};
    args.insert(args.end(), rest.begin(), rest.end());
    return args;
  }

  static std::string transcriptOf(const std::string& path) { return readFile(path); }
};

}  // namespace gw::test

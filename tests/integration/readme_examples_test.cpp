// The README's gwctl lines, run as a user runs them on a machine that has never seen the program: an
// installed gwctl (bin/ and share/gwconfig/ under a prefix of its own), a home folder with no program folder
// yet, and the port gwsim printed in place of PORT.

#include <filesystem>

#include "gwctl_fixture.h"

namespace gw::test {
namespace {

constexpr const char* kExampleSection = "## gwctl and gwsim";
constexpr const char* kSimCommand = "build/bin/gwsim";
constexpr const char* kGwctlCommand = "build/bin/gwctl";
constexpr const char* kPortPlaceholder = "PORT";
constexpr int kExampleTimeoutMs = 60'000;

// The lines of the first sh block after the heading.
std::vector<std::string> exampleLines(const std::string& readme) {
  const std::size_t section = readme.find(kExampleSection);
  const std::size_t open = readme.find("```sh\n", section);
  const std::size_t close = readme.find("```", open + 1);
  if (section == std::string::npos || open == std::string::npos || close == std::string::npos) return {};
  return splitFields(readme.substr(open + 6, close - open - 6), '\n');
}

// A command line as the shell splits it: words at blanks, quotes kept together, a word-starting # ends it.
std::vector<std::string> words(const std::string& line) {
  std::vector<std::string> result;
  std::string word;
  bool inWord = false;
  char quote = 0;
  for (char ch : line) {
    if (quote != 0) {
      if (ch == quote) {
        quote = 0;
      } else {
        word += ch;
      }
    } else if (ch == '\'' || ch == '"') {
      quote = ch;
      inWord = true;
    } else if (ch == ' ') {
      if (inWord) result.push_back(word);
      word.clear();
      inWord = false;
    } else if (ch == '#' && !inWord) {
      break;
    } else {
      word += ch;
      inWord = true;
    }
  }
  if (inWord) result.push_back(word);
  return result;
}

TEST(Readme, TheGwctlExamplesRunAsWrittenOnAFreshMachine) {
  TempDir prefix;
  const std::string gwctl = prefix.file("bin/gwctl");
  std::filesystem::create_directories(prefix.file("bin"));
  std::filesystem::copy_file(GWCTL_PATH, gwctl);
  for (const char* data : {"languages.ini", "defaults.ini"}) {
    prefix.write(std::string("share/gwconfig/") + data,
                 readFile(std::string(GW_SOURCE_DIR) + "/data/" + data));
  }
  std::filesystem::create_directories(prefix.file("home"));
  const std::vector<std::string> environment = {"HOME=" + prefix.file("home"),
                                                "XDG_DATA_HOME=", "GWCONFIG_HOME="};

  std::unique_ptr<SimProcess> sim;
  int commands = 0;
  for (const std::string& line : exampleLines(readFile(std::string(GW_SOURCE_DIR) + "/README.md"))) {
    std::vector<std::string> args = words(line);
    if (args.empty()) continue;
    const std::string program = args.front();
    args.erase(args.begin());
    if (program == kSimCommand) {
      sim = std::make_unique<SimProcess>(GWSIM_PATH, args);
      ASSERT_TRUE(sim->ready()) << sim->error();
      continue;
    }
    ASSERT_EQ(program, kGwctlCommand) << line;
    ASSERT_TRUE(sim) << "gwsim must start before " << line;
    for (std::string& arg : args) {
      if (const std::size_t at = arg.find(kPortPlaceholder); at != std::string::npos) {
        arg.replace(at, std::string(kPortPlaceholder).size(), std::to_string(sim->tcpPort()));
      }
    }
    const ProcessResult r = runProcess(gwctl, args, kExampleTimeoutMs, environment);
    EXPECT_EQ(r.exitCode, 0) << line << "\n" << r.out << r.err;
    ++commands;
  }
  EXPECT_GE(commands, 6);
  // The program folder was made in the user's data folder and the gateway's page went into its file.
  const std::string folder = prefix.file("home/.local/share/gwconfig");
  EXPECT_NE(readFile(folder + "/gtws.ini").find("[Office]"), std::string::npos);
  EXPECT_NE(readFile(folder + "/Office/Office.ini").find("[System parametres]"), std::string::npos);
}

}  // namespace
}  // namespace gw::test

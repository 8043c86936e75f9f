// The whole configuration through gwctl: a fully configured gateway is read with "load all" into a parameter
// file, the file is written with "save all" to a factory-fresh gateway, and the second gateway then holds the
// first's registers, for both editions.

#include <map>

#include "gwctl_fixture.h"

namespace gw::test {
namespace {

using Registers = std::map<std::string, std::string>;

// The [registers] section of a gwsim state file: what differs from the factory defaults.
Registers registersOf(const std::string& stateFile) {
  Registers registers;
  bool inRegisters = false;
  for (const std::string& line : splitFields(readFile(stateFile), '\n')) {
    if (line.starts_with("[")) {
      inRegisters = line == "[registers]";
      continue;
    }
    const std::size_t equals = line.find('=');
    if (inRegisters && equals != std::string::npos)
      registers[line.substr(0, equals)] = line.substr(equals + 1);
  }
  return registers;
}

// "KEY: first value | second value" for every register the two gateways hold differently.
std::string differences(const Registers& first, const Registers& second) {
  std::string text;
  std::map<std::string, std::pair<std::string, std::string>> both;
  for (const auto& [key, value] : first) both[key].first = value;
  for (const auto& [key, value] : second) both[key].second = value;
  for (const auto& [key, values] : both) {
    if (values.first != values.second) text += key + ": " + values.first + " | " + values.second + "\n";
  }
  return text;
}

// A list of empty fields holds nothing: the Kestrin edition sends one empty date or cause pair for each one
// its page holds, which reads back as no entry at all, so such a register equals one the page never wrote.
Registers withoutEmptyLists(Registers registers) {
  std::erase_if(registers,
                [](const auto& r) { return r.second.find_first_not_of(',') == std::string::npos; });
  return registers;
}

// Registers no page reads back: the SIP account is written, never read; the clock runs on.
const std::vector<std::string> kNeverReadBack = {"E80", "S99"};

class WholeTransfer : public GwctlFixture {
 protected:
  ProcessResult run(const std::string& edition, const char* state, std::vector<std::string> simOptions,
                    const std::vector<std::string>& command) {
    simOptions.insert(simOptions.end(), {"--tcp", "0", "--edition", edition, "--state", home.file(state)});
    SimProcess sim(GWSIM_PATH, simOptions);
    if (!sim.ready()) return ProcessResult{-1, false, "", sim.error()};
    return gwctl(lan(sim, command), 300'000);
  }
};

TEST_F(WholeTransfer, AFullGatewayCopiedThroughAFileLeavesTheSecondGatewayIdentical) {
  // Orvale: the full gateway itself is copied. Kestrin: its pages send fixed values for what they hide, so
  // the copy of the copy must equal the copy.
  struct Trip {
    std::string edition;
    int copies;
  };
  for (const Trip& trip : {Trip{"orvale", 1}, Trip{"kestrin", 2}}) {
    SCOPED_TRACE(trip.edition);
    std::vector<std::string> source = {"--full"};
    std::string from = "gateway0.ini";
    std::filesystem::remove(home.file(from));
    for (int copy = 1; copy <= trip.copies; ++copy) {
      const std::string to = "gateway" + std::to_string(copy) + ".ini";
      std::filesystem::remove(home.file(to));
      const ProcessResult load =
          run(trip.edition, from.c_str(), source, {"load", "all", "-o", home.file("all.ini")});
      EXPECT_EQ(load.exitCode, 0) << load.err;
      const ProcessResult save =
          run(trip.edition, to.c_str(), {}, {"save", "all", "-i", home.file("all.ini")});
      EXPECT_EQ(save.exitCode, 0) << save.err;
      if (copy < trip.copies) {
        source = {};
        from = to;
      }
    }
    Registers first = withoutEmptyLists(registersOf(home.file(from)));
    Registers second =
        withoutEmptyLists(registersOf(home.file("gateway" + std::to_string(trip.copies) + ".ini")));
    for (const std::string& key : kNeverReadBack) {
      first.erase(key);
      second.erase(key);
    }
    ASSERT_GT(first.size(), 30u);  // far from a factory-fresh gateway
    EXPECT_EQ(differences(first, second), "");
  }
}

}  // namespace
}  // namespace gw::test

// gwctl load then save of the outgoing and incoming groups pages against a fully configured gwsim (texts and
// called-number lists at their longest, dumps far beyond 1024 bytes): every register the gateway held is as
// it was afterwards, the Kestrin edition's fixed values aside. Each edition goes over one link (serial
// connects take seconds): the full Orvale gateway over the serial console, the Kestrin one over the LAN.

#include <map>

#include "base/ini_file.h"
#include "gwctl_fixture.h"

namespace gw::test {
namespace {

using Registers = std::map<std::string, std::string>;

// What the simulator's state file holds: every register that differs from its factory default.
Registers registersIn(const std::string& stateFile) {
  const IniFile ini = IniFile::load(stateFile);
  Registers registers;
  for (const std::string& key : ini.keys("registers")) registers[key] = ini.readString("registers", key, "");
  return registers;
}

// The registers whose values differ, each as "found / expected" ("-" for a register not there).
Registers differences(const Registers& found, const Registers& expected) {
  Registers differ;
  const auto valueIn = [](const Registers& r, const std::string& key) {
    const auto it = r.find(key);
    return it == r.end() ? std::string("-") : it->second;
  };
  for (const Registers* side : {&found, &expected}) {
    for (const auto& [key, value] : *side) {
      if (valueIn(found, key) != valueIn(expected, key))
        differ[key] = valueIn(found, key) + " / " + valueIn(expected, key);
    }
  }
  return differ;
}

struct RoundTrip {
  const char* edition;
  bool serial;
  // Registers the save changes: the edition's fixed values; an empty value is the factory default, which
  // leaves the state file.
  Registers fixed;
};

class GroupPagesRoundTrip : public GwctlFixture {
 protected:
  void roundTrip(const char* page, const RoundTrip& row) {
    SCOPED_TRACE(std::string(page) + " " + row.edition + (row.serial ? " serial" : " LAN"));
    const std::string state = home.file("state.ini");
    std::filesystem::remove(state);
    const std::vector<std::string> simArgs = {
        "--full", "--edition", row.edition,        "--state", state,   "--tcp",
        "0",      "--pty",     home.file("ttyGW"), "--rates", "115200"};
    Registers expected;
    {
      SimProcess full(GWSIM_PATH, simArgs);
      ASSERT_TRUE(full.ready()) << full.error();
      full.stop();
      expected = registersIn(state);
    }
    for (const auto& [key, value] : row.fixed) {
      if (value.empty()) {
        expected.erase(key);
      } else {
        expected[key] = value;
      }
    }

    SimProcess sim(GWSIM_PATH, simArgs);
    ASSERT_TRUE(sim.ready()) << sim.error();
    const auto link = [&](std::vector<std::string> rest) {
      std::vector<std::string> args =
          row.serial
              ? std::vector<std::string>{"--serial", sim.ptyPath(), "--user", "admin", "--password", "admin"}
              : lan(sim, {});
      args.insert(args.end(), rest.begin(), rest.end());
      return args;
    };
    const ProcessResult load = gwctl(link({"load", page, "-o", home.file("page.ini")}));
    EXPECT_EQ(load.exitCode, 0) << load.err;
    const ProcessResult save = gwctl(link({"save", page, "-i", home.file("page.ini")}));
    EXPECT_EQ(save.exitCode, 0) << save.err;
    sim.stop();
    EXPECT_EQ(differences(registersIn(state), expected), Registers{});
  }
};

TEST_F(GroupPagesRoundTrip, OutgoingKeepsEveryRegister) {
  const Registers kestrinFixed = {
      {"S85", ""}, {"S86", ""}, {"G109", ""}, {"G11", "2300X,1,0,0,1,1,1,0"}, {"G19", "20,20,0,1,17,0,"}};
  for (const RoundTrip& row : {RoundTrip{"orvale", true, {}}, RoundTrip{"kestrin", false, kestrinFixed}})
    roundTrip("outgoing", row);
}

TEST_F(GroupPagesRoundTrip, IncomingKeepsEveryRegister) {
  const Registers kestrinFixed = {{"G91", "3,20,20,20,0,,7654321"}, {"G191", ""}, {"G99", ""}, {"G199", ""}};
  for (const RoundTrip& row : {RoundTrip{"orvale", true, {}}, RoundTrip{"kestrin", false, kestrinFixed}})
    roundTrip("incoming", row);
}

}  // namespace
}  // namespace gw::test

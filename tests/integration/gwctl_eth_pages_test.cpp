// gwctl load then save of the Ethernet, GSM basic and groups pages against gwsim: every register read is
// written back as it was, a refused register is listed and the save goes on, and a change of G.723 in the
// codec list waits for the gateway to re-initialise (LAN: reconnect; serial: "Init: OK").

#include <set>

#include "gwctl_fixture.h"

namespace gw::test {
namespace {

constexpr const char* kResetTime = "300";

const std::string kEthernetState =
    "E01=4,8,0\nE02=300,20,700\nE03=9000,9500\nE08=37,2,9\nE09=15\nE10=10.0.0.1:5070\nE11=10.0.0.2:5060\n"
    "E14=10.0.0.3:5061\nE16=10.0.0.4\nE17=10.0.0.5:3478\nE20=10,1\nE23=3,3\nE29=5,1\nE81=sip.example.org\n"
    "E82=Gateway1\nG09=193,1,2,3,3\n";
// G09 is shared: the Ethernet state holds it.
const std::string kBasicState =
    "G02=2,3,4\nG04=1,5,1\nG08=5,9,8,3\nG100=102,22,43,44\nG101=17/20,18/21\nG103=0,1,3,13,2\nE04=40,20\n";
const std::string kSharedG09 = "G09=193,1,2,3,3\n";
const std::string kGroupsState = "G00=2143\nG90=4321\n";

struct Row {
  std::string page;
  std::vector<std::string> simOptions;
  std::string state;         // the registers that differ from the factory's
  std::string codecsInFile;  // E01 as the loaded file is changed to before the save; empty: unchanged
  std::string stateAfter;    // the registers after the save; empty: as before
  std::vector<std::string> writes;
  std::string errors;  // gwctl's error lines
};

std::set<std::string> lines(const std::string& text) {
  std::set<std::string> all;
  for (const std::string& line : splitFields(text, '\n')) {
    if (!line.empty() && line != "[registers]") all.insert(line);
  }
  return all;
}

std::vector<std::string> writesIn(const std::string& transcript) {
  std::vector<std::string> writes;
  for (const std::string& line : splitFields(transcript, '\n')) {
    if (line.starts_with("AT%")) writes.push_back(line);
  }
  return writes;
}

class GwctlEthPages : public GwctlFixture {
 protected:
  // The page read into a file, the file's codec list changed if the row says so, and the file saved back.
  void roundTrip(const Row& row, const std::vector<std::string>& link, int& loadExit, ProcessResult& save) {
    auto on = [&link](std::vector<std::string> rest) {
      rest.insert(rest.begin(), link.begin(), link.end());
      return rest;
    };
    loadExit = gwctl(on({"load", row.page, "-o", home.file("page.ini")})).exitCode;
    std::string file = readFile(home.file("page.ini"));
    if (!row.codecsInFile.empty()) {
      const std::size_t at = file.find("E01=");
      file.replace(at, file.find('\n', at) - at, "E01=" + row.codecsInFile);
      home.write("page.ini", file);
    }
    home.write("heard.txt", "");
    save = gwctl(on({"save", row.page, "-i", home.file("page.ini")}));
  }

  void check(const std::vector<Row>& rows) {
    for (const Row& row : rows) {
      SCOPED_TRACE(row.page + " " + (row.simOptions.empty() ? "" : row.simOptions.back()));
      home.write("state.ini", "[registers]\n" + row.state);
      std::vector<std::string> options = {
          "--tcp",        "0",       "--state", home.file("state.ini"), "--log", home.file("heard.txt"),
          "--reset-time", kResetTime};
      options.insert(options.end(), row.simOptions.begin(), row.simOptions.end());
      SimProcess sim(GWSIM_PATH, options);
      ASSERT_TRUE(sim.ready()) << sim.error();
      int loadExit = -1;
      ProcessResult save;
      roundTrip(row, lan(sim, {}), loadExit, save);
      EXPECT_EQ(loadExit, 0);
      EXPECT_EQ(save.err, row.errors);
      EXPECT_EQ(save.exitCode, row.errors.empty() ? 0 : 1);
      EXPECT_EQ(writesIn(readFile(home.file("heard.txt"))), row.writes);
      EXPECT_EQ(lines(readFile(home.file("state.ini"))),
                lines(row.stateAfter.empty() ? row.state : row.stateAfter));
    }
  }
};

TEST_F(GwctlEthPages, EthernetRoundTripsOverTheLanForBothEditions) {
  std::string reinitialised = kEthernetState;
  reinitialised.replace(0, 9, "E01=18,8,0");
  check({
      {"ethernet",
       {},
       kEthernetState,
       "1,8,0",  // G.723 leaves the list: the gateway re-initialises and the link is opened anew
       reinitialised,
       {"AT%E09=15", "AT%E08=37,2,9", "AT%E10=10.0.0.1:5070", "AT%E11=10.0.0.2:5060", "AT%E14=10.0.0.3:5061",
        "AT%E16=10.0.0.4", "AT%E17=10.0.0.5:3478", "AT%E02=300,20,700", "AT%E81=sip.example.org",
        "AT%E82=Gateway1", "AT%E03=9000,9500", "AT%E20=10,1", "AT%E23=3,3", "AT%E29=5,1", "AT%E01=18,8,0",
        "AT%G09=193,1,2,3,3"},
       ""},
      {"ethernet",
       {"--refuse", "E81", "--edition", "kestrin"},
       "E01=8,0\nE02=300,20,600\nE03=9000,9500\nE08=5,3\nE10=10.0.0.1:5070\nE81=sip.example.org\n"
       "E82=Gateway1\nG09=33,1,2,3,1\n",
       "",
       "",
       {"AT%E09=0", "AT%E08=5,3", "AT%E10=10.0.0.1:5070", "AT%E11=0.0.0.0:5060", "AT%E14=0.0.0.0:5060",
        "AT%E16=0.0.0.0", "AT%E17=0.0.0.0:3478", "AT%E02=300,20,600", "AT%E81=sip.example.org",
        "AT%E82=Gateway1", "AT%E03=9000,9500", "AT%E20=4,0", "AT%E23=1,0", "AT%E29=2,0", "AT%E01=8,0",
        "AT%G09=33,1,2,3,1"},
       "Ethernet settings - Register domain\n"},
  });
}

TEST_F(GwctlEthPages, GsmBasicRoundTripsOverTheLanForBothEditions) {
  check({
      {"basic",
       {},
       kBasicState + kSharedG09,
       "",
       "",
       {"AT%G08=5,9,8,3", "AT%G09=193,1,2,3,3", "AT%G100=102,22,43,44", "AT%G101=17/20,18/21", "AT%G02=2,3,4",
        "AT%G04=1,5,1", "AT%G103=0,1,3,13,2", "AT%E04=40,20"},
       ""},
      {"basic",
       {"--refuse", "G100", "--edition", "kestrin"},
       "G08=5,9,8,3\nG09=33,1,2,3,1\nE04=40,20\n",
       "",
       "",
       {"AT%G08=5,9,8,3", "AT%G09=33,1,2,3,1", "AT%G100=102,21,41,42", "AT%G101=", "AT%G02=4,0,0",
        "AT%G04=0,0,0", "AT%G103=0,0,0,2,0", "AT%E04=40,20"},
       "Basic settings - Lack of digits ..., restricted number prefix, Selected module/GSM group is not "
       "ready, "
       "No module/GSM group is ready\n"},
  });
}

TEST_F(GwctlEthPages, GroupsRoundTripOverTheLanForBothEditions) {
  check({
      {"groups", {}, kGroupsState, "", "", {"AT%G00=2143", "AT%G90=4321"}, ""},
      {"groups",
       {"--refuse", "G90", "--edition", "kestrin"},
       "",
       "",
       "",
       {"AT%G00=11", "AT%G90=11"},
       "Groups assignment - Incoming groups\n"},
  });
}

// Serial connects take seconds: one load and one save carry the three pages over the pseudo-terminal.
TEST_F(GwctlEthPages, TheThreePagesRoundTripOverASerialLinkThroughAVoiceRestart) {
  const std::string state = kEthernetState + kBasicState + kGroupsState;
  home.write("state.ini", "[registers]\n" + state);
  SimProcess sim(GWSIM_PATH,
                 {"--pty", home.file("ttyGW"), "--rates", "115200", "--state", home.file("state.ini"),
                  "--log", home.file("heard.txt"), "--reset-time", kResetTime});
  ASSERT_TRUE(sim.ready()) << sim.error();
  std::vector<std::string> serial = {"--serial", sim.ptyPath(), "--user", "admin", "--password", "admin"};
  auto on = [&serial](std::vector<std::string> rest) {
    rest.insert(rest.begin(), serial.begin(), serial.end());
    return rest;
  };
  ASSERT_EQ(gwctl(on({"load", "ethernet", "basic", "groups", "-o", home.file("all.ini")})).exitCode, 0);
  std::string file = readFile(home.file("all.ini"));
  file.replace(file.find("E01=4,8,0"), 9, "E01=1,8,0");
  home.write("all.ini", file);
  const ProcessResult save = gwctl(on({"save", "ethernet", "basic", "groups", "-i", home.file("all.ini")}));
  EXPECT_EQ(save.exitCode, 0) << save.err;  // "Init: OK" came within the wait
  std::string after = state;
  after.replace(0, 9, "E01=18,8,0");
  EXPECT_EQ(lines(readFile(home.file("state.ini"))), lines(after));
}

}  // namespace
}  // namespace gw::test

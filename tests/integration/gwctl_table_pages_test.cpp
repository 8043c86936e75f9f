// gwctl load and save of the network list and autorouting pages against gwsim: a fully configured gateway
// is read into a parameter file, the file is written to a second gateway, and the second gateway then holds
// every register of the page as the first did (or, on the Kestrin edition, what that edition is given).

#include <set>

#include "gwctl_fixture.h"

namespace gw::test {
namespace {

struct RoundTrip {
  bool serial;
  bool kestrin;
  std::vector<std::string> loadOptions;  // further options of the gateway that is read
};

const std::vector<RoundTrip> kRoundTrips = {
    {false, false, {}},
    {false, true, {}},
    {true, false, {"--page-network-lists"}},
};

// The registers of a gwsim state file whose key starts with `letter` and a digit, as "KEY=value" lines.
std::set<std::string> registersOf(const std::string& stateFile, char letter) {
  std::set<std::string> lines;
  for (const std::string& line : splitFields(readFile(stateFile), '\n')) {
    if (line.size() > 1 && line[0] == letter && line[1] >= '0' && line[1] <= '9') lines.insert(line);
  }
  return lines;
}

class TablePagesRoundTrip : public GwctlFixture {
 protected:
  // Reads `page` from a full gateway, writes the file to a second one; returns the registers of `letter`
  // of the first gateway and of the second.
  std::pair<std::set<std::string>, std::set<std::string>> roundTrip(const std::string& page, char letter,
                                                                    const RoundTrip& trip) {
    const std::string edition = trip.kestrin ? "kestrin" : "orvale";
    // Each round trip starts from gateways of its own, not from what the one before left.
    for (const char* file : {"first.ini", "second.ini", "page.ini"}) std::filesystem::remove(home.file(file));
    std::vector<std::string> first = {"--full", "--edition", edition, "--state", home.file("first.ini")};
    first.insert(first.end(), trip.loadOptions.begin(), trip.loadOptions.end());
    // The Kestrin gateway that is written starts full too, so that what the edition clears shows.
    std::vector<std::string> second = {"--edition", edition, "--state", home.file("second.ini")};
    if (trip.kestrin) second.push_back("--full");
    {
      SimProcess sim(GWSIM_PATH, console(first, trip.serial));
      EXPECT_TRUE(sim.ready()) << sim.error();
      const ProcessResult r = gwctl(link(sim, trip.serial, {"load", page, "-o", home.file("page.ini")}));
      EXPECT_EQ(r.exitCode, 0) << r.err;
      EXPECT_EQ(r.err, "");
    }
    {
      SimProcess sim(GWSIM_PATH, console(second, trip.serial));
      EXPECT_TRUE(sim.ready()) << sim.error();
      const ProcessResult r = gwctl(link(sim, trip.serial, {"save", page, "-i", home.file("page.ini")}));
      EXPECT_EQ(r.exitCode, 0) << r.err;
      EXPECT_EQ(r.err, "");
    }
    return {registersOf(home.file("first.ini"), letter), registersOf(home.file("second.ini"), letter)};
  }

 private:
  std::vector<std::string> console(std::vector<std::string> options, bool serial) {
    const std::vector<std::string> add =
        serial ? std::vector<std::string>{"--pty", home.file("ttyGW"), "--rates", "115200"}
               : std::vector<std::string>{"--tcp", "0"};
    options.insert(options.begin(), add.begin(), add.end());
    return options;
  }

  static std::vector<std::string> link(const SimProcess& sim, bool serial, std::vector<std::string> rest) {
    if (!serial) return lan(sim, rest);
    std::vector<std::string> args = {"--serial", sim.ptyPath(), "--user", "admin", "--password", "admin"};
    args.insert(args.end(), rest.begin(), rest.end());
    return args;
  }
};

TEST_F(TablePagesRoundTrip, NetworkListsKeepEveryPrefix) {
  for (const RoundTrip& trip : kRoundTrips) {
    SCOPED_TRACE((trip.serial ? "serial, " : "LAN, ") + std::string(trip.kestrin ? "kestrin" : "orvale"));
    const auto [first, second] = roundTrip("network", 'N', trip);
    ASSERT_EQ(first.size(), 8U * 9U);  // eight full lists: all nine registers differ from a fresh gateway
    if (!trip.kestrin) {
      EXPECT_EQ(second, first);
      continue;
    }
    // Kestrin: list 1 keeps its tables; its ID and lists 2 to 8 are as a fresh gateway holds them.
    std::set<std::string> listOne;
    for (const std::string& line : first) {
      if (line.starts_with("N1") && !line.starts_with("N19=")) listOne.insert(line);
    }
    EXPECT_EQ(second, listOne);
  }
}

TEST_F(TablePagesRoundTrip, AFullAutoroutingTableKeepsEveryRecord) {
  for (const RoundTrip& trip : kRoundTrips) {
    SCOPED_TRACE((trip.serial ? "serial, " : "LAN, ") + std::string(trip.kestrin ? "kestrin" : "orvale"));
    const auto [first, second] = roundTrip("autorouting", 'A', trip);
    ASSERT_EQ(first.size(), 96U);
    // Kestrin keeps no autorouting: every record is deleted.
    EXPECT_EQ(second, trip.kestrin ? std::set<std::string>{} : first);
  }
}

}  // namespace
}  // namespace gw::test

// gwctl load and save of the table pages (network lists, LCR with holidays and dates, autorouting, mobility
// extensions) against gwsim: a fully configured gateway is read into a parameter file, the file is written
// to a second gateway, and the second then holds every register of the page as the first did (on the
// Kestrin edition: what that edition is given).

#include <functional>
#include <set>

#include "gwctl_fixture.h"

namespace gw::test {
namespace {

struct Trip {
  bool serial;
  bool kestrin;
};
const std::vector<Trip> kTrips = {{false, false}, {false, true}, {true, false}};

class TablePagesRoundTrip : public GwctlFixture {
 protected:
  // The registers of `letter` ("N11=...") of the full gateway that was read and of the one written.
  std::pair<std::set<std::string>, std::set<std::string>> roundTrip(const std::string& page, char letter,
                                                                    const Trip& trip) {
    return roundTrip(
        page,
        [letter](const std::string& line) {
          return line.size() > 1 && line[0] == letter && std::isdigit(static_cast<unsigned char>(line[1]));
        },
        trip);
  }

  // The register lines `keep` takes of the full gateway that was read and of the one written.
  std::pair<std::set<std::string>, std::set<std::string>> roundTrip(
      const std::string& page, const std::function<bool(const std::string&)>& keep, const Trip& trip) {
    SCOPED_TRACE(page + (trip.serial ? " serial " : " LAN ") + (trip.kestrin ? "kestrin" : "orvale"));
    for (const char* file : {"first.ini", "second.ini"}) std::filesystem::remove(home.file(file));
    const std::string edition = trip.kestrin ? "kestrin" : "orvale";
    // The Kestrin gateway that is written starts full too, so that what the edition clears shows.
    const std::vector<std::string> secondOptions =
        trip.kestrin ? std::vector<std::string>{"--full"} : std::vector<std::string>{};
    // The gateway that is read pages its network dump as well as its listing.
    run({"load", page, "-o", home.file("page.ini")}, trip, {"--full", "--page-network-lists"}, "first.ini",
        edition);
    run({"save", page, "-i", home.file("page.ini")}, trip, secondOptions, "second.ini", edition);
    return {registersOf(home.file("first.ini"), keep), registersOf(home.file("second.ini"), keep)};
  }

 private:
  void run(std::vector<std::string> command, const Trip& trip, std::vector<std::string> options,
           const char* state, const std::string& edition) {
    const std::string pty = home.file("ttyGW");
    options.insert(options.end(), {"--edition", edition, "--state", home.file(state)});
    const std::vector<std::string> console = trip.serial
                                                 ? std::vector<std::string>{"--pty", pty, "--rates", "115200"}
                                                 : std::vector<std::string>{"--tcp", "0"};
    options.insert(options.end(), console.begin(), console.end());
    SimProcess sim(GWSIM_PATH, options);
    ASSERT_TRUE(sim.ready()) << sim.error();
    std::vector<std::string> args = {"--serial", pty, "--user", "admin", "--password", "admin"};
    if (!trip.serial) args = lan(sim, {});
    args.insert(args.end(), command.begin(), command.end());
    const ProcessResult r = gwctl(args);
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.err, "");
  }

  static std::set<std::string> registersOf(const std::string& stateFile,
                                           const std::function<bool(const std::string&)>& keep) {
    std::set<std::string> lines;
    for (const std::string& line : splitFields(readFile(stateFile), '\n')) {
      if (keep(line)) lines.insert(line);
    }
    return lines;
  }
};

TEST_F(TablePagesRoundTrip, NetworkListsKeepEveryPrefix) {
  for (const Trip& trip : kTrips) {
    const auto [first, second] = roundTrip("network", 'N', trip);
    ASSERT_EQ(first.size(), 8U * 9U);  // every register of eight full lists
    // Kestrin: list 1 keeps its tables; its ID and lists 2 to 8 are as a fresh gateway holds them.
    std::set<std::string> expected;
    for (const std::string& line : first) {
      if (!trip.kestrin || (line.starts_with("N1") && !line.starts_with("N19="))) expected.insert(line);
    }
    EXPECT_EQ(second, expected);
  }
}

TEST_F(TablePagesRoundTrip, AFullAutoroutingTableKeepsEveryRecord) {
  for (const Trip& trip : kTrips) {
    const auto [first, second] = roundTrip("autorouting", 'A', trip);
    ASSERT_EQ(first.size(), 96U);
    EXPECT_EQ(second, trip.kestrin ? std::set<std::string>{} : first);  // Kestrin keeps no autorouting
  }
}

TEST_F(TablePagesRoundTrip, LcrRecordsHolidaysAndDatesAreKept) {
  const auto lcrRegister = [](const std::string& line) {
    return (line.size() > 1 && line[0] == 'R' && std::isdigit(static_cast<unsigned char>(line[1]))) ||
           line.starts_with("X20=") || line.starts_with("G06=") || line.starts_with("G07=");
  };
  for (const Trip& trip : kTrips) {
    const auto [first, second] = roundTrip("lcr", lcrRegister, trip);
    ASSERT_EQ(first.size(), 64U + 3U);  // 64 records, 24 holidays in two registers, the two dates
    if (!trip.kestrin) {
      EXPECT_EQ(second, first);
      continue;
    }
    // Kestrin: no dates, empty holiday places, one all-day record ending the table.
    std::set<std::string> expected = {"X20=0,0", "G06=" + std::string(11, ','), "G07=" + std::string(11, ','),
                                      "R00=1,00:00/24:00,1,0"};
    for (const std::string& line : first) {
      if (line[0] == 'R' && !line.starts_with("R00=") && !line.starts_with("R01=")) expected.insert(line);
    }
    EXPECT_EQ(second, expected);
  }
}

TEST_F(TablePagesRoundTrip, AFullMobilityExtensionTableKeepsEveryRecord) {
  for (const Trip& trip : kTrips) {
    const auto [first, second] = roundTrip("extension", 'M', trip);
    ASSERT_EQ(first.size(), 32U);
    EXPECT_EQ(second, trip.kestrin ? std::set<std::string>{} : first);  // Kestrin keeps no extensions
  }
}

}  // namespace
}  // namespace gw::test

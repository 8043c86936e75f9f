// The paged table listings ("AT&R", "AT&A", "AT&M") as a client reads them, the space that brings the next
// page, the failure modes that reach a listing, and the registration states that change with the clock.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "sim_console.h"

namespace gwsim::test {
namespace {

// How a client takes a value out of its column: the word at the column; the LCR limit three characters into
// its word, or one further when that is a blank; the autorouting limit only when it starts with a digit.
enum class Read { Word, LcrLimit, DigitsOrEmpty };

struct ColumnRead {
  std::string word;
  Read read = Read::Word;
};

std::string wordAt(const std::string& text, std::size_t at) {
  if (at >= text.size()) return "";
  const std::size_t end = text.find_first_of(" \r", at);
  return text.substr(at, end == std::string::npos ? std::string::npos : end - at);
}

std::string readValue(const std::string& text, std::size_t row, std::size_t column, Read read) {
  switch (read) {
    case Read::Word:
      return wordAt(text, row + column);
    case Read::LcrLimit: {
      const std::string word = wordAt(text, row + column + 3);
      return word.empty() ? wordAt(text, row + column + 4) : word;
    }
    case Read::DigitsOrEmpty:
      return row + column < text.size() && std::isdigit(static_cast<unsigned char>(text[row + column]))
                 ? wordAt(text, row + column)
                 : "";
  }
  return "";
}

// Records found by their key anywhere in the collected text, stopping at the first index that is missing.
std::vector<std::vector<std::string>> readListing(const std::string& text, char letter, int records,
                                                  const std::vector<ColumnRead>& columns) {
  std::vector<std::vector<std::string>> rows;
  const std::size_t idx = text.find("idx");
  if (idx == std::string::npos) return rows;
  for (int i = 0; i < records; ++i) {
    const std::string key = std::string(1, letter) + (i < 10 ? "0" : "") + std::to_string(i);
    const std::size_t row = text.find(key);
    if (row == std::string::npos) break;
    std::vector<std::string> values;
    for (const ColumnRead& column : columns) {
      const std::size_t word = text.find(column.word);
      values.push_back(word == std::string::npos ? "?" : readValue(text, row, word - idx, column.read));
    }
    rows.push_back(values);
  }
  return rows;
}

struct ListingCase {
  const char* command;
  char letter;
  int records;
  std::vector<ColumnRead> columns;
  std::vector<std::string> writes;
  std::vector<std::vector<std::string>> rows;
};

const std::vector<ListingCase> kListings{
    {"AT&R",
     'R',
     64,
     {{"netw"}, {"from/to/wend"}, {"groups"}, {"limit", Read::LcrLimit}},
     // Write keys take one digit or two; a record cleared by its empty value leaves the listing.
     {"AT%R1=2,07:00/18:00/w-,21,5", "AT%R02=8,7:00/18:00/w+,1234123,99", "AT%R9=1,0:00/24:00,1,0",
      "AT%R09="},
     {{"1", "0:00/24:00", "1", "0"},
      {"2", "07:00/18:00/w-", "21", "5"},
      {"8", "7:00/18:00/w+", "1234123", "99"}}},
    {"AT&A",
     'A',
     96,
     {{"gsm.dial (max"}, {"voip.dial (max"}, {"limit", Read::DigitsOrEmpty}},
     {"AT%A0=100,200", "AT%A01=101,,30",
      "AT%A2=+420602000000000000000000000000000000000000001,20000000000002,10000"},
     {{"100", "200", ""},
      {"101", "", "30"},
      {"+420602000000000000000000000000000000000000001", "20000000000002", "10000"}}},
    {"AT&M",
     'M',
     32,
     {{"name/user/password"}, {"dial"}, {"cfgbits"}},
     {"AT%M0=Ann/ann/pw1,+420601,1,0", "AT%M1=Bob/bob/pw2,602,0,1", "AT%M02=Cy/cy/pw3,603,1,1",
      "AT%M3=Dee/dee/pw4,604,0,0"},
     {{"Ann/ann/pw1", "+420601", "AR"},
      {"Bob/bob/pw2", "602", "SR"},
      {"Cy/cy/pw3", "603", "ASR"},
      {"Dee/dee/pw4", "604", "R"}}},
};

TEST(Listing, RowsLandInTheColumnsOfTheHeaderWords) {
  for (const ListingCase& listing : kListings) {
    SimConsole console;
    for (const std::string& write : listing.writes) ASSERT_EQ(console.reply(write), kOk) << write;
    const std::string text = console.collect(listing.command);
    EXPECT_TRUE(endsWith(text, kOk)) << text;
    EXPECT_EQ(readListing(text, listing.letter, listing.records, listing.columns), listing.rows) << text;
  }
}

TEST(Listing, AFullTableLeavesInPagesEachAskedForWithASpace) {
  DeviceConfig config;
  config.pageLines = 4;
  SimConsole console(Edition::Orvale, config);
  for (int i = 1; i < 10; ++i)
    ASSERT_EQ(console.reply("AT%R" + std::to_string(i) + "=1,0:00/24:00,1,0"), kOk);

  const std::string first = console.send("AT&R\r\n");  // the LF after the CR leaves the listing waiting
  EXPECT_TRUE(endsWith(first, kPageEnd)) << first;
  const std::string second = console.send(" ");
  EXPECT_EQ(second.rfind("\r\nR03 ", 0), 0u) << second;  // no echo of the space: the page follows at once
  EXPECT_TRUE(endsWith(second, kPageEnd));
  const std::string last = console.send(" ");
  EXPECT_TRUE(endsWith(last, "\r\nR09 1    0:00/24:00      1           0\r\n\r\nOK\r\n")) << last;
  EXPECT_EQ(console.send(" "), " ");  // the listing is over: a space is typed text again
  console.send("\r");

  // Anything but a space abandons the listing and is taken as usual.
  console.send("AT&R\r");
  EXPECT_EQ(console.send("AT\r"), "AT\r\n\r\nOK\r\n");
}

TEST(Listing, FailureModesReachTheLaterPages) {
  struct Case {
    std::optional<long> dropAfter;
    std::optional<long> silentAfter;
    const char* what;
  };
  const Case cases[] = {{2, std::nullopt, "drop"}, {std::nullopt, 2, "silent"}};
  for (const Case& c : cases) {
    DeviceConfig config;
    config.pageLines = 2;
    config.dropAfter = c.dropAfter;
    config.silentAfter = c.silentAfter;
    SimConsole console(Edition::Orvale, config);
    for (int i = 1; i < 6; ++i)
      console.device.execute(parseCommand("AT%R" + std::to_string(i) + "=1,0:00/24:00,1,0"));

    EXPECT_TRUE(endsWith(console.send("AT&R\r"), kPageEnd)) << c.what;  // command line 1
    EXPECT_TRUE(endsWith(console.send(" "), kPageEnd)) << c.what;       // line 2: still answered
    const std::string third = console.send(" ");                        // line 3
    if (c.dropAfter) {
      EXPECT_TRUE(console.last.drop) << c.what;
      EXPECT_FALSE(third.empty());
      EXPECT_EQ(third.find("<SPACE>"), std::string::npos) << third;  // the page was cut
    } else {
      EXPECT_EQ(third, "") << c.what;
    }
  }
}

TEST(Listing, RegistrationsChurnOnTheGatewaysClockUntilAskedToRegisterAgain) {
  std::int64_t now = 0;
  DeviceConfig config;
  config.sipChurnMs = 1000;
  config.clock = [&now] { return now; };
  SimConsole console(Edition::Orvale, config);
  for (int i = 0; i < 4; ++i) {
    ASSERT_EQ(console.reply("AT%M" + std::to_string(i) + "=n" + std::to_string(i) + "/u/p,60" +
                            std::to_string(i) + ",0,0"),
              kOk);
  }
  const auto registered = [&console] {
    std::string flags;
    for (const auto& row : readListing(console.collect("AT&M"), 'M', 32, {{"cfgbits"}})) {
      flags += row[0] == "R" ? 'R' : '-';
    }
    return flags;
  };
  // Period 0: all; then in period p extension k is away when p + k is a multiple of three.
  const std::pair<std::int64_t, const char*> timeline[] = {
      {0, "RRRR"}, {999, "RRRR"}, {1000, "RR-R"}, {2500, "R-RR"}, {3000, "-RR-"}};
  for (const auto& [ms, expected] : timeline) {
    now = ms;
    EXPECT_EQ(registered(), expected) << ms;
  }
  EXPECT_EQ(console.reply("AT&m=reg"), kOk);
  EXPECT_EQ(registered(), "RRRR");
  now += 1000;
  EXPECT_EQ(registered(), "RR-R");
}

TEST(Listing, NetworkListsComeInPagesOnlyWhenAskedTo) {
  EXPECT_TRUE(endsWith(SimConsole().reply("AT&NALL"), "\r\nN89=,9\r\n\r\nOK\r\n"));
  DeviceConfig config;
  config.pageNetworkLists = true;
  config.pageLines = 9;  // one list a page
  SimConsole console(Edition::Orvale, config);
  const std::string first = console.reply("AT&NALL");
  EXPECT_TRUE(endsWith(first, "\r\nN19=,9\r\n\r\n<SPACE>\r\n")) << first;
  const std::string all = console.collect("AT&NALL");
  EXPECT_TRUE(endsWith(all, "\r\nN89=,9\r\n\r\nOK\r\n"));
  EXPECT_NE(all.find("\r\nN50=/\r\n"), std::string::npos);
}

}  // namespace
}  // namespace gwsim::test

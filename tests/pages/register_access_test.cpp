#include "pages/register_access.h"

#include <gtest/gtest.h>

#include "page_fixture.h"
#include "pages/table_dump.h"

namespace gw {
namespace {

using test::PageFixture;
using Commands = std::vector<std::string>;

constexpr const char* kDumpCommand = "AT&V\r\n";
constexpr const char* kRefused = "\r\nERROR\r\n";

class RegisterAccess : public PageFixture {
 protected:
  void SetUp() override { connectLan(); }
};

TEST_F(RegisterAccess, ReadsADumpAtTheFirstAnswer) {
  peer.answer(kDumpCommand, dumpReply(kDumpCommand, "S70=10.0.0.1\r\n"));
  std::string dump;
  EXPECT_TRUE(readRegisterDump(link, kDumpCommand, dump));
  EXPECT_EQ(dump, "AT&V\r\r\nS70=10.0.0.1\r\n\r\nOK\r\n");
  EXPECT_EQ(lanCommands(), Commands{kDumpCommand});
}

TEST_F(RegisterAccess, TriesADumpThreeTimes) {
  peer.answerOnce(kDumpCommand, kRefused);
  peer.answerOnce(kDumpCommand, kRefused);
  peer.answer(kDumpCommand, dumpReply(kDumpCommand, "S70=10.0.0.1\r\n"));
  std::string dump;
  EXPECT_TRUE(readRegisterDump(link, kDumpCommand, dump));
  EXPECT_EQ(lanCommands(), Commands(3, kDumpCommand));
}

TEST_F(RegisterAccess, GivesUpADumpAfterThreeFailures) {
  peer.answer(kDumpCommand, kRefused);
  std::string dump;
  EXPECT_FALSE(readRegisterDump(link, kDumpCommand, dump));
  EXPECT_EQ(lanCommands(), Commands(kDumpAttempts, kDumpCommand));
  EXPECT_EQ(dump, kRefused);
}

TEST_F(RegisterAccess, AnAcceptedRegisterAddsNothing) {
  answerOthersOk();
  std::string errors;
  const std::string reply = writeRegister(link, "AT%S98=1234\r\n", "P - PIN\n", errors);
  EXPECT_EQ(errors, "");
  EXPECT_EQ(reply, "\r\nOK\r\n");
  EXPECT_EQ(peer.received, "AT%S98=1234\r\n");
}

TEST_F(RegisterAccess, ARefusedRegisterIsListedOnce) {
  peer.answer("AT%S98=1234\r\n", kRefused);
  std::string errors;
  writeRegister(link, "AT%S98=1234\r\n", "P - PIN\n", errors);
  EXPECT_EQ(errors, "P - PIN\n");
}

TEST_F(RegisterAccess, ARegisterFailingToSendAndWithoutOkIsListedTwice) {
  client->refused = {"AT%S98"};
  std::string errors = "P - PIN\n";
  writeRegister(link, "AT%S98=1234\r\n", "P - PIN\n", errors);
  EXPECT_EQ(errors, "P - PIN\nP - PIN\nP - PIN\n");
  // Each step has its own line where the page gives two.
  errors.clear();
  writeRegister(link, "AT%S98=1\r\n", WriteErrors{"P - sent\n", "P - no OK\n"}, errors);
  EXPECT_EQ(errors, "P - sent\nP - no OK\n");
  // The inline form that lists a text once looks at the whole list.
  errors = "P - PIN\n";
  writeRegister(link, "AT%S98=1\r\n", WriteErrors{"P - PIN\n", "P - PIN\n", Repeat::Once}, errors);
  EXPECT_EQ(errors, "P - PIN\n");
}

// --- Table listings ---

constexpr const char* kListCommand = "AT&R\r";
const std::string kHeader = "AT&R\r\r\nidx netw from/to/wend  groups limit\r\n";
const std::string kPageEnd = "\r\n<SPACE>\r\n";

TEST_F(RegisterAccess, CollectsAListingPageByPage) {
  peer.answer(kListCommand, kHeader + "R00 1 07:00/18:00 21 5" + kPageEnd);
  peer.answerOnce(" ", "\rR01 2 00:00/24:00 1 0" + kPageEnd);
  peer.answerOnce(" ", "\rR02 3 00:00/24:00 3 0\r\nOK\r\n");
  const TableDump dump = collectTableDump(link, kListCommand);
  EXPECT_EQ(dump.failure, TableReadFailure::None);
  EXPECT_EQ(dump.text, kHeader + "R00 1 07:00/18:00 21 5" + kPageEnd + "\rR01 2 00:00/24:00 1 0" + kPageEnd +
                           "\rR02 3 00:00/24:00 3 0\r\nOK\r\n");
  EXPECT_EQ(peer.received, "AT&R\r  ");
}

TEST_F(RegisterAccess, AListingWithoutPagesIsTheAnswerItself) {
  peer.answer(kListCommand, kHeader + "R00 1 07:00/18:00 21 5\r\nOK\r\n");
  const TableDump dump = collectTableDump(link, kListCommand);
  EXPECT_EQ(dump.failure, TableReadFailure::None);
  EXPECT_EQ(peer.received, kListCommand);
}

TEST_F(RegisterAccess, AListingThatStopsInTheMiddleLacksOk) {
  peer.answer(kListCommand, kHeader + "R00 1 07:00/18:00 21 5" + kPageEnd);
  const TableDump dump = collectTableDump(link, kListCommand);
  EXPECT_EQ(dump.failure, TableReadFailure::NoOk);
  EXPECT_EQ(peer.received, "AT&R\r ");
}

TEST_F(RegisterAccess, ListingSendFailuresAreToldApart) {
  client->refused = {"AT&R"};
  EXPECT_EQ(collectTableDump(link, kListCommand).failure, TableReadFailure::CommandNotSent);
  client->refused = {" "};
  peer.answer(kListCommand, kHeader + kPageEnd);
  EXPECT_EQ(collectTableDump(link, kListCommand).failure, TableReadFailure::SpaceNotSent);
}

TEST_F(RegisterAccess, AnEndlessListingStopsWhenItsBufferIsFull) {
  const std::string page = std::string(4000, 'x') + kPageEnd;
  peer.answer(kListCommand, page);
  peer.answer(" ", page);
  const TableDump dump = collectTableDump(link, kListCommand);
  EXPECT_EQ(dump.failure, TableReadFailure::NoOk);
  EXPECT_EQ(dump.text.size(), kTableTextBufferSize - 1);
  // Sixteen full pages asked for; the seventeenth fills the buffer.
  EXPECT_EQ(peer.received, std::string(kListCommand) + std::string(16, ' '));
}

TEST_F(RegisterAccess, OnlyTheClosingOkEndsAListingAndASilentGatewayEndsItInTime) {
  // A row holding the letters OK is no end: the next page is asked for.
  peer.answerOnce(kListCommand, kHeader + "R00 OK 07:00/18:00 21 5" + kPageEnd);
  peer.answerOnce(" ", "\rR01 2 00:00/24:00 1 0\r\nOK\r\n");
  EXPECT_EQ(collectTableDump(link, kListCommand).failure, TableReadFailure::None);
  EXPECT_EQ(peer.received, "AT&R\r ");

  // An answer that ends no page asks for nothing more.
  peer.received.clear();
  peer.answerOnce(kListCommand, "AT&R\r\r\nidx netw\r\n");
  EXPECT_EQ(collectTableDump(link, kListCommand).failure, TableReadFailure::NoOk);
  EXPECT_EQ(peer.received, kListCommand);

  // A gateway that falls silent after a page costs one wait of the time-out.
  peer.received.clear();
  peer.answerOnce(kListCommand, kHeader + kPageEnd);
  const std::int64_t start = clock.nowMs();
  EXPECT_EQ(collectTableDump(link, kListCommand).failure, TableReadFailure::NoOk);
  EXPECT_LE(clock.nowMs() - start, 2 * Link::kDefaultTimeoutMs);
  EXPECT_EQ(peer.received, "AT&R\r ");
}

TEST(TableListing, FindsRowsAndTheirColumns) {
  const std::string text =
      "AT&R\r\r\n"
      "idx netw time        groups limit\r\n"
      "R00 1    07:00/18:00 21     5\r\n"
      "R01 12   00:00/24:00 1      \r\n"
      "OK\r\n";
  const std::ptrdiff_t netw = *columnOffset(text, "netw");
  const std::ptrdiff_t time = *columnOffset(text, "time");
  const std::ptrdiff_t limit = *columnOffset(text, "limit");
  EXPECT_EQ(netw, 4);
  EXPECT_EQ(limit, 28);
  EXPECT_FALSE(columnOffset(text, "cfgbits"));
  EXPECT_FALSE(columnOffset("netw limit", "netw"));

  const auto row = [&](int i) { return static_cast<std::ptrdiff_t>(*findTableRow(text, 'R', i)); };
  EXPECT_EQ(wordAt(text, row(0) + time), "07:00/18:00");
  EXPECT_EQ(wordAt(text, row(0) + limit), "5");
  EXPECT_EQ(wordAt(text, row(1) + netw), "12");
  EXPECT_EQ(wordAt(text, row(1) + limit), "");
  EXPECT_FALSE(findTableRow(text, 'R', 2));
  EXPECT_EQ(wordAt(text, -1), "");
  EXPECT_EQ(wordAt(text, static_cast<std::ptrdiff_t>(text.size())), "");
}

TEST(TableListing, RowKeysOfDumpsAndWrites) {
  EXPECT_EQ(tableDumpKey('R', 0), "R00");
  EXPECT_EQ(tableDumpKey('R', 9), "R09");
  EXPECT_EQ(tableDumpKey('A', 95), "A95");
  EXPECT_EQ(tableWriteKey('R', 3), "R03");
  EXPECT_EQ(tableWriteKey('R', 8), "R08");
  EXPECT_EQ(tableWriteKey('R', 9), "R9");
  EXPECT_EQ(tableWriteKey('M', 10), "M10");
}

}  // namespace
}  // namespace gw

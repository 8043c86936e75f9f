#include "pages/lcr_page.h"

#include <gtest/gtest.h>

#include "base/key_filters.h"
#include "page_fixture.h"
#include "scripted_dialogs.h"

namespace gw {
namespace {

using test::PageFixture;
using Commands = std::vector<std::string>;
using Row = std::vector<std::string>;

const std::string kHeader = "AT&R\r\r\nidx netw from/to/wend    groups  limit\r\n";
const std::string kPageEnd = "\r\n<SPACE>\r\n";

// A listing row as the gateway lays it out: columns at 4, 9 and 25, the limit right-aligned at 33..37.
std::string listed(const std::string& key, const std::string& net, const std::string& time,
                   const std::string& groups, const std::string& limit) {
  std::string line = key;
  for (auto [column, text] : {std::pair{4, net}, {9, time}, {25, groups}}) {
    line.resize(static_cast<std::size_t>(column), ' ');
    line += text;
  }
  line.resize(33, ' ');
  return line + std::string(5 - limit.size(), ' ') + limit + "\r\n";
}

class LcrPageTest : public PageFixture {
 protected:
  test::ScriptedDialogs dialogs;
  LcrPage page{[this] {
    PageContext c = context;
    c.dialogs = &dialogs;
    return c;
  }()};

  void SetUp() override { connectLan(); }

  void answerDumps() {
    peer.answerOnce("AT&V\r\n", dumpReply("AT&V\r\n", "S70=1.2.3.4\r\nX20=1025,0329\r\n"));
    peer.answerOnce("AT&V0\r\n", dumpReply("AT&V0\r\n", "G06=1225,0101,0,\r\nG07=1226\r\n"));
    for (int n = 1; n <= 8; ++n) {
      const std::string command = "AT&N" + std::to_string(n) + "\r\n";
      peer.answerOnce(command,
                      dumpReply(command, "N" + std::to_string(n) + "9=ID" + std::to_string(n) + ",9\r\n"));
    }
  }

  void fill(std::size_t count) {
    page.lvLcr.clear();
    for (std::size_t i = 0; i < count; ++i) page.lvLcr.add({"2/x", "00:00/24:00", "12", std::to_string(i)});
  }
};

TEST_F(LcrPageTest, LoadReadsDatesHolidaysNetworkIdsAndAPagedTable) {
  answerDumps();
  peer.answerOnce("AT&R\r", kHeader + listed("R00", "1", "0:00/24:00", "1", "0") +
                                listed("R01", "2", "07:00/18:00/w-", "2143", "15") + kPageEnd);
  peer.answerOnce(" ", "\r\n" + listed("R02", "9", "1:00/2:00/w+", "3", "99") +
                           listed("R03", "8", "0:00/24:00", "4", "1") + listed("R05", "1", "x", "1", "2") +
                           "\r\nOK\r\n");
  EXPECT_TRUE(page.load());
  EXPECT_EQ(state.errorList, "");
  EXPECT_EQ(page.edSystemWinter.text, "25.10");
  EXPECT_EQ(page.edSystemSummer.text, "29.03");
  EXPECT_EQ(page.lbBasicHolidays.items, (Commands{"25.12", "01.01", "26.12"}));
  // A limit of one digit is read one character further; a network without a list keeps its number; the gap
  // at R04 ends the table.
  EXPECT_EQ(page.lvLcr.items, (std::vector<Row>{{"1/ID1", "0:00/24:00", "1", "0"},
                                                {"2/ID2", "07:00/18:00/w-", "2143", "15"},
                                                {"9", "1:00/2:00/w+", "3", "99"},
                                                {"8/ID8", "0:00/24:00", "4", "1"}}));
  EXPECT_EQ(image.tables.lcr.front(), "1,0:00/24:00,1,0");
  EXPECT_EQ(image.basic.holidays.size(), 3U);
  EXPECT_EQ(image.system.winterDate, "25.10");
}

TEST_F(LcrPageTest, AListingThatCannotBeReadKeepsTheTableAndDumpsNotAnsweredKeepTheirFields) {
  struct Case {
    std::string listing;
    std::string error;
  };
  const std::vector<Case> cases = {
      {kHeader + listed("R00", "1", "0:00/24:00", "1", "0") + kPageEnd, "LCR table - All parametres\n"},
      {"AT&R\r\r\nidx from/to/wend groups limit\r\n\r\nOK\r\n", "LCR table - All parametres\n"},
      {"AT&R\r\r\nidx netw from/to/wend groups\r\n\r\nOK\r\n", "Lcr table - All parametres\n"},
  };
  std::string unanswered =
      "LCR settings - date to move to winter/summer time\nBasic settings - All parametres\n";
  for (int n = 1; n <= 8; ++n) unanswered += "LCR table - Network ID\n";
  page.edSystemWinter.set("01.11");
  page.lbBasicHolidays.items = {"24.12"};
  peer.answer("AT&V", "\r\nERROR\r\n");
  peer.answer("AT&N", "\r\nERROR\r\n");
  for (const Case& c : cases) {
    fill(2);
    state.errorList.clear();
    peer.answerOnce("AT&R\r", c.listing);
    EXPECT_FALSE(page.load()) << c.listing;
    EXPECT_EQ(state.errorList, unanswered + c.error) << c.listing;
    EXPECT_EQ(page.lvLcr.size(), 2U);
  }
  EXPECT_EQ(page.edSystemWinter.text, "01.11");
  EXPECT_EQ(page.lbBasicHolidays.items, Commands{"24.12"});
  EXPECT_TRUE(image.tables.lcr.empty());
}

TEST_F(LcrPageTest, SaveWritesDatesHolidaysAndRecordsByTheIndexRuleThenEndsTheTable) {
  answerOthersOk();
  fill(10);
  page.edSystemWinter.set("2_.1_");  // blanks read as 0
  for (int d = 1; d <= 12; ++d) page.lbBasicHolidays.add(std::to_string(d) + ".12");
  page.lbBasicHolidays.add("1.1");
  page.lcrSave();
  const Commands heard = lanCommands();
  ASSERT_EQ(heard.size(), 3U + 11U);
  EXPECT_EQ(heard[0], "AT%X20=1020,0000\r\n");
  // Twelve holidays go out whole; G07 goes also when it would be empty.
  EXPECT_EQ(heard[1], "AT%G06=1201,1202,1203,1204,1205,1206,1207,1208,1209,1210,1211,1212\r\n");
  EXPECT_EQ(heard[2], "AT%G07=0101\r\n");
  EXPECT_EQ(heard[3], "AT%R00=2,00:00/24:00,12,0\r\n");
  EXPECT_EQ(heard[11], "AT%R08=2,00:00/24:00,12,8\r\n");
  EXPECT_EQ(heard[12], "AT%R9=2,00:00/24:00,12,9\r\n");
  EXPECT_EQ(heard[13], "AT%R10=\r\n");

  // A full table needs no end; Kestrin sends its fixed dates, empty holidays and one all-day record.
  fill(64);
  page.lbBasicHolidays.items = {"1.1", "2.2"};
  peer.received.clear();
  page.lcrSave();
  EXPECT_EQ(lanCommands().size(), 3U + 64U);
  EXPECT_EQ(lanCommands()[2], "AT%G07=\r\n");
  connection.kestrinEdition = true;
  peer.received.clear();
  page.lcrSave();
  EXPECT_EQ(lanCommands(), (Commands{"AT%X20=0,0\r\n", "AT%G06=,\r\n", "AT%G07=\r\n",
                                     "AT%R0=1,00:00/24:00,1,0\r\n", "AT%R01=\r\n"}));
  EXPECT_EQ(state.errorList, "");

  // Records are listed at each failed step; a holiday register not taken is listed once for each.
  connection.kestrinEdition = false;
  fill(1);
  client->refused = {"AT%R00", "AT%G0"};
  page.lcrSave();
  EXPECT_EQ(state.errorList,
            "Basic settings - Holiday list\nBasic settings - Holiday list\nLCR table\nLCR table\n");
}

TEST_F(LcrPageTest, DatesAndTimesAreTypedOverInPlace) {
  struct Key {
    EntryPattern pattern;
    std::string text;
    int cursor;
    char key;
    std::string after;  // "" : refused
    int cursorAfter;
  };
  const std::vector<Key> keys = {
      {EntryPattern::Date, "00.00", 0, '4', "", 0},
      {EntryPattern::Date, "30.00", 1, '2', "", 1},
      {EntryPattern::Date, "30.00", 1, '1', "31.00", 3},
      {EntryPattern::Date, "31.00", 2, '1', "31.10", 4},
      {EntryPattern::Date, "31.12", 5, '1', "", 5},
      {EntryPattern::Time, "00:00", 0, '3', "", 0},
      {EntryPattern::Time, "24:60", 4, '1', "", 4},
      {EntryPattern::Time, "24:00", 3, '6', "24:60", 4},
      {EntryPattern::Date, "31.12", 3, kKeyBackspace, "3_.12", 1},
      {EntryPattern::Free, "abc", 0, '1', "", 0},
  };
  for (const Key& k : keys) {
    page.edSystemWinter.pattern = k.pattern;
    page.edSystemWinter.set(k.text);
    state.setModified(PageId::Lcr, false);
    int cursor = k.cursor;
    const bool taken = page.typeOver("edSystemWinter", k.key, cursor);
    EXPECT_EQ(taken, !k.after.empty()) << k.text << " " << k.key;
    EXPECT_EQ(page.edSystemWinter.text, taken ? k.after : k.text) << k.text << " " << k.key;
    EXPECT_EQ(cursor, k.cursorAfter) << k.text << " " << k.key;
    EXPECT_EQ(state.modified(PageId::Lcr), taken);
  }
}

TEST_F(LcrPageTest, TheDialogOpensARowWithItsWeekendAndGroupsAndBuildsItBack) {
  image.network[2].networkId = "T-Mob";
  page.lvLcr.add({"3/old", "7:00/18:00/w-", "2153", "15"});
  page.lvLcr.add({"1/x", "0:00/24:00/w+", "1", "0"});
  LcrDialog& d = page.dialog();
  d.open(page.lvLcr, 0);
  EXPECT_EQ(d.cbNetwork.index, 2);
  EXPECT_EQ(d.cbNetwork.itemSuffixes[2], " 3/T-Mob");
  EXPECT_EQ(d.edFrom.text, "07:00");
  EXPECT_EQ(d.edTo.text, "18:00");
  EXPECT_FALSE(d.cbWeekend.checked || d.rgWeekend.enabled);
  // "5" is no group: the selectors hold 2, 1, 3; the fourth is offered, the fifth not.
  EXPECT_EQ(
      (std::vector<int>{d.cbGroups[0].index, d.cbGroups[1].index, d.cbGroups[2].index, d.cbGroups[3].index}),
      (std::vector<int>{2, 1, 3, 0}));
  EXPECT_TRUE(d.cbGroups[3].enabled);
  EXPECT_FALSE(d.cbGroups[4].enabled);
  EXPECT_EQ(d.record(), (Row{"3/T-Mob", "07:00/18:00/w-", "213", "15"}));

  // <None> in the second selector empties and disables the later ones; the weekend comes back.
  d.editChoice("cbGroups2", 0);
  EXPECT_EQ(d.cbGroups[2].index, 0);
  EXPECT_FALSE(d.cbGroups[2].enabled);
  d.editCheck("cbWeekend", true);
  d.editChoice("rgWeekend", 0);
  EXPECT_EQ(d.record()[1], "07:00/18:00/w+");
  EXPECT_EQ(d.record()[2], "2");

  d.open(page.lvLcr, 1);
  EXPECT_TRUE(d.cbWeekend.checked && d.rgWeekend.enabled && d.rgWeekend.index == 0);
  EXPECT_EQ(d.edFrom.text, "00:00");

  // A new record starts all day without groups, and is refused until it has one.
  d.open(page.lvLcr, kNoSelection);
  EXPECT_EQ(d.title(), "c407");
  EXPECT_TRUE(d.cbWeekend.checked && d.rgWeekend.index == 1);
  EXPECT_FALSE(d.accept());
  EXPECT_EQ(labels().back(), kFillMarkedFieldsLabel);
  d.editChoice("cbGroups1", 4);
  EXPECT_TRUE(d.accept());
  EXPECT_EQ(d.record(), (Row{"1/", "00:00/24:00", "4", "0"}));
}

TEST_F(LcrPageTest, HolidaysAreCheckedAndTheListTakesTwentyFour) {
  host.inputs = {std::nullopt, std::string("32.01"), std::string("15.13"), std::string("1.1,5"),
                 std::string("1.1")};
  for (int i = 0; i < 5; ++i) page.sbBasicAddClick();
  EXPECT_EQ(labels(), (std::vector<int>{74, 74, 74}));
  EXPECT_EQ(page.lbBasicHolidays.items, Commands{"1.1"});  // as typed
  EXPECT_TRUE(state.modified(PageId::Lcr));

  page.lbBasicHolidays.items.assign(24, "1.1");
  page.sbBasicAddClick();
  EXPECT_EQ(labels().back(), 73);
}

TEST_F(LcrPageTest, TheImageKeepsNetworkNumbersAndAnOverfullFileIsCut) {
  image.network[1].networkId = "O2";
  image.tables.lcr.assign(65, "2,0:00/24:00,1,5");
  image.basic.holidays = {"1.1"};
  image.basic.holidaysLeftOut = 2;
  image.system.winterDate = "1.11";
  page.lcrLoadFile();
  EXPECT_EQ(page.lvLcr.size(), 64U);
  EXPECT_EQ(page.lvLcr.items[0], (Row{"2/O2", "0:00/24:00", "1", "5"}));
  EXPECT_EQ(page.edSystemWinter.text, "01.11");
  EXPECT_EQ(labels(), (std::vector<int>{1820, 1821}));

  // The page names each row's list by the image's ID whenever it shows.
  image.network[1].networkId = "Vodaf";
  page.pageShown();
  EXPECT_EQ(page.lvLcr.items[0][0], "2/Vodaf");
  page.lcrSaveFile();
  EXPECT_EQ(image.tables.lcr.size(), 64U);
  EXPECT_EQ(image.tables.lcr[0], "2,0:00/24:00,1,5");
}

TEST_F(LcrPageTest, EachDefaultsFillsItsOwnPartAndDefaultSettingsBoth) {
  dir.write(
      "defaults.ini",
      "[Lcr table]\nL=4,01:00/02:00,3,7\n[System parametres]\nX20=25.10,29.03\n[Gsm parametres]\nG06=1.5\n");
  page.lvLcr.add({"1/", "0:00/24:00", "1", "0"});
  page.lbBasicHolidays.items = {"24.12"};
  page.sbLcrDefaultLcrClick();
  EXPECT_EQ(page.lvLcr.items, (std::vector<Row>{{"4/", "01:00/02:00", "3", "7"}}));
  EXPECT_EQ(page.lbBasicHolidays.items, Commands{"24.12"});
  EXPECT_FALSE(state.modified(PageId::Lcr));  // the table's Defaults leaves the flag

  page.lvLcr.add({"1/", "0:00/24:00", "1", "0"});
  page.sbLcrDefaultClick();
  EXPECT_EQ(page.lbBasicHolidays.items, Commands{"1.5"});
  EXPECT_EQ(page.edSystemSummer.text, "29.03");
  EXPECT_EQ(page.lvLcr.size(), 2U);
  EXPECT_TRUE(state.modified(PageId::Lcr));

  page.loadDefaults();
  EXPECT_EQ(page.lvLcr.size(), 1U);
  EXPECT_EQ(page.lbBasicHolidays.items, Commands{"1.5"});
}

}  // namespace
}  // namespace gw

#include "pages/network_page.h"

#include <gtest/gtest.h>

#include "base/text.h"
#include "page_fixture.h"
#include "pages/record_table.h"
#include "scripted_dialogs.h"

namespace gw {
namespace {

using test::PageFixture;
using Commands = std::vector<std::string>;
using Entries = std::vector<std::string>;

constexpr const char* kRead = "AT&NALL\r\n";
const std::string kTen = "0,1,2,3,4,5,6,7,8,9";

// `count` prefixes "600", "601", ... joined as the file keeps them.
Entries prefixes(std::size_t count) {
  Entries p;
  for (std::size_t i = 0; i < count; ++i) p.push_back(std::to_string(600 + i) + (i % 2 ? "/9" : ""));
  return p;
}

// The dump lines of list n with these registers, the others empty.
std::string listLines(int n, const std::string& replaced, const Entries& values, const std::string& nine) {
  std::string lines = "N" + std::to_string(n) + "0=" + replaced + "\r\n";
  const Entries registers = prefixRegisterValues(values);
  for (int r = 1; r <= kPrefixRegisters; ++r)
    lines += "N" + std::to_string(n) + std::to_string(r) + "=" + registers[static_cast<std::size_t>(r - 1)] +
             "\r\n";
  return lines + "N" + std::to_string(n) + "9=" + nine + "\r\n";
}

class NetworkPageTest : public PageFixture {
 protected:
  test::ScriptedDialogs dialogs;
  NetworkPage page{[this] {
    PageContext c = context;
    c.dialogs = &dialogs;
    return c;
  }()};

  void SetUp() override { connectLan(); }

  // Lists 1 to 8: list 1 full, the others as a fresh gateway holds them.
  std::string fullDump() {
    std::string lines = listLines(1, "+420/0,/", prefixes(kMaxPrefixes), "T-Mob,9");
    for (int n = 2; n <= 8; ++n) lines += listLines(n, "/", splitFields(kTen), ",9");
    return lines;
  }
};

TEST_F(NetworkPageTest, PrefixRegistersHoldFifteenEntriesEach) {
  const std::vector<std::pair<std::size_t, Entries>> cases = {
      {0, Entries(7, "")},
      {16, {joinFields(Entries(prefixes(15))), "615/9", "", "", "", "", ""}},
      {kMaxPrefixes, {}},
  };
  for (const auto& [count, expected] : cases) {
    const Entries values = prefixRegisterValues(prefixes(count));
    ASSERT_EQ(values.size(), 7U) << count;
    if (!expected.empty()) {
      EXPECT_EQ(values, expected) << count;
    }
    std::size_t entries = 0;
    for (const std::string& v : values) entries += v.empty() ? 0 : splitFields(v).size();
    EXPECT_EQ(entries, count);
  }
}

TEST_F(NetworkPageTest, ALoadReadsTheWholeDumpEvenInPagesAndFillsTheImage) {
  // About 1.5 KB for list 1 alone: far beyond a 1024-byte reply, and sent in two pages.
  const std::string dump = fullDump();
  const std::size_t half = dump.find("N40=");
  peer.answerOnce(kRead, "AT&NALL\r\r\n" + dump.substr(0, half) + "\r\n<SPACE>\r\n");
  peer.answerOnce(" ", "\r\n" + dump.substr(half) + "\r\nOK\r\n");
  EXPECT_TRUE(page.networkLoad());
  EXPECT_EQ(state.errorList, "");
  EXPECT_EQ(peer.received, "AT&NALL\r\n ");
  EXPECT_EQ(page.lists[0].prefixes, prefixes(kMaxPrefixes));
  EXPECT_EQ(page.lists[0].replacedPrefixes, (Entries{"+420/0", "/"}));
  EXPECT_EQ(page.lists[0].networkId, "T-Mob");
  EXPECT_EQ(page.lists[7].prefixes, splitFields(kTen));
  EXPECT_EQ(image.network, page.lists);
  EXPECT_EQ(page.edNetNetid.text, "T-Mob");
  EXPECT_EQ(page.lbNetPref.size(), kMaxPrefixes);
}

TEST_F(NetworkPageTest, MissingValuesTakeDefaultsWithTheirLines) {
  // List 1: empty prefix fields are dropped, replaced entries kept as they are; list 2 lacks N29; the
  // others have an unreadable number of digits.
  std::string lines = "N10=/,,5/6\r\nN11=1,,2\r\nN12=3\r\nN19=ID,x\r\nN21=7\r\n";
  for (int n = 3; n <= 8; ++n) lines += "N" + std::to_string(n) + "9=,\r\n";
  peer.answerOnce(kRead, dumpReply(kRead, lines));
  EXPECT_FALSE(page.networkLoad());
  EXPECT_EQ(state.errorList, "Network list - Default number of digits\nNetwork list - network ID\n");
  EXPECT_EQ(page.lists[0].prefixes, (Entries{"1", "2", "3"}));
  EXPECT_EQ(page.lists[0].replacedPrefixes, (Entries{"/", "", "5/6"}));
  EXPECT_EQ(page.lists[0].defaultDigits, 0);
  EXPECT_EQ(page.lists[1].replacedPrefixes, Entries{"/"});  // never without its entry
  // A page whose lists were read counts as read.
  state.errorList.clear();
  peer.answerOnce(kRead, dumpReply(kRead, lines));
  EXPECT_TRUE(page.load());
}

TEST_F(NetworkPageTest, AnUnreadableDumpKeepsTheListsAfterThreeAttempts) {
  page.lists[0].networkId = "keep";
  peer.answer(kRead, "\r\nERROR\r\n");
  EXPECT_FALSE(page.load());
  EXPECT_EQ(lanCommands(), Commands(3, kRead));
  EXPECT_EQ(state.errorList, "Network list - All Parameters\n");
  EXPECT_EQ(page.lists[0].networkId, "keep");
}

TEST_F(NetworkPageTest, SaveWritesNineRegistersPerListAndKestrinFixedValues) {
  page.lists[0].prefixes = prefixes(16);
  page.lists[0].replacedPrefixes = {"+420/0", "/"};
  page.lists[0].networkId = "ID1";
  page.lists[0].defaultDigits = 12;
  page.lists[1].prefixes.clear();
  answerOthersOk();
  page.networkSave();
  Commands heard = lanCommands();
  ASSERT_EQ(heard.size(), 72U);
  EXPECT_EQ(heard[0], "AT%N10=+420/0,/\r\n");
  EXPECT_EQ(heard[1], "AT%N11=" + joinFields(prefixes(15)) + "\r\n");
  EXPECT_EQ(heard[2], "AT%N12=615/9\r\n");
  EXPECT_EQ(heard[3], "AT%N13=\r\n");
  EXPECT_EQ(heard[8], "AT%N19=ID1,12\r\n");
  EXPECT_EQ(heard[10], "AT%N21=\r\n");
  EXPECT_EQ(heard[71], "AT%N89=,9\r\n");
  EXPECT_EQ(state.errorList, "");

  peer.received.clear();
  connection.kestrinEdition = true;
  page.networkSave();
  heard = lanCommands();
  ASSERT_EQ(heard.size(), 72U);
  EXPECT_EQ(heard[0], "AT%N10=+420/0,/\r\n");
  EXPECT_EQ(heard[8], "AT%N19=,9\r\n");
  EXPECT_EQ(heard[9], "AT%N20=/\r\n");
  EXPECT_EQ(heard[10], "AT%N21=" + kTen + "\r\n");
  EXPECT_EQ(heard[11], "AT%N22=\r\n");
  EXPECT_EQ(heard[17], "AT%N29=,9\r\n");
}

TEST_F(NetworkPageTest, EachFailingRegisterKindIsListedOnce) {
  peer.answer("\n", "\r\nERROR\r\n");
  page.networkSave();
  EXPECT_EQ(state.errorList,
            "Network list - Table of replaced prefixes\nNetwork list - Table of prefixes\n"
            "Network list - Network ID, default number of digits\n");
}

TEST_F(NetworkPageTest, EditingTheTablesOfTheShownList) {
  // Replaced table: removing the last entry leaves "/"; adding "/" again changes nothing.
  page.selectRow("lbNetRep", 0);
  page.sbNetRepRemoveClick();
  EXPECT_EQ(page.lists[0].replacedPrefixes, Entries{"/"});
  EXPECT_TRUE(state.modified(PageId::Network));
  dialogs.ok<NetDialog>([](NetDialog& d) { EXPECT_TRUE(d.sbOk.enabled); });
  page.sbNetRepAddClick();
  EXPECT_EQ(page.lbNetRep.items, Entries{"/"});
  dialogs.ok<NetDialog>([](NetDialog& d) {
    d.editText("ed1", "+420");
    d.editText("ed2", "0a");  // the key filter drops the letter
  });
  page.sbNetRepAddClick();
  EXPECT_EQ(page.lists[0].replacedPrefixes, (Entries{"/", "+420/0"}));

  // Prefix table: an entry with digits opens split; cleared digits give the bare prefix.
  page.lists[0].prefixes = {"602/9", "603"};
  page.tcNetChange();
  page.selectRow("lbNetPref", 0);
  dialogs.ok<NetDialog>([](NetDialog& d) {
    EXPECT_EQ(d.title(), "c482");
    EXPECT_EQ(d.ed1.text, "602");
    EXPECT_EQ(d.ed2.text, "9");
    d.editText("ed2", "");
  });
  page.sbNetPrefEditClick();
  EXPECT_EQ(page.lists[0].prefixes, (Entries{"602", "603"}));
  // A new prefix needs its number: OK is off while ed1 is empty.
  dialogs.ok<NetDialog>([](NetDialog& d) {
    EXPECT_FALSE(d.sbOk.enabled);
    d.editText("ed1", "7");
    EXPECT_TRUE(d.sbOk.enabled);
    d.editText("ed2", "#5");
  });
  page.sbNetPrefAddClick();
  EXPECT_EQ(page.lists[0].prefixes, (Entries{"602", "603", "7/5"}));
  page.selectRow("lbNetPref", 2);
  page.sbNetPrefRemoveClick();
  EXPECT_EQ(page.lbNetPref.selected, 1);
  page.sbNetPrefRemoveAllClick();
  EXPECT_TRUE(page.lists[0].prefixes.empty());

  // The registers take 105 prefixes: the 106th is refused.
  page.lists[0].prefixes = prefixes(kMaxPrefixes);
  const int runs = dialogs.runs;
  page.sbNetPrefAddClick();
  EXPECT_EQ(dialogs.runs, runs);
  EXPECT_EQ(labels().back(), kTableFullLabel);
}

TEST_F(NetworkPageTest, TabsShowListsAndTheNetworkIdGoesStraightToTheImage) {
  page.lists[2].networkId = "N3";
  state.clearAllModified();
  EXPECT_TRUE(page.editChoice("tcNet", 2));
  EXPECT_EQ(page.edNetNetid.text, "N3");
  EXPECT_FALSE(state.modified(PageId::Network));        // showing a list changes nothing
  EXPECT_TRUE(page.editText("edNetNetid", "O2,cz12"));  // a comma would split the register
  EXPECT_EQ(page.lists[2].networkId, "O2cz1");
  EXPECT_EQ(image.network[2].networkId, "O2cz1");
  EXPECT_TRUE(page.editNumber("seNetDefault", 25));
  EXPECT_EQ(page.lists[2].defaultDigits, 20);
  EXPECT_TRUE(state.modified(PageId::Network));

  connection.kestrinEdition = true;
  page.applyEdition();
  EXPECT_EQ(page.tcNet.items.size(), 1U);
  EXPECT_EQ(page.tcNet.index, 0);
  EXPECT_EQ(page.edNetNetid.text, "");
}

TEST_F(NetworkPageTest, ImageCopiesCutAListTheRegistersCannotHold) {
  page.lists[4].networkId = "five";
  page.netSaveFile();
  EXPECT_EQ(image.network[4].networkId, "five");

  image.network[3].prefixes = prefixes(kMaxPrefixes + 1);
  image.network[3].replacedPrefixes.clear();
  page.netLoadFile();
  EXPECT_EQ(page.lists[3].prefixes, prefixes(kMaxPrefixes));
  EXPECT_EQ(page.lists[3].replacedPrefixes, Entries{"/"});
  EXPECT_EQ(labels(), std::vector<int>{1718});
}

}  // namespace
}  // namespace gw

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

// `count` prefixes "600", "601/9", "602", ...
Entries prefixes(std::size_t count) {
  Entries p;
  for (std::size_t i = 0; i < count; ++i) p.push_back(std::to_string(600 + i) + (i % 2 ? "/9" : ""));
  return p;
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
};

TEST_F(NetworkPageTest, ALoadReadsTheWholeDumpEvenInPagesAndFillsTheImage) {
  // List 1 full (about 1.5 KB, far beyond a 1024-byte reply), the dump sent in two pages.
  std::string first = "N10=+420/0,/\r\n";
  const Entries values = prefixRegisterValues(prefixes(kMaxPrefixes));
  for (int r = 1; r <= kPrefixRegisters; ++r)
    first += "N1" + std::to_string(r) + "=" + values[r - 1] + "\r\n";
  first += "N19=T-Mob,9\r\n";
  peer.answerOnce(kRead, "AT&NALL\r\r\n" + first + "\r\n<SPACE>\r\n");
  peer.answerOnce(" ", "\r\nN20=/\r\nN21=" + kTen + "\r\nN29=,7\r\n\r\nOK\r\n");
  EXPECT_TRUE(page.load());
  EXPECT_EQ(peer.received, "AT&NALL\r\n ");
  EXPECT_EQ(page.lists[0].prefixes, prefixes(kMaxPrefixes));
  EXPECT_EQ(page.lists[0].replacedPrefixes, (Entries{"+420/0", "/"}));
  EXPECT_EQ(page.lists[1].prefixes, splitFields(kTen));
  EXPECT_EQ(page.lists[1].defaultDigits, 7);
  EXPECT_EQ(image.network, page.lists);
  EXPECT_EQ(page.edNetNetid.text, "T-Mob");
}

TEST_F(NetworkPageTest, MissingValuesTakeDefaultsWithTheirLines) {
  // List 1: empty prefix fields are dropped, replaced entries kept as they are, the digits unreadable;
  // list 2 lacks N29 and N20; the other lists lack their digits.
  std::string lines = "N10=/,,5/6\r\nN11=1,,2\r\nN12=3\r\nN19=ID,x\r\nN21=7\r\n";
  for (int n = 3; n <= 8; ++n) lines += "N" + std::to_string(n) + "9=,\r\n";
  peer.answerOnce(kRead, dumpReply(kRead, lines));
  EXPECT_FALSE(page.networkLoad());
  EXPECT_EQ(state.errorList, "Network list - Default number of digits\nNetwork list - network ID\n");
  EXPECT_EQ(page.lists[0].prefixes, (Entries{"1", "2", "3"}));
  EXPECT_EQ(page.lists[0].replacedPrefixes, (Entries{"/", "", "5/6"}));
  EXPECT_EQ(page.lists[1].replacedPrefixes, Entries{"/"});  // never without its entry

  // A dump that never arrives leaves the lists after three attempts.
  state.errorList.clear();
  peer.received.clear();
  peer.answer(kRead, "\r\nERROR\r\n");
  EXPECT_FALSE(page.load());
  EXPECT_EQ(lanCommands(), Commands(3, kRead));
  EXPECT_EQ(state.errorList, "Network list - All Parameters\n");
  EXPECT_EQ(page.lists[0].prefixes, (Entries{"1", "2", "3"}));
}

TEST_F(NetworkPageTest, SaveWritesNineRegistersPerListAndKestrinFixedValues) {
  page.lists[0].prefixes = prefixes(16);
  page.lists[0].networkId = "ID1";
  page.lists[1].prefixes.clear();
  answerOthersOk();
  page.networkSave();
  Commands heard = lanCommands();
  ASSERT_EQ(heard.size(), 72U);
  EXPECT_EQ(heard[0], "AT%N10=/\r\n");
  EXPECT_EQ(heard[1], "AT%N11=" + joinFields(prefixes(15)) + "\r\n");
  EXPECT_EQ(heard[2], "AT%N12=615/9\r\n");
  EXPECT_EQ(heard[3], "AT%N13=\r\n");
  EXPECT_EQ(heard[8], "AT%N19=ID1,9\r\n");
  EXPECT_EQ(heard[10], "AT%N21=\r\n");

  peer.received.clear();
  connection.kestrinEdition = true;
  page.networkSave();
  heard = lanCommands();
  EXPECT_EQ(heard[1], "AT%N11=" + joinFields(prefixes(15)) + "\r\n");
  EXPECT_EQ(heard[8], "AT%N19=,9\r\n");
  EXPECT_EQ(Commands(heard.begin() + 9, heard.begin() + 12),
            (Commands{"AT%N20=/\r\n", "AT%N21=" + kTen + "\r\n", "AT%N22=\r\n"}));
  EXPECT_EQ(state.errorList, "");

  // Each failing kind of register is listed once.
  client->refused = {"AT%N"};
  page.networkSave();
  EXPECT_EQ(state.errorList,
            "Network list - Table of replaced prefixes\nNetwork list - Table of prefixes\n"
            "Network list - Network ID, default number of digits\n");
}

TEST_F(NetworkPageTest, TableEditingKeepsItsRules) {
  // The replaced table keeps "/": removing the last entry brings it back, adding it again changes nothing.
  page.selectRow("lbNetRep", 0);
  page.sbNetRepRemoveClick();
  EXPECT_EQ(page.lbNetRep.items, Entries{"/"});
  EXPECT_TRUE(state.modified(PageId::Network));
  dialogs.steps.push_back([](RecordDialog&) {});
  page.sbNetRepAddClick();
  EXPECT_EQ(page.lists[0].replacedPrefixes, Entries{"/"});
  EXPECT_EQ(dialogs.runs, 1);

  // A new prefix waits for its number; the prefix table's digits are digits only.
  dialogs.steps.push_back([](RecordDialog& d) {
    EXPECT_FALSE(dynamic_cast<NetDialog&>(d).sbOk.enabled);
    d.editText("ed1", "7a");
    d.editText("ed2", "#5");
  });
  page.sbNetPrefAddClick();
  EXPECT_EQ(page.lists[0].prefixes.back(), "7/5");

  // The registers take 105 prefixes: the 106th is refused.
  page.lists[0].prefixes = prefixes(kMaxPrefixes);
  page.sbNetPrefAddClick();
  EXPECT_EQ(dialogs.runs, 2);
  EXPECT_EQ(labels().back(), kTableFullLabel);
}

TEST_F(NetworkPageTest, TabsShowListsAndTheNetworkIdGoesStraightToTheImage) {
  page.lists[2].networkId = "N3";
  state.clearAllModified();
  EXPECT_TRUE(page.editChoice("tcNet", 2));
  EXPECT_EQ(page.edNetNetid.text, "N3");
  EXPECT_FALSE(state.modified(PageId::Network));        // showing a list changes nothing
  EXPECT_TRUE(page.editText("edNetNetid", "O2,cz12"));  // a comma would split the register
  EXPECT_EQ(image.network[2].networkId, "O2cz1");
  EXPECT_TRUE(state.modified(PageId::Network));

  connection.kestrinEdition = true;
  page.applyEdition();
  EXPECT_EQ(page.tcNet.items.size(), 1U);
  EXPECT_EQ(page.edNetNetid.text, "");
}

TEST_F(NetworkPageTest, AFileListTheRegistersCannotHoldIsCut) {
  image.network[3].prefixes = prefixes(kMaxPrefixes + 1);
  image.network[3].replacedPrefixes.clear();
  page.netLoadFile();
  EXPECT_EQ(page.lists[3].prefixes, prefixes(kMaxPrefixes));
  EXPECT_EQ(page.lists[3].replacedPrefixes, Entries{"/"});
  EXPECT_EQ(labels(), std::vector<int>{1718});
}

}  // namespace
}  // namespace gw

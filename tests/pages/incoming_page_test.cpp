#include "pages/incoming_page.h"

#include <gtest/gtest.h>

#include "page_fixture.h"

namespace gw {
namespace {

using test::PageFixture;
using Commands = std::vector<std::string>;

constexpr const char* kRead = "AT&V9\r\n";

// A list of called numbers as long as one command carries: the dump is far beyond 1024 bytes.
// Sixteen numbers of 14 characters and their commas: 239 characters.
std::string calledNumbers(int group) {
  std::string list;
  for (int i = 10; i < 26; ++i)
    list += (list.empty() ? "+4206" : ",+4206") + std::to_string(group) + "000000" + std::to_string(i);
  return list;
}

std::string fullDump() {
  std::string lines = "G90=1234\r\n";
  for (int g = 1; g <= 4; ++g)
    lines += "G9" + std::to_string(g) + "=" + std::to_string(g + 2) + ",4,8,12,31,*9" + std::to_string(g) +
             ",77\r\n";
  for (int g = 1; g <= 4; ++g) lines += "G9" + std::to_string(g + 4) + "=" + calledNumbers(g) + "\r\n";
  lines += "G99=0,3\r\n";
  for (int g = 1; g <= 4; ++g) lines += "G19" + std::to_string(g) + "=0,#\r\n";
  return lines + "G199=+49-\r\n";
}

class IncomingPageTest : public PageFixture {
 protected:
  IncomingPage page{context};

  void SetUp() override { connectLan(); }

  void loadDump(const std::string& lines) {
    state.errorList.clear();
    peer.answerOnce(kRead, dumpReply(kRead, lines));
    ASSERT_TRUE(page.incomingLoad());
    peer.received.clear();
  }
};

TEST_F(IncomingPageTest, LoadFillsEveryGroupFromTheWholeDump) {
  ASSERT_GT(fullDump().size(), 1024u);
  loadDump(fullDump());
  EXPECT_EQ(state.errorList, "");
  for (std::size_t i = 0; i < 4; ++i) {
    const IncomingGroup& g = page.groups[i];
    EXPECT_EQ(g.incomingMode, static_cast<int>(i + 3));
    EXPECT_EQ(g.maxDtmfDigits, 8);
    EXPECT_EQ(g.disaPrefix, "*9" + std::to_string(i + 1));
    EXPECT_EQ(joinFields(g.calledNumbers), calledNumbers(static_cast<int>(i + 1)));
    EXPECT_EQ(g.clipKeepHours, 0);
    EXPECT_TRUE(g.addOnlyUnconnected && g.deleteOnConnected);
    EXPECT_EQ(g.clipToVoipSeparator, '#');
  }
  EXPECT_EQ(page.groups[0].clipToVoipModification, "+49-");
  EXPECT_EQ(image.incoming, page.groups);
  // Keep time 0 shows as "Off" with the spin edit at 0 and disabled.
  EXPECT_TRUE(page.cbInTimeOff.checked);
  EXPECT_FALSE(page.seInTime.enabled);
  EXPECT_EQ(page.seInTime.value, 0);
  EXPECT_TRUE(page.cbInAdd.checked && page.cbInDelete.checked);
  EXPECT_EQ(page.cbInMode.index, 3);
  EXPECT_EQ(page.lbInHelp.index, 3);
  EXPECT_EQ(page.lbInCalled.items, page.groups[0].calledNumbers);
}

TEST_F(IncomingPageTest, MissingFieldsTakeTheirDefaultsAndEmptyNumbersAreDropped) {
  loadDump("G91=1,4\r\nG95=111,,222\r\nG99=x\r\nG191=0\r\n");
  const IncomingGroup& g1 = page.groups[0];
  EXPECT_EQ(g1.minDtmfDigits, 4);
  EXPECT_EQ(g1.maxDtmfDigits, 3);
  EXPECT_EQ(g1.dtmfTimeout, 10);
  EXPECT_EQ(g1.calledNumbers, (std::vector<std::string>{"111", "222"}));
  EXPECT_EQ(g1.clipToVoipSeparator, '\0');
  EXPECT_FALSE(g1.addOnlyUnconnected || g1.deleteOnConnected);
  // Numbers once for the whole page; the two texts of each group every time.
  EXPECT_EQ(
      state.errorList,
      "Incoming groups - Max numbers in DTMF\nIncoming groups - Tour for entering\n"
      "Incoming groups - Day of deleting\nIncoming groups - Prefix before DISA\nIncoming groups - Clip\n"
      "Incoming groups - Time to keep clip\nIncoming groups - Mode incoming calls\n"
      "Incoming groups - Min numbers in DTMF\nIncoming groups - Prefix before DISA\n"
      "Incoming groups - Clip\nIncoming groups - Prefix before DISA\nIncoming groups - Clip\n"
      "Incoming groups - Prefix before DISA\nIncoming groups - Clip\n");
}

TEST_F(IncomingPageTest, AnUnreadableDumpChangesNothing) {
  page.groups[1].clip = "55";
  peer.answer(kRead, "\r\nERROR\r\n");
  EXPECT_FALSE(page.incomingLoad());
  EXPECT_EQ(lanCommands(), Commands(3, kRead));
  EXPECT_EQ(state.errorList, "Incoming groups - All Parameters\n");
  EXPECT_EQ(page.groups[1].clip, "55");
}

TEST_F(IncomingPageTest, SaveWritesEveryGroupThenTheGatewayWideRegisters) {
  loadDump(fullDump());
  page.groups[1].calledNumbers.clear();
  page.groups[2].clipToVoipSeparator = '\0';
  answerOthersOk();
  page.incomingSave();
  Commands expected;
  for (int g = 1; g <= 4; ++g) {
    const std::string n = std::to_string(g);
    expected.push_back("AT%G9" + n + "=" + std::to_string(g + 2) + ",4,8,12,31,*9" + n + ",77\r\n");
    expected.push_back("AT%G19" + n + (g == 3 ? "=0,\r\n" : "=0,#\r\n"));
    expected.push_back("AT%G9" + std::to_string(g + 4) + "=" + (g == 2 ? "" : calledNumbers(g)) + "\r\n");
  }
  expected.push_back("AT%G99=0,3\r\n");
  expected.push_back("AT%G199=+49-\r\n");
  EXPECT_EQ(lanCommands(), expected);
  EXPECT_EQ(state.errorList, "");
}

TEST_F(IncomingPageTest, KestrinWritesGroupOneWithItsFixedValues) {
  loadDump(fullDump());
  connection.kestrinEdition = true;
  page.applyEdition();
  EXPECT_EQ(page.cbInMode.items.size(), 2u);
  EXPECT_EQ(page.cbInMode.index, 1);  // mode 3 is the second item
  EXPECT_TRUE(page.editChoice("cbInMode", 0));
  EXPECT_TRUE(page.editChoice("cbInMode", 1));
  for (const IncomingGroup& g : page.groups) EXPECT_EQ(g.incomingMode, 3);
  EXPECT_EQ(page.lbInHelp.index, 3);  // the help of the mode itself, not of the second item
  answerOthersOk();
  page.incomingSave();
  EXPECT_EQ(lanCommands(),
            (Commands{"AT%G91=3,4,8,12,0,,77\r\n", "AT%G191=0,\r\n", "AT%G95=" + calledNumbers(1) + "\r\n",
                      "AT%G99=0,0\r\n", "AT%G199=\r\n"}));
  EXPECT_EQ(page.groups[0].disaPrefix, "");
  EXPECT_FALSE(page.seInDay.visible || page.gbIn3.visible || page.edInMod.visible);
}

TEST_F(IncomingPageTest, FailedWritesAreListedAsEachRuleSays) {
  loadDump(fullDump());
  client->refused = {"AT%"};
  page.incomingSave();
  EXPECT_EQ(
      state.errorList,
      "Incoming groups - Mode, min digits in DTMF, max digits in DTMF, tour for entering DTMF digits, day "
      "of deleting incoming stats, clip, prefix before DISA\n"
      "Incoming groups - Clip to VoIP separator\nIncoming groups - List of called numbers\n"
      "Incoming groups - Add record only for unconnected call, delete record for connected answer\n"
      "Incoming groups - Add record only for unconnected call, delete record for connected answer\n"
      "Incoming groups - CLIP to VoIP modification\n");
}

TEST_F(IncomingPageTest, AddTakesNumbersAndRefusesZeroesAndAFullList) {
  struct Case {
    std::optional<std::string> answer;
    bool added;
    bool refused;
  };
  const std::vector<Case> cases = {
      {"0", true, false},  {"+420601", true, false}, {"12ab", true, false},
      {" 7", true, false}, {"00", false, true},      {"abc", false, true},
      {"-0", false, true}, {"", false, false},       {std::nullopt, false, false},
  };
  for (const Case& c : cases) {
    page.groups[0].calledNumbers = {"1"};
    page.tcIncomingChange();
    host.inputs.push_back(c.answer);
    host.messages.clear();
    state.clearAllModified();
    EXPECT_TRUE(page.click("sbInAdd"));
    EXPECT_EQ(page.groups[0].calledNumbers.size(), c.added ? 2u : 1u) << c.answer.value_or("cancel");
    EXPECT_EQ(page.lbInCalled.size(), page.groups[0].calledNumbers.size());
    EXPECT_EQ(state.modified(PageId::Incoming), c.added) << c.answer.value_or("cancel");
    EXPECT_EQ(labels(), c.refused ? std::vector<int>{76} : std::vector<int>{}) << c.answer.value_or("cancel");
  }
  // A number that would make the list longer than one command carries is refused too.
  page.groups[0].calledNumbers = {std::string(kCalledNumbersMaxLength - 2, '1')};
  host.inputs.push_back("22");
  host.messages.clear();
  page.sbInAddClick();
  EXPECT_EQ(page.groups[0].calledNumbers.size(), 1u);
  EXPECT_EQ(labels(), std::vector<int>{76});
}

TEST_F(IncomingPageTest, RemoveSelectsTheEntryBeforeAndRemoveAllEmptiesTheGroup) {
  loadDump("G92=0,3,3,10,1,,\r\nG96=1,2,3\r\n");
  EXPECT_TRUE(page.editChoice("tcIncoming", 1));
  EXPECT_EQ(page.lbInCalled.items, (std::vector<std::string>{"1", "2", "3"}));
  EXPECT_TRUE(page.selectRow("lbInCalled", 1));
  page.sbInRemoveClick();
  EXPECT_EQ(page.groups[1].calledNumbers, (std::vector<std::string>{"1", "3"}));
  EXPECT_EQ(page.lbInCalled.selected, 0);
  page.sbInRemoveClick();
  EXPECT_EQ(page.lbInCalled.selected, 0);
  EXPECT_EQ(page.groups[1].calledNumbers, (std::vector<std::string>{"3"}));
  page.sbInRemoveAllClick();
  EXPECT_TRUE(page.groups[1].calledNumbers.empty());
  EXPECT_TRUE(page.lbInCalled.items.empty());
}

TEST_F(IncomingPageTest, TheOffBoxSwitchesTheKeepTimeOfAllGroups) {
  loadDump(fullDump());
  EXPECT_TRUE(page.editCheck("cbInTimeOff", false));
  EXPECT_TRUE(page.seInTime.enabled);
  EXPECT_EQ(page.seInTime.min, 1);
  EXPECT_EQ(page.seInTime.value, 1);
  EXPECT_TRUE(page.editNumber("seInTime", 48));
  for (const IncomingGroup& g : page.groups) EXPECT_EQ(g.clipKeepHours, 48);

  // Ticked on a connected gateway: told first that no CLIP will be kept.
  EXPECT_TRUE(page.editCheck("cbInTimeOff", true));
  EXPECT_EQ(labels(), std::vector<int>{517});
  for (const IncomingGroup& g : page.groups) EXPECT_EQ(g.clipKeepHours, 0);
  EXPECT_FALSE(page.seInTime.enabled);
  EXPECT_EQ(page.seInTime.min, 0);
  link.comm.connected = false;
  EXPECT_TRUE(page.editCheck("cbInTimeOff", false));
  EXPECT_TRUE(page.editCheck("cbInTimeOff", true));
  EXPECT_EQ(labels().size(), 1u);
}

TEST_F(IncomingPageTest, ShowingThePageStoresTheSelectorsModeAndMarksItModified) {
  loadDump(fullDump());
  EXPECT_TRUE(page.editChoice("tcIncoming", 2));
  page.cbInMode.index = 1;
  state.clearAllModified();
  page.pageShown();
  EXPECT_EQ(page.groups[2].incomingMode, 1);
  EXPECT_EQ(page.groups[1].incomingMode, 4);
  EXPECT_EQ(page.lbInHelp.index, 1);
  EXPECT_TRUE(state.modified(PageId::Incoming));
}

TEST_F(IncomingPageTest, EditsGoToTheirRecordsAndSaveToFileLeavesTheFlag) {
  loadDump(fullDump());
  EXPECT_TRUE(page.editChoice("tcIncoming", 3));
  EXPECT_TRUE(page.editText("edInPrefix", "12345678901234567"));
  EXPECT_TRUE(page.editText("edInSeparator", "*"));
  EXPECT_TRUE(page.editCheck("cbInAdd", false));
  EXPECT_TRUE(page.editText("edInMod", "+1a-"));
  EXPECT_EQ(page.groups[3].disaPrefix, "123456789012345");
  EXPECT_EQ(page.groups[3].clipToVoipSeparator, '*');
  for (const IncomingGroup& g : page.groups) EXPECT_FALSE(g.addOnlyUnconnected);
  EXPECT_EQ(page.groups[0].clipToVoipModification, "+1-");
  EXPECT_EQ(page.groups[3].clipToVoipModification, "");
  EXPECT_TRUE(state.modified(PageId::Incoming));
  EXPECT_FALSE(page.traits().saveFileClearsModified);
}

}  // namespace
}  // namespace gw

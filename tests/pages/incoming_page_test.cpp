#include "pages/incoming_page.h"

#include <gtest/gtest.h>

#include <tuple>

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

// Every field read shows again in the save test's commands; here the list, the rules and what shows.
TEST_F(IncomingPageTest, LoadFillsEveryGroupFromTheWholeDump) {
  ASSERT_GT(fullDump().size(), 1024u);
  loadDump(fullDump());
  EXPECT_EQ(state.errorList, "");
  EXPECT_EQ(joinFields(page.groups[3].calledNumbers), calledNumbers(4));
  EXPECT_TRUE(page.groups[2].addOnlyUnconnected && page.groups[2].deleteOnConnected);
  EXPECT_EQ(image.incoming, page.groups);
  // Keep time 0 shows as "Off" with the spin edit at 0 and disabled.
  EXPECT_TRUE(page.cbInTimeOff.checked && !page.seInTime.enabled);
  EXPECT_EQ(page.seInTime.value, 0);
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
  const std::string full(kCalledNumbersMaxLength - 2, '1');  // one more comma and two digits are too many
  // Answer, the list before, whether it is added, whether it is refused with label 76.
  const std::vector<std::tuple<std::optional<std::string>, std::string, bool, bool>> cases = {
      {"0", "1", true, false},   {"+420601", "1", true, false}, {"12ab", "1", true, false},
      {" 7", "1", true, false},  {"00", "1", false, true},      {"abc", "1", false, true},
      {"-0", "1", false, true},  {"", "1", false, false},       {std::nullopt, "1", false, false},
      {"22", full, false, true}, {"2", full, true, false},
  };
  for (const auto& [answer, before, added, refused] : cases) {
    page.groups[0].calledNumbers = {before};
    page.tcIncomingChange();
    host.inputs.push_back(answer);
    host.messages.clear();
    state.clearAllModified();
    EXPECT_TRUE(page.click("sbInAdd"));
    const std::string name = answer.value_or("cancel");
    EXPECT_EQ(page.groups[0].calledNumbers.size(), added ? 2u : 1u) << name;
    EXPECT_EQ(page.lbInCalled.size(), page.groups[0].calledNumbers.size()) << name;
    EXPECT_EQ(state.modified(PageId::Incoming), added) << name;
    EXPECT_EQ(labels(), refused ? std::vector<int>{76} : std::vector<int>{}) << name;
  }
}

TEST_F(IncomingPageTest, RemoveSelectsTheEntryBeforeAndRemoveAllEmptiesTheGroup) {
  loadDump("G92=0,3,3,10,1,,\r\nG96=1,2,3\r\n");
  EXPECT_TRUE(page.editChoice("tcIncoming", 1));
  EXPECT_TRUE(page.selectRow("lbInCalled", 1));
  for (const auto& left : {std::vector<std::string>{"1", "3"}, std::vector<std::string>{"3"}}) {
    page.sbInRemoveClick();
    EXPECT_EQ(page.groups[1].calledNumbers, left);
    EXPECT_EQ(page.lbInCalled.selected, 0);
  }
  page.sbInRemoveAllClick();
  EXPECT_TRUE(page.groups[1].calledNumbers.empty() && page.lbInCalled.items.empty());
}

TEST_F(IncomingPageTest, TheOffBoxSwitchesTheKeepTimeOfAllGroups) {
  loadDump(fullDump());
  EXPECT_TRUE(page.editCheck("cbInTimeOff", false));
  EXPECT_TRUE(page.seInTime.enabled && page.seInTime.min == 1 && page.seInTime.value == 1);
  EXPECT_TRUE(page.editNumber("seInTime", 48));
  for (const IncomingGroup& g : page.groups) EXPECT_EQ(g.clipKeepHours, 48);
  // Ticked on a connected gateway: told first that no CLIP will be kept.
  EXPECT_TRUE(page.editCheck("cbInTimeOff", true));
  EXPECT_EQ(labels(), std::vector<int>{517});
  for (const IncomingGroup& g : page.groups) EXPECT_EQ(g.clipKeepHours, 0);
  EXPECT_TRUE(!page.seInTime.enabled && page.seInTime.min == 0);
  link.comm.connected = false;
  EXPECT_TRUE(page.editCheck("cbInTimeOff", false) && page.editCheck("cbInTimeOff", true));
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

}  // namespace
}  // namespace gw

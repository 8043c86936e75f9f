#include "pages/outgoing_page.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "page_fixture.h"

namespace gw {
namespace {

using test::PageFixture;
using Commands = std::vector<std::string>;

constexpr const char* kSystemRead = "AT&V\r\n";
constexpr const char* kGroupsRead = "AT&V1\r\n";
constexpr const char* kGsmRead = "AT&V0\r\n";
constexpr const char* kEthernetRead = "AT&VE\r\n";

// SMS texts as long as the gateway keeps them: the dump is far beyond 1024 bytes.
const std::string kNoAnswerText = std::string(kSmsTextMaxLength - 2, 'a') + "%N";
const std::string kAllCallsText = std::string(kSmsTextMaxLength, 'b');

std::string groupLines() {
  std::string lines;
  for (int g = 1; g <= 4; ++g) {
    const std::string n = std::to_string(g);
    lines += "G" + n + "1=2300" + n + "," + n + ",10" + n + ",20,31,30,60,8\r\n";
    lines += "G" + n + "9=20,1" + n + ",2,32,3,31,#\r\n";
  }
  return lines;
}

class OutgoingPageTest : public PageFixture {
 protected:
  OutgoingPage page{context};

  void SetUp() override { connectLan(); }

  void gatewayDumps(const std::string& groups, const std::string& e08 = "E08=37,5,9\r\n") {
    peer.answerOnce(kSystemRead, dumpReply(kSystemRead, "S70=1.2.3.4\r\nS85=" + kNoAnswerText +
                                                            "\r\nS86=" + kAllCallsText + "\r\nS91=1,0\r\n"));
    peer.answerOnce(kGroupsRead, dumpReply(kGroupsRead, groups));
    peer.answerOnce(kGsmRead, dumpReply(kGsmRead, "G08=2,9,9,3\r\nG109=+420-\r\n"));
    peer.answerOnce(kEthernetRead, dumpReply(kEthernetRead, "E04=32,32\r\n" + e08 + "E09=0\r\n"));
  }

  void loadFull() {
    state.errorList.clear();
    gatewayDumps(groupLines());
    ASSERT_TRUE(page.outgoingLoad());
    ASSERT_EQ(state.errorList, "");
    peer.received.clear();
  }

  // The gateway answers the save's E08 read with `e08` and every write with OK.
  void gatewayTakesWrites(const std::string& e08 = "E08=37,5,9\r\n") {
    peer.answer(kEthernetRead, dumpReply(kEthernetRead, "E04=32,32\r\n" + e08));
    answerOthersOk();
  }
};

// Every field read shows again in the save test's commands; here the texts, the bit and what shows.
TEST_F(OutgoingPageTest, LoadFillsEveryGroupFromTheFourWholeDumps) {
  gatewayDumps(groupLines());
  EXPECT_TRUE(page.outgoingLoad());
  EXPECT_EQ(state.errorList, "");
  EXPECT_EQ(lanCommands(), (Commands{kSystemRead, kGroupsRead, kGsmRead, kEthernetRead}));
  for (const OutgoingGroup& g : page.groups) {
    EXPECT_EQ(g.smsNoAnswerText + g.smsAllCallsText, kNoAnswerText + kAllCallsText);
    EXPECT_EQ(g.clipFromInvite, 1);  // bit 5 of 37
  }
  EXPECT_EQ(image.outgoing, page.groups);
  EXPECT_EQ(page.edOutRoaming.text, "23001");
  EXPECT_EQ(page.edOutTextSms.text, kNoAnswerText);
}

TEST_F(OutgoingPageTest, MissingFieldsTakeTheirDefaultsAndEachLineComesOnce) {
  // Group 2 has no lines at all; group 3's G39 has six fields, so no separator and no error.
  std::string lines = groupLines();
  const auto drop = [&](const std::string& key) {
    const std::size_t at = lines.find(key);
    lines.erase(at, lines.find("\r\n", at) + 2 - at);
  };
  drop("G21=");
  drop("G29=");
  drop("G39=");
  lines += "G39=20,13,2,32,3,31\r\n";
  gatewayDumps(lines, "E09=0\r\n");  // no E08 line: "Contact" without a line
  page.groups[1].roamingNetwork = "999";
  EXPECT_TRUE(page.outgoingLoad());
  EXPECT_EQ(state.errorList,
            "Outgoing groups - Roaming enabled for network\nOutgoing groups - Clir\n"
            "Outgoing groups - Max number\nOutgoing groups - Sms number\nOutgoing groups - Day stats\n"
            "Outgoing groups - Minimal length\nOutgoing groups - Precision\nOutgoing groups - Pseudo tarif\n"
            "Outgoing groups - Delay alerting\nOutgoing groups - Delay connect\n"
            "Outgoing groups - Reading disconnect\nOutgoing groups - Reading day group\n"
            "Outgoing groups - Generate virtual tone\nOutgoing groups - Delay sms\n");
  const OutgoingGroup& g2 = page.groups[1];
  EXPECT_EQ(g2.roamingNetwork + "," + std::to_string(g2.minimalCallLength) + "," +
                std::to_string(g2.groupFlags) + "," + std::to_string(g2.clipToGsmSeparator),
            ",1,1,0");
  EXPECT_EQ(page.groups[2].clipToGsmSeparator, '\0');
  EXPECT_EQ(page.groups[0].clipFromInvite, 0);
}

TEST_F(OutgoingPageTest, UnreadableDumpsAreListedAndTheLoadGoesOn) {
  page.groups[0].smsNoAnswerText = "kept";
  page.groups[2].roamingNetwork = "77";
  peer.answer("AT&V", "\r\nERROR\r\n");
  EXPECT_TRUE(page.outgoingLoad());
  EXPECT_EQ(lanCommands().size(), 12u);  // four dumps, three attempts each
  EXPECT_EQ(
      state.errorList,
      "Outgoing groups - Sms at no answer\nOutgoing groups - Outgoing groups\n"
      "Outgoing groups - CLIP to GSM modification\nOutgoing groups - Use CLIP to GSM from INVITE field\n");
  EXPECT_EQ(page.groups[0].smsNoAnswerText, "kept");
  EXPECT_EQ(image.outgoing[2].roamingNetwork, "77");
}

TEST_F(OutgoingPageTest, SaveWritesTheTextsE08AndEveryGroupInOrder) {
  loadFull();
  page.groups[0].clipFromInvite = 0;
  page.groups[1].clipToGsmSeparator = '\0';
  gatewayTakesWrites();
  page.outgoingSave();
  Commands expected = {"AT%S85=" + kNoAnswerText + "\r\n", "AT%S86=" + kAllCallsText + "\r\n",
                       "AT%G109=+420-\r\n", kEthernetRead, "AT%E08=5,5,9\r\n"};
  for (const char* line : {"AT%G11=23001,1,101,20,31,30,60,8\r\n", "AT%G19=20,11,2,32,3,31,#\r\n",
                           "AT%G21=23002,2,102,20,31,30,60,8\r\n", "AT%G29=20,12,2,32,3,31,\r\n",
                           "AT%G31=23003,3,103,20,31,30,60,8\r\n", "AT%G39=20,13,2,32,3,31,#\r\n",
                           "AT%G41=23004,4,104,20,31,30,60,8\r\n", "AT%G49=20,14,2,32,3,31,#\r\n"})
    expected.push_back(line);
  EXPECT_EQ(lanCommands(), expected);
  EXPECT_EQ(state.errorList, "");
}

TEST_F(OutgoingPageTest, E08KeepsEveryBitAndFieldButItsOwn) {
  struct Case {
    std::string e08;
    bool kestrin;
    int invite;
    std::string written;  // empty: E08 is not written
    std::string errors;
  };
  const std::string line = "Outgoing groups - Use CLIP to GSM from INVITE field\n";
  const std::vector<Case> cases = {
      {"E08=5,5,9\r\n", false, 1, "AT%E08=37,5,9\r\n", ""},
      {"E08=37\r\n", false, 1, "AT%E08=37\r\n", ""},
      // Kestrin: "Contact" always, the Ethernet page's bits stay.
      {"E08=39,1\r\n", true, 1, "AT%E08=7,1\r\n", ""},
      // Without the gateway's E08 nothing is written: the other bits would be lost.
      {"E09=0\r\n", false, 1, "", line},
      {"E08=x,2\r\n", false, 0, "", line},
  };
  for (const Case& c : cases) {
    loadFull();
    connection.kestrinEdition = c.kestrin;
    page.groups[0].clipFromInvite = c.invite;
    peer.answerOnce(kEthernetRead, dumpReply(kEthernetRead, c.e08));
    answerOthersOk();
    state.errorList.clear();
    page.outgoingSave();
    const Commands sent = lanCommands();
    const auto e08 =
        std::find_if(sent.begin(), sent.end(), [](const std::string& s) { return s.starts_with("AT%E08"); });
    EXPECT_EQ(e08 == sent.end() ? "" : *e08, c.written) << c.e08;
    EXPECT_EQ(state.errorList, c.errors) << c.e08;
    connection.kestrinEdition = false;
  }
}

TEST_F(OutgoingPageTest, KestrinWritesGroupOneWithItsFixedValuesAndKeepsThem) {
  loadFull();
  connection.kestrinEdition = true;
  page.applyEdition();
  gatewayTakesWrites();
  page.outgoingSave();
  EXPECT_EQ(lanCommands(),
            (Commands{"AT%S85=\r\n", "AT%S86=\r\n", "AT%G109=\r\n", kEthernetRead, "AT%E08=5,5,9\r\n",
                      "AT%G11=23001,1,0,0,1,1,1,0\r\n", "AT%G19=20,11,0,1,3,0,\r\n"}));
  EXPECT_EQ(page.groups[0].statsDeleteDay, 1);
  EXPECT_EQ(page.groups[0].clipToGsmSeparator, '\0');
  EXPECT_EQ(page.groups[1].maxCalledNumbers, 102);  // groups the gateway lacks are left alone
  EXPECT_EQ(page.tcOutgoing.items.size(), 1u);
  EXPECT_FALSE(page.edOutMaxNumber.visible || page.gbOut3.visible || page.edOutTextSms.visible);
  EXPECT_TRUE(page.edOutRoaming.visible && page.seOutDelayAlerting.visible &&
              page.cbOutgoingVirtualTone.visible);
}

TEST_F(OutgoingPageTest, FailedWritesAreListedOncePerText) {
  loadFull();
  client->refused = {"AT%"};
  gatewayTakesWrites();
  page.outgoingSave();
  EXPECT_EQ(
      state.errorList,
      "Outgoing groups - Text of SMS at no answer\nOutgoing groups - Text of SMS at no answer\n"
      "Outgoing groups - Text of SMS at all calls\nOutgoing groups - CLIP to GSM modification\n"
      "Outgoing groups - Use CLIP to GSM from INVITE field\n"
      "Outgoing groups - Roaming enabled for network, CLIR, max number of called numbers, SMS messages "
      "number, day of deleting stats, minimal length of call after connect, precision of counting length "
      "of call, pseudo tarif\n"
      "Outgoing groups - Delay for ALERTING, delay for CONNECT, disconnect call, day of deleting stats in "
      "group, default delay for sms at no answer\n");
}

TEST_F(OutgoingPageTest, ATextTooLongForItsCommandIsNotSent) {
  loadFull();
  page.groups[0].smsAllCallsText = std::string(600, 'c');
  gatewayTakesWrites();
  page.outgoingSave();
  EXPECT_EQ(lanCommands()[1], "AT%G109=+420-\r\n");
  EXPECT_EQ(state.errorList, "Outgoing groups - Text of SMS at all calls\n");
}

TEST_F(OutgoingPageTest, EditsGoToTheShownGroupTheTextsToAllAndTabsChangeNothing) {
  loadFull();
  state.clearAllModified();
  EXPECT_TRUE(page.editChoice("tcOutgoing", 2));
  EXPECT_FALSE(state.modified(PageId::Outgoing));
  EXPECT_EQ(page.edOutRoaming.text + "|" + std::to_string(page.cbOutGsmInvite.index), "23003|1");

  EXPECT_TRUE(page.editText("edOutRoaming", "12a3x"));
  EXPECT_TRUE(page.editText("edOutMaxNumber", ""));  // an empty number edit keeps the record's value
  EXPECT_TRUE(page.editNumber("seOutDelayConnect", 25));
  EXPECT_TRUE(page.editCheck("cbOutgoingVirtualTone", true));
  EXPECT_TRUE(page.editText("edOutTextSms", "call %N"));
  EXPECT_TRUE(page.editText("edOutClip", ","));  // a comma would end the field
  EXPECT_TRUE(page.editChoice("cbOutGsmInvite", 0));
  EXPECT_TRUE(state.modified(PageId::Outgoing));
  const OutgoingGroup& g3 = page.groups[2];
  EXPECT_EQ(g3.roamingNetwork, "123x");
  EXPECT_EQ(std::vector<int>({g3.maxCalledNumbers, g3.delayConnect, g3.groupFlags, g3.clipToGsmSeparator}),
            std::vector<int>({103, 20, 19, 0}));
  for (const OutgoingGroup& g : page.groups) EXPECT_EQ(g.smsNoAnswerText, "call %N");
  EXPECT_EQ(page.groups[0].clipFromInvite + g3.clipFromInvite, 1);  // group 1's copy only
  EXPECT_TRUE(page.editCheck("cbOutgoingVirtualTone", false));
  EXPECT_EQ(g3.groupFlags, 3);
}

TEST_F(OutgoingPageTest, TheCheckWantsBothNumbersAndTheImageTakesAllFourRecords) {
  EXPECT_TRUE(page.editText("edOutSmsNumber", ""));
  EXPECT_FALSE(page.outgoingValid());
  EXPECT_TRUE(page.edOutSmsNumber.marked && !page.edOutMaxNumber.marked);
  EXPECT_TRUE(page.editText("edOutSmsNumber", "4"));
  EXPECT_TRUE(page.outgoingValid());

  image.outgoing[3].roamingNetwork = "4444";
  image.outgoing[0].groupFlags = 16;
  page.outgoingLoadFile();
  EXPECT_EQ(page.groups, image.outgoing);
  EXPECT_TRUE(page.cbOutgoingVirtualTone.checked);
  page.groups[2].pseudoTariff = 5;
  page.outgoingSaveFile();
  EXPECT_EQ(image.outgoing, page.groups);
}

}  // namespace
}  // namespace gw

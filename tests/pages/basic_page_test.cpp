#include "pages/basic_page.h"

#include <gtest/gtest.h>

#include <deque>

#include "page_fixture.h"
#include "pages/cause_dialog.h"

namespace gw {
namespace {

using test::PageFixture;
using Commands = std::vector<std::string>;

constexpr const char* kGsmRead = "AT&V0\r\n";
constexpr const char* kAudioRead = "AT&VE\r\n";
const std::string kGsmDump =
    "G00=1111\r\nG02=2,3,4\r\nG04=1,5,1\r\nG08=5,9,8,3\r\nG09=161,1,2,3,3\r\nG100=102,22,43,44\r\n"
    "G101=17/20,18/21\r\nG103=0,1,3,13,2\r\n";
const Commands kWrites = {"AT%G08=5,9,8,3\r\n",      "AT%G09=161,1,2,3,3\r\n", "AT%G100=102,22,43,44\r\n",
                          "AT%G101=17/20,18/21\r\n", "AT%G02=2,3,4\r\n",       "AT%G04=1,5,1\r\n",
                          "AT%G103=0,1,3,13,2\r\n",  "AT%E04=40,20\r\n"};

// The cause dialog as a user fills it in: each run takes the next pair, none left cancels.
struct CauseEntries : DialogRunner {
  std::deque<std::pair<int, int>> pairs;
  bool run(RecordDialog& dialog) override {
    if (pairs.empty()) return false;
    dialog.editNumber("se1", pairs.front().first);
    dialog.editNumber("se2", pairs.front().second);
    pairs.pop_front();
    return true;
  }
};

class BasicPageTest : public PageFixture {
 protected:
  CauseEntries entries;
  BasicPage page{withDialogs()};

  const PageContext& withDialogs() {
    context.dialogs = &entries;
    return context;
  }
  void SetUp() override { connectLan(); }
  void gatewayHolds(const std::string& gsm, const std::string& audio) {
    peer.answerOnce(kGsmRead, dumpReply(kGsmRead, gsm));
    peer.answerOnce(kAudioRead, dumpReply(kAudioRead, audio));
  }
  void loadFullDumps() {
    gatewayHolds(kGsmDump, "E04=40,20\r\n");
    ASSERT_TRUE(page.basicLoad());
    peer.received.clear();
  }
};

TEST_F(BasicPageTest, LoadTurnsRegisterValuesIntoTrackBarPositionsListsAndFlags) {
  loadFullDumps();
  EXPECT_EQ(state.errorList, "");
  EXPECT_TRUE(page.cbBasicSiemens.checked);
  EXPECT_EQ(page.tbBasicTran.value, 4);  // +5
  EXPECT_EQ(page.tbBasicRec.value, 0);   // -5
  EXPECT_EQ(page.tbBasicTran2.value, 6);
  EXPECT_EQ(page.tbBasicRec2.value, 4);
  EXPECT_EQ(page.cbBasicUse.index, 1);  // 13: "only GSM"
  EXPECT_EQ(page.cbBasicSearch.index, 2);
  EXPECT_EQ(page.cbBasicSim.index, 1);
  EXPECT_EQ(page.cbBasicRecSms.index, 1);
  EXPECT_TRUE(page.cbBasicTerminationGsm.checked);
  EXPECT_EQ(page.lbBasicCauses.items, (std::vector<std::string>{"17/20", "18/21"}));
  EXPECT_EQ(page.lbBasicOutputDb.text, "8dB");
  EXPECT_EQ(page.lbBasicInputDb.text, "-12dB");
  EXPECT_EQ(image.basic.g09Flags, 161);
  EXPECT_EQ(image.basic.terminationFlags, 3);
  EXPECT_EQ(image.basic.sierraNetworkUse, 13);
  EXPECT_EQ(image.basic.siemensTxVolume, 4);
}

TEST_F(BasicPageTest, MissingAndBadValuesGiveTheirLinesAndLeaveLevelsAsTheyWere) {
  page.tbBasicTran.value = 1;
  page.cbBasicVoice.index = 2;
  gatewayHolds("G02=2\r\nG04=9,x\r\nG09=5,1,2,3\r\nG103=0,0,0,7\r\n", "E04=99\r\n");
  EXPECT_TRUE(page.basicLoad());
  EXPECT_EQ(state.errorList,
            "Basic settings - Call delay\nBasic settings - Min numbers from VoIP\n"
            "Basic settings - Max numbers from VoIP\nBasic settings - Wait for next digit\n"
            "Basic settings - Lack of digits in OVERLAP mode\nBasic settings - Restricted number prefix\n"
            "Basic settings - Selected module/GSM group is not ready\n"
            "Basic settings - No module/GSM group is ready\n"
            "Basic settings - Transmission volume\nBasic settings - Reception volume\n"
            "Basic settings - Echo cancelling\nBasic settings - Transmission volume\n"
            "Basic settings - Reception volume\n");
  EXPECT_EQ(page.tbBasicTran.value, 1);
  EXPECT_EQ(page.cbBasicVoice.index, 2);
  EXPECT_EQ(page.cbBasicUse.index, 0);  // 7 is no code of the list
  EXPECT_EQ(page.tbBasicOutputLevel.value, 32);
  EXPECT_FALSE(page.cbBasicTerminationGsm.checked);  // G09 of four fields
  EXPECT_EQ(image.basic.terminationFlags, 0);

  peer.answer(kAudioRead, "\r\nERROR\r\n");
  state.errorList.clear();
  peer.answerOnce(kGsmRead, dumpReply(kGsmRead, kGsmDump));
  EXPECT_FALSE(page.basicLoad());
  EXPECT_EQ(state.errorList, "Basic settings - Audio level\n");
}

TEST_F(BasicPageTest, SaveWritesEveryRegisterKeepingTheFlagBitsOfOthers) {
  loadFullDumps();
  answerOthersOk();
  page.basicSave();
  EXPECT_EQ(lanCommands(), kWrites);

  // SIM card number back to IMSI: bit 0x1 goes, bit 0x80 (not this page's) stays.
  page.editChoice("cbBasicSim", 0);
  peer.received.clear();
  client->refused = {"AT%G09=160,1,2,3,3\r\n"};  // five fields do not go: four do
  page.basicSave();
  EXPECT_EQ(lanCommands()[1], "AT%G09=160,1,2,3\r\n");
  EXPECT_EQ(state.errorList, "");

  client->refused = {"AT%G09="};
  page.basicSave();
  EXPECT_EQ(state.errorList,
            "Basic settings - SIM card number, dial tone, ring tone, termination of call to GSM by command "
            "AT+SHUP \nBasic settings - SIM card number, dial tone, ring tone\n");
}

TEST_F(BasicPageTest, KestrinSendsTheCausePairsAsEmptyFields) {
  loadFullDumps();
  connection.kestrinEdition = true;
  answerOthersOk();
  page.basicSave();
  EXPECT_EQ(lanCommands()[3], "AT%G101=,\r\n");
  page.sbBasicCauseRemoveAllClick();
  peer.received.clear();
  page.basicSave();
  EXPECT_EQ(lanCommands()[3], "AT%G101=\r\n");
  page.applyEdition();
  EXPECT_FALSE(page.gbBasic2.visible || page.gbBasic4.visible || page.cbBasicGenerate.visible);
}

TEST_F(BasicPageTest, TheCauseListTakesNinePairsEachGsmCauseOnce) {
  entries.pairs = {{17, 30}, {17, 20}, {5, 6}};
  page.lbBasicCauses.items = {"17/20"};
  page.sbBasicCauseAddClick();  // another transfer of cause 17
  EXPECT_EQ(labels(), std::vector<int>{523});
  page.sbBasicCauseAddClick();  // the very pair again: nothing happens
  EXPECT_EQ(labels(), std::vector<int>{523});
  EXPECT_FALSE(state.modified(PageId::Basic));
  page.sbBasicCauseAddClick();
  EXPECT_EQ(page.lbBasicCauses.items, (std::vector<std::string>{"17/20", "5/6"}));
  EXPECT_TRUE(state.modified(PageId::Basic));

  page.lbBasicCauses.items.assign(kMaxCauseListPairs, "1/1");
  page.sbBasicCauseAddClick();
  EXPECT_EQ(labels(), (std::vector<int>{523, 76}));

  page.lbBasicCauses.items = {"1/2", "3/4", "5/6"};
  page.selectRow("lbBasicCauses", 1);
  page.sbBasicCauseRemoveClick();
  EXPECT_EQ(page.lbBasicCauses.items, (std::vector<std::string>{"1/2", "5/6"}));
  EXPECT_EQ(page.lbBasicCauses.selected, 0);
}

TEST_F(BasicPageTest, TheCauseDialogMarksATakenGsmCause) {
  CauseDialog dialog(context, {17});
  EXPECT_FALSE(dialog.se1.marked);
  dialog.editNumber("se1", 17);
  EXPECT_TRUE(dialog.clashes());
  dialog.editNumber("se1", 200);  // beyond 127
  EXPECT_EQ(dialog.se1.value, 127);
  EXPECT_FALSE(dialog.se1.marked);
  EXPECT_TRUE(dialog.click("sbCauseHelp"));
  EXPECT_TRUE(dialog.lvCauseHelp.visible);
}

TEST_F(BasicPageTest, ImageCopiesChangeOnlyThisPagesBits) {
  image.basic.g09Flags = 0xC0;
  image.basic.terminationFlags = 0x6;
  page.cbBasicSim.index = 1;
  page.cbBasicTerminationGsm.checked = true;
  page.basicSaveFile();
  EXPECT_EQ(image.basic.g09Flags, 0xC1);
  EXPECT_EQ(image.basic.terminationFlags, 0x7);

  image.basic.g09Flags = 0x20;
  image.basic.outputAudioLevel = 0;
  page.basicLoadFile();
  EXPECT_EQ(page.cbBasicSim.index, 0);
  EXPECT_EQ(page.cbBasicRecSms.index, 1);
  EXPECT_EQ(page.lbBasicOutputDb.text, "-32dB");
}

}  // namespace
}  // namespace gw

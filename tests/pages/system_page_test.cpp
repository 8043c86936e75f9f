#include "pages/system_page.h"

#include <gtest/gtest.h>

#include "page_fixture.h"

namespace gw {
namespace {

using test::commandsIn;
using test::PageFixture;
using Commands = std::vector<std::string>;

constexpr const char* kRead = "AT&V\r\n";
const std::string kFullDump =
    "S70=192.168.1.100\r\nS71=255.255.255.0\r\nS72=192.168.1.1\r\nS91=5,12\r\nS98=1234\r\n"
    "X30=A,B,C\r\nX31=11,12\r\nX32=21,22\r\nX33=31,32\r\nX24=3000\r\n";
const Commands kOrvaleWrites = {"AT%S91=5,12\r\n",  "AT%S98=1234\r\n",  "AT%X30=A,B,C\r\n",
                                "AT%X31=11,12\r\n", "AT%X32=21,22\r\n", "AT%X33=31,32\r\n",
                                "AT%X24=3000\r\n"};

class SystemPageTest : public PageFixture {
 protected:
  SystemPage page{context};

  void SetUp() override { connectLan(); }

  // The gateway answers the read command with these dump lines.
  void gatewayDump(const std::string& lines) { peer.answerOnce(kRead, dumpReply(kRead, lines)); }

  // Loads kFullDump and forgets what was sent so far.
  void loadFullDump() {
    gatewayDump(kFullDump);
    ASSERT_TRUE(page.systemLoad());
    peer.received.clear();
    state.errorList.clear();
  }
};

// The image a load leaves behind, through the page's fields.
SystemPart systemPart(std::vector<std::string> texts, int cdrMode, int unitId, int port) {
  SystemPart s;
  s.ipAddress = texts[0];
  s.subnetMask = texts[1];
  s.ipRouter = texts[2];
  s.cdrMode = cdrMode;
  s.unitId = unitId;
  s.pin = texts[3];
  s.startDialling = texts[4];
  s.endDialling = texts[5];
  s.endOfDialling = texts[6];
  s.hold = texts[7];
  s.hang = texts[8];
  s.followOn = texts[9];
  s.followOff = texts[10];
  s.smsOn = texts[11];
  s.smsOff = texts[12];
  s.firmwarePort = port;
  return s;
}

TEST_F(SystemPageTest, LoadFillsEveryFieldAndTheImage) {
  gatewayDump(kFullDump);
  EXPECT_TRUE(page.systemLoad());
  EXPECT_EQ(state.errorList, "");
  EXPECT_EQ(lanCommands(), Commands{kRead});
  EXPECT_EQ(kCdrModeItems[static_cast<std::size_t>(page.cbSystemCDRmode.index)], "All outgoing");
  EXPECT_EQ(page.edSystemUnitId.text, "12");
  EXPECT_EQ(page.edSystemDial3.text, "C");
  EXPECT_TRUE(page.cbSystemUpgrade.checked);
  EXPECT_EQ(image.system, systemPart({"192.168.1.100", "255.255.255.0", "192.168.1.1", "1234", "A", "B", "C",
                                      "11", "12", "21", "22", "31", "32"},
                                     5, 12, 3000));
}

TEST_F(SystemPageTest, ADumpWithoutKeysGivesTheDefaultsEachWithItsLine) {
  page.edSystemPin.text = "9999";
  gatewayDump("");
  EXPECT_TRUE(page.systemLoad());
  EXPECT_EQ(state.errorList,
            "System settings - CDR mode\nSystem settings - Unit ID\nSystem settings - Start dialing\n"
            "System settings - End dialing\nSystem settings - End of dialing\nSystem settings - Hold call\n"
            "System settings - Hang call\nSystem settings - Follow activation\n"
            "System settings - Follow deactivation\nSystem settings - Sms activation\n"
            "System settings - Sms deactivation\n");
  EXPECT_EQ(page.edSystemUnitId.text, "0");
  EXPECT_FALSE(page.cbSystemUpgrade.checked);
  EXPECT_EQ(image.system,
            systemPart({"", "", "", "", "#", "#", "#", "7*", "9#", "*55", "#55", "*33", "#33"}, 0, 0, 0));
}

TEST_F(SystemPageTest, AnEmptyS91ShowsNoneAndUnitZeroWithBothLines) {
  gatewayDump("S91=\r\nX30=*,#,#\r\nX31=1,2\r\nX32=3,4\r\nX33=5,6\r\n");
  page.systemLoad();
  EXPECT_EQ(page.cbSystemCDRmode.index, 0);
  EXPECT_EQ(page.edSystemUnitId.text, "0");
  EXPECT_EQ(state.errorList, "System settings - CDR mode\nSystem settings - Unit ID\n");
}

TEST_F(SystemPageTest, AShortX30TakesHashesForTheMissingFields) {
  gatewayDump("S91=1,0\r\nX30=*\r\nX31=1,2\r\nX32=3,4\r\nX33=5,6\r\n");
  page.systemLoad();
  EXPECT_EQ(page.edSystemStartDialing.text, "*");
  EXPECT_EQ(page.edSystemEndDialing.text, "#");
  EXPECT_EQ(page.edSystemDial3.text, "#");
  EXPECT_EQ(state.errorList, "System settings - End dialing\nSystem settings - End of dialing\n");
}

TEST_F(SystemPageTest, CdrModesMapBothWaysSkippingFour) {
  const std::vector<std::pair<int, int>> valueToIndex = {{0, 0}, {3, 3}, {4, 3}, {5, 4}, {7, 6}};
  for (const auto& [value, index] : valueToIndex) EXPECT_EQ(cdrIndexFromValue(value), index) << value;
  for (int index = 0; index < 7; ++index) {
    EXPECT_EQ(cdrIndexFromValue(cdrValueFromIndex(index)), index);
    EXPECT_NE(cdrValueFromIndex(index), 4);
  }
  // A value no item stands for is a bad value, not an index past the list.
  EXPECT_FALSE(cdrIndexFromValue(8));
  EXPECT_FALSE(cdrIndexFromValue(-1));
  gatewayDump("S91=9,3\r\nX30=1,2,3\r\nX31=1,2\r\nX32=3,4\r\nX33=5,6\r\n");
  page.systemLoad();
  EXPECT_EQ(page.cbSystemCDRmode.index, 0);
  EXPECT_EQ(state.errorList, "System settings - CDR mode\n");
}

TEST_F(SystemPageTest, ThePortTicksTheUpgradeBoxWhenNotZero) {
  const std::vector<std::pair<std::string, int>> cases = {{"0", 0}, {"2222", 2222}, {"5000", 5000}, {"x", 0}};
  for (const auto& [x24, port] : cases) {
    gatewayDump("X24=" + x24 + "\r\nS91=1,0\r\nX30=1,2,3\r\nX31=1,2\r\nX32=3,4\r\nX33=5,6\r\n");
    state.errorList.clear();
    page.systemLoad();
    EXPECT_EQ(page.seSystemPort.value, port) << x24;
    EXPECT_EQ(page.cbSystemUpgrade.checked, port != 0) << x24;
    EXPECT_EQ(page.seSystemPort.enabled, port != 0) << x24;
    EXPECT_EQ(state.errorList, "") << x24;
  }
}

TEST_F(SystemPageTest, AnUnreadableDumpKeepsTheFieldsAfterThreeAttempts) {
  page.edSystemHold.text = "5*";
  image.system.hold = "6*";
  peer.answer(kRead, "\r\nERROR\r\n");
  EXPECT_FALSE(page.systemLoad());
  EXPECT_EQ(lanCommands(), Commands(3, kRead));
  EXPECT_EQ(state.errorList, "System settings - All parametres\n");
  EXPECT_EQ(page.edSystemHold.text, "5*");
  EXPECT_EQ(image.system.hold, "6*");
}

TEST_F(SystemPageTest, SaveOverTheLanWritesNoAddresses) {
  loadFullDump();
  answerOthersOk();
  page.systemSave();
  EXPECT_EQ(lanCommands(), kOrvaleWrites);
  EXPECT_EQ(state.errorList, "");
}

TEST_F(SystemPageTest, SaveOverTheSerialLinkWritesTheAddressesThatAreFilled) {
  test::ScriptedSerialDevice& device = connectSerial();
  device.answer(kRead, dumpReply(kRead, kFullDump));
  ASSERT_TRUE(page.systemLoad());
  page.edSystemIpRouter.text = "";
  device.written.clear();
  answerOthersOk();
  page.systemSave();
  Commands expected = {"AT%S70=192.168.1.100\r\n", "AT%S71=255.255.255.0\r\n"};
  expected.insert(expected.end(), kOrvaleWrites.begin(), kOrvaleWrites.end());
  EXPECT_EQ(commandsIn(device.written), expected);
  EXPECT_EQ(state.errorList, "");
}

TEST_F(SystemPageTest, KestrinSendsFixedValuesForTheHiddenFields) {
  loadFullDump();
  connection.kestrinEdition = true;
  answerOthersOk();
  page.systemSave();
  EXPECT_EQ(lanCommands(),
            (Commands{"AT%S91=1,0\r\n", "AT%S98=1234\r\n", "AT%X30=#,#,#\r\n", "AT%X31=7*,9#\r\n",
                      "AT%X32=*55,#55\r\n", "AT%X33=*33,#33\r\n", "AT%X24=3000\r\n"}));
}

TEST_F(SystemPageTest, AnEmptyPinIsSentWithNothingAfterTheEqualsSign) {
  loadFullDump();
  page.edSystemPin.text = "";
  answerOthersOk();
  page.systemSave();
  EXPECT_EQ(lanCommands()[1], "AT%S98=\r\n");
}

TEST_F(SystemPageTest, ARefusedRegisterIsListedAndTheSaveGoesOn) {
  loadFullDump();
  peer.answer("AT%S98=1234\r\n", "\r\nERROR\r\n");
  answerOthersOk();
  page.systemSave();
  EXPECT_EQ(lanCommands(), kOrvaleWrites);
  EXPECT_EQ(state.errorList, "System settings - PIN\n");
}

TEST_F(SystemPageTest, RegistersThatCannotBeSentAreListedByStep) {
  loadFullDump();
  client->refused = {"AT%"};
  page.systemSave();
  EXPECT_EQ(state.errorList,
            "System settings - CDR mode, unit ID\n"
            "System settings - CDR modem, unit ID\n"
            "System settings - PIN\nSystem settings - PIN\n"
            "System settings - Start dialing, end dialing,end of dialing\n"
            "System settings - Start dialing, end dialing\n"
            "System settings - Hold call, hang call\nSystem settings - Hold call, hang call\n"
            "System settings - Follow activation, follow deactivation\n"
            "System settings - Follow activation, follow deactivation\n"
            "System settings - Sms activation, Sms deactivation\n"
            "System settings - Sms activation, Sms deactivation\n"
            "System settings - Port for upgrading FW through Ethernet\n");
}

TEST_F(SystemPageTest, TheCheckMarksEmptyCodesUnlessKestrin) {
  loadFullDump();
  page.edSystemHold.text = "";
  page.edSystemPin.text = "";
  page.edSystemDial3.text = "";
  EXPECT_FALSE(page.systemValid());
  EXPECT_TRUE(page.edSystemHold.marked);
  EXPECT_FALSE(page.edSystemPin.marked);
  EXPECT_FALSE(page.edSystemDial3.marked);
  EXPECT_FALSE(page.edSystemHang.marked);

  // Typing into the marked field takes the mark away and marks the page modified.
  state.clearAllModified();
  EXPECT_TRUE(page.editText("edSystemHold", ""));
  EXPECT_TRUE(page.edSystemHold.marked);
  EXPECT_TRUE(page.editText("edSystemHold", "7*"));
  EXPECT_FALSE(page.edSystemHold.marked);
  EXPECT_TRUE(state.modified(PageId::System));
  EXPECT_TRUE(page.systemValid());

  // The unit ID goes up to 255.
  page.edSystemUnitId.text = "256";
  EXPECT_FALSE(page.systemValid());
  EXPECT_TRUE(page.edSystemUnitId.marked);
  page.edSystemUnitId.set("255");
  EXPECT_TRUE(page.systemValid());

  page.edSystemUnitId.text = "";
  connection.kestrinEdition = true;
  EXPECT_TRUE(page.systemValid());
}

TEST_F(SystemPageTest, ImageCopiesConvertUnitCdrModeAndPort) {
  page.edSystemUnitId.text = "abc";
  page.cbSystemCDRmode.index = 4;
  page.systemSaveFile();
  EXPECT_EQ(image.system.unitId, 0);
  EXPECT_EQ(image.system.cdrMode, 5);

  image.system.cdrMode = 4;
  image.system.unitId = 17;
  image.system.firmwarePort = 0;
  image.system.endOfDialling = "*";
  page.systemLoadFile();
  EXPECT_EQ(page.cbSystemCDRmode.index, 3);
  EXPECT_EQ(page.edSystemUnitId.text, "17");
  EXPECT_FALSE(page.cbSystemUpgrade.checked);
  EXPECT_FALSE(page.seSystemPort.enabled);
  EXPECT_EQ(page.edSystemDial3.text, "*");

  image.system.firmwarePort = 4000;
  page.systemLoadFile();
  EXPECT_TRUE(page.cbSystemUpgrade.checked);
  EXPECT_EQ(page.seSystemPort.value, 4000);
  EXPECT_EQ(page.seSystemPort.min, 1);
}

TEST_F(SystemPageTest, TheUpgradeBoxSwitchesThePort) {
  EXPECT_TRUE(page.editCheck("cbSystemUpgrade", false));
  EXPECT_FALSE(page.seSystemPort.enabled);
  EXPECT_FALSE(page.lbSystemPort.enabled);
  EXPECT_EQ(page.seSystemPort.min, 0);
  EXPECT_EQ(page.seSystemPort.value, 0);
  EXPECT_TRUE(state.modified(PageId::System));

  EXPECT_TRUE(page.editCheck("cbSystemUpgrade", true));
  EXPECT_TRUE(page.seSystemPort.enabled);
  EXPECT_TRUE(page.lbSystemPort.enabled);
  EXPECT_EQ(page.seSystemPort.min, 1);
  EXPECT_EQ(page.seSystemPort.value, 2222);
  // With the box ticked the port cannot go below 1.
  EXPECT_TRUE(page.editNumber("seSystemPort", 0));
  EXPECT_EQ(page.seSystemPort.value, 1);
}

TEST_F(SystemPageTest, TheLinkAndTheEditionDecideWhatIsShown) {
  page.applyLinkType();
  EXPECT_FALSE(page.edSystemIpAddress.enabled);
  EXPECT_FALSE(page.edSystemIpRouter.enabled);
  link.comm.linkType = kSerialLink;
  page.applyLinkType();
  EXPECT_TRUE(page.edSystemSubnetMask.enabled);

  connection.kestrinEdition = true;
  page.applyEdition();
  EXPECT_FALSE(page.gbSystem2.visible);
  EXPECT_FALSE(page.gbSystem3.visible);
  EXPECT_FALSE(page.edSystemDial3.visible);
  EXPECT_FALSE(page.edSystemHold.visible);
  EXPECT_TRUE(page.edSystemPin.visible);
  EXPECT_TRUE(page.seSystemPort.visible);
  connection.kestrinEdition = false;
  page.applyEdition();
  EXPECT_TRUE(page.gbSystem2.visible && page.edSystemDial3.visible && page.edSystemHold.visible);
}

}  // namespace
}  // namespace gw

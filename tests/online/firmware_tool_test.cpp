// The firmware page's serial upgrade on the fake clock: the refusals that come before anything is sent, the
// compatibility check, the start from a connect that found the boot loader, and the close it holds off.
#include "online/firmware_tool.h"

#include "base/caption_ids.h"
#include "online/firmware_captions.h"
#include "program/close_question.h"
#include "program/program_fixture.h"

namespace gw::test {
namespace {

constexpr const char* kPort = "ttyGW";
constexpr const char* kImage = ":0400000001020304F2\n:00000001FF\n";

class FirmwareToolFixture : public ProgramFixture {
 protected:
  FirmwareTool& tool() { return program->tool<FirmwareTool>(); }

  void SetUp() override {
    ProgramFixture::SetUp();
    tool().engineClock = &clock;
    tool().runEngineHere = true;
  }

  // The gateway on the LAN with this boot version.
  void lanGateway(const std::string& boot) {
    peer.answerOnce("\r\n", "\r\nQN login: ");
    peer.answerOnce("admin\r", "admin\r\nPassword: ");
    peer.answerOnce("admin\r", "\r\nOK\r\n");
    peer.answer("ATI4\r\n", "ATI4\r\n\r\nSNumber: Q2041-00017\r\n\r\nOK\r\n");
    peer.answer("ATI3\r\n", "ATI3\r\n\r\nVelquin Orvale QN4\r\nB-" + boot + " V-03.00.05 \r\n\r\nOK\r\n");
    peer.answer("\r\n", "\r\nOK\r\n");
  }

  ScriptedSerialDevice& bootLoaderOnSerial() {
    program->link.comm.linkType = kSerialLink;
    program->link.comm.portName = kPort;
    program->link.comm.portList = {kPort};
    ScriptedSerialDevice& device = bus.device(kPort);
    device.answer(":020000050000F915", "?");  // the search's probe: anything but an echo
    device.answer(":00000012EE", "[ BOOT ]\r\n");
    device.answer(":00000005FB", ".\r\n");
    device.answer(":00000001FF", ".\r\nBoot: OK\r\nInit: OK\r\n");
    return device;
  }
};

TEST_F(FirmwareToolFixture, AFileThatCannotBeSentIsRefusedBeforeAnythingIsSent) {
  struct Case {
    const char* name;
    const char* content;  // nullptr: no such file
    int label;
    const char* said;
  };
  const Case cases[] = {
      {"missing.hex", nullptr, cap::kFileMissing, ""},
      {"notes.hex", "firmware notes\n", cap::kNotIntelHex, ""},
      {"damaged.hex", ":020000040000FA\n:0400000001020304F2\n:0400000001020304F3\n:00000001FF\n",
       cap::kBadHexLine, "3"},
      {"unended.hex", ":0400000001020304F2\n", cap::kBadHexLine, "2"},
  };
  for (const Case& c : cases) {
    host.clear();
    const std::string path = c.content != nullptr ? home.write(c.name, c.content) : home.file(c.name);
    tool().edFirmUpdate.set(path);
    EXPECT_EQ(tool().sbFirmUpgradeClick(), UpgradeOutcome::FileRefused) << c.name;
    EXPECT_EQ(host.messageLabels(), std::vector<int>{c.label}) << c.name;
    EXPECT_NE(host.messages.back().text.find(c.said), std::string::npos) << host.messages.back().text;
  }
  EXPECT_EQ(peer.connects, 0);
  EXPECT_TRUE(bus.openAttempts.empty());
  EXPECT_FALSE(program->connection.upgradeRunning);
}

// The identification keeps the space after the boot version: "02.08 " still opens the gateway to any
// image, "02.09 " refuses an old one; Ctrl skips the check.
struct CompatibilityCase {
  const char* boot;
  bool ctrl;
  bool refused;
};

class FirmwareCompatibility : public FirmwareToolFixture,
                              public ::testing::WithParamInterface<CompatibilityCase> {};

TEST_P(FirmwareCompatibility, TheCompatibilityCheckReadsTheBootVersionWithoutItsSpace) {
  const CompatibilityCase& c = GetParam();
  lanGateway(c.boot);
  tool().edFirmUpdate.set(home.write("m4713-v-02.06.10.hex", kImage));
  tool().sbFirmUpgradeMouseDown(c.ctrl);
  const UpgradeOutcome outcome = tool().sbFirmUpgradeClick();
  EXPECT_EQ(outcome == UpgradeOutcome::Incompatible, c.refused);
  const std::vector<int> labels = host.messageLabels();
  EXPECT_EQ(std::count(labels.begin(), labels.end(), cap::kImageIncompatible), c.refused ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(Boots, FirmwareCompatibility,
                         ::testing::Values(CompatibilityCase{"02.08", false, false},
                                           CompatibilityCase{"02.09", false, true},
                                           CompatibilityCase{"02.09", true, false}));

TEST_F(FirmwareToolFixture, AConnectThatFindsTheBootLoaderStartsTheUpgradeAndHoldsTheCloseOff) {
  ScriptedSerialDevice& device = bootLoaderOnSerial();
  host.answers = {Answer::Yes};
  host.files = {home.write("image.hex", kImage)};
  EXPECT_FALSE(program->connection.commConnect(false));
  EXPECT_EQ(host.messageLabels(), std::vector<int>{cap::kBootLoaderFound});
  ASSERT_TRUE(tool().serialUpgradeRunning());
  EXPECT_TRUE(closeRefused(*program));
  EXPECT_FALSE(host.mainEnabled);

  tool().pollSerialUpgrade();
  EXPECT_FALSE(tool().serialUpgradeRunning());
  EXPECT_FALSE(closeRefused(*program));
  EXPECT_TRUE(host.mainEnabled);
  EXPECT_EQ(tool().lastSerialResult(), CFWUpgradeThread::kSucceeded);
  EXPECT_NE(device.written.find(":0400000001020304F2:00000005FB:00000001FF"), std::string::npos);
  EXPECT_TRUE(readFile(home.file(FirmwareTool::kPortLogName)).starts_with("Testing port ttyGW"));
}

// The upgrade button on a gateway that waits in its boot loader: the connect of the check says nothing of
// it, the upgrade goes ahead in BOOT mode, and the reconnect after it asks (gwctl answers it No).
TEST_F(FirmwareToolFixture, TheUpgradeButtonTakesAGatewayInItsBootLoaderAsItIs) {
  bootLoaderOnSerial();
  tool().edFirmUpdate.set(home.write("image.hex", kImage));
  EXPECT_EQ(tool().sbFirmUpgradeClick(), UpgradeOutcome::Started);
  EXPECT_TRUE(host.messageLabels().empty());
  tool().pollSerialUpgrade();
  EXPECT_EQ(tool().lastSerialResult(), CFWUpgradeThread::kSucceeded);
  EXPECT_EQ(host.messageLabels(), std::vector<int>{cap::kBootLoaderFound});
}

}  // namespace
}  // namespace gw::test

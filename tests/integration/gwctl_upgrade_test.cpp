// gwctl upgrade over a pseudo-terminal against gwsim's boot loader: the image ends byte for byte in gwsim's
// flash, from a running firmware (erased first) and from a gateway left in its boot loader; a gateway that
// stays in its boot loader is reported, and --yes does not start a second upgrade.
#include "base/caption_ids.h"
#include "gwctl_fixture.h"
#include "support/firmware_image.h"

namespace gw::test {
namespace {

constexpr const char* kVersion = "03.01.02";

struct UpgradeCase {
  const char* name;
  std::size_t imageSize;
  std::vector<std::string> simOptions;
  int exitCode;
};

// Each case takes the port test's fixed waits (some 20 s): one test each, so they run side by side.
class GwctlUpgrade : public GwctlFixture, public ::testing::WithParamInterface<UpgradeCase> {};

TEST_P(GwctlUpgrade, WritesTheImageThroughTheBootLoader) {
  const UpgradeCase& c = GetParam();
  const std::string bytes = firmwareBytes(c.imageSize, kVersion);
  const std::string hex = home.file(std::string("image-") + c.name + ".hex");
  ASSERT_TRUE(writeIntelHex(bytes, home.file("image.bin"), hex));
  const std::string pty = home.file("ttyGW");
  const std::string flash = home.file(std::string("flash-") + c.name + ".bin");
  std::vector<std::string> simArgs = {"--pty", pty, "--flash", flash};
  simArgs.insert(simArgs.end(), c.simOptions.begin(), c.simOptions.end());
  SimProcess sim(GWSIM_PATH, simArgs);
  ASSERT_TRUE(sim.ready()) << sim.error();

  const ProcessResult r =
      gwctl({"--serial", pty, "--user", "admin", "--password", "admin", "--yes", "upgrade", hex, "--force"});
  EXPECT_EQ(r.exitCode, c.exitCode) << c.name << "\n" << r.err;
  if (c.exitCode == 0) {
    EXPECT_TRUE(readFile(flash) == bytes) << c.name;
    EXPECT_NE(r.out.find(std::string("Firmware : ") + kVersion), std::string::npos) << r.out;
  } else {
    const std::string question = english.at(cap::kBootLoaderFound);
    EXPECT_NE(r.err.find(question), std::string::npos) << r.err;
    EXPECT_EQ(r.err.find(question), r.err.rfind(question)) << "asked twice:\n" << r.err;
    EXPECT_NE(r.err.find("did not come back"), std::string::npos) << r.err;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Gateways, GwctlUpgrade,
    ::testing::Values(
        // above 64 KiB: objcopy's extended-address records place the rest; a lost answer is resent
        UpgradeCase{"firmware", 0x11000, {"--erase-ms", "50", "--reset-time", "200", "--boot-lose", "3"}, 0},
        UpgradeCase{"boot_loader", 0x1000, {"--boot"}, 0},
        UpgradeCase{"stays", 0x1000, {"--boot", "--boot-stay"}, 1}),
    [](const ::testing::TestParamInfo<UpgradeCase>& info) { return std::string(info.param.name); });

TEST_F(GwctlFixture, UpgradeRefusesADamagedFileAndALanLinkBeforeConnecting) {
  const std::string damaged =
      home.write("damaged.hex", ":0400000001020304F2\n:0400000001020304F3\n:00000001FF\n");
  ProcessResult r = gwctl({"--serial", home.file("ttyNone"), "upgrade", damaged});
  EXPECT_EQ(r.exitCode, 4) << r.err;
  EXPECT_NE(r.err.find("Line 2 of the firmware file is not a valid Intel-HEX record: its checksum is wrong."),
            std::string::npos)
      << r.err;

  r = gwctl({"--lan", "127.0.0.1:1", "upgrade", damaged, "--force"});
  EXPECT_EQ(r.exitCode, 2) << r.err;
}

}  // namespace
}  // namespace gw::test

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

std::ostream& operator<<(std::ostream& out, const UpgradeCase& c) {
  return out << c.name;
}

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

// Either link: the damaged record is named by its line before any connect (no gateway listens here).
TEST_F(GwctlFixture, UpgradeRefusesADamagedFileBeforeConnecting) {
  const std::string damaged =
      home.write("damaged.hex", ":0400000001020304F2\n:0400000001020304F3\n:00000001FF\n");
  for (const std::vector<std::string>& link : {std::vector<std::string>{"--serial", home.file("ttyNone")},
                                               std::vector<std::string>{"--lan", "127.0.0.1:1"}}) {
    std::vector<std::string> args = link;
    args.insert(args.end(), {"upgrade", damaged, "--force"});
    const ProcessResult r = gwctl(args);
    EXPECT_EQ(r.exitCode, 4) << link[0] << "\n" << r.err;
    EXPECT_NE(
        r.err.find("Line 2 of the firmware file is not a valid Intel-HEX record: its checksum is wrong."),
        std::string::npos)
        << r.err;
  }
}

}  // namespace
}  // namespace gw::test

namespace gw::test {
namespace {

// The LAN half: the image over UDP to the gateway record's firmware port lands in gwsim's flash from its
// second block on (the first block is the boot loader's and is never sent; the checksum block carries its
// stamp), also through lost and reordered datagrams; a wrong password and a silent port end with their
// message.
struct LanCase {
  const char* name;
  std::vector<std::string> simOptions;
  const char* password;
  bool silentPort;
  int exitCode;
  const char* said;
};

std::ostream& operator<<(std::ostream& out, const LanCase& c) {
  return out << c.name;
}

class GwctlLanUpgrade : public GwctlFixture, public ::testing::WithParamInterface<LanCase> {};

TEST_P(GwctlLanUpgrade, WritesTheImageOverUdp) {
  const LanCase& c = GetParam();
  const std::string bytes = firmwareBytes(0x12000, kVersion);
  const std::string hex = home.file("image.hex");
  ASSERT_TRUE(writeIntelHex(bytes, home.file("image.bin"), hex));
  const std::string flash = home.file("flash.bin");
  std::vector<std::string> simArgs = {"--tcp", "0", "--udp", "0", "--erase-ms", "100", "--flash", flash};
  simArgs.insert(simArgs.end(), c.simOptions.begin(), c.simOptions.end());
  SimProcess sim(GWSIM_PATH, simArgs);
  ASSERT_TRUE(sim.ready()) << sim.error();
  const int fwport = c.silentPort ? sim.tcpPort() : sim.udpPort();  // nothing answers UDP there
  ASSERT_EQ(gwctl({"gateway", "add", "Lan", "--host", "127.0.0.1", "--port", std::to_string(sim.tcpPort()),
                   "--fwport", std::to_string(fwport), "--user", "admin", "--password", c.password})
                .exitCode,
            0);

  const ProcessResult r = gwctl(
      {"--gateway", "Lan", "--lan", "127.0.0.1:" + std::to_string(sim.tcpPort()), "upgrade", hex, "--force"});
  EXPECT_EQ(r.exitCode, c.exitCode) << c.name << "\n" << r.err;
  EXPECT_NE(r.err.find(c.said), std::string::npos) << c.name << "\n" << r.err;
  if (c.exitCode != 0) return;
  const std::string written = readFile(flash);
  ASSERT_EQ(written.size(), bytes.size());
  for (std::size_t at = 1024; at < bytes.size(); at += 1024) {
    if (at == 0x2000) {
      EXPECT_EQ(written.compare(at + 6, 1018, bytes, at + 6, 1018), 0) << "checksum block";
    } else {
      EXPECT_EQ(written.compare(at, 1024, bytes, at, 1024), 0) << "block at " << at;
    }
  }
  EXPECT_EQ(written[0x2000], '[');
}

INSTANTIATE_TEST_SUITE_P(
    Ports, GwctlLanUpgrade,
    ::testing::Values(
        // a password that holds a colon logs in: "user:password" is split at its first colon
        LanCase{"lossy",
                {"--udp-loss", "5", "--udp-reorder", "--login", "admin:pa:ss"},
                "pa:ss",
                false,
                0,
                "upgraded successfully"},
        // the console takes any login; the firmware port wants admin/admin
        LanCase{"password", {"--no-login"}, "wrong", false, 1, "UCMD packet user:name"},
        LanCase{"silent", {}, "admin", true, 1, "User escaped"}),
    [](const ::testing::TestParamInfo<LanCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace gw::test

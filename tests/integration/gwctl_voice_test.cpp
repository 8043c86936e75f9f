// gwctl voice against gwsim: the overview and the transfers over a pseudo-terminal (through a damaged block
// and a lost acknowledgement), the refusal over the LAN, and a recording call that runs to its end.

#include "gwctl_fixture.h"

namespace gw::test {
namespace {

class VoiceCommands : public GwctlFixture {
 protected:
  static std::vector<std::string> serial(const std::string& pty, std::vector<std::string> rest) {
    std::vector<std::string> args = {"--serial", pty, "--user", "admin", "--password", "admin"};
    args.insert(args.end(), rest.begin(), rest.end());
    return args;
  }
};

constexpr std::size_t kMessageOneBytes = 6044;  // gwsim's message 1: 500 + 250 ms of 8 kHz A-law and a header

// Each connection over the pty costs seconds, so the serial side does the transfers only; the LAN console of
// the same gateway shows the result.
TEST_F(VoiceCommands, ReadAndWriteCrossThePtyThroughLineFaults) {
  const std::string pty = home.file("ttyGW");
  SimProcess sim(GWSIM_PATH, {"--tcp", "0", "--pty", pty, "--rates", "115200", "--xmodem-corrupt", "2",
                              "--xmodem-drop-ack", "3"});
  ASSERT_TRUE(sim.ready()) << sim.error();
  const std::string wav = home.file("hello.wav");

  ProcessResult r = gwctl(serial(pty, {"voice", "read", "1", wav}));
  ASSERT_EQ(r.exitCode, 0) << r.err;
  const std::string hello = readFile(wav);
  ASSERT_EQ(hello.size(), kMessageOneBytes);
  EXPECT_EQ(hello.substr(0, 4), "RIFF");

  r = gwctl(serial(pty, {"voice", "write", "8", wav}));
  ASSERT_EQ(r.exitCode, 0) << r.err;
  r = gwctl(lan(sim, {"voice", "info"}));
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_NE(r.out.find("8  Voice message \"back\": File length: 6044, "), std::string::npos) << r.out;

  // Transfers run over the serial link only: the LAN refuses them and leaves no file behind.
  r = gwctl(lan(sim, {"voice", "read", "1", home.file("x.wav")}));
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_FALSE(std::filesystem::exists(home.file("x.wav")));
}

TEST_F(VoiceCommands, ARecordingCallFollowsTheIndicationsToItsEnd) {
  SimProcess sim(GWSIM_PATH, {"--tcp", "0", "--call-step-ms", "300", "--record-ms", "500"});
  ASSERT_TRUE(sim.ready()) << sim.error();
  ProcessResult r = gwctl(lan(sim, {"voice", "record", "+420123456789", "--erase"}));
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out, "Conecting ...\nProceeding ...\nAlerting ...\nRecording ...\nDisconnected\n");
  r = gwctl(lan(sim, {"voice", "info"}));
  EXPECT_EQ(r.out.substr(0, 3), "0  ") << r.out;
}

}  // namespace
}  // namespace gw::test

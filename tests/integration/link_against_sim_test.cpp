// The real serial and LAN transports of the link against gwsim processes: the rate climb on a
// pseudo-terminal, login variants, split replies and a silent device.

#include <gtest/gtest.h>

#include "base/clock.h"
#include "base/recording_host.h"
#include "link/link.h"
#include "link/login.h"
#include "link/serial_search.h"
#include "support/sim_process.h"
#include "support/temp_dir.h"

namespace gw::test {
namespace {

constexpr std::size_t kReplyBuffer = 1024;

struct SerialSearch : ::testing::Test {
  TempDir dir;
  SystemClock clock;
  Link link{clock};
  RecordingHost host;
  CaptionList captions;
  std::string errors;

  SerialSearchResult search(const std::string& pty) {
    link.comm.linkType = kSerialLink;
    link.comm.portList = {pty};
    return findSerialGateway(link, host, captions, errors);
  }
};

TEST_F(SerialSearch, ClimbsToTheFastestRateTheGatewayAnswers) {
  struct Case {
    const char* rates;
    int expected;
  };
  for (const Case& c : {Case{"57600,115200", 115200}, Case{"57600,115200,230400,460800,921600", 921600}}) {
    const std::string pty = dir.file("ttyGW");
    SimProcess sim(GWSIM_PATH, {"--pty", pty, "--no-login", "--rates", c.rates});
    ASSERT_TRUE(sim.ready()) << sim.error();
    const SerialSearchResult result = search(pty);
    EXPECT_FALSE(result.notFound);
    EXPECT_FALSE(result.bootLoader);
    ASSERT_TRUE(link.comm.portHandle) << errors;
    EXPECT_EQ(link.comm.baudRate, c.expected);
    EXPECT_EQ(link.comm.portName, pty);

    // The port is left open at that rate and talks.
    ASSERT_EQ(link.commSend("ATI4\r\n"), 6);
    // The reply is read as it arrives, without the pauses the callers usually leave.
    const std::string reply = link.commReceive(kReplyBuffer);
    EXPECT_NE(reply.find("SNumber: Q2041-00017"), std::string::npos) << reply;
    link.closeSerial();
  }
}

TEST_F(SerialSearch, ReportsTheBootLoaderAtTheFirstRate) {
  const std::string pty = dir.file("ttyBoot");
  SimProcess sim(GWSIM_PATH, {"--pty", pty, "--boot", "--log", dir.file("heard.txt")});
  ASSERT_TRUE(sim.ready()) << sim.error();
  const SerialSearchResult result = search(pty);
  EXPECT_TRUE(result.bootLoader);
  EXPECT_EQ(link.comm.baudRate, 57600);
  // No AT exchange reached the boot loader.
  EXPECT_EQ(readFile(dir.file("heard.txt")).find("AT"), std::string::npos);
}

TEST_F(SerialSearch, AFixedPortThatDoesNotExistFailsAtOnce) {
  const std::string missing = dir.file("nothing-here");
  link.comm.portName = missing;
  const SerialSearchResult result = search(missing);
  EXPECT_TRUE(result.notFound);
  EXPECT_EQ(errors.substr(0, missing.size() + 3), missing + " : ");
  EXPECT_EQ(std::count(errors.begin(), errors.end(), '\n'), 1);
}

struct LanLink : ::testing::Test {
  SystemClock clock;
  Link link{clock};

  void open(const SimProcess& sim) {
    ASSERT_TRUE(sim.ready()) << sim.error();
    link.comm.linkType = kLanLink;
    ASSERT_TRUE(link.lanOpenSocket("127.0.0.1", sim.tcpPort()));
  }

  std::string greeting() {
    link.commSend("\r\n");
    return link.commReceive(kReplyBuffer);
  }
};

TEST_F(LanLink, LogsInWithTheEditionsPromptOrWithoutAny) {
  {
    SimProcess sim(GWSIM_PATH, {"--tcp", "0", "--edition", "kestrin", "--telnet"});
    open(sim);
    const std::string hello = greeting();
    EXPECT_NE(hello.find("QNK login:"), std::string::npos);
    EXPECT_EQ(hello.find('\xFF'), std::string::npos);  // Telnet negotiation never reaches the reply
    EXPECT_TRUE(gatewayLogin(link, "admin", "admin", hello));
    link.lanClose();
  }
  {
    SimProcess sim(GWSIM_PATH, {"--tcp", "0", "--prompt", "QNC login: "});
    open(sim);
    EXPECT_FALSE(gatewayLogin(link, "admin", "wrong", greeting()));
    link.lanClose();
  }
  {
    SimProcess sim(GWSIM_PATH, {"--tcp", "0", "--no-login"});
    open(sim);
    EXPECT_TRUE(gatewayLogin(link, "", "", greeting()));
    link.lanClose();
  }
}

TEST_F(LanLink, ARepliesSplitOverSegmentsIsCollectedWhole) {
  SimProcess sim(GWSIM_PATH, {"--tcp", "0", "--no-login", "--split-replies"});
  open(sim);
  ASSERT_EQ(link.commSend("AT&V\r\n"), 6);
  const std::string dump = link.commReceive(kReplyBuffer);
  EXPECT_NE(dump.find("S70="), std::string::npos);
  EXPECT_NE(dump.find("X24="), std::string::npos);
  EXPECT_TRUE(dump.ends_with("\r\nOK\r\n")) << dump;
}

TEST_F(LanLink, ASilentDeviceGivesAnEmptyReplyWithinTheResponseTime) {
  SimProcess sim(GWSIM_PATH, {"--tcp", "0", "--no-login", "--silent-after", "0"});
  open(sim);
  link.timeoutMs = 1000;
  const auto start = clock.nowMs();
  ASSERT_EQ(link.commSend("AT\r\n"), 4);
  EXPECT_EQ(link.commReceive(kReplyBuffer), "");
  const auto took = clock.nowMs() - start;
  EXPECT_GE(took, 1000);
  EXPECT_LE(took, 2200);  // the response time plus up to one second of whole-second slack
}

}  // namespace
}  // namespace gw::test

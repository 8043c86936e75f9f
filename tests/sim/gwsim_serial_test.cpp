// The built gwsim over its serial console on a pseudo-terminal, with nothing but termios.

#include <gtest/gtest.h>
#include <poll.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <string>
#include <vector>

#include "raw_line.h"
#include "support/sim_process.h"
#include "support/temp_dir.h"

namespace gwsim::test {
namespace {

using gw::test::SimProcess;

constexpr const char* kOk = "\r\nOK\r\n";
constexpr int kUnreadPauseMs = 100;
constexpr int kProbePauseMs = 10;
constexpr int kLineSilenceMs = 250;  // a client's serial read ends after this long without a byte
constexpr int kAnswerWaitMs = 1000;
constexpr int kStopWaitMs = 3000;

std::vector<std::string> serialArgs(const gw::test::TempDir& dir, std::vector<std::string> extra = {}) {
  std::vector<std::string> args{"--pty", dir.file("ttyGW")};
  args.insert(args.end(), extra.begin(), extra.end());
  return args;
}

void pause(int ms) {
  ::poll(nullptr, 0, ms);
}

// One step of a client's rate search, as the device sees it: the boot probe, "AT", then "ATI3", whose answer
// must show the product mark.
bool answersAt(const std::string& path, int rate) {
  RawLine line = RawLine::serial(path, rate);
  line.send("fff");
  pause(kProbePauseMs);
  line.send(":020000050000F915");
  pause(kProbePauseMs);
  if (line.readFor(kLineSilenceMs) != "ffff:020000050000F915") {
    line.send(":00000012EE");
    pause(kProbePauseMs);
    line.readFor(kLineSilenceMs);
  }
  line.send("AT\r\n");
  pause(kUnreadPauseMs);
  line.readFor(kLineSilenceMs);
  pause(kUnreadPauseMs);
  line.send("ATI3\r\n");
  return line.readUntil("QN", kAnswerWaitMs).find("QN") != std::string::npos;
}

bool exists(const std::string& path) {
  struct stat status {};
  return ::lstat(path.c_str(), &status) == 0;
}

TEST(GwsimSerial, AnswersOnlyAtTheGivenRates) {
  gw::test::TempDir dir;
  SimProcess sim(GWSIM_PATH, serialArgs(dir, {"--rates", "115200,230400", "--no-login"}));
  ASSERT_TRUE(sim.ready()) << sim.error();
  EXPECT_EQ(sim.ptyPath(), dir.file("ttyGW"));
  RawLine line = RawLine::serial(sim.ptyPath(), 57600);
  ASSERT_TRUE(line.open());
  ASSERT_TRUE(line.send("AT\r\n"));
  EXPECT_EQ(line.readFor(kSilenceWaitMs), "");  // no echo, no answer

  ASSERT_TRUE(line.setSpeed(115200));
  ASSERT_TRUE(line.send("ATI3\r\n"));
  EXPECT_NE(line.readUntil(kOk).find("Velquin Orvale QN4"), std::string::npos);

  // What the client did not read at one speed is gone at the next: a new speed starts clean.
  ASSERT_TRUE(line.send("ATI4\r\n"));
  ::poll(nullptr, 0, kUnreadPauseMs);  // the reply waits unread on the line
  ASSERT_TRUE(line.setSpeed(230400));
  ASSERT_TRUE(line.send("AT\r"));
  ::poll(nullptr, 0, kUnreadPauseMs);  // as a client does: the gateway sees the new speed when bytes arrive
  EXPECT_EQ(line.readUntil(kOk), "AT\r\n\r\nOK\r\n");
}

TEST(GwsimSerial, ARateSearchClimbsToTheLastAnsweringRateThenLogsIn) {
  gw::test::TempDir dir;
  SimProcess sim(GWSIM_PATH, serialArgs(dir, {"--rates", "57600,115200"}));
  ASSERT_TRUE(sim.ready()) << sim.error();
  EXPECT_TRUE(answersAt(sim.ptyPath(), 57600));
  EXPECT_TRUE(answersAt(sim.ptyPath(), 115200));
  EXPECT_FALSE(answersAt(sim.ptyPath(), 230400));

  RawLine line = RawLine::serial(sim.ptyPath(), 115200);
  ASSERT_TRUE(logIn(line));
  ASSERT_TRUE(line.send("ATI3\r\n"));
  EXPECT_NE(line.readUntil(kOk).find("B-01.05 V-03.00.05 "), std::string::npos);
}

TEST(GwsimSerial, LogsInOnAnEmptyLineAndAfterARestartTakesCommandsAtOnce) {
  gw::test::TempDir dir;
  SimProcess sim(GWSIM_PATH, serialArgs(dir, {"--reset-time", "200", "--edition", "kestrin"}));
  ASSERT_TRUE(sim.ready()) << sim.error();
  RawLine line = RawLine::serial(sim.ptyPath(), 921600);
  EXPECT_EQ(line.readFor(kSilenceWaitMs), "");  // the serial console greets nobody unasked
  ASSERT_TRUE(logIn(line));
  ASSERT_TRUE(line.send("ATI4\r\n"));
  EXPECT_NE(line.readUntil(kOk).find("SNumber: K427-00017"), std::string::npos);

  ASSERT_TRUE(line.send("AT&BSYS=RESET\r\n"));
  EXPECT_EQ(line.readUntil(kOk), "AT&BSYS=RESET\r\n\r\nOK\r\n");
  ASSERT_TRUE(line.send("AT\r"));  // the gateway is restarting: not even an echo
  EXPECT_EQ(line.readUntil("Init: OK\r\n"), "\r\nInit: OK\r\n");
  // A client that reset the gateway over this line goes on with its next command.
  ASSERT_TRUE(line.send("AT\r"));
  EXPECT_EQ(line.readUntil(kOk), "AT\r\n\r\nOK\r\n");
}

TEST(GwsimSerial, TakingG723IntoTheCodecsReinitialisesTheVoiceButKeepsTheLogin) {
  gw::test::TempDir dir;
  SimProcess sim(GWSIM_PATH, serialArgs(dir, {"--reset-time", "200"}));
  ASSERT_TRUE(sim.ready()) << sim.error();
  RawLine line = RawLine::serial(sim.ptyPath(), 115200);
  ASSERT_TRUE(logIn(line));
  ASSERT_TRUE(line.send("AT%E01=4,0,8\r\n"));
  EXPECT_EQ(line.readUntil("Init: OK\r\n"), "AT%E01=4,0,8\r\n\r\nOK\r\n\r\nInit: OK\r\n");
  ASSERT_TRUE(line.send("AT&VE\r\n"));
  EXPECT_NE(line.readUntil(kOk).find("\r\nE01=4,0,8\r\n"), std::string::npos);  // no new login asked
}

TEST(GwsimSerial, BootLoaderAnswersTheBootProbe) {
  gw::test::TempDir dir;
  SimProcess sim(GWSIM_PATH, serialArgs(dir, {"--boot", "--log", dir.file("log.txt")}));
  ASSERT_TRUE(sim.ready()) << sim.error();
  RawLine line = RawLine::serial(sim.ptyPath(), 57600);
  ASSERT_TRUE(line.send("fff") && line.send(":020000050000F915"));
  const std::string first = line.readFor(kSilenceWaitMs);
  EXPECT_FALSE(first.empty());
  EXPECT_NE(first, "ffff:020000050000F915");
  ASSERT_TRUE(line.send(":00000012EE"));
  EXPECT_NE(line.readUntil("[ BOOT ]\r\n").find("[ BOOT ]"), std::string::npos);
  ASSERT_TRUE(line.send("AT\r\n"));
  EXPECT_EQ(line.readFor(kSilenceWaitMs), "");  // the boot loader speaks no AT
  EXPECT_EQ(gw::test::readFile(dir.file("log.txt")), ":020000050000F9\n:00000012EE\n");
}

TEST(GwsimSerial, FirmwareConsoleEchoesTheBootProbeAndRefusesItAsACommand) {
  gw::test::TempDir dir;
  SimProcess sim(GWSIM_PATH, serialArgs(dir, {"--no-login"}));
  ASSERT_TRUE(sim.ready()) << sim.error();
  RawLine line = RawLine::serial(sim.ptyPath(), 57600);
  ASSERT_TRUE(line.send("fff") && line.send(":020000050000F915"));
  EXPECT_EQ(line.readUntil("F915"), "fff:020000050000F915");
  ASSERT_TRUE(line.send(":00000012EE"));
  EXPECT_EQ(line.readUntil("12EE"), ":00000012EE");
  ASSERT_TRUE(line.send("\r\n"));
  EXPECT_EQ(line.readUntil("\r\nERROR\r\n"), "\r\n\r\nERROR\r\n");
}

TEST(GwsimSerial, BothConsolesShareOneGatewayAndSigtermRemovesTheLink) {
  gw::test::TempDir dir;
  std::vector<std::string> args{"--tcp", "0"};
  for (const std::string& arg : serialArgs(dir, {"--no-login"})) args.push_back(arg);
  SimProcess sim(GWSIM_PATH, args);
  ASSERT_TRUE(sim.ready()) << sim.error();
  ASSERT_GT(sim.tcpPort(), 0);
  ASSERT_TRUE(exists(sim.ptyPath()));

  RawLine lan = RawLine::tcp(sim.tcpPort());
  ASSERT_TRUE(lan.send("AT%S72=10.9.8.7\r"));
  ASSERT_NE(lan.readUntil(kOk).find(kOk), std::string::npos);
  RawLine serial = RawLine::serial(sim.ptyPath(), 460800);
  ASSERT_TRUE(serial.send("AT&V\r"));
  EXPECT_NE(serial.readUntil(kOk).find("\r\nS72=10.9.8.7\r\n"), std::string::npos);

  const int status = sim.stop();
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
  EXPECT_FALSE(exists(dir.file("ttyGW")));
  EXPECT_TRUE(lan.closedByPeer());
}

TEST(GwsimSerial, StopsCleanlyWhenTheProcessThatStartedItDies) {
  gw::test::TempDir dir;
  int pidPipe[2];
  ASSERT_EQ(::pipe(pidPipe), 0);
  const pid_t starter = ::fork();
  ASSERT_GE(starter, 0);
  if (starter == 0) {
    SimProcess sim(GWSIM_PATH, serialArgs(dir));
    const pid_t simPid = sim.ready() ? sim.pid() : -1;
    ::write(pidPipe[1], &simPid, sizeof simPid);
    ::_exit(0);  // no destructor runs: the simulator is orphaned
  }
  pid_t simPid = -1;
  ASSERT_EQ(::read(pidPipe[0], &simPid, sizeof simPid), static_cast<ssize_t>(sizeof simPid));
  ::close(pidPipe[0]);
  ::close(pidPipe[1]);
  ::waitpid(starter, nullptr, 0);
  ASSERT_GT(simPid, 0);
  for (int waited = 0; waited < kStopWaitMs && exists(dir.file("ttyGW")); waited += kProbePauseMs) {
    pause(kProbePauseMs);
  }
  EXPECT_FALSE(exists(dir.file("ttyGW")));  // removed: it stopped cleanly, not killed
}

}  // namespace
}  // namespace gwsim::test

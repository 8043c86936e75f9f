// The built gwsim over its LAN console, with nothing but sockets.

#include <gtest/gtest.h>
#include <poll.h>
#include <sys/wait.h>

#include <optional>
#include <string>
#include <vector>

#include "raw_line.h"
#include "support/sim_process.h"
#include "support/temp_dir.h"

namespace gwsim::test {
namespace {

using gw::test::SimProcess;

constexpr const char* kOk = "\r\nOK\r\n";
constexpr const char* kError = "\r\nERROR\r\n";
constexpr int kRetryPauseMs = 50;

bool exitedWith(int status, int code) {
  return WIFEXITED(status) && WEXITSTATUS(status) == code;
}

std::vector<std::string> lanArgs(std::vector<std::string> extra = {}) {
  std::vector<std::string> args{"--tcp", "0"};
  args.insert(args.end(), extra.begin(), extra.end());
  return args;
}

// Sends a command and returns its echo and reply, up to the end marker.
std::string exchange(RawLine& line, const std::string& command, const char* end = kOk) {
  return line.send(command) ? line.readUntil(end) : std::string();
}

TEST(GwsimLan, LogsInIdentifiesAndDumpsWhatWasWritten) {
  gw::test::TempDir dir;
  SimProcess sim(GWSIM_PATH, lanArgs({"--log", dir.file("log.txt")}));
  ASSERT_TRUE(sim.ready()) << sim.error();
  RawLine line = RawLine::tcp(sim.tcpPort());
  ASSERT_TRUE(line.open());
  EXPECT_EQ(line.readUntil("QN login: "), "QN login: ");  // greeting at connect
  ASSERT_TRUE(logIn(line));

  EXPECT_NE(exchange(line, "ATI4\r\n").find("SNumber: Q2041-00017"), std::string::npos);
  EXPECT_NE(exchange(line, "ATI3\r\n").find("B-01.05 V-03.00.05 "), std::string::npos);
  EXPECT_EQ(exchange(line, "AT%S91=5,12\r\n"), "AT%S91=5,12\r\n\r\nOK\r\n");
  EXPECT_NE(exchange(line, "AT&V\r\n").find("\r\nS91=5,12\r\n"), std::string::npos);
  EXPECT_EQ(exchange(line, "AT%S91\r\n", kError), "AT%S91\r\n\r\nERROR\r\n");

  EXPECT_EQ(gw::test::readFile(dir.file("log.txt")),
            "\nadmin\nadmin\nATI4\nATI3\nAT%S91=5,12\nAT&V\nAT%S91\n");
}

TEST(GwsimLan, ServesClientsOneAfterAnother) {
  SimProcess sim(GWSIM_PATH, lanArgs({"--no-login", "--telnet"}));
  ASSERT_TRUE(sim.ready()) << sim.error();
  std::optional<RawLine> first(RawLine::tcp(sim.tcpPort()));
  const std::string negotiation = first->readFor(100);
  ASSERT_FALSE(negotiation.empty());
  EXPECT_EQ(static_cast<unsigned char>(negotiation[0]), 0xFF);  // IAC
  // A client's own negotiation is ignored, not taken as a command.
  EXPECT_EQ(exchange(*first,
                     "\xff\xfd\x01\xff\xfb\x1f"
                     "AT\r\n"),
            "AT\r\n\r\nOK\r\n");

  RawLine second = RawLine::tcp(sim.tcpPort());  // waits while the first is served
  ASSERT_TRUE(second.open());
  EXPECT_TRUE(second.readFor(kSilenceWaitMs).empty());
  first.reset();
  EXPECT_EQ(second.readUntil("\xff\xfd\x18"),
            std::string("\xff\xfb\x01\xff\xfb\x03\xff\xfd\x1f\xff\xfd\x18"));
  EXPECT_EQ(exchange(second, "AT&M0\r"), "AT&M0\r\n\r\nOK\r\n");
}

TEST(GwsimLan, RefusedWritesAnswerErrorAndAreNotStored) {
  SimProcess sim(GWSIM_PATH, lanArgs({"--no-login", "--refuse", "S98,X24"}));
  ASSERT_TRUE(sim.ready()) << sim.error();
  RawLine line = RawLine::tcp(sim.tcpPort());
  EXPECT_EQ(exchange(line, "AT%X24=0\r\n", kError), "AT%X24=0\r\n\r\nERROR\r\n");
  EXPECT_EQ(exchange(line, "AT%S98=1234\r\n", kError), "AT%S98=1234\r\n\r\nERROR\r\n");
  const std::string dump = exchange(line, "AT&V\r\n");
  EXPECT_NE(dump.find("\r\nX24=2222\r\n"), std::string::npos);
  EXPECT_NE(dump.find("\r\nS98=\r\n"), std::string::npos);
}

TEST(GwsimLan, SilentAfterNLinesSendsNothingMore) {
  SimProcess sim(GWSIM_PATH, lanArgs({"--silent-after", "1"}));
  ASSERT_TRUE(sim.ready()) << sim.error();
  RawLine line = RawLine::tcp(sim.tcpPort());
  ASSERT_TRUE(logIn(line));
  EXPECT_EQ(exchange(line, "AT\r"), "AT\r\n\r\nOK\r\n");
  ASSERT_TRUE(line.send("AT\r"));
  EXPECT_EQ(line.readFor(kSilenceWaitMs), "");
}

TEST(GwsimLan, SplitRepliesArriveInSeveralReadsAndRejoinExactly) {
  SimProcess sim(GWSIM_PATH, lanArgs({"--no-login", "--split-replies"}));
  ASSERT_TRUE(sim.ready()) << sim.error();
  RawLine line = RawLine::tcp(sim.tcpPort());
  ASSERT_TRUE(line.send("AT&V\r\n"));
  const std::vector<std::string> blocks = line.readBlocksUntil(kOk);
  std::string all;
  for (const std::string& block : blocks) all += block;
  EXPECT_GE(blocks.size(), 3u);
  const std::string end = "\r\nX24=2222\r\n\r\nOK\r\n";
  EXPECT_EQ(all.substr(0, 8), "AT&V\r\n\r\n");
  ASSERT_GT(all.size(), end.size());
  EXPECT_EQ(all.substr(all.size() - end.size()), end);
}

TEST(GwsimLan, GarbageComesBeforeTheReply) {
  SimProcess sim(GWSIM_PATH, lanArgs({"--no-login", "--garbage"}));
  ASSERT_TRUE(sim.ready()) << sim.error();
  RawLine line = RawLine::tcp(sim.tcpPort());
  const std::string reply = exchange(line, "AT\r");
  ASSERT_GT(reply.size(), std::string("AT\r\n\r\nOK\r\n").size());
  EXPECT_EQ(reply.substr(0, 4), "AT\r\n");
  EXPECT_NE(reply.find('\0'), std::string::npos);
  EXPECT_EQ(reply.substr(reply.size() - 6), kOk);
}

TEST(GwsimLan, DropAfterCutsTheReplyClosesAndLetsTheClientBackIn) {
  SimProcess sim(GWSIM_PATH, lanArgs({"--no-login", "--drop-after", "1"}));
  ASSERT_TRUE(sim.ready()) << sim.error();
  {
    RawLine line = RawLine::tcp(sim.tcpPort());
    EXPECT_EQ(exchange(line, "AT\r"), "AT\r\n\r\nOK\r\n");
    ASSERT_TRUE(line.send("AT&V\r"));
    const std::string cut = line.readUntil(kOk, kSilenceWaitMs);
    EXPECT_EQ(cut.find("OK"), std::string::npos) << cut;
    EXPECT_NE(cut.find("S70="), std::string::npos) << cut;
    EXPECT_TRUE(line.closedByPeer());
  }
  RawLine again = RawLine::tcp(sim.tcpPort());
  EXPECT_EQ(exchange(again, "AT\r"), "AT\r\n\r\nOK\r\n");
}

TEST(GwsimLan, ResetClosesTheClientRefusesForTheResetTimeThenAccepts) {
  SimProcess sim(GWSIM_PATH, lanArgs({"--reset-time", "400"}));
  ASSERT_TRUE(sim.ready()) << sim.error();
  RawLine line = RawLine::tcp(sim.tcpPort());
  ASSERT_TRUE(logIn(line));
  EXPECT_EQ(exchange(line, "AT%S70=10.0.0.7\r\n"), "AT%S70=10.0.0.7\r\n\r\nOK\r\n");
  EXPECT_EQ(exchange(line, "AT&FRES\r\n"), "AT&FRES\r\n\r\nOK\r\n");
  EXPECT_TRUE(line.closedByPeer());
  EXPECT_FALSE(RawLine::tcp(sim.tcpPort()).open());  // the restarting gateway refuses

  std::optional<RawLine> back;
  for (int attempt = 0; attempt < 40 && !(back && back->open()); ++attempt) {
    back.emplace(RawLine::tcp(sim.tcpPort()));
    if (!back->open()) ::poll(nullptr, 0, kRetryPauseMs);
  }
  ASSERT_TRUE(back && back->open());
  ASSERT_TRUE(logIn(*back));
  EXPECT_NE(exchange(*back, "AT&V\r\n").find("\r\nS70=192.168.1.100\r\n"), std::string::npos);
}

TEST(GwsimLan, StateResumesInANewRunAndStopIsClean) {
  gw::test::TempDir dir;
  const std::string state = dir.file("state.ini");
  {
    SimProcess sim(GWSIM_PATH, lanArgs({"--no-login", "--state", state}));
    ASSERT_TRUE(sim.ready()) << sim.error();
    RawLine line = RawLine::tcp(sim.tcpPort());
    EXPECT_EQ(exchange(line, "AT%X32=*66,#66\r"), "AT%X32=*66,#66\r\n\r\nOK\r\n");
    EXPECT_EQ(gw::test::readFile(state), "[registers]\nX32=*66,#66\n");  // saved at once
    const int status = sim.stop();
    EXPECT_TRUE(exitedWith(status, 0)) << status;
  }
  SimProcess sim(GWSIM_PATH, lanArgs({"--no-login", "--state", state}));
  ASSERT_TRUE(sim.ready()) << sim.error();
  RawLine line = RawLine::tcp(sim.tcpPort());
  EXPECT_NE(exchange(line, "AT&V\r").find("\r\nX32=*66,#66\r\n"), std::string::npos);
}

TEST(GwsimLan, AFileThatIsNoStateFileStopsTheStartAndStaysAsItWas) {
  gw::test::TempDir dir;
  const std::string notes = dir.write("notes.txt", "not registers\n");
  SimProcess sim(GWSIM_PATH, lanArgs({"--state", notes}));
  EXPECT_FALSE(sim.ready());
  EXPECT_TRUE(exitedWith(sim.waitForExit(kReplyWaitMs), 1));
  EXPECT_EQ(gw::test::readFile(notes), "not registers\n");
}

TEST(GwsimLan, AFullGatewaySendsLongDumpsWholeAndListingsPageByPage) {
  SimProcess sim(GWSIM_PATH, lanArgs({"--no-login", "--full", "--drop-after", "6"}));
  ASSERT_TRUE(sim.ready()) << sim.error();
  RawLine line = RawLine::tcp(sim.tcpPort());
  constexpr std::size_t kClientReplyBytes = 1024;
  const std::string incoming = exchange(line, "AT&V9\r\n");  // command line 1
  EXPECT_GT(incoming.size(), kClientReplyBytes);
  EXPECT_NE(incoming.find("\r\nG199="), std::string::npos);

  std::string lcr = exchange(line, "AT&R\r", "\r\n<SPACE>\r\n");                // line 2; 65 lines, 16 a page
  for (int page = 0; page < 4 && lcr.find(kOk) == std::string::npos; ++page) {  // lines 3 to 6
    lcr += exchange(line, " ", page == 3 ? kOk : "\r\n<SPACE>\r\n");
  }
  EXPECT_NE(lcr.find("\r\nR63 8 "), std::string::npos) << lcr;
  EXPECT_EQ(lcr.substr(lcr.size() - 6), kOk);

  ASSERT_TRUE(line.send("AT&A\r"));  // line 7: --drop-after cuts its first page and closes the line
  const std::string cut = line.readUntil("\r\n<SPACE>\r\n", kSilenceWaitMs);
  EXPECT_EQ(cut.find("<SPACE>"), std::string::npos) << cut;
  EXPECT_TRUE(line.closedByPeer());
}

TEST(GwsimLan, UsageErrorsExitWithTwo) {
  SimProcess noConsole(GWSIM_PATH, {"--boot"});
  EXPECT_TRUE(exitedWith(noConsole.waitForExit(kReplyWaitMs), 2));
  SimProcess badPort(GWSIM_PATH, {"--tcp", "70000"});
  EXPECT_TRUE(exitedWith(badPort.waitForExit(kReplyWaitMs), 2));
  SimProcess help(GWSIM_PATH, {"--help"});
  EXPECT_TRUE(exitedWith(help.waitForExit(kReplyWaitMs), 0));
}

}  // namespace
}  // namespace gwsim::test

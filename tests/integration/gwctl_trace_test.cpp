// gwctl trace and gwctl terminal against gwsim, over the LAN and a pseudo-terminal.

#include <regex>
#include <thread>

#include "gwctl_fixture.h"

namespace gw::test {
namespace {

constexpr int kLinkLost = 2908;

// The sequence numbers of the trace lines in a text (a kind name is letters, which gwsim's noise never is).
std::vector<int> lineNumbers(const std::string& text) {
  static const std::regex kLine("(IP|TCP|TELNET|L2|L3|L4|STATE-L34|SMP|STATE-L2|LCR) #([0-9]{6}) ");
  std::vector<int> numbers;
  for (auto it = std::sregex_iterator(text.begin(), text.end(), kLine); it != std::sregex_iterator(); ++it)
    numbers.push_back(std::stoi((*it)[2]));
  return numbers;
}

// Every line once, from the first on.
void expectWholeTrace(const std::string& text, std::size_t atLeast) {
  const std::vector<int> numbers = lineNumbers(text);
  ASSERT_GE(numbers.size(), atLeast) << text;
  for (std::size_t i = 0; i < numbers.size(); ++i) ASSERT_EQ(numbers[i], static_cast<int>(i) + 1) << text;
}

// The file's body: what follows its "[Tracing : ...]" header.
std::string bodyOf(const std::string& file) {
  EXPECT_TRUE(file.starts_with("\r\n[Tracing : ")) << file;
  const std::size_t end = file.find("]\r\n\r\n");
  return end == std::string::npos ? std::string() : file.substr(end + 5);
}

bool heard(const std::string& transcript, const std::string& line) {
  return contains(transcript, "\n" + line + "\n");
}

TEST_F(GwctlFixture, TraceOverTheLanKeepsEveryLineThroughNoiseAndSplitReplies) {
  SimProcess sim(GWSIM_PATH, {"--tcp", "0", "--split-replies", "--garbage", "--log", home.file("heard.txt")});
  ASSERT_TRUE(sim.ready()) << sim.error();
  const ProcessResult r = gwctl(lan(sim, {"trace", "--type", "lan", "--details", "timestamp,state2",
                                          "--seconds", "3", "-o", home.file("trace.txt")}));
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.err, "gwctl: over the LAN only VoIP and GSM messages can be traced\n");
  const std::string body = bodyOf(readFile(home.file("trace.txt")));
  expectWholeTrace(body, 5);
  EXPECT_EQ(r.out, body);
  const std::string transcript = readFile(home.file("heard.txt"));
  EXPECT_TRUE(heard(transcript, "AT%S92=10") && heard(transcript, "AT!R2") && heard(transcript, "AT!RX"))
      << transcript;
}

TEST_F(GwctlFixture, TraceOverTheSerialLinkKeepsEveryLineThroughSplitReplies) {
  SimProcess sim(GWSIM_PATH, {"--pty", home.file("ttyGW"), "--rates", "115200", "--split-replies", "--log",
                              home.file("heard.txt")});
  ASSERT_TRUE(sim.ready()) << sim.error();
  const ProcessResult r =
      gwctl({"--serial", home.file("ttyGW"), "--user", "admin", "--password", "admin", "trace", "--type",
             "lan", "--level", "4", "--seconds", "3", "-o", home.file("trace.txt")});
  EXPECT_EQ(r.exitCode, 0) << r.err;
  const std::string body = bodyOf(readFile(home.file("trace.txt")));
  expectWholeTrace(body, 5);
  EXPECT_EQ(r.out, body);
  EXPECT_TRUE(contains(body, "TELNET #000001 data 12 bytes\r\n")) << body;
  const std::string transcript = readFile(home.file("heard.txt"));
  EXPECT_TRUE(heard(transcript, "AT!L4") && heard(transcript, "AT!RX")) << transcript;
}

TEST_F(GwctlFixture, CtrlCStopsTheTraceOnTheGatewayBeforeGwctlEnds) {
  SimProcess sim(GWSIM_PATH, {"--tcp", "0", "--trace-rate", "50", "--log", home.file("heard.txt")});
  ASSERT_TRUE(sim.ready()) << sim.error();
  const ProcessResult r =
      runProcess(GWCTL_PATH,
                 {"--home", home.path(), "--lan", "127.0.0.1:" + std::to_string(sim.tcpPort()), "--user",
                  "admin", "--password", "admin", "trace"},
                 30'000, {}, 5000);
  EXPECT_EQ(r.exitCode, 130) << r.err;
  EXPECT_EQ(r.err, "gwctl: interrupted\n");
  expectWholeTrace(r.out, 10);
  EXPECT_TRUE(heard(readFile(home.file("heard.txt")), "AT!RX"));
}

TEST_F(GwctlFixture, ALinkLostUnderTheTraceEndsGwctlAndIsSaidOnce) {
  auto sim = std::make_unique<SimProcess>(GWSIM_PATH, std::vector<std::string>{"--tcp", "0"});
  ASSERT_TRUE(sim->ready()) << sim->error();
  std::thread killer([&sim] {
    std::this_thread::sleep_for(std::chrono::milliseconds(5000));
    sim->stop();
  });
  const ProcessResult r = gwctl(lan(*sim, {"trace"}), 30'000);
  killer.join();
  EXPECT_FALSE(r.timedOut);
  EXPECT_EQ(r.exitCode, 1) << r.err;
  EXPECT_EQ(r.err, english.at(45) + ": " + english.at(kLinkLost) + "\n");
}

TEST_F(GwctlFixture, TerminalTypesStdinAndPrintsWhatTheGatewayAnswersOnBothLinks) {
  SimProcess lanSim(GWSIM_PATH, {"--tcp", "0"});
  SimProcess serialSim(GWSIM_PATH, {"--pty", home.file("ttyGW"), "--rates", "115200"});
  ASSERT_TRUE(lanSim.ready() && serialSim.ready());
  const std::vector<std::string> links[] = {
      {"--lan", "127.0.0.1:" + std::to_string(lanSim.tcpPort())},
      {"--serial", home.file("ttyGW")},
  };
  for (const std::vector<std::string>& link : links) {
    const std::string command = "printf 'AT&V\\r' | '" + std::string(GWCTL_PATH) + "' --home '" +
                                home.path() + "' " + link[0] + " '" + link[1] +
                                "' --user admin --password admin terminal";
    const ProcessResult r = runProcess("/bin/sh", {"-c", command});
    EXPECT_EQ(r.exitCode, 0) << link[0] << r.err;
    EXPECT_TRUE(r.out.starts_with("AT&V\r\n\r\nS70=192.168.1.100\r\n")) << link[0] << r.out;
    EXPECT_TRUE(contains(r.out, "X24=2222\r\n\r\nOK\r\n")) << link[0] << r.out;
  }
}

TEST_F(GwctlFixture, BadTraceArgumentsAreUsageErrorsAndAnUnwritableFileAFileError) {
  const std::vector<std::vector<std::string>> usage = {
      {"trace", "--type", "gsm"},  {"trace", "--level", "5"}, {"trace", "--details", "state3"},
      {"trace", "--seconds", "0"}, {"trace", "now"},          {"trace", "--level"},
      {"terminal", "ttyUSB0"},
  };
  for (const std::vector<std::string>& args : usage) {
    const ProcessResult r = gwctl(args);
    EXPECT_EQ(r.exitCode, 2) << args[1];
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
  }
  const ProcessResult r = gwctl({"trace", "-o", home.file("no/such/folder/trace.txt")});
  EXPECT_EQ(r.exitCode, 4) << r.err;
}

}  // namespace
}  // namespace gw::test

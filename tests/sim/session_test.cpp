#include <gtest/gtest.h>

#include <string>

#include "device.h"
#include "options.h"
#include "session.h"
#include "support/temp_dir.h"

namespace gwsim {
namespace {

// A device and one session on it; send() returns every byte the console would put on the line.
struct Console {
  explicit Console(DeviceConfig config) : device(std::move(config), RegisterStore(), transcript) {}

  std::string send(const std::string& bytes) {
    last = session.feed(bytes);
    std::string out;
    for (const Emission& emission : last.out) out += emission.bytes;
    return out;
  }

  Transcript transcript;  // writes nothing; declared first as the device keeps a reference
  Device device;
  Session session{device};
  FeedResult last;
};

DeviceConfig config(SimOptions options = {}) {
  DeviceConfig config;
  config.identity = identityFor(options);
  config.loginEnabled = options.loginEnabled;
  config.user = options.user;
  config.password = options.password;
  return config;
}

DeviceConfig noLogin() {
  SimOptions options;
  options.loginEnabled = false;
  return config(options);
}

TEST(Session, LogsInWithPromptPasswordAndOkWithoutEchoingThePassword) {
  Console console(config());
  std::string greeting;
  for (const Emission& emission : console.session.greeting()) greeting += emission.bytes;
  EXPECT_EQ(greeting, "QN login: ");
  EXPECT_EQ(console.send("\r\n"), "\r\nQN login: ");
  EXPECT_EQ(console.send("admin\r"), "admin\r\nPassword: ");
  EXPECT_EQ(console.send("admin\r"), "\r\n\r\nOK\r\n");
  EXPECT_TRUE(console.session.loggedIn());
  EXPECT_EQ(console.send("AT\r\n"), "AT\r\n\r\nOK\r\n");
}

TEST(Session, WrongPasswordSaysSoWithoutOkAndAsksAgain) {
  Console console(config());
  console.send("admin\r");
  const std::string reply = console.send("wrong\r");
  EXPECT_EQ(reply, "\r\n\r\nLogin incorrect\r\nQN login: ");
  EXPECT_EQ(reply.find("OK"), std::string::npos);
  EXPECT_FALSE(console.session.loggedIn());
  // Before login a command is only a user name.
  EXPECT_EQ(console.send("AT\r"), "AT\r\nPassword: ");
}

TEST(Session, EditionAndOptionsChooseThePromptAndIdentity) {
  SimOptions kestrin;
  kestrin.edition = Edition::Kestrin;
  Console k(config(kestrin));
  EXPECT_EQ(k.send("\r"), "\r\nQNK login: ");

  kestrin.prompt = "QNC login: ";
  kestrin.loginEnabled = false;
  Console c(config(kestrin));
  const std::string ati4 = c.send("ATI4\r");
  EXPECT_NE(ati4.find("\r\nSNumber: K427-00017\r\n"), std::string::npos) << ati4;
  const std::string ati3 = c.send("ATI3\r");
  EXPECT_NE(ati3.find("QNK"), std::string::npos);
  EXPECT_TRUE(c.session.greeting().empty());  // no login, no greeting
}

TEST(Session, IdentificationHoldsMarkAndVersionsEachFollowedByASpace) {
  SimOptions options;
  options.loginEnabled = false;
  options.bootVersion = "02.08";
  options.firmwareVersion = "02.07.36";
  Console console(config(options));
  const std::string reply = console.send("ATI3\r\n");
  EXPECT_EQ(reply, "ATI3\r\n\r\nVelquin Orvale QN4 GSM-VoIP gateway\r\nB-02.08 V-02.07.36 \r\n\r\nOK\r\n");
  EXPECT_EQ(console.send("ATI4\r\n"), "ATI4\r\n\r\nSNumber: Q2041-00017\r\n\r\nOK\r\n");
}

TEST(Session, EchoEndsLinesAtCrIgnoresLfAndErasesWithBackspace) {
  Console console(noLogin());
  EXPECT_EQ(console.send("AT\r"), "AT\r\n\r\nOK\r\n");
  EXPECT_EQ(console.send("AT\n"), "AT");  // LF ends nothing
  EXPECT_EQ(console.send("\r"), "\r\n\r\nOK\r\n");
  EXPECT_EQ(console.send("ATX\bI4\r"), "ATX\b \bI4\r\n\r\nSNumber: Q2041-00017\r\n\r\nOK\r\n");
  EXPECT_EQ(console.send("\b"), "");  // nothing to erase
  EXPECT_EQ(console.send(std::string("A\0T\x01\r", 5)), "AT\r\n\r\nOK\r\n");
  EXPECT_EQ(console.send("\r"), "\r\n\r\n");  // empty line: CR LF only
}

TEST(Session, DumpShowsWhatWasWrittenAndRefusesUnknownRegisters) {
  DeviceConfig stopped = noLogin();
  stopped.localClock = [] { return daysFromCivil(2026, 1, 8) * 86400 + 9 * 3600 + 5 * 60 + 7; };
  Console console(std::move(stopped));
  EXPECT_EQ(console.send("AT%S70=10.1.2.3\r\n"), "AT%S70=10.1.2.3\r\n\r\nOK\r\n");
  EXPECT_EQ(console.send("AT%S98=\r"), "AT%S98=\r\n\r\nOK\r\n");
  EXPECT_EQ(console.send("at%x31= 1*,2#=\r"), "at%x31= 1*,2#=\r\n\r\nOK\r\n");
  const std::string dump = console.send("AT&V\r\n");
  EXPECT_EQ(dump,
            "AT&V\r\n\r\nS70=10.1.2.3\r\nS71=255.255.255.0\r\nS72=192.168.1.1\r\nS85=\r\nS86=\r\nS91=1,0\r\n"
            "S98=\r\nS99=8.1.2026.4/9:05:07\r\nX20=0000,0000\r\nX30=#,#,#\r\nX31= 1*,2#=\r\nX32=*55,#55\r\n"
            "X33=*33,#33\r\nX24=2222\r\n\r\nOK\r\n");
  EXPECT_EQ(console.send("AT%S99=1\r"), "AT%S99=1\r\n\r\nERROR\r\n");
  EXPECT_EQ(console.send("AT%S70\r"), "AT%S70\r\n\r\nERROR\r\n");
  EXPECT_EQ(console.send("ATZ\r"), "ATZ\r\n\r\nERROR\r\n");
  EXPECT_EQ(console.send("fff:020000050000F915\r"), "fff:020000050000F915\r\n\r\nERROR\r\n");
  EXPECT_EQ(console.send(std::string(600, 'A') + "\r").substr(600), "\r\n\r\nERROR\r\n");
}

TEST(Session, TableRecordsClearWithinTheirRange) {
  Console console(noLogin());
  for (const char* command : {"AT%R0=\r", "AT%R63=\r", "AT%M31=\r", "AT%R00=1,0:00/24:00,1,0\r"}) {
    EXPECT_NE(console.send(command).find("\r\nOK\r\n"), std::string::npos) << command;
  }
  EXPECT_EQ(console.device.store().value("R00"), "1,0:00/24:00,1,0");
  for (const char* command : {"AT%R64=\r", "AT%M32=\r", "AT%RX=\r"}) {
    EXPECT_NE(console.send(command).find("\r\nERROR\r\n"), std::string::npos) << command;
  }
}

TEST(Session, RefusedRegistersAnswerErrorAndKeepTheirValue) {
  DeviceConfig refusing = noLogin();
  refusing.refused = {"S98", "X24"};
  Console console(refusing);
  EXPECT_EQ(console.send("AT%X24=0\r"), "AT%X24=0\r\n\r\nERROR\r\n");
  EXPECT_EQ(console.send("AT%S72=10.0.0.1\r"), "AT%S72=10.0.0.1\r\n\r\nOK\r\n");
  EXPECT_EQ(console.device.store().value("X24"), "2222");
  EXPECT_EQ(console.device.store().value("S72"), "10.0.0.1");
}

TEST(Session, ResetsAnswerOkStopTakingInputAndFactoryResetRestoresDefaults) {
  int saves = 0;
  Transcript transcript;
  Device device(noLogin(), RegisterStore(), transcript, [&saves](const RegisterStore&) { ++saves; });
  Session session(device);
  session.feed("AT%S70=1.2.3.4\r");
  EXPECT_EQ(saves, 1);

  FeedResult reset = session.feed("AT&BSYS=RESET\r\nAT\r");
  ASSERT_TRUE(reset.restart);
  EXPECT_EQ(reset.out.back().bytes, "\r\nOK\r\n");
  EXPECT_EQ(reset.out.size(), 2u);  // echo and OK; the AT after it never reached the device
  EXPECT_EQ(device.store().value("S70"), "1.2.3.4");

  FeedResult factory = session.feed("AT&FRES\r\n");
  EXPECT_TRUE(factory.restart);
  EXPECT_EQ(device.store().value("S70"), "192.168.1.100");
  EXPECT_EQ(saves, 2);
}

TEST(Session, SilentAfterAnswersNLinesThenSendsNothingAtAll) {
  DeviceConfig silent = config();
  silent.silentAfter = 2;
  Console console(silent);
  console.send("admin\radmin\r");  // login lines do not count
  EXPECT_EQ(console.send("AT\r"), "AT\r\n\r\nOK\r\n");
  EXPECT_EQ(console.send("ATI4\r"), "ATI4\r\n\r\nSNumber: Q2041-00017\r\n\r\nOK\r\n");
  EXPECT_EQ(console.send("AT\r"), "");
  EXPECT_TRUE(console.send("AT%S70=9.9.9.9\r").empty());
  EXPECT_EQ(console.device.store().value("S70"), "192.168.1.100");  // a silent device does nothing

  DeviceConfig mute = config();
  mute.silentAfter = 0;
  Console never(mute);
  EXPECT_TRUE(never.session.greeting().empty());
  EXPECT_EQ(never.send("\r"), "");
}

TEST(Session, DropAfterCutsTheNextReplyOnceThenAnswersAgain) {
  DeviceConfig dropping = noLogin();
  dropping.dropAfter = 1;
  Console console(dropping);
  EXPECT_EQ(console.send("AT\r"), "AT\r\n\r\nOK\r\n");
  const std::string cut = console.send("ATI4\rAT\r");
  EXPECT_TRUE(console.last.drop);
  const std::string full = "\r\nSNumber: Q2041-00017\r\n\r\nOK\r\n";
  ASSERT_GT(cut.size(), std::string("ATI4\r\n").size());
  EXPECT_LT(cut.size(), std::string("ATI4\r\n").size() + full.size());
  EXPECT_EQ(("ATI4\r\n" + full).rfind(cut, 0), 0u) << "not a prefix: " << cut;
  EXPECT_EQ(cut.find("OK"), std::string::npos);  // the AT after it was not taken either

  Session again(console.device);  // the client reconnects
  const FeedResult after = again.feed("AT\r");
  EXPECT_FALSE(after.drop);
  EXPECT_EQ(after.out.back().bytes, "\r\nOK\r\n");
}

TEST(Session, TranscriptHoldsEveryLineAsReceived) {
  gw::test::TempDir dir;
  const std::string path = dir.file("log.txt");
  Transcript transcript;
  ASSERT_TRUE(transcript.open(path));
  Device device(config(), RegisterStore(), transcript);
  Session session(device);
  session.feed("\r\nadmin\radmin\rAT%S70=1.1.1.1\r\nATX\bI3\r");
  EXPECT_EQ(gw::test::readFile(path), "\nadmin\nadmin\nAT%S70=1.1.1.1\nATI3\n");
}

}  // namespace
}  // namespace gwsim

#include "shell/connection.h"

#include <gtest/gtest.h>

#include "base/fake_clock.h"
#include "base/files.h"
#include "base/recording_host.h"
#include "support/scripted_serial.h"
#include "support/scripted_tcp.h"
#include "support/temp_dir.h"

namespace gw {
namespace {

using test::ScriptedSerialBus;
using test::ScriptedTcpPeer;
using test::TempDir;

constexpr const char* kAti3Orvale =
    "ATI3\r\r\nVelquin Orvale QN4 GSM-VoIP gateway\r\nB-01.05 V-03.00.05 \r\n\r\nOK\r\n";
constexpr const char* kAti4 = "ATI4\r\r\nSNumber: Q2041-00017\r\n\r\nOK\r\n";

CaptionList numberedCaptions() {
  CaptionList captions;
  for (int i = 0; i < 600; ++i) captions.set(i, "c" + std::to_string(i));
  captions.set(46, "Firmware %s older than %s");
  captions.set(53, "Connected to %s. Load?");
  captions.set(2905, "%s cannot be reached on port %s");
  return captions;
}

struct ConnectionFixture : ::testing::Test {
  FakeClock clock;
  ScriptedSerialBus bus{clock};
  ScriptedTcpPeer peer{clock};
  Link link{clock, bus.factory(), peer.client()};
  TempDir dir;
  RecordingHost host;
  CaptionList captions = numberedCaptions();
  GatewaySelection selection{dir.path(), host, captions};
  NewGatewayDialog newGateway{selection, host, captions};
  Connection connection{link, selection, newGateway, host, captions};

  void SetUp() override {
    link.comm.linkType = kLanLink;
    selection.selected().name = "Gw1";
    selection.selected().host = "10.0.0.5";
    selection.selected().userName = "admin";
    selection.selected().password = "secret";
  }

  void scriptLanGateway(const std::string& ati3 = kAti3Orvale, const std::string& ati4 = kAti4) {
    peer.answerOnce("\r\n", "\r\nQN login: ");
    peer.answerOnce("admin\r", "admin\r\nPassword: ");
    peer.answerOnce("secret\r", "\r\nOK\r\n");
    peer.answer("ATI4\r\n", ati4);
    peer.answer("ATI3\r\n", ati3);
    peer.answer("AT&M0\r\n", "AT&M0\r\r\nOK\r\n");
    peer.answer("AT\r\n", "AT\r\r\nOK\r\n");
  }
};

TEST_F(ConnectionFixture, LanConnectLogsInIdentifiesAndDescribesTheGateway) {
  scriptLanGateway();
  link.comm.saveLog = true;
  link.comm.appendLog = true;
  ASSERT_TRUE(connection.commConnect(false));
  EXPECT_EQ(connection.identification, "c217 : Q2041-00017, Boot : 01.05 , Firmware : 03.00.05 ");
  EXPECT_EQ(connection.description, "[10.0.0.5] c213, Velquin Orvale");
  EXPECT_EQ(host.status[1], "Gw1 : [10.0.0.5] c213, Velquin Orvale");
  EXPECT_EQ(host.status[2], connection.identification);
  EXPECT_FALSE(connection.kestrinEdition);
  EXPECT_EQ(connection.gatewayAti4Text, "ATI4\r, SNumber: Q2041-00017, ");
  EXPECT_TRUE(host.messages.empty());
  EXPECT_FALSE(link.commBusy);
  EXPECT_TRUE(host.mainEnabled);
  EXPECT_EQ(connection.logPath, dir.path() + "/Gw1/log.txt");
  EXPECT_TRUE(fileExists(connection.logPath));
  // "AT&M0" closes every connect.
  EXPECT_TRUE(peer.received.ends_with("AT&M0\r\n"));

  const std::string sent = peer.received;
  EXPECT_TRUE(connection.commConnect(false));  // already open: nothing more is sent
  EXPECT_EQ(peer.received, sent);
}

TEST_F(ConnectionFixture, WrongPasswordIsALoginFailure) {
  peer.answer("\r\n", "\r\nQN login: ");
  peer.answerOnce("admin\r", "admin\r\nPassword: ");
  peer.answerOnce("secret\r", "\r\nLogin incorrect\r\nQN login: ");
  EXPECT_FALSE(connection.commConnect(false));
  ASSERT_EQ(host.messageLabels(), (std::vector<int>{50}));
  EXPECT_EQ(host.messages[0].captionLabel, 47);
  EXPECT_FALSE(link.tcpActive());
  EXPECT_EQ(host.status[1], "Gw1 : c214");
}

TEST_F(ConnectionFixture, AnAnswerWithoutTheProductMarkIsRefused) {
  scriptLanGateway("ATI3\r\r\nSome other modem B-1 V-2 \r\n\r\nOK\r\n");
  EXPECT_FALSE(connection.commConnect(false));
  EXPECT_EQ(host.messageLabels(), (std::vector<int>{51}));
  EXPECT_EQ(host.status[2], "c216");
  EXPECT_FALSE(link.tcpActive());
}

TEST_F(ConnectionFixture, AGatewaySilentToIdentificationIsNotConnected) {
  peer.answerOnce("\r\n", "\r\nQN login: ");
  peer.answerOnce("admin\r", "admin\r\nPassword: ");
  peer.answerOnce("secret\r", "\r\nOK\r\n");
  const auto start = clock.nowMs();
  EXPECT_FALSE(connection.commConnect(false));
  EXPECT_EQ(host.messageLabels(), (std::vector<int>{51}));
  EXPECT_FALSE(link.tcpActive());
  // Login pauses, then "AT" and "ATI4" each given up after the response time (5 s, plus a second of slack).
  EXPECT_LT(clock.nowMs() - start, 2 * 1000 + 2 * 7000 + 1000);
}

TEST_F(ConnectionFixture, KestrinIsToldByTheSerialNumberAlone) {
  scriptLanGateway(kAti3Orvale, "ATI4\r\r\nSNumber: K427-00017\r\n\r\nOK\r\n");
  int editionChanges = 0;
  connection.hooks.applyEdition = [&] { ++editionChanges; };
  ASSERT_TRUE(connection.commConnect(false));
  EXPECT_TRUE(connection.kestrinEdition);
  EXPECT_EQ(editionChanges, 1);
  EXPECT_EQ(connection.description, "[10.0.0.5] c213, Velquin Kestrin");
}

TEST_F(ConnectionFixture, ConnectCommandWarnsAboutUnknownOldFirmwareAndAsksToLoad) {
  scriptLanGateway("ATI3\r\r\nVelquin Orvale QN4\r\nB-01.05 V-02.07.31 \r\n\r\nOK\r\n");
  int loads = 0;
  connection.hooks.loadAllFromGateway = [&] { ++loads; };
  host.answers = {Answer::Ok, Answer::Yes};
  connection.connectCommand();
  ASSERT_EQ(host.messageLabels(), (std::vector<int>{46, 53}));
  EXPECT_EQ(host.messages[0].text, "Firmware 02.07.31  older than 2.00y");
  EXPECT_EQ(host.messages[0].kind, MessageKind::Warning);
  EXPECT_EQ(host.messages[1].text, "Connected to Velquin Orvale. Load?");
  EXPECT_EQ(loads, 1);
}

TEST_F(ConnectionFixture, SilentGatewayFailsWithinItsTimeLimitsAndSaysItNeverAnswered) {
  const auto start = clock.nowMs();
  EXPECT_FALSE(connection.commConnect(false));
  // Greeting wait, ten wake-up probes with their chunk waits, and the final "AT" exchange.
  EXPECT_LT(clock.nowMs() - start, 90'000);
  EXPECT_EQ(host.messageLabels(), (std::vector<int>{2906}));
  EXPECT_EQ(connection.lastOutcome(), ConnectOutcome::NoAnswer);
}

TEST_F(ConnectionFixture, UnreachableHostSaysSoInsteadOfBlamingTheLogin) {
  peer.refuseConnect = true;
  EXPECT_FALSE(connection.commConnect(false));
  ASSERT_EQ(host.messageLabels(), (std::vector<int>{2905}));
  EXPECT_EQ(host.messages[0].text, "10.0.0.5 cannot be reached on port 23");
}

TEST_F(ConnectionFixture, EveryConnectStepCanBeCancelled) {
  // A silent gateway over the LAN, a serial search and a LAN connect that never completes: Cancel ends
  // each at once, with the same one message, and the next attempt starts afresh.
  const auto pressCancelAt = [&](std::int64_t atMs) {
    clock.onWait([&, atMs] {
      if (clock.nowMs() >= atMs && host.cancel) host.cancel();
    });
  };
  struct Case {
    const char* what;
    std::function<void()> arrange;
  };
  const std::vector<Case> cases = {
      {"silent gateway", [] {}},
      {"connect that hangs", [&] { peer.connectDelayMs = 60'000; }},
      {"serial search",
       [&] {
         link.comm.linkType = kSerialLink;
         link.comm.portList = {"ttyUSB0", "ttyUSB1"};
         bus.device("ttyUSB0");
         bus.device("ttyUSB1");
       }},
  };
  for (const Case& c : cases) {
    c.arrange();
    host.clear();
    const auto start = clock.nowMs();
    pressCancelAt(start + 2000);
    EXPECT_FALSE(connection.commConnect(false)) << c.what;
    EXPECT_LT(clock.nowMs() - start, 3500) << c.what;
    EXPECT_EQ(host.messageLabels(), (std::vector<int>{2904})) << c.what;
    EXPECT_EQ(connection.lastOutcome(), ConnectOutcome::Cancelled) << c.what;
    EXPECT_FALSE(link.tcpActive()) << c.what;
    EXPECT_FALSE(link.comm.portHandle) << c.what;
    EXPECT_FALSE(link.cancelRequested()) << c.what;
    EXPECT_FALSE(host.cancel) << c.what;  // the offer ends with the attempt
    EXPECT_TRUE(host.mainEnabled) << c.what;
  }
}

TEST_F(ConnectionFixture, ALostLinkClosesAndSaysWhyOnce) {
  scriptLanGateway();
  ASSERT_TRUE(connection.commConnect(false));
  host.clear();
  connection.linkLost(LinkLoss::LoggedOut);
  EXPECT_FALSE(connection.connected());
  EXPECT_FALSE(link.tcpActive());
  EXPECT_EQ(host.messageLabels(), (std::vector<int>{2909}));
  EXPECT_EQ(host.messages[0].kind, MessageKind::Warning);
  EXPECT_EQ(host.status[1], "Gw1 : c214");
  connection.linkLost(LinkLoss::Silent);  // already closed: nothing more to say
  EXPECT_EQ(host.messages.size(), 1u);
}

TEST_F(ConnectionFixture, NoAddressAsksForANewGatewayAndCancelStops) {
  selection.selected().host = "0.0.0.0";
  host.gatewayEntries = {std::nullopt};
  EXPECT_FALSE(connection.commConnect(false));
  EXPECT_EQ(peer.connects, 0);
  ASSERT_FALSE(host.events.empty());
  EXPECT_EQ(host.events.front().what, "newGateway");
  EXPECT_EQ(host.events.front().detail, "__0.__0.__0.__0");
}

TEST_F(ConnectionFixture, NoAddressAdoptsTheConfirmedGateway) {
  selection.selected() = TGateway{};
  scriptLanGateway();
  host.gatewayEntries = {GatewayFields{"Office", "10.0.0.9", "23", "2222", "admin", "secret", ""}};
  // The dialog proposes the file; the entry above has none, so OK refuses it first.
  host.gatewayEntries.push_back(GatewayFields{"Office", "10.0.0.9", "23", "2222", "admin", "secret",
                                              dir.path() + "/Office/Office.ini"});
  ASSERT_TRUE(connection.commConnect(false));
  EXPECT_EQ(selection.selected().name, "Office");
  EXPECT_EQ(peer.host, "10.0.0.9");
  EXPECT_EQ(host.messageLabels(), (std::vector<int>{412}));
}

TEST_F(ConnectionFixture, DisconnectTwiceClosesTheLogOnce) {
  scriptLanGateway();
  link.comm.saveLog = true;
  ASSERT_TRUE(connection.commConnect(false));
  EXPECT_TRUE(link.logOpen());
  connection.disconnectCommand();
  EXPECT_FALSE(link.logOpen());
  EXPECT_FALSE(connection.connected());
  connection.disconnectCommand();
  EXPECT_EQ(host.status[1], "Gw1 : c214");
  EXPECT_EQ(host.status[2], "Gateway :");
}

TEST_F(ConnectionFixture, SerialConnectClimbsRatesThenLogsIn) {
  link.comm.linkType = kSerialLink;
  link.comm.portList = {"ttyUSB0"};
  auto& device = bus.device("ttyUSB0");
  device.answerOnlyAt({57600, 115200});
  device.answer("ATI3\r\n", kAti3Orvale);
  device.answer("ATI4\r\n", kAti4);
  device.answer("AT\r\n", "AT\r\r\nOK\r\n");
  device.answer("\r\n", "\r\n");
  ASSERT_TRUE(connection.commConnect(false));
  EXPECT_EQ(link.comm.baudRate, 115200);
  EXPECT_EQ(connection.description, "[ttyUSB0] c213 , c215 115200Bd/s, Velquin Orvale");
  EXPECT_TRUE(host.messages.empty());
}

TEST_F(ConnectionFixture, SerialBootLoaderOffersTheFirmwareUpgrade) {
  link.comm.linkType = kSerialLink;
  link.comm.portList = {"ttyUSB0"};
  auto& device = bus.device("ttyUSB0");
  device.answer(":020000050000F915", "?");
  device.answer(":00000012EE", "[ BOOT ] ready\r\n");
  std::string upgradePort;
  connection.hooks.startSerialUpgrade = [&](const std::string& port, const std::string&, const std::string&) {
    upgradePort = port;
  };
  host.answers = {Answer::Yes};
  host.files = {std::string("/tmp/fw.hex")};
  EXPECT_FALSE(connection.commConnect(false));
  EXPECT_EQ(host.messageLabels(), (std::vector<int>{205}));
  EXPECT_EQ(upgradePort, "ttyUSB0");
  EXPECT_FALSE(link.comm.portHandle);
}

TEST(CommunicationLogPath, NamesAfterTheConnectTimeWithoutOverwriting) {
  TempDir dir;
  const LocalTime t{2026, 12, 9, 8, 5, 3};
  EXPECT_EQ(communicationLogPath(dir.path(), "unnamed", true, t), dir.path() + "/log.txt");
  const std::string first = communicationLogPath(dir.path(), "Gw1", false, t);
  EXPECT_EQ(first, dir.path() + "/Gw1/2026129853.txt");
  dir.write("Gw1/2026129853.txt", "earlier connect");
  EXPECT_EQ(communicationLogPath(dir.path(), "Gw1", false, t), dir.path() + "/Gw1/2026129853_2.txt");
}

}  // namespace
}  // namespace gw

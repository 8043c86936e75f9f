#include "pages/ethernet_page.h"

#include <gtest/gtest.h>

#include "page_fixture.h"

namespace gw {
namespace {

using test::commandsIn;
using test::PageFixture;
using Commands = std::vector<std::string>;

constexpr const char* kSipRead = "AT&VE\r\n";
constexpr const char* kGsmRead = "AT&V0\r\n";
const std::string kSipDump =
    "E01=4,8,0\r\nE02=300,20,700\r\nE03=9000,9500\r\nE04=32,32\r\nE08=37,2,9\r\nE09=15\r\n"
    "E10=10.0.0.1:5070\r\nE11=10.0.0.2:5060\r\nE14=10.0.0.3:5061\r\nE16=10.0.0.4\r\nE17=10.0.0.5:3478\r\n"
    "E20=10,1\r\nE23=3,3\r\nE29=5,1\r\nE81=sip.example.org\r\nE82=Gateway1\r\n";
const std::string kKestrinDump =
    "E01=8,0\r\nE02=300,20,600\r\nE03=9000,9500\r\nE08=5,3\r\nE09=0\r\nE10=10.0.0.1:5060\r\n"
    "E11=0.0.0.0:5060\r\nE14=0.0.0.0:5060\r\nE16=10.0.0.4\r\nE17=0.0.0.0:3478\r\nE81=\r\nE82=\r\n";
const std::string kGsmDump = "G08=2,9,9,3\r\nG09=193,1,2,3,3\r\n";

class EthernetPageTest : public PageFixture {
 protected:
  EthernetPage page{context};

  void SetUp() override { connectLan(); }

  // Each read of the gateway's SIP and GSM registers gets these dumps.
  void gatewayHolds(const std::string& sip, const std::string& gsm, int reads = 1) {
    for (int i = 0; i < reads; ++i) {
      peer.answerOnce(kSipRead, dumpReply(kSipRead, sip));
      peer.answerOnce(kGsmRead, dumpReply(kGsmRead, gsm));
    }
  }
  void loadFrom(const std::string& sip) {
    gatewayHolds(sip, kGsmDump, 2);  // the load, and the reads before the save
    ASSERT_TRUE(page.ethernetLoad());
    peer.received.clear();
    state.errorList.clear();
  }
};

TEST_F(EthernetPageTest, LoadFillsTheFieldsAndKeepsTheWholeFlagWordsInTheImage) {
  page.edEthernetUser.text = "ann";
  gatewayHolds(kSipDump, kGsmDump);
  EXPECT_TRUE(page.ethernetLoad());
  EXPECT_EQ(state.errorList, "");
  EXPECT_EQ(page.rbEthernetCodec.index, 1);  // a 4 in E01: G.723
  EXPECT_EQ(page.cbEthernetPriority1.items[0], "4 - G723");
  EXPECT_EQ(page.cbEthernetPriority2.index, 2);
  EXPECT_EQ(page.cbEthernetPriority3.index, 1);
  EXPECT_TRUE(page.cbEthernetCodecs2.checked);  // E23 3: VAD and 5.3 kbps
  EXPECT_EQ(page.cbEthernetBitrate.index, 1);
  EXPECT_FALSE(page.cbEthernetDefault1.checked);  // 5070
  EXPECT_TRUE(page.edEthernetDefault1.enabled);
  EXPECT_TRUE(page.cbEthernetDefault2.checked);
  EXPECT_EQ(page.edEthernetUser.text, "");
  EXPECT_TRUE(page.cbEthernetSend200.checked && !page.cbEthernetSend180.checked);
  EXPECT_TRUE(page.cbEthernetSimClient.checked);
  EXPECT_TRUE(page.cbEthernetSending.checked);
  EXPECT_EQ(page.cbEthernetGenToVoip.index, 2);
  const EthernetPart& e = image.ethernet;
  EXPECT_EQ(e.sipFlags, 37);
  EXPECT_EQ(e.sipFlags2, 9);
  EXPECT_EQ(std::string({e.codecPriority1, e.codecPriority2, e.codecPriority3}), "480");
  EXPECT_EQ(e.codecChoice, 0);
  EXPECT_EQ(e.proxyIpToGsmPort, 5070);
  EXPECT_EQ(e.g723BitRate, 1);
}

TEST_F(EthernetPageTest, AnEmptyDumpGivesTheDefaultsWithTheirLines) {
  peer.answerOnce(kSipRead, dumpReply(kSipRead, ""));
  peer.answer(kGsmRead, "\r\nERROR\r\n");
  EXPECT_FALSE(page.ethernetLoad());
  EXPECT_EQ(state.errorList,
            "Ethernet settings - day of deleting stats\nEthernet settings - First RTP port\n"
            "Ethernet settings - Last RTP port\nEthernet settings - G711\nEthernet settings - G711 VAD\n"
            "Ethernet settings - G723\nEthernet settings - G723 VAD\nEthernet settings - G729\n"
            "Ethernet settings - G729 VAD\nEthernet settings - Registration expires\n"
            "Ethernet settings - Reatempt registration\nEthernet settings - Next STUN server request\n"
            "SIP settings - Sending DTMF according to RFC2833\n");
  EXPECT_EQ(page.edEthernetFirst.text, "8000");
  EXPECT_EQ(page.seEthernetCodecs3.value, 2);
}

TEST_F(EthernetPageTest, SaveChangesOnlyThisPagesBitsOfTheSharedRegisters) {
  loadFrom(kSipDump);
  page.editCheck("cbEthernetSend180", true);
  page.editCheck("cbEthernetSend200", false);
  page.editCheck("cbEthernetSimClient", false);
  page.editCheck("cbEthernetSending", false);
  answerOthersOk();
  page.ethernetSave();
  EXPECT_EQ(state.errorList, "");
  EXPECT_EQ(lanCommands(),
            (Commands{"AT%E09=15\r\n", kSipRead, "AT%E08=35,2,1\r\n", "AT%E10=10.0.0.1:5070\r\n",
                      "AT%E11=10.0.0.2:5060\r\n", "AT%E14=10.0.0.3:5061\r\n", "AT%E16=10.0.0.4\r\n",
                      "AT%E17=10.0.0.5:3478\r\n", "AT%E02=300,20,700\r\n", "AT%E81=sip.example.org\r\n",
                      "AT%E82=Gateway1\r\n", "AT%E03=9000,9500\r\n", "AT%E20=10,1\r\n", "AT%E23=3,3\r\n",
                      "AT%E29=5,1\r\n", "AT%E01=4,8,0\r\n", kGsmRead, "AT%G09=129,1,2,3,3\r\n"}));
  EXPECT_EQ(image.basic.g09Flags & kRfc2833Bit, 0);
}

TEST_F(EthernetPageTest, KestrinSendsFixedValuesAndKeepsTheGsmFlags) {
  connection.kestrinEdition = true;
  page.applyEdition();
  gatewayHolds(kKestrinDump, "G09=65,1,2,3\r\n", 2);
  ASSERT_TRUE(page.ethernetLoad());
  EXPECT_EQ(page.cbEthernetPriority1.index, 1);  // G.711a
  peer.received.clear();
  answerOthersOk();
  page.ethernetSave();
  EXPECT_EQ(lanCommands(),
            (Commands{"AT%E09=0\r\n", kSipRead, "AT%E08=5,3\r\n", "AT%E10=10.0.0.1:5060\r\n",
                      "AT%E11=0.0.0.0:5060\r\n", "AT%E14=0.0.0.0:5060\r\n", "AT%E16=0.0.0.0\r\n",
                      "AT%E17=0.0.0.0:3478\r\n", "AT%E02=300,20,600\r\n", "AT%E81=\r\n", "AT%E82=\r\n",
                      "AT%E03=9000,9500\r\n", "AT%E20=4,0\r\n", "AT%E23=1,0\r\n", "AT%E29=2,0\r\n",
                      "AT%E01=8,0\r\n", kGsmRead, "AT%G09=1,1,2,3\r\n"}));
}

TEST_F(EthernetPageTest, TheSipAccountGoesOnlyWhole) {
  struct Case {
    std::string user, password, sent, line;
  };
  const std::vector<Case> cases = {
      {"ann", "secret", "AT%E80=ann/secret\r\n", ""},
      {"", "secret", "", "Ethernet settings - Username, password (Username is missing)\n"},
      {"ann", "", "", "Ethernet settings - Username, password (Password is missing)\n"},
      {"", "", "", ""},
  };
  answerOthersOk();
  for (const Case& c : cases) {
    page.edEthernetUser.text = c.user;
    page.edEthernetPassword.text = c.password;
    peer.received.clear();
    state.errorList.clear();
    page.ethernetSave();
    Commands accounts;
    for (const std::string& command : lanCommands()) {
      if (command.starts_with("AT%E80=")) accounts.push_back(command);
    }
    EXPECT_EQ(accounts, c.sent.empty() ? Commands{} : Commands{c.sent}) << c.user << "/" << c.password;
    EXPECT_EQ(state.errorList, c.line) << c.user << "/" << c.password;
  }
}

TEST_F(EthernetPageTest, TakingG723OutWaitsForTheSerialGatewaysInitOk) {
  test::ScriptedSerialDevice& device = connectSerial();
  device.answer(kSipRead, dumpReply(kSipRead, kSipDump));
  device.answer(kGsmRead, dumpReply(kGsmRead, kGsmDump));
  ASSERT_TRUE(page.ethernetLoad());
  struct Case {
    int codec;        // G.723 stays (1) or goes (0)
    int initAfterMs;  // when the gateway says "Init: OK"; 0: never
    int waitMs;       // about how much longer than a save without re-initialisation
    std::string errors;
  };
  const std::vector<Case> cases = {
      {1, 0, 0, ""},
      {0, 3000, 3000, ""},
      {0, 0, (kVoiceRestartReads - 1) * kVoiceRestartReadPauseMs, "Ethernet settings - Codecs priority\n"},
  };
  answerOthersOk();
  std::int64_t plainSaveMs = 0;
  for (const Case& c : cases) {
    page.editChoice("rbEthernetCodec", c.codec);
    const std::string e01 = c.codec ? "AT%E01=4,8,0\r\n" : "AT%E01=18,8,0\r\n";
    device.answerOnce(e01, c.initAfterMs ? "\r\nOK\r\n\r\nInit: OK\r\n" : "\r\nOK\r\n", c.initAfterMs);
    state.errorList.clear();
    const auto start = clock.nowMs();
    page.ethernetSave();
    const auto took = clock.nowMs() - start;
    if (c.codec == 1) plainSaveMs = took;
    EXPECT_EQ(state.errorList, c.errors) << c.initAfterMs;
    EXPECT_NEAR(took - plainSaveMs, c.waitMs, 500) << c.initAfterMs;
  }
}

TEST_F(EthernetPageTest, OverTheLanTheLinkIsOpenedAnewAfterTheCodecChange) {
  selection.selected().host = "10.0.0.5";
  selection.selected().userName = "admin";
  selection.selected().password = "admin";
  loadFrom("E01=18,0,8\r\nE08=0,0,0\r\n");
  page.editChoice("rbEthernetCodec", 1);  // G.723 comes in
  answerOthersOk();
  for (bool refused : {false, true}) {
    bool closed = false;
    clock.onWait([&] {
      if (closed || peer.state() != TcpState::Closed) return;
      closed = true;  // the gateway is back: it asks for the login again
      peer.refuseConnect = refused;
      peer.answerOnce("\r\n", "\r\nQN login: ");
      peer.answerOnce("admin\r", "admin\r\nPassword: ");
      peer.answerOnce("admin\r", "\r\nOK\r\n");
      peer.answerOnce("ATI4\r\n", "ATI4\r\n\r\nSNumber: Q2041-00017\r\n\r\nOK\r\n");
      peer.answerOnce("ATI3\r\n", "ATI3\r\n\r\nVelquin Orvale QN4\r\nB-01.05 V-03.00.05 \r\n\r\nOK\r\n");
    });
    gatewayHolds("E01=18,0,8\r\n", kGsmDump);
    const int connects = peer.connects;
    state.errorList.clear();
    page.ethernetSave();
    EXPECT_TRUE(closed);
    EXPECT_EQ(peer.connects, connects + (refused ? 0 : 1));
    EXPECT_EQ(link.comm.connected, !refused);
    EXPECT_EQ(state.errorList,
              refused ? "Ethernet settings - Codecs priority\nBasic settings - All parametres\n" : "");
    if (refused) break;
    EXPECT_EQ(lanCommands().back(), "AT%G09=193,1,2,3,3\r\n");
  }
}

TEST_F(EthernetPageTest, PrioritiesStayDistinctAndFollowTheCodecChoiceAndEdition) {
  page.editChoice("cbEthernetPriority1", 2);  // G.711a, which list 2 held
  EXPECT_EQ(page.cbEthernetPriority2.index, 0);
  EXPECT_EQ(page.cbEthernetPriority3.index, 1);
  page.editChoice("rbEthernetCodec", 1);
  for (ChoiceField* list : {&page.cbEthernetPriority1, &page.cbEthernetPriority2, &page.cbEthernetPriority3})
    EXPECT_EQ(list->items.front(), "4 - G723");
  EXPECT_TRUE(state.modified(PageId::Ethernet));

  page.editChoice("cbEthernetPriority1", 1);  // G.711u from list 3, which takes G.711a
  EXPECT_EQ(page.cbEthernetPriority3.index, 2);

  connection.kestrinEdition = true;
  page.applyEdition();  // G.711u stays first, G.723 is not offered: G.711a second
  EXPECT_EQ(page.cbEthernetPriority1.items, (std::vector<std::string>{"0 - G.711u", "8 - G.711a"}));
  EXPECT_EQ(page.cbEthernetPriority1.index, 0);
  EXPECT_EQ(page.cbEthernetPriority2.index, 1);
  EXPECT_FALSE(page.cbEthernetPriority3.visible || page.gbEthernet5.visible ||
               page.cbEthernetSending.visible);
  page.editChoice("cbEthernetPriority2", 0);
  EXPECT_EQ(page.cbEthernetPriority1.index, 1);
}

TEST_F(EthernetPageTest, ImageCopiesKeepOtherBitsAndTickTheDefaultPorts) {
  EthernetPart& e = image.ethernet;
  e.sipFlags = 0x121;
  e.sipFlags2 = 0x3;
  image.basic.g09Flags = 0x81;
  page.cbEthernetSend486.checked = true;
  page.cbEthernetSimClient.checked = true;
  page.cbEthernetSending.checked = true;
  page.ethernetSaveFile();
  EXPECT_EQ(e.sipFlags, 0x129);
  EXPECT_EQ(e.sipFlags2, 0xB);
  EXPECT_EQ(image.basic.g09Flags, 0xC1);

  e.proxyIpToGsmPort = 5060;
  e.stunPort = 3479;
  e.codecPriority1 = '8';
  e.codecPriority2 = '1';
  e.codecPriority3 = '0';
  e.user = "ann";
  page.ethernetLoadFile();
  EXPECT_TRUE(page.cbEthernetDefault1.checked && !page.edEthernetDefault1.enabled);
  EXPECT_FALSE(page.cbEthernetDefault4.checked);
  EXPECT_EQ(page.edEthernetDefault4.text, "3479");
  EXPECT_EQ(page.cbEthernetPriority1.index, 2);
  EXPECT_EQ(page.cbEthernetPriority2.index, 0);
  EXPECT_EQ(page.rbEthernetCodec.index, 0);
  EXPECT_EQ(page.edEthernetUser.text, "ann");

  connection.kestrinEdition = true;
  page.applyEdition();
  page.loadDefaults();  // no defaults.ini: the built-in defaults, G.711u and G.711a on this edition
  EXPECT_EQ(std::string({e.codecPriority1, e.codecPriority2}), "08");
  EXPECT_EQ(page.cbEthernetPriority1.index, 0);
  EXPECT_EQ(page.cbEthernetPriority2.index, 1);
}

TEST_F(EthernetPageTest, TheCheckWantsPortsAndAnAccountThatFitsTheCommand) {
  EXPECT_TRUE(page.ethernetValid());
  page.editCheck("cbEthernetDefault2", false);
  page.editText("edEthernetDefault2", "");
  page.edEthernetUser.text = std::string(30, 'u');
  page.edEthernetPassword.text = std::string(24, 'p');
  EXPECT_FALSE(page.ethernetValid());
  EXPECT_TRUE(page.edEthernetDefault2.marked && page.edEthernetPassword.marked);
  EXPECT_FALSE(page.edEthernetDefault1.marked);
  page.editCheck("cbEthernetDefault2", true);  // the default port again
  page.edEthernetPassword.text.pop_back();
  EXPECT_TRUE(page.ethernetValid());
}

}  // namespace
}  // namespace gw

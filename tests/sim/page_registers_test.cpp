// The registers of the configuration pages: writes as the pages send them, the dumps they come back in, the
// writes the gateway refuses, the two editions, the codec re-initialisation and the full configuration.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "full_configuration.h"
#include "reply.h"
#include "sim_console.h"
#include "state_file.h"

namespace gwsim::test {
namespace {

struct RoundTrip {
  Edition edition;
  const char* dump;                 // the read command that shows the registers
  std::vector<std::string> writes;  // without "AT%"; each comes back as it was written
};

// Every register of every page, written in the form its page sends, on one gateway per row.
const std::vector<RoundTrip> kRoundTrips{
    {Edition::Orvale, "AT&V", {"S85=Missed call from %N, sorry", "S86=", "X20=1025,0329"}},
    {Edition::Orvale,
     "AT&VE",
     {"E01=4,0,8", "E02=3600,20,900", "E03=10000,10998", "E04=40,24", "E08=37,2,9", "E09=15",
      "E10=10.0.0.1:5070", "E11=10.0.0.2:5060", "E14=10.0.0.3:5061", "E16=10.0.0.4", "E17=10.0.0.5:3479",
      "E20=20,1", "E23=3,3", "E29=10,1", "E81=", "E82=Gate, one"}},
    {Edition::Orvale,
     "AT&V0",
     {"G00=2143", "G02=2,3,4", "G04=2,5,6", "G06=1225,0101,1226", "G07=", "G08=10,20,20,20", "G09=97,2,3,4,1",
      "G100=102,21,41,42", "G101=17/21,3/16", "G103=0,4,3,13,2", "G109=+420"}},
    {Edition::Orvale, "AT&V1", {"G21=2300X,1,10,5,31,1,1,0", "G29=1,0,0,1,3,0,", "G49=0,1,0,1,16,5,#"}},
    {Edition::Orvale,
     "AT&V9",
     {"G90=4321", "G93=7,20,20,20,32,0123,12", "G96=111,,222", "G99=5,3", "G192=0,#", "G199=-1"}},
    {Edition::Orvale, "AT&NALL", {"N30=+420/0,/", "N37=602/9,603", "N89=T-Mob,12", "N11="}},
    {Edition::Orvale, "AT&N3", {"N30=/", "N35=1"}},
    {Edition::Kestrin, "AT&V", {"X20=0,0", "S85="}},
    {Edition::Kestrin, "AT&VE", {"E01=8,0", "E08=0,4"}},
    {Edition::Kestrin, "AT&V0", {"G00=11", "G101=,"}},
    {Edition::Kestrin, "AT&V1", {"G11=,0,0,0,1,1,1,0", "G19=1,0,0,1,0,0,"}},
    {Edition::Kestrin, "AT&V9", {"G90=11", "G91=3,3,3,10,0,,"}},
    {Edition::Kestrin, "AT&N2", {"N29=,9"}},
};

TEST(PageRegisters, WritesAsThePagesSendThemComeBackInTheirDumps) {
  for (const RoundTrip& row : kRoundTrips) {
    SimConsole console(row.edition);
    for (const std::string& write : row.writes) EXPECT_EQ(console.reply("AT%" + write), kOk) << write;
    const std::string dump = console.reply(row.dump);
    for (const std::string& write : row.writes) {
      EXPECT_NE(dump.find("\r\n" + write + "\r\n"), std::string::npos) << write << " in " << dump;
    }
  }
  // Two registers take a shorter write and keep the fields it leaves off.
  SimConsole console;
  for (const char* write : {"AT%E08=37,2,9", "AT%E08=5,3", "AT%G09=97,2,3,4,1", "AT%G09=64,1,1,1"}) {
    EXPECT_EQ(console.reply(write), kOk) << write;
  }
  EXPECT_EQ(console.device.store().value("E08"), "5,3,9");
  EXPECT_EQ(console.device.store().value("G09"), "64,1,1,1,1");
}

TEST(PageRegisters, AKestrinGatewayHasOneGroupAndTwoModules) {
  SimConsole kestrin(Edition::Kestrin);
  EXPECT_EQ(kestrin.reply("AT&V1"), "\r\nG11=,2,0,0,1,1,1,0\r\nG19=0,1,0,1,0,0,\r\n\r\nOK\r\n");
  EXPECT_EQ(kestrin.reply("AT&V9"),
            "\r\nG90=11\r\nG91=0,3,3,10,1,,\r\nG95=\r\nG99=0,0\r\nG191=0,\r\nG199=\r\n\r\nOK\r\n");
  EXPECT_NE(kestrin.reply("AT&VE").find("\r\nE01=0,8\r\n"), std::string::npos);
}

struct Refusal {
  Edition edition;
  std::string write;  // without "AT%"
};

// Unknown registers, the wrong number of fields, values out of range, and what an edition lacks.
const std::vector<Refusal> kRefusals{
    {Edition::Orvale, "E01=18,0"},
    {Edition::Orvale, "E01=18,0,9"},
    {Edition::Orvale, "E08=1,5,0"},
    {Edition::Orvale, "E10=10.0.0.1"},
    {Edition::Orvale, "E10=10.0.0.256:5060"},
    {Edition::Orvale, "E80=/secret"},
    {Edition::Orvale, "E82=sixteen chars!!!"},
    {Edition::Orvale, "S85=" + std::string(481, 'x')},
    {Edition::Orvale, "G00=1115"},
    {Edition::Orvale, "G06=1325"},
    {Edition::Orvale, "G09=0,0,0"},
    {Edition::Orvale, "G100=102,,41,42"},
    {Edition::Orvale, "G101=0/1"},
    {Edition::Orvale, "G11=2300Y,0,0,0,1,1,1,0"},
    {Edition::Orvale, "G19=0,0,0,1,0,0,##"},
    {Edition::Orvale, "G95=" + std::string(247, '1')},
    {Edition::Orvale, "N10=12"},
    {Edition::Orvale, "N11=0,1,2,3,4,5,6,7,8,9,10,11,12,13,14,15"},
    {Edition::Orvale, "N18=1"},
    {Edition::Orvale, "R00=1,25:00/24:00,1,0"},
    {Edition::Orvale, "R00=1,0:00/24:00,5,0"},
    {Edition::Orvale, "A00=123,,"},
    {Edition::Orvale, "A96="},
    {Edition::Orvale, "M00=a/b,123,0,0"},
    {Edition::Orvale, "M00=" + std::string(48, 'n') + "/u/p,123,0,0"},
    {Edition::Kestrin, "G21=,2,0,0,1,1,1,0"},
    {Edition::Kestrin, "G192=0,"},
    {Edition::Kestrin, "E01=0,8,18"},
    {Edition::Kestrin, "E08=0,0,0"},
    {Edition::Kestrin, "G00=12"},
    {Edition::Kestrin, "G91=7,3,3,10,1,,"},
};

TEST(PageRegisters, WritesTheGatewayWouldRefuseAnswerErrorAndChangeNothing) {
  for (const Refusal& refusal : kRefusals) {
    SimConsole console(refusal.edition);
    const std::string write = "AT%" + refusal.write;
    EXPECT_EQ(console.reply(write), kError) << write;
    EXPECT_TRUE(console.device.store().changedFromDefaults().empty()) << write;
  }
}

TEST(PageRegisters, OnlyACodecChangeInOrOutOfG723ReinitialisesTheVoiceAndKeepsTheLogin) {
  struct Row {
    const char* write;
    bool reinitialises;
  };
  const Row rows[] = {{"AT%E01=18,8,0", false},
                      {"AT%E01=4,0,8", true},
                      {"AT%E01=0,4,8", false},
                      {"AT%E01=0,8,18", true},
                      {"AT%E01=0,8,5", false}};
  SimConsole console;
  for (const Row& row : rows) {
    console.send(std::string(row.write) + "\r");
    EXPECT_EQ(console.last.restart, row.reinitialises) << row.write;
    if (row.reinitialises) {
      EXPECT_EQ(console.last.out.back().bytes, kOk) << row.write;
    }
  }
}

TEST(PageRegisters, FactoryResetKeepsTheLcrAndExtensionRecordsOnly) {
  SimConsole console;
  for (const char* write :
       {"AT%R05=2,0:00/24:00,1,0", "AT%M03=a/b/c,600,1,1", "AT%A07=600,100", "AT%S85=hi"}) {
    ASSERT_EQ(console.reply(write), kOk) << write;
  }
  console.send("AT&FRES\r");
  EXPECT_EQ(console.device.store().value("R05"), "2,0:00/24:00,1,0");
  EXPECT_EQ(console.device.store().value("M03"), "a/b/c,600,1,1");
  EXPECT_EQ(console.device.store().value("A07"), "");
  EXPECT_EQ(console.device.store().value("S85"), "");
}

TEST(FullConfiguration, IsAcceptedFillsEveryTableAndMakesLongDumps) {
  for (Edition edition : {Edition::Orvale, Edition::Kestrin}) {
    RegisterStore store(edition);
    EXPECT_TRUE(fillFullConfiguration(store).empty());
    EXPECT_EQ(store.records(TableId::Lcr).size(), 64u);
    EXPECT_EQ(store.records(TableId::Autorouting).size(), 96u);
    EXPECT_EQ(store.records(TableId::Extension).size(), 32u);
    // The reply to "AT&V" holds the two SMS texts; with "AT&V9" the called numbers: both beyond 1024 bytes.
    constexpr std::size_t kClientReplyBytes = 1024;
    EXPECT_GT(okReply(store.dumpLines(DumpId::System)).size(), kClientReplyBytes);
    if (edition == Edition::Orvale) {
      EXPECT_GT(okReply(store.dumpLines(DumpId::Incoming)).size(), kClientReplyBytes);
    }

    // The state file keeps all of it, the write-only SIP account included.
    const std::string state = formatState(store);
    EXPECT_NE(state.find("\nE80="), std::string::npos);
    RegisterStore resumed(edition);
    EXPECT_TRUE(applyState(state, resumed).empty());
    EXPECT_EQ(resumed.changedFromDefaults(), store.changedFromDefaults());
  }
}

}  // namespace
}  // namespace gwsim::test

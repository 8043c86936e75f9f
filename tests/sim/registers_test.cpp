#include <gtest/gtest.h>

#include <filesystem>

#include "command.h"
#include "register_store.h"
#include "state_file.h"
#include "support/temp_dir.h"

namespace gwsim {
namespace {

TEST(RegisterStore, StartsFromTheFactoryDefaultsInDumpOrder) {
  const RegisterStore store;
  EXPECT_EQ(store.dumpLines(DumpId::System),
            (std::vector<std::string>{"S70=192.168.1.100", "S71=255.255.255.0", "S72=192.168.1.1",
                                      "S85=", "S86=", "S91=1,0", "S98=", "X20=0000,0000", "X30=#,#,#",
                                      "X31=7*,9#", "X32=*55,#55", "X33=*33,#33", "X24=2222"}));
  EXPECT_TRUE(store.dumpLines(DumpId::None).empty());
  EXPECT_TRUE(store.changedFromDefaults().empty());
  EXPECT_TRUE(store.has("R63"));
  EXPECT_TRUE(store.has("M31"));
  EXPECT_FALSE(store.has("R64"));
  EXPECT_FALSE(store.has("M32"));
}

TEST(RegisterStore, KeepsWritesOfKnownRegistersOnlyUntilDefaultsAreRestored) {
  RegisterStore store;
  EXPECT_TRUE(store.set("X24", "0"));
  EXPECT_FALSE(store.set("S99", "1"));
  EXPECT_FALSE(store.set("s70", "1.1.1.1"));  // the store takes normalized keys only
  EXPECT_EQ(store.value("X24"), "0");
  EXPECT_EQ(store.changedFromDefaults(), (std::vector<std::pair<std::string, std::string>>{{"X24", "0"}}));
  store.restoreDefaults();
  EXPECT_EQ(store.value("X24"), "2222");
}

TEST(RegisterKeys, AreNormalizedLikeTheGatewayNamesThem) {
  EXPECT_EQ(normalizeRegisterKey("s70"), "S70");
  EXPECT_EQ(normalizeRegisterKey("R5"), "R05");
  EXPECT_EQ(normalizeRegisterKey("m00"), "M00");
  EXPECT_EQ(normalizeRegisterKey("R100"), "R100");
  EXPECT_FALSE(normalizeRegisterKey("S"));
  EXPECT_FALSE(normalizeRegisterKey("70"));
  EXPECT_FALSE(normalizeRegisterKey("S7a"));
  EXPECT_FALSE(normalizeRegisterKey("S1234"));
}

TEST(CommandParser, RecognisesTheConsoleCommands) {
  EXPECT_EQ(parseCommand("").kind, CommandKind::Empty);
  EXPECT_EQ(parseCommand("AT").kind, CommandKind::Attention);
  EXPECT_EQ(parseCommand("at").kind, CommandKind::Attention);
  EXPECT_EQ(parseCommand("ATI3").kind, CommandKind::Identify3);
  EXPECT_EQ(parseCommand("ati4").kind, CommandKind::Identify4);
  EXPECT_EQ(parseCommand("AT&M0").kind, CommandKind::ModeZero);
  EXPECT_EQ(parseCommand("AT&BSYS=RESET").kind, CommandKind::Reset);
  EXPECT_EQ(parseCommand("AT&FRES").kind, CommandKind::FactoryReset);
  const Command dump = parseCommand("AT&V");
  EXPECT_EQ(dump.kind, CommandKind::Dump);
  EXPECT_EQ(dump.dump, DumpId::System);
  const Command oneList = parseCommand("at&n3");
  EXPECT_EQ(oneList.dump, DumpId::Networks);
  EXPECT_EQ(oneList.networkList, 3);
  EXPECT_EQ(parseCommand("AT&M").table, TableId::Extension);
  EXPECT_EQ(parseCommand("AT&m=reg").kind, CommandKind::RegisterAgain);
  for (const char* unknown :
       {"A", "ATI", "AT&N", "AT&N9", "AT&V ", " AT", "AT&BSYS=RESET2", "AT%=1", "AT%S70", "XAT"}) {
    EXPECT_EQ(parseCommand(unknown).kind, CommandKind::Unknown) << unknown;
  }
}

TEST(CommandParser, TakesTheValueOfAWriteByteForByte) {
  const Command write = parseCommand("AT%S70= 10.0.0.1 =x");
  EXPECT_EQ(write.kind, CommandKind::WriteRegister);
  EXPECT_EQ(write.key, "S70");
  EXPECT_EQ(write.value, " 10.0.0.1 =x");
  EXPECT_EQ(parseCommand("AT%R7=").key, "R07");
  EXPECT_EQ(parseCommand("AT%R7=").value, "");
}

TEST(StateFile, RoundTripsChangedRegistersExactly) {
  RegisterStore written;
  written.set("S70", "10.0.0.9");
  written.set("X31", " 1*, 2# ");
  written.set("R01", "1,0:00/24:00,1,0");
  written.set("S98", "");  // equal to its default: not listed
  const std::string text = formatState(written);
  EXPECT_EQ(text, "[registers]\nS70=10.0.0.9\nX31= 1*, 2# \nR01=1,0:00/24:00,1,0\n");

  RegisterStore read;
  EXPECT_TRUE(applyState(text, read).empty());
  EXPECT_EQ(read.dumpLines(DumpId::System), written.dumpLines(DumpId::System));
  EXPECT_EQ(read.changedFromDefaults(), written.changedFromDefaults());
}

TEST(StateFile, ReadsLeniently) {
  RegisterStore store;
  const std::vector<std::string> warnings = applyState(
      "S70=ignored, outside the section\r\n"
      "[Other]\r\nS71=1.1.1.1\r\n"
      "; comment\r\n[ REGISTERS ]\r\n"
      "s72=10.0.0.254\r\n"
      "x24=0\r\n"
      "S99=1\r\n"
      "no equals sign\r\n",
      store);
  EXPECT_EQ(store.value("S70"), "192.168.1.100");
  EXPECT_EQ(store.value("S71"), "255.255.255.0");
  EXPECT_EQ(store.value("S72"), "10.0.0.254");
  EXPECT_EQ(store.value("X24"), "0");
  EXPECT_EQ(warnings.size(), 2u);
}

TEST(StateFile, SavesAtomicallyAndLoadsBack) {
  gw::test::TempDir dir;
  const std::string path = dir.file("state.ini");
  RegisterStore store;
  std::vector<std::string> warnings;
  std::string error;
  EXPECT_TRUE(loadStateFile(path, store, warnings, error));  // missing: defaults, no complaint
  EXPECT_TRUE(warnings.empty());

  store.set("S91", "5,12");
  ASSERT_TRUE(saveStateFile(path, store, error)) << error;
  store.set("S91", "7,1");
  ASSERT_TRUE(saveStateFile(path, store, error)) << error;
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);  // no temporary left

  RegisterStore resumed;
  ASSERT_TRUE(loadStateFile(path, resumed, warnings, error)) << error;
  EXPECT_EQ(resumed.value("S91"), "7,1");

  EXPECT_FALSE(saveStateFile(dir.file("missing/state.ini"), store, error));
  EXPECT_FALSE(error.empty());
}

TEST(StateFile, ANonStateFileIsRefusedSoItIsNeverOverwritten) {
  gw::test::TempDir dir;
  const std::string notes = dir.write("notes.txt", "S70=10.0.0.1\nmy own notes\n");
  RegisterStore store;
  std::vector<std::string> warnings;
  std::string error;
  EXPECT_FALSE(loadStateFile(notes, store, warnings, error));
  EXPECT_NE(error.find("not a state file"), std::string::npos);
  EXPECT_EQ(store.value("S70"), "192.168.1.100");
  EXPECT_TRUE(looksLikeState(""));
  EXPECT_TRUE(looksLikeState("\n[Registers]\n"));
  EXPECT_FALSE(looksLikeState("[other]\nS70=1\n"));
}

}  // namespace
}  // namespace gwsim

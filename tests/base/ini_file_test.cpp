#include "base/ini_file.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <iterator>

#include "support/temp_dir.h"

namespace gw {
namespace {

using test::readFile;
using test::TempDir;

TEST(IniFile, NamesMatchWithoutRegardToCase) {
  TempDir dir;
  const auto path = dir.write("settings.ini", "[main]\ncommtype=2\nLANGUAGE=0\n");
  IniFile ini = IniFile::load(path);
  EXPECT_EQ(ini.readInt("Main", "CommType", 1), 2);
  EXPECT_EQ(ini.readInt("MAIN", "language", 1), 0);
  EXPECT_TRUE(ini.hasSection("MaIn"));

  ini.writeInt("main", "CommType", 1);
  ASSERT_TRUE(ini.save());
  EXPECT_EQ(readFile(path), "[main]\nCommType=1\nLANGUAGE=0\n");
}

TEST(IniFile, MissingKeysSectionsAndBadNumbersReadAsDefault) {
  TempDir dir;
  const auto path = dir.write("a.ini", "[main]\nTimeout=abc\nEmpty=\n");
  const IniFile ini = IniFile::load(path);
  EXPECT_EQ(ini.readInt("main", "Timeout", 5000), 5000);
  EXPECT_EQ(ini.readInt("main", "Missing", 7), 7);
  EXPECT_EQ(ini.readString("other", "x", "dflt"), "dflt");
  EXPECT_EQ(ini.readString("main", "Empty", "dflt"), "");  // present but empty is not missing
  EXPECT_TRUE(ini.hasKey("main", "empty"));
}

TEST(IniFile, ValuesArePlainTextNeverUnquoted) {
  TempDir dir;
  const auto path = dir.write("a.ini", "[s]\nq=\"quoted\"\nsemi=a;b\n  spaced  =  v w  \n");
  const IniFile ini = IniFile::load(path);
  EXPECT_EQ(ini.readString("s", "q", ""), "\"quoted\"");
  EXPECT_EQ(ini.readString("s", "semi", ""), "a;b");
  EXPECT_EQ(ini.readString("s", "spaced", ""), "v w");
}

TEST(IniFile, ReplacingAKeyLeavesEveryOtherLineAsItWas) {
  TempDir dir;
  const std::string before =
      "; written by hand\n[System parametres]\nS70=10.0.0.1\n   odd line without equals\nS71 = 255.0.0.0\n\n"
      "# another comment\n[Other]\nk=v\n";
  const auto path = dir.write("gw.ini", before);
  IniFile ini = IniFile::load(path);
  ini.writeString("system PARAMETRES", "s71", "255.255.255.0");
  ASSERT_TRUE(ini.save());
  EXPECT_EQ(readFile(path),
            "; written by hand\n[System parametres]\nS70=10.0.0.1\n   odd line without equals\n"
            "s71=255.255.255.0\n\n# another comment\n[Other]\nk=v\n");
}

TEST(IniFile, NewKeysJoinTheirSectionAndNewSectionsGoLast) {
  TempDir dir;
  const auto path = dir.write("gw.ini", "[A]\nx=1\n\n[B]\ny=2");
  IniFile ini = IniFile::load(path);
  ini.writeString("a", "z", "3");
  ini.writeString("b", "w", "4");
  ini.writeString("C", "v", "5");
  ASSERT_TRUE(ini.save());
  EXPECT_EQ(readFile(path), "[A]\nx=1\nz=3\n\n[B]\ny=2\nw=4\n\n[C]\nv=5\n");
}

TEST(IniFile, KeepsCrLfStyleAndByteOrderMark) {
  TempDir dir;
  const auto path = dir.write("l.ini", "\xEF\xBB\xBF[1]\r\ns0=Connect\r\n");
  IniFile ini = IniFile::load(path);
  EXPECT_EQ(ini.readString("1", "s0", ""), "Connect");
  ini.writeString("1", "s1", "Disconnect");
  ini.writeString("2", "s0", "Conectar");
  ASSERT_TRUE(ini.save());
  EXPECT_EQ(readFile(path), "\xEF\xBB\xBF[1]\r\ns0=Connect\r\ns1=Disconnect\r\n\r\n[2]\r\ns0=Conectar\r\n");
}

TEST(IniFile, DropsLineBreaksFromValues) {
  IniFile ini;
  ini.writeString("Gateway", "ati3", "QN 4 ports\r\nB-01 V-03.00.05\r\n");
  EXPECT_EQ(ini.text(), "[Gateway]\nati3=QN 4 portsB-01 V-03.00.05\n");
  // Names too: a gateway named with a line feed in it cannot add lines to gtws.ini.
  ini.writeString("Gw\n[main", "Host\r\nPassword", "x");
  const std::string written = "[Gateway]\nati3=QN 4 portsB-01 V-03.00.05\n\n[Gw[main]\nHostPassword=x\n";
  EXPECT_EQ(ini.text(), written);
  // A key that would read back as a section header, a comment, nothing or another key is not written at all,
  // nor a section that would read back as another ("Lab]2" as "Lab").
  for (const char* key : {"[Gateway]Host", ";Host", " ", "Host=Password"})
    ini.writeString("Gw[main", key, "y");
  ini.writeString("Lab]2", "Host", "y");
  EXPECT_EQ(ini.text(), written);
  // Blanks around a name are not part of it, for a write as for a read.
  ini.writeString(" Gateway ", " ati3 ", "QN");
  EXPECT_EQ(ini.value("Gateway", "ati3"), "QN");
  EXPECT_EQ(ini.keys("Gateway"), (std::vector<std::string>{"ati3"}));
}

TEST(IniFile, ListsAndErasesSections) {
  TempDir dir;
  const auto path = dir.write("gtws.ini", "[Gw1]\nHost=1.2.3.4\n[gw2]\nHost=5.6.7.8\n[Gw3]\nHost=9.9.9.9\n");
  IniFile ini = IniFile::load(path);
  EXPECT_EQ(ini.sections(), (std::vector<std::string>{"Gw1", "gw2", "Gw3"}));
  ini.eraseSection("GW2");
  EXPECT_EQ(ini.sections(), (std::vector<std::string>{"Gw1", "Gw3"}));
  EXPECT_EQ(ini.text(), "[Gw1]\nHost=1.2.3.4\n[Gw3]\nHost=9.9.9.9\n");
  EXPECT_EQ(ini.keys("gw1"), (std::vector<std::string>{"Host"}));
}

TEST(IniFile, MissingFileIsAnEmptyProfileThatSaveCreates) {
  TempDir dir;
  IniFile ini = IniFile::load(dir.file("new.ini"));
  EXPECT_TRUE(ini.ok());
  EXPECT_FALSE(ini.existed());
  ini.writeString("main", "Gateway", "unnamed");
  ASSERT_TRUE(ini.save());
  EXPECT_EQ(readFile(dir.file("new.ini")), "[main]\nGateway=unnamed\n");
}

TEST(IniFile, FailedSaveLeavesThePreviousFileIntact) {
  TempDir dir;
  const auto path = dir.write("keep.ini", "[main]\nk=old\n");
  IniFile ini = IniFile::load(path);
  ini.writeString("main", "k", std::string(4096, 'n'));

  // A disk that fills up mid-write: the file size limit makes the write fail, even for root.
  struct rlimit saved {};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
  const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
  struct rlimit small = saved;
  small.rlim_cur = 64;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  const bool ok = ini.save();
  ::setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, oldHandler);

  EXPECT_FALSE(ok);
  EXPECT_EQ(readFile(path), "[main]\nk=old\n");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);  // no temporary left
}

TEST(IniFile, SaveLeavesNoTemporaryFilesAndKeepsOrForcesTheMode) {
  TempDir dir;
  const auto path = dir.write("gtws.ini", "[a]\nk=1\n");
  ::chmod(path.c_str(), 0640);
  IniFile ini = IniFile::load(path);
  ini.writeString("a", "k", "2");
  ASSERT_TRUE(ini.save());
  struct stat st {};
  ASSERT_EQ(::stat(path.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777u, 0640u);

  ini.setFileMode(0600);
  ASSERT_TRUE(ini.save());
  ASSERT_EQ(::stat(path.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777u, 0600u);

  int entries = 0;
  for (const auto& e : std::filesystem::directory_iterator(dir.path())) {
    (void)e;
    ++entries;
  }
  EXPECT_EQ(entries, 1);
}

TEST(IniFile, DuplicateKeysAndSectionsUseTheFirst) {
  const std::string bytes = "[s]\nk=first\nk=second\n[S]\nk=third\n";
  TempDir dir;
  IniFile ini = IniFile::load(dir.write("d.ini", bytes));
  EXPECT_EQ(ini.readString("s", "k", ""), "first");
  ini.writeString("s", "k", "changed");
  EXPECT_EQ(ini.text(), "[s]\nk=changed\nk=second\n[S]\nk=third\n");
}

TEST(IniFile, WriteKeyChangesOneKeyOfAFile) {
  TempDir dir;
  const auto path = dir.write("settings.ini", "[main]\nLanguage=1\nTimeout=5000\n");
  ASSERT_TRUE(IniFile::writeKey(path, "main", "Language", "0"));
  EXPECT_EQ(readFile(path), "[main]\nLanguage=0\nTimeout=5000\n");
}

// A CR belongs to the line ending also on a last line without LF: the value reads without it, and a key
// written after that line gives it a whole line ending without changing any value.
TEST(IniFile, ACarriageReturnEndsTheLastLineAsItEndsEveryOther) {
  const struct {
    const char* bytes;
    const char* value;  // of s/k
    const char* after;  // the text once s/new=1 is written
  } cases[] = {
      {"[s]\nk=3,7\r", "3,7", "[s]\nk=3,7\r\nnew=1\n"},
      {"[s]\r\nk=3,7\r", "3,7", "[s]\r\nk=3,7\r\nnew=1\r\n"},
      {"[s]\nk=3,7", "3,7", "[s]\nk=3,7\nnew=1\n"},
      {"[s]\nk=3\r7\n", "3\r7", "[s]\nk=3\r7\nnew=1\n"},  // a CR inside a line stays
      {"[s]\nk=\r\r\n", "\r", "[s]\nk=\r\r\nnew=1\n"},    // only one CR is the ending
  };
  for (const auto& c : cases) {
    IniFile ini = IniFile::fromText(c.bytes);
    EXPECT_EQ(ini.readString("s", "k", "?"), c.value) << c.bytes;
    EXPECT_EQ(ini.text(), c.bytes);
    ini.writeString("s", "new", "1");
    EXPECT_EQ(ini.text(), c.after) << c.bytes;
    EXPECT_EQ(IniFile::fromText(ini.text()).readString("s", "k", "?"), c.value) << c.bytes;
  }
}

TEST(IniFile, AFileLargerThanTheCapIsNotReadAndNotOverwritten) {
  TempDir dir;
  const std::string atCap = "[s]\nk=v\n" + std::string(kMaxIniFileBytes - 8, '\n');
  const IniFile fits = IniFile::load(dir.write("fits.ini", atCap));
  EXPECT_TRUE(fits.ok());
  EXPECT_EQ(fits.readString("s", "k", ""), "v");

  const auto path = dir.write("big.ini", atCap + "\n");
  IniFile big = IniFile::load(path);
  EXPECT_FALSE(big.ok());
  EXPECT_TRUE(big.tooLarge());
  EXPECT_FALSE(IniFile::writeKey(path, "s", "k", "w"));
  EXPECT_EQ(readFile(path), atCap + "\n");
}

// The index follows every write: keys inserted into one section move the sections after it.
TEST(IniFile, LookupsStayRightAfterWritesMoveLaterSections) {
  IniFile ini = IniFile::fromText("pre=0\n[A]\na=1\n\n\n[B]\nb=2\n[a]\na=shadowed\n[C]\n");
  for (int i = 0; i < 3; ++i) ini.writeInt("A", "n" + std::to_string(i), i);
  ini.writeString("c", "c", "3");
  ini.writeString("b", "B", "22");
  ini.writeString("D", "d", "4");
  ini.writeString("A", " spaced ", "5");  // written, and read back, as "spaced"
  EXPECT_EQ(
      ini.text(),
      "pre=0\n[A]\na=1\nn0=0\nn1=1\nn2=2\nspaced=5\n\n\n[B]\nB=22\n[a]\na=shadowed\n[C]\nc=3\n\n[D]\nd=4\n");
  EXPECT_EQ(ini.readString("a", "n2", ""), "2");
  EXPECT_EQ(ini.readString("A", "spaced", ""), "5");
  EXPECT_EQ(ini.readString("b", "b", ""), "22");
  EXPECT_EQ(ini.readString("C", "c", ""), "3");
  EXPECT_EQ(ini.readString("d", "D", ""), "4");
  EXPECT_FALSE(ini.hasKey("A", "pre"));
  EXPECT_EQ(ini.keys("a"), (std::vector<std::string>{"a", "n0", "n1", "n2", "spaced"}));
  EXPECT_EQ(ini.sections(), (std::vector<std::string>{"A", "B", "a", "C", "D"}));
}

TEST(IniLine, TellsSectionsFromKeys) {
  EXPECT_EQ(iniSectionName("  [ Gsm parametres ]  "), "Gsm parametres");
  EXPECT_FALSE(iniSectionName("[unclosed"));
  EXPECT_FALSE(iniKeyValue("; S70=1"));
  EXPECT_FALSE(iniKeyValue("=value"));
  EXPECT_EQ(iniKeyValue("E10=:5060")->second, ":5060");
  EXPECT_EQ(iniKeyValue("A=b=c")->second, "b=c");
}

}  // namespace
}  // namespace gw

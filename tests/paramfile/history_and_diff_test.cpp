// The history folder beside a parameter file, and drift in the file's own terms.

#include <gtest/gtest.h>

#include "base/files.h"
#include "base/ini_file.h"
#include "paramfile/file_diff.h"
#include "paramfile/file_history.h"
#include "paramfile/parameter_file.h"
#include "sample_image.h"
#include "support/temp_dir.h"

namespace gw {
namespace {

using test::readFile;
using test::TempDir;

const LocalTime kAt{2026, 12, 9, 14, 5, 0};

std::vector<std::string> stampsOf(const std::string& file) {
  std::vector<std::string> stamps;
  for (const HistoryEntry& e : historyEntries(file)) stamps.push_back(e.stamp);
  return stamps;
}

TEST(FileHistory, AnOverwriteKeepsThePreviousVersionOnlyWhenTheFileChanges) {
  TempDir dir;
  const std::string file = dir.file("gw/gw.ini");
  makeFolders(dir.file("gw"));
  TParametres image = test::sampleImage();
  ASSERT_TRUE(saveParameterFile(image, file, ParamSection::All, kAt));  // new file: nothing to keep
  EXPECT_TRUE(historyEntries(file).empty());
  const std::string first = readFile(file);

  ASSERT_TRUE(saveParameterFile(image, file, ParamSection::All, kAt));  // unchanged: no entry
  EXPECT_TRUE(historyEntries(file).empty());

  image.system.startDialling = "9";
  ASSERT_TRUE(saveParameterFile(image, file, ParamSection::All, kAt));
  image.system.startDialling = "8";
  ASSERT_TRUE(saveParameterFile(image, file, ParamSection::All, kAt));  // same second: "_2"
  EXPECT_EQ(stampsOf(file), (std::vector<std::string>{"2026-12-09T14-05-00", "2026-12-09T14-05-00_2"}));
  EXPECT_EQ(readFile(historyFolder(file) + "/2026-12-09T14-05-00.ini"), first);

  image.system.startDialling = "7";
  ASSERT_TRUE(saveParameterFile(image, file, ParamSection::All));  // without a time: no history
  EXPECT_EQ(historyEntries(file).size(), 2u);
}

TEST(FileHistory, KeepsTheLastFiftyInTimeOrderAndFindsOnlyRealStamps) {
  TempDir dir;
  const std::string file = dir.write("gw.ini", "[System parametres]\nX30=1\n");
  for (int i = 0; i < static_cast<int>(kHistoryKept) + 5; ++i) {
    LocalTime t = kAt;
    t.minute = i / 12;
    t.second = i % 12;
    ASSERT_FALSE(keepInHistory(file, t).empty()) << i;
  }
  dir.write("history/notes.txt", "x");
  dir.write("history/2026-12-09T14-05-00_02.ini", "x");  // not a serial number
  const std::vector<std::string> stamps = stampsOf(file);
  ASSERT_EQ(stamps.size(), kHistoryKept);
  EXPECT_EQ(stamps.front(), "2026-12-09T14-00-05");  // the five oldest are gone
  EXPECT_EQ(stamps.back(), "2026-12-09T14-04-06");
  EXPECT_TRUE(findHistoryEntry(file, stamps.back()));
  for (const char* bad : {"../gw", "2026-12-09T14-00-05.ini", "", "notes", "/etc/passwd"})
    EXPECT_FALSE(findHistoryEntry(file, bad)) << bad;
}

TEST(FileHistory, SerialNumbersSortAsNumbers) {
  TempDir dir;
  const std::string file = dir.write("gw.ini", "[System parametres]\nX30=1\n");
  for (int i = 0; i < 11; ++i) ASSERT_FALSE(keepInHistory(file, kAt).empty());
  const std::vector<std::string> stamps = stampsOf(file);
  EXPECT_EQ(stamps[1], "2026-12-09T14-05-00_2");
  EXPECT_EQ(stamps.back(), "2026-12-09T14-05-00_11");
}

TEST(FileDiff, ComparesKeyByKeyInTheFilesOwnTerms) {
  struct Case {
    const char* name;
    const char* file;
    const char* gateway;
    std::vector<std::string> lines;
  };
  const std::vector<Case> cases = {
      {"equal", "[System parametres]\nX30=1,2\n", "[System parametres]\nX30=1,2\n", {}},
      {"changed value",
       "[System parametres]\nX30=1,2\nX31=0\n",
       "[System parametres]\nX30=1,3\nX31=0\n",
       {"System parametres / X30: 1,2 \u2192 1,3"}},
      {"key missing in the file", "[Lcr table]\n", "[Lcr table]\nL01=a\n", {"Lcr table / L01:  \u2192 a"}},
      {"identification is not configuration", "[Gateway]\nati3=A\n", "[Gateway]\nati3=B\n", {}},
      {"keys only the file has are not the gateway's",
       "[Lcr table]\nL01=a\nL02=b\n",
       "[Lcr table]\nL01=a\n",
       {}},
  };
  for (const Case& c : cases) {
    TempDir dir;
    const IniFile file = IniFile::load(dir.write("f.ini", c.file));
    const IniFile gateway = IniFile::load(dir.write("g.ini", c.gateway));
    std::vector<std::string> lines;
    for (const KeyDifference& d : keyDifferences(file, gateway)) lines.push_back(differenceLine(d));
    EXPECT_EQ(lines, c.lines) << c.name;
  }
}

}  // namespace
}  // namespace gw

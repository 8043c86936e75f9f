#include "shell/settings.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace gw {
namespace {

using test::readFile;
using test::TempDir;

TEST(Settings, MissingFileAndKeysGiveTheDefaults) {
  TempDir dir;
  const Settings s = readSettings(dir.file("settings.ini"));
  EXPECT_EQ(s.commType, 1);
  EXPECT_EQ(s.gateway, "unnamed");
  EXPECT_EQ(s.comport, "");
  EXPECT_TRUE(s.saveLog);
  EXPECT_TRUE(s.append);
  EXPECT_EQ(s.timeoutMs, 5000);
  EXPECT_EQ(s.language, Language::English);
}

TEST(Settings, ReadsKeysWhateverTheirCaseAndAnEmptyGatewayIsUnnamed) {
  TempDir dir;
  const auto path =
      dir.write("settings.ini",
                "[MAIN]\r\ncommtype=2\r\ngateway=\r\ncomport=ttyUSB0\r\nsavelog=0\r\nappend=0\r\n"
                "timeout=3000\r\nlanguage=0\r\n");
  const Settings s = readSettings(path);
  EXPECT_EQ(s.commType, 2);
  EXPECT_EQ(s.gateway, "unnamed");
  EXPECT_EQ(s.comport, "ttyUSB0");
  EXPECT_FALSE(s.saveLog);
  EXPECT_FALSE(s.append);
  EXPECT_EQ(s.timeoutMs, 3000);
  EXPECT_EQ(s.language, Language::Czech);

  ASSERT_TRUE(writeLanguage(path, Language::Spanish));
  EXPECT_EQ(readFile(path),
            "[MAIN]\r\ncommtype=2\r\ngateway=\r\ncomport=ttyUSB0\r\nsavelog=0\r\nappend=0\r\ntimeout=3000\r\n"
            "Language=2\r\n");
}

TEST(Settings, ALanguageOutOfRangeMeansEnglish) {
  TempDir dir;
  EXPECT_EQ(readSettings(dir.write("settings.ini", "[main]\nLanguage=7\n")).language, Language::English);
}

TEST(Settings, CommSettingsWithABadResponseTimeKeepTheKeysWrittenBeforeIt) {
  TempDir dir;
  const auto path = dir.write("settings.ini", "[main]\nTimeout=5000\nLanguage=1\n");
  Settings values;
  values.commType = 2;
  values.gateway = "Gw1";
  values.comport = "ttyS0";
  values.saveLog = false;
  values.append = true;
  EXPECT_EQ(writeCommSettings(path, values, "12x"), CommSettingsWrite::BadTimeout);
  EXPECT_EQ(
      readFile(path),
      "[main]\nTimeout=5000\nLanguage=1\nCommType=2\nGateway=Gw1\nComport=ttyS0\nSaveLog=0\nAppend=1\n");
  EXPECT_EQ(writeCommSettings(path, values, "2500"), CommSettingsWrite::Written);
  EXPECT_EQ(readSettings(path).timeoutMs, 2500);
}

TEST(Settings, CloseWritesTheFourCloseTimeKeysOnce) {
  TempDir dir;
  const auto path = dir.write("settings.ini", "[main]\nLanguage=1\nshowheader=1\n");
  ASSERT_TRUE(writeCloseKeys(path));
  EXPECT_EQ(readFile(path), "[main]\nLanguage=1\nShowHeader=0\nResizeColumns=1\nInitBuffer=1\nShowHints=0\n");
}

}  // namespace
}  // namespace gw

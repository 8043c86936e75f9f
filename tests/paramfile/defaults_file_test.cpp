#include <gtest/gtest.h>

#include <map>
#include <set>

#include "base/ini_file.h"
#include "base/text.h"
#include "paramfile/parameter_file.h"
#include "sample_image.h"
#include "support/temp_dir.h"

namespace gw {
namespace {

using test::expectSameImage;
using test::sampleImage;
using test::TempDir;

const std::string kDefaultsFile = GW_SOURCE_DIR "/data/defaults.ini";

TEST(DefaultsFile, GivesTheSameImageAsTheBuiltInDefaults) {
  TempDir dir;
  TParametres fromFile = sampleImage();
  TParametres builtIn = sampleImage();
  int reports = 0;
  const auto count = [&](ParamSection, const std::string&) { ++reports; };
  ASSERT_TRUE(loadParameterFile(fromFile, kDefaultsFile, ParamSection::All, count));
  ASSERT_TRUE(loadParameterFile(builtIn, dir.file("missing.ini"), ParamSection::All, count));
  EXPECT_EQ(reports, 0);

  expectSameImage(fromFile, builtIn);
  EXPECT_TRUE(fromFile == builtIn);
}

// Section and key names, lower case, of every key in a file but the "Gateway" section.
std::map<std::string, std::set<std::string>> keysOf(const IniFile& ini) {
  std::map<std::string, std::set<std::string>> keys;
  for (const std::string& section : ini.sections()) {
    if (equalsNoCase(section, "Gateway")) continue;
    for (const std::string& key : ini.keys(section)) keys[toLowerAscii(section)].insert(toLowerAscii(key));
  }
  return keys;
}

TEST(DefaultsFile, HoldsEveryKeyAParameterFileHolds) {
  TempDir dir;
  const auto path = dir.file("gw.ini");
  ASSERT_TRUE(saveParameterFile(sampleImage(), path, ParamSection::All));
  const IniFile defaults = IniFile::load(kDefaultsFile);
  ASSERT_TRUE(defaults.existed());
  EXPECT_EQ(keysOf(defaults), keysOf(IniFile::load(path)));
}

}  // namespace
}  // namespace gw

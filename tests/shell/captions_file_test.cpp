#include "shell/captions_file.h"

#include <gtest/gtest.h>

#include <string>

#include "support/temp_dir.h"

namespace gw {
namespace {

using test::TempDir;

TEST(LoadLabels, ASmallLabelsCountStillLoadsSixHundredCaptions) {
  TempDir dir;
  const auto path = dir.write("languages.ini",
                              "[main]\nlabels_count=10\n[1]\ns0=Connect gateway\ns599=Last\ns600=Beyond\n");
  const CaptionList captions = loadLabels(path, kLanguageEnglish);
  ASSERT_EQ(captions.size(), 600u);
  EXPECT_EQ(captions.at(0), "Connect gateway");
  EXPECT_EQ(captions.at(599), "Last");
  EXPECT_EQ(captions.at(600), "");  // outside the list
  EXPECT_EQ(captions.at(1), "");    // missing key: empty caption
  EXPECT_EQ(captions.labelOr(1, "Disconnect gateway"), "Disconnect gateway");
}

TEST(LoadLabels, ALargerLabelsCountIsHonouredAndAHostileOneIsCapped) {
  TempDir dir;
  const auto larger = dir.write("larger.ini", "[main]\nlabels_count=700\n[1]\ns650=Extra\n");
  EXPECT_EQ(loadLabels(larger, kLanguageEnglish).size(), 700u);
  EXPECT_EQ(loadLabels(larger, kLanguageEnglish).at(650), "Extra");

  const auto huge =
      dir.write("huge.ini", "[main]\nlabels_count=2000000000\n[1]\ns9999=Kept\ns10000=Dropped\n");
  const CaptionList capped = loadLabels(huge, kLanguageEnglish);
  EXPECT_EQ(capped.size(), static_cast<std::size_t>(kMaxLabelsCount));
  EXPECT_EQ(capped.at(9999), "Kept");
  EXPECT_EQ(capped.at(10000), "");
}

TEST(LoadLabels, ABrokenOrMissingCountMeansSixHundred) {
  TempDir dir;
  for (const char* count : {"", "abc", "-5", "12x", "99999999999999999999"}) {
    const auto path =
        dir.write("languages.ini", std::string("[main]\nlabels_count=") + count + "\n[1]\ns3=Load\n");
    const CaptionList captions = loadLabels(path, kLanguageEnglish);
    EXPECT_EQ(captions.size(), 600u) << count;
    EXPECT_EQ(captions.at(3), "Load") << count;
  }
  const auto noMain = dir.write("nomain.ini", "[1]\ns3=Load\n");
  EXPECT_EQ(loadLabels(noMain, kLanguageEnglish).size(), 600u);
}

TEST(LoadLabels, AMissingSectionOrFileGivesEmptyCaptions) {
  TempDir dir;
  const auto path = dir.write("languages.ini", "[main]\nlabels_count=600\n[1]\ns0=Connect gateway\n");
  const CaptionList spanish = loadLabels(path, kLanguageSpanish);
  ASSERT_EQ(spanish.size(), 600u);
  for (int i = 0; i < 600; ++i) EXPECT_EQ(spanish.at(i), "") << i;

  const CaptionList none = loadLabels(dir.file("absent.ini"), kLanguageEnglish);
  EXPECT_EQ(none.size(), 600u);
  EXPECT_EQ(none.at(0), "");
}

TEST(LoadLabels, ReadsOnlyItsOwnLanguageWhateverTheCaseAndLineEnds) {
  TempDir dir;
  const auto path = dir.write("languages.ini",
                              "\xEF\xBB\xBF[MAIN]\r\nLabels_Count=600\r\n"
                              "[0]\r\ns5=Na\xC4\x8D\xC3\xADst jinak\r\n"
                              "[1]\r\nS5 = Load otherwise... \r\n; s6=commented out\r\ns05=not s5\r\n"
                              "[10]\r\ns7=language ten\r\n"
                              "[2]\r\ns5=Cargar\r\n");
  const CaptionList english = loadLabels(path, kLanguageEnglish);
  EXPECT_EQ(english.at(5), "Load otherwise...");
  EXPECT_EQ(english.at(6), "");
  EXPECT_EQ(english.at(7), "");  // belongs to section "10", not "1"
  EXPECT_EQ(loadLabels(path, kLanguageCzech).at(5), "Na\xC4\x8D\xC3\xADst jinak");
  EXPECT_EQ(loadLabels(path, kLanguageSpanish).at(5), "Cargar");
}

TEST(LoadLabels, TheFirstOfTwoSectionsOrKeysOfOneNameCounts) {
  TempDir dir;
  const auto path = dir.write("languages.ini", "[1]\ns1=first\ns1=second\n[1]\ns1=third\ns2=later section\n");
  const CaptionList captions = loadLabels(path, kLanguageEnglish);
  EXPECT_EQ(captions.at(1), "first");
  EXPECT_EQ(captions.at(2), "");
}

TEST(LoadLabels, LegacyBytesAreReadInTheLanguagesCodePage) {
  TempDir dir;
  // A hand-edited file: Czech saved in Windows-1250, Spanish in Windows-1252, English already UTF-8.
  const auto path = dir.write("languages.ini",
                              "[0]\ns14=Jazyk\ns15=N\xE1pov\xEC"
                              "da\ns16=\xC5\x99\n"
                              "[1]\ns15=Help \xE2\x80\x94 \xC3\xBC\n"
                              "[2]\ns13=Ajustes de comunicaci\xF3n\ns14=Espa\xF1ol\n");
  const CaptionList czech = loadLabels(path, kLanguageCzech);
  EXPECT_EQ(czech.at(14), "Jazyk");
  EXPECT_EQ(czech.at(15),
            "N\xC3\xA1pov\xC4\x9B"
            "da");                      // á and ě from 0xE1 and 0xEC
  EXPECT_EQ(czech.at(16), "\xC5\x99");  // a UTF-8 value in the same section stays
  EXPECT_EQ(loadLabels(path, kLanguageEnglish).at(15), "Help \xE2\x80\x94 \xC3\xBC");
  const CaptionList spanish = loadLabels(path, kLanguageSpanish);
  EXPECT_EQ(spanish.at(13), "Ajustes de comunicaci\xC3\xB3n");
  EXPECT_EQ(spanish.at(14), "Espa\xC3\xB1ol");  // 0xF1 is ñ here, not the ń of Windows-1250
  EXPECT_EQ(decodeCaptionValue("\xF1", kLanguageCzech), "\xC5\x84");
  EXPECT_EQ(decodeCaptionValue("\xF1", kLanguageEnglish), "\xC3\xB1");
}

TEST(LanguagesFile, ExistsOnlyAsARegularFileInTheProgramFolder) {
  TempDir dir;
  EXPECT_FALSE(languagesFileExists(dir.path()));
  dir.write("sub/languages.ini/placeholder", "");  // a folder of that name is not the file
  EXPECT_FALSE(languagesFileExists(dir.path() + "/sub"));
  dir.write("languages.ini", "[main]\n");
  EXPECT_TRUE(languagesFileExists(dir.path()));
}

}  // namespace
}  // namespace gw

#include <gtest/gtest.h>

#include <filesystem>
#include <iterator>

#include "base/ini_file.h"
#include "base/text.h"
#include "paramfile/parameter_file.h"
#include "paramfile/record_text.h"
#include "sample_image.h"
#include "support/temp_dir.h"

namespace gw {
namespace {

using test::expectSameImage;
using test::readFile;
using test::sampleImage;
using test::TempDir;

std::string valueOf(const std::string& path, std::string_view section, std::string_view key) {
  return IniFile::load(path).value(section, key).value_or("<missing>");
}

TEST(ParameterFile, WholeSaveAndLoadGiveTheImageBack) {
  TempDir dir;
  const auto path = dir.file("gw.ini");
  const TParametres image = sampleImage();
  ASSERT_TRUE(saveParameterFile(image, path, ParamSection::All));

  TParametres loaded;
  int reports = 0;
  EXPECT_TRUE(loadParameterFile(loaded, path, ParamSection::All,
                                [&](ParamSection, const std::string&) { ++reports; }));
  EXPECT_EQ(reports, 0);
  expectSameImage(loaded, image);
}

TEST(ParameterFile, ValueFormsOfTheSharedAndCodedKeys) {
  TempDir dir;
  const auto path = dir.file("gw.ini");
  TParametres image = sampleImage();
  image.ethernet.codecPriority1 = '1';
  image.ethernet.codecPriority2 = '0';
  image.ethernet.codecPriority3 = '8';
  ASSERT_TRUE(saveParameterFile(image, path, ParamSection::All));

  EXPECT_EQ(valueOf(path, "Ethernet parametres", "E01"), "1,0,8");
  EXPECT_EQ(valueOf(path, "Ethernet parametres", "E23"), "3,3");  // VAD 1, 5.3 kbps
  EXPECT_EQ(valueOf(path, "Ethernet parametres", "E10"), "10.0.0.1:5070");
  EXPECT_EQ(valueOf(path, "Ethernet parametres", "E08"), "50,3,8");
  EXPECT_EQ(valueOf(path, "Gsm parametres", "G09"), "97,2,3,4,1");
  EXPECT_EQ(valueOf(path, "Gsm parametres", "G103"), "0,4,0,13,2");
  EXPECT_EQ(valueOf(path, "Groups assignment", "G00"), "0132");
  EXPECT_EQ(valueOf(path, "Groups assignment", "G90"), "3210");
  EXPECT_EQ(valueOf(path, "Outgoing groups", "G11"), "23000,0,1,2,3,4,5,6");
  EXPECT_EQ(valueOf(path, "Outgoing groups", "G49"), "308,307,309,310,316,311,");  // no separator
  EXPECT_EQ(valueOf(path, "Incoming groups", "G191"), "0,p");
  EXPECT_EQ(valueOf(path, "Incoming groups", "G192"), "0,");
  EXPECT_EQ(valueOf(path, "Incoming groups", "G95"), "1000,,2000");
  EXPECT_EQ(valueOf(path, "Incoming groups", "G99"), "48,1");
  EXPECT_EQ(valueOf(path, "Network list", "N89"), "NET8,16");
  EXPECT_EQ(valueOf(path, "Lcr table", "L"), "1,07:00/18:00/w-,21,0,2,00:00/24:00,3,15");

  TParametres loaded;
  ASSERT_TRUE(loadParameterFile(loaded, path, ParamSection::Ethernet));
  EXPECT_EQ(loaded.ethernet.codecPriority1, '1');
  EXPECT_EQ(loaded.ethernet.codecPriority2, '0');
  EXPECT_EQ(loaded.ethernet.codecPriority3, '8');
  EXPECT_EQ(loaded.ethernet.g723Vad, 1);
  EXPECT_EQ(loaded.ethernet.g723BitRate, 1);
}

TEST(ParameterFile, E08KeepsEveryFieldThroughAWholeSaveAndLoad) {
  for (const int clipFromInvite : {0, 1}) {
    TempDir dir;
    // A stale E08 in the file must neither leak into the save nor survive it.
    const auto path = dir.write("gw.ini", "[Ethernet parametres]\nE08=37,1\n");
    TParametres image = sampleImage();
    image.outgoing[0].clipFromInvite = clipFromInvite;
    image.ethernet.sipFlags = 0x16 | (clipFromInvite ? 0x20 : 0);
    ASSERT_TRUE(saveParameterFile(image, path, ParamSection::All));

    TParametres loaded;
    ASSERT_TRUE(loadParameterFile(loaded, path, ParamSection::All));
    EXPECT_EQ(loaded.ethernet.sipFlags, image.ethernet.sipFlags);
    EXPECT_EQ(loaded.ethernet.ringToneFromVoip, 3);
    EXPECT_EQ(loaded.ethernet.sipFlags2, 8);
    EXPECT_EQ(loaded.outgoing[0].clipFromInvite, clipFromInvite);
  }
}

TEST(ParameterFile, PagesSavedAloneKeepWhatTheOtherPageOwnsInASharedKey) {
  TempDir dir;
  const auto path =
      dir.write("gw.ini", "[Ethernet parametres]\nE08=32,4,1\n[GSM parametres]\nG09=1,3,4,0,0\n");
  TParametres image = sampleImage();
  image.ethernet.sipFlags = 0x12;  // the Ethernet page rebuilds field 1 from its own boxes, without 0x20
  image.basic.dialTone = 0;
  image.basic.ringTone = 0;
  ASSERT_TRUE(saveParameterFile(image, path, ParamSection::Ethernet));
  EXPECT_EQ(valueOf(path, "Ethernet parametres", "E08"), "50,3,8");  // the outgoing groups' "From" stays
  EXPECT_EQ(valueOf(path, "Gsm parametres", "G09"), "97,3,4,4,1");   // dial and ring tone stay

  TParametres outgoing;
  ASSERT_TRUE(loadParameterFile(outgoing, path, ParamSection::Outgoing));
  EXPECT_EQ(outgoing.outgoing[0].clipFromInvite, 1);

  // Saving the outgoing groups alone changes bit 0x20 only, whatever else E08 holds.
  image.outgoing[0].clipFromInvite = 0;
  dir.write("gw.ini", "[Ethernet parametres]\nE08=55,x,9,\n");
  ASSERT_TRUE(saveParameterFile(image, path, ParamSection::Outgoing));
  EXPECT_EQ(valueOf(path, "Ethernet parametres", "E08"), "23,x,9,");

  // A G09 with fewer fields counts the missing ones as 0.
  dir.write("gw.ini", "[GSM parametres]\nG09=5\n");
  ASSERT_TRUE(saveParameterFile(image, path, ParamSection::Ethernet));
  EXPECT_EQ(valueOf(path, "GSM parametres", "G09"), "97,0,0,4,1");
}

TEST(ParameterFile, HolidaysAndCausePairsBeyondTheirLimitsAreNotKept) {
  TempDir dir;
  const auto path = dir.file("gw.ini");
  TParametres image = sampleImage();
  image.basic.holidays.clear();
  for (int i = 1; i <= 26; ++i) image.basic.holidays.push_back(std::to_string(i) + ".01");
  image.basic.causePairs.clear();
  for (int i = 1; i <= 13; ++i) image.basic.causePairs.push_back(std::to_string(i) + "/480");
  ASSERT_TRUE(saveParameterFile(image, path, ParamSection::GsmBasic | ParamSection::Holidays));
  EXPECT_EQ(valueOf(path, "Gsm parametres", "G07"),
            "13.01,14.01,15.01,16.01,17.01,18.01,19.01,20.01,21.01,"
            "22.01,23.01,24.01");

  TParametres loaded;
  ASSERT_TRUE(loadParameterFile(loaded, path, ParamSection::GsmBasic | ParamSection::Holidays));
  image.basic.holidays.resize(kMaxHolidays);
  image.basic.causePairs.resize(kMaxCausePairs);
  EXPECT_EQ(loaded.basic.holidays, image.basic.holidays);
  EXPECT_EQ(loaded.basic.causePairs, image.basic.causePairs);

  // A hand-made file with more than 24 dates still gives 24.
  dir.write("gw.ini", "[Gsm parametres]\nG06=" + std::string(20 * 6, ',') + "\nG07=1.1,2.1\n");
  ASSERT_TRUE(loadParameterFile(loaded, path, ParamSection::Holidays));
  EXPECT_EQ(loaded.basic.holidays.size(), kMaxHolidays);
}

TEST(ParameterFile, OnlyTheMaskedSectionsAndTheGatewayAreWrittenOrRead) {
  TempDir dir;
  const auto path = dir.file("gw.ini");
  const TParametres image = sampleImage();
  ASSERT_TRUE(saveParameterFile(image, path, ParamSection::System));
  EXPECT_EQ(IniFile::load(path).sections(), (std::vector<std::string>{"Gateway", "System parametres"}));

  // Lcr writes the dates and holidays as well, but reads only its table.
  ASSERT_TRUE(saveParameterFile(image, path, ParamSection::Lcr));
  EXPECT_EQ(valueOf(path, "System parametres", "X20"), "25.10,28.03");
  EXPECT_EQ(valueOf(path, "Gsm parametres", "G07"), "31.12,02.01");
  TParametres loaded;
  ASSERT_TRUE(loadParameterFile(loaded, path, ParamSection::Lcr));
  EXPECT_EQ(loaded.tables.lcr, image.tables.lcr);
  EXPECT_TRUE(loaded.basic.holidays.empty());
  EXPECT_EQ(loaded.system, SystemPart{});
  ASSERT_TRUE(loadParameterFile(loaded, path, ParamSection::Holidays));
  EXPECT_EQ(loaded.basic.holidays, image.basic.holidays);
  EXPECT_EQ(loaded.system.winterDate, "25.10");
}

TEST(ParameterFile, ASaveKeepsEveryOtherLineAndWritesOnce) {
  TempDir dir;
  const std::string before =
      "; kept by hand\n[gateway]\nATI3=old\nnote=keep me\n\n[system PARAMETRES]\nS70=1.2.3.4\n  stray line\n"
      "S71=255.0.0.0\n\n[Other]\nk=v\n";
  const auto path = dir.write("gw.ini", before);
  TParametres image;
  image.identification = {"QN new", ""};
  image.system.ipAddress = "10.1.1.1";
  ASSERT_TRUE(saveParameterFile(image, path, ParamSection::System));
  const std::string after = readFile(path);
  // Keys replaced in place, new keys after the section's last line, nothing removed.
  EXPECT_TRUE(
      startsWith(after,
                 "; kept by hand\n[gateway]\nati3=QN new\nnote=keep me\nati4=\n\n[system PARAMETRES]\n"
                 "S70=10.1.1.1\n  stray line\nS71=\nX30=,,\n"))
      << after;
  EXPECT_TRUE(endsWith(after, "X24=0\n\n[Other]\nk=v\n")) << after;
  // One atomic write: no temporary file is left beside the parameter file.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

TEST(ParameterFile, LineBreaksInValuesAreDroppedSoTheFileStaysWellFormed) {
  TempDir dir;
  const auto path = dir.file("gw.ini");
  TParametres image = sampleImage();
  image.identification.ati3 = "QN Orvale\r\n(c) 2009\r\n";
  image.outgoing[0].smsNoAnswerText = "line one\nS86=injected";
  ASSERT_TRUE(saveParameterFile(image, path, ParamSection::All));

  TParametres loaded;
  ASSERT_TRUE(loadParameterFile(loaded, path, ParamSection::All));
  EXPECT_EQ(loaded.identification.ati3, "QN Orvale(c) 2009");
  EXPECT_EQ(loaded.identification.ati4, image.identification.ati4);
  EXPECT_EQ(loaded.outgoing[0].smsNoAnswerText, "line oneS86=injected");
  EXPECT_EQ(loaded.outgoing[0].smsAllCallsText, image.outgoing[0].smsAllCallsText);
}

TEST(ParameterFile, CommasInsideTextsDoNotShiftWhatFollows) {
  TempDir dir;
  const auto path = dir.file("gw.ini");
  TParametres image = sampleImage();
  image.ethernet.password = "pa,ss";
  image.outgoing[1].clipToGsmSeparator = ',';
  image.incoming[0].clipToVoipSeparator = ',';
  // A record that came in with a comma in its name, one with a field missing, and a good one after them.
  image.tables.extension = {"Doe, John,jd,pw,601,1,1,0", "Short,s,p,602,0,0", "Eva,eva,pw2,603,0,1,0"};
  ASSERT_TRUE(saveParameterFile(image, path, ParamSection::All));

  TParametres loaded;
  ASSERT_TRUE(loadParameterFile(loaded, path, ParamSection::All));
  EXPECT_EQ(loaded.ethernet.password, "pa,ss");
  EXPECT_EQ(loaded.outgoing[1].clipToGsmSeparator, ',');
  EXPECT_EQ(loaded.incoming[0].clipToVoipSeparator, ',');
  EXPECT_EQ(
      loaded.tables.extension,
      (std::vector<std::string>{"Doe John,jd,pw,601,1,1,0", "Short,s,p,602,0,0,", "Eva,eva,pw2,603,0,1,0"}));

  EXPECT_EQ(joinRecord({"Doe, John", "a\r\nb", "", "1"}), "Doe John,ab,,1");
}

TEST(ParameterFile, AFileThatCannotBeWrittenGivesFalse) {
  TempDir dir;
  EXPECT_FALSE(saveParameterFile(sampleImage(), dir.file("no/such/folder/gw.ini"), ParamSection::All));
  EXPECT_FALSE(saveParameterFile(sampleImage(), "", ParamSection::System));
}

}  // namespace
}  // namespace gw

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "base/captions.h"
#include "base/ini_file.h"
#include "base/recording_host.h"
#include "paramfile/parameter_file.h"
#include "sample_image.h"
#include "support/temp_dir.h"

namespace gw {
namespace {

using test::sampleImage;
using test::TempDir;

using Reports = std::vector<std::pair<ParamSection, std::string>>;

// Loads `content` with `mask` into `image` and returns the sections reported, in order.
Reports loadText(TParametres& image, const std::string& content, SectionMask mask) {
  TempDir dir;
  Reports reports;
  loadParameterFile(image, dir.write("gw.ini", content), mask,
                    [&](ParamSection s, const std::string& text) { reports.emplace_back(s, text); });
  return reports;
}

TEST(ParameterFileErrors, ASectionStopsAtItsFirstBadFieldAndKeepsWhatCameBefore) {
  TParametres image = sampleImage();
  const TParametres before = image;
  const Reports reports = loadText(
      image, "[System parametres]\nS70=10.0.0.9\nS91=3,7\nX30=*\nX31=7*\nX33=*1,#1\n[Ethernet parametres]\n",
      ParamSection::System | ParamSection::Ethernet);

  ASSERT_EQ(reports.size(), 1u);
  EXPECT_EQ(reports[0].first, ParamSection::System);
  EXPECT_EQ(
      reports[0].second,
      "Error during reading system parametres from gate file, other parametres may be loaded succesfuly.");
  const SystemPart& s = image.system;
  EXPECT_EQ(s.ipAddress, "10.0.0.9");
  EXPECT_EQ(s.subnetMask, "");  // absent: its default
  EXPECT_EQ(s.cdrMode, 3);
  EXPECT_EQ(s.unitId, 7);
  EXPECT_EQ(s.pin, "4821");
  EXPECT_EQ(s.startDialling, "*");
  EXPECT_EQ(s.endDialling, "#");
  EXPECT_EQ(s.endOfDialling, "#");
  EXPECT_EQ(s.hold, "7*");
  EXPECT_EQ(s.hang, before.system.hang);
  EXPECT_EQ(s.followOn, before.system.followOn);
  EXPECT_EQ(s.smsOff, before.system.smsOff);
  EXPECT_EQ(s.firmwarePort, before.system.firmwarePort);
  // The next section is still read: an empty one gives its defaults.
  EXPECT_EQ(image.ethernet.firstRtpPort, 8000);
  EXPECT_EQ(image.ethernet.codecPriority1, '1');
}

TEST(ParameterFileErrors, NumbersThatDoNotConvertFailTheirSectionExceptCodecAndX24) {
  TParametres image;
  EXPECT_EQ(
      loadText(image, "[System parametres]\nX24=off\n[Ethernet parametres]\nCodec=G729\n", ParamSection::All)
          .size(),
      0u);
  EXPECT_EQ(image.system.firmwarePort, 0);
  EXPECT_EQ(image.ethernet.codecChoice, 1);

  for (const char* bad : {"[System parametres]\nS91=x,0\n", "[Ethernet parametres]\nE09=99999999999\n",
                          "[Ethernet parametres]\nE08=0,x\n", "[Ethernet parametres]\nE10=10.0.0.1\n",
                          "[Gsm parametres]\nG103=0,2,2,2\n", "[Outgoing groups]\nG31=,2,0,0,1,1,1\n",
                          "[Incoming groups]\nG94=0,3,3,10,1,\n"}) {
    TParametres fresh;
    EXPECT_EQ(loadText(fresh, bad, ParamSection::All).size(), 1u) << bad;
  }

  // G09 is read by the Ethernet and the GSM basic section alike.
  TParametres shared;
  const Reports both = loadText(shared, "[GSM parametres]\nG09=0,0,0,0,\n", ParamSection::All);
  ASSERT_EQ(both.size(), 2u);
  EXPECT_EQ(both[0].first, ParamSection::Ethernet);
  EXPECT_EQ(both[1].first, ParamSection::GsmBasic);
}

TEST(ParameterFileErrors, TableRecordsAreTakenByWholeGroupsOfFields) {
  TParametres image = sampleImage();
  const Reports reports = loadText(image,
                                   "[Autorouting table]\nA=111,222,,Autodial,333\n[Extension table]\nM=\n"
                                   "[Lcr table]\nL=1,00:00/24:00,1,0,2,00:00/24:00\n",
                                   ParamSection::All);
  ASSERT_EQ(reports.size(), 2u);
  EXPECT_EQ(reports[0].first, ParamSection::Autorouting);
  EXPECT_EQ(
      reports[0].second,
      "Error during reading Autorouting table parametres from gate file, other parametres may be loaded "
      "succesfuly..");
  EXPECT_EQ(reports[1].first, ParamSection::Lcr);
  EXPECT_EQ(image.tables.autorouting, std::vector<std::string>{"111,222,,Autodial"});
  EXPECT_TRUE(image.tables.extension.empty());
  EXPECT_EQ(image.tables.lcr, std::vector<std::string>{"1,00:00/24:00,1,0"});
}

TEST(ParameterFileErrors, ANetworkIdAloneStopsTheNetworkSectionAtItsDigits) {
  TParametres image = sampleImage();
  const TParametres before = image;
  const Reports reports = loadText(image, "[Network list]\nN10=0/+\nN19=,\n", ParamSection::Network);
  ASSERT_EQ(reports.size(), 1u);
  EXPECT_EQ(reports[0].second,
            "Error during reading Network list parametres from gate file, other parametres may be loaded "
            "succesfuly..");
  EXPECT_EQ(image.network[0].replacedPrefixes, std::vector<std::string>{"0/+"});
  EXPECT_EQ(image.network[0].prefixes,
            (std::vector<std::string>{"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"}));
  EXPECT_EQ(image.network[0].networkId, "");
  EXPECT_EQ(image.network[0].defaultDigits, before.network[0].defaultDigits);
  EXPECT_EQ(image.network[1], before.network[1]);
}

TEST(ParameterFileErrors, GroupDigitsMustBeFourIndexesFromZeroToThree) {
  TParametres image = sampleImage();
  EXPECT_EQ(loadText(image, "[Groups assignment]\nG90=0123\nG00=12\n", ParamSection::Groups).size(), 1u);
  EXPECT_EQ(image.groups.incomingGroup, (std::array<int, 4>{0, 1, 2, 3}));
  EXPECT_EQ(image.groups.outgoingGroup, (std::array<int, 4>{0, 1, 3, 2}));  // untouched

  // A group number 4 is beyond the four lists: the digits before it are kept.
  image = sampleImage();
  EXPECT_EQ(loadText(image, "[Groups assignment]\nG90=2241\n", ParamSection::Groups).size(), 1u);
  EXPECT_EQ(image.groups.incomingGroup, (std::array<int, 4>{2, 2, 1, 0}));

  // An index outside the four lists is written as the first group, so the value keeps its four digits.
  TempDir dir;
  image.groups.outgoingGroup = {4, -1, 2, 1};
  ASSERT_TRUE(saveParameterFile(image, dir.file("gw.ini"), ParamSection::Groups));
  ASSERT_TRUE(loadParameterFile(image, dir.file("gw.ini"), ParamSection::Groups));
  EXPECT_EQ(image.groups.outgoingGroup, (std::array<int, 4>{0, 0, 2, 1}));

  // Without the keys every module gets index 1.
  EXPECT_EQ(loadText(image, "", ParamSection::Groups).size(), 0u);
  EXPECT_EQ(image.groups.outgoingGroup, (std::array<int, 4>{1, 1, 1, 1}));
}

TEST(ParameterFileErrors, GatewayWideFieldsGoToEveryGroupRecord) {
  TParametres image = sampleImage();
  ASSERT_TRUE(loadText(image, "[Incoming groups]\nG99=5,3\n[Outgoing groups]\nS85=Busy\n", ParamSection::All)
                  .empty());
  for (const IncomingGroup& g : image.incoming) {
    EXPECT_EQ(g.clipKeepHours, 5);
    EXPECT_TRUE(g.addOnlyUnconnected);
    EXPECT_TRUE(g.deleteOnConnected);
  }
  for (const OutgoingGroup& g : image.outgoing) EXPECT_EQ(g.smsNoAnswerText, "Busy");
  // Only group 1 carries the CLIP modifications.
  EXPECT_EQ(image.outgoing[1].clipToGsmModification, sampleImage().outgoing[1].clipToGsmModification);
  EXPECT_EQ(image.outgoing[0].clipToGsmModification, "");
}

TEST(ParameterFileErrors, EthernetCodedFieldsAndDefaultsFileWithOnlyAnEmptyPin) {
  TParametres image = sampleImage();
  ASSERT_TRUE(loadText(image, "[Ethernet parametres]\nE23=2,3\nE01=18,0,8\nE80=bob\n", ParamSection::Ethernet)
                  .empty());
  EXPECT_EQ(image.ethernet.g723Blocks, 2);
  EXPECT_EQ(image.ethernet.g723Vad, 1);
  EXPECT_EQ(image.ethernet.g723BitRate, 1);
  EXPECT_EQ(image.ethernet.user, "bob");
  EXPECT_EQ(image.ethernet.password, "");

  ASSERT_TRUE(loadText(image, "[System parametres]\nS98=\n", ParamSection::System).empty());
  EXPECT_EQ(image.system.pin, "");
  EXPECT_EQ(image.system.hold, "7*");
  EXPECT_EQ(image.system.cdrMode, 1);
}

TEST(ParameterFileErrors, AMissingFileGivesEveryDefaultWithoutAMessage) {
  TempDir dir;
  TParametres image = sampleImage();
  int reports = 0;
  EXPECT_TRUE(loadParameterFile(image, dir.file("missing.ini"), ParamSection::All,
                                [&](ParamSection, const std::string&) { ++reports; }));
  EXPECT_EQ(reports, 0);
  EXPECT_EQ(image.system.pin, "4821");
  EXPECT_EQ(image.ethernet.stunPort, 3478);
  EXPECT_EQ(image.basic.noModuleReadyCause, 42);
  EXPECT_EQ(image.tables.lcr, std::vector<std::string>{"1,0:00/24:00,1,0"});
  EXPECT_TRUE(image.tables.autorouting.empty());
  EXPECT_EQ(image.outgoing[2].clirMode, 2);
  EXPECT_EQ(image.incoming[3].dtmfTimeout, 10);
  EXPECT_EQ(image.network[7].networkId, "");
  EXPECT_EQ(image.network[7].defaultDigits, 9);
}

// Found by fuzzing: a codec or separator that was a blank came back from the next save and load as none.
TEST(ParameterFileErrors, ABlankCodecOrSeparatorReadsAsNoneWhereverItStands) {
  TParametres image = sampleImage();
  ASSERT_TRUE(loadText(image, "[Ethernet parametres]\nE01=1, , x\n", ParamSection::Ethernet).empty());
  EXPECT_EQ(image.ethernet.codecPriority1, '1');
  EXPECT_EQ(image.ethernet.codecPriority2, '\0');
  EXPECT_EQ(image.ethernet.codecPriority3, '\0');
  ASSERT_TRUE(loadText(image, "[Incoming groups]\nG191=0, x\nG192=0,,\n", ParamSection::Incoming).empty());
  EXPECT_EQ(image.incoming[0].clipToVoipSeparator, '\0');
  EXPECT_EQ(image.incoming[1].clipToVoipSeparator, ',');
}

TEST(ParameterFileErrors, ALastLineEndingInACarriageReturnReadsWhole) {
  TParametres image = sampleImage();
  EXPECT_TRUE(loadText(image, "[System parametres]\r\nS91=3,7\r", ParamSection::System).empty());
  EXPECT_EQ(image.system.cdrMode, 3);
  EXPECT_EQ(image.system.unitId, 7);
}

TEST(ParameterFileErrors, AFileTooLargeIsReportedOnceAndLeavesTheImage) {
  TParametres image = sampleImage();
  const Reports reports = loadText(
      image, "[System parametres]\nS70=10.9.9.9\n" + std::string(kMaxIniFileBytes, '\n'), ParamSection::All);
  EXPECT_EQ(reports, (Reports{{ParamSection::All, kIniFileTooLargeText}}));
  EXPECT_EQ(image, sampleImage());
}

TEST(ParameterFileErrors, TheIdentificationChangesOnlyWithAGatewaySection) {
  TParametres image = sampleImage();
  ASSERT_TRUE(loadText(image, "[System parametres]\nS98=1\n", ParamSection::All).empty());
  EXPECT_EQ(image.identification, sampleImage().identification);
  ASSERT_TRUE(loadText(image, "[Gateway]\nati4=SNumber: 9\n", 0).empty());
  EXPECT_EQ(image.identification, (Identification{"QN", "SNumber: 9"}));
}

TEST(ParameterFileErrors, TheErrorBoxUsesLabel47OrError) {
  TempDir dir;
  const auto path = dir.write("gw.ini", "[Incoming groups]\nG99=x\n[Lcr table]\nL=1\n");
  RecordingHost host;
  TParametres image;
  EXPECT_FALSE(loadParameterFile(image, path, ParamSection::All, host, CaptionList{}));
  ASSERT_EQ(host.messages.size(), 2u);
  EXPECT_EQ(host.messages[0].text, sectionErrorText(ParamSection::Incoming));
  EXPECT_EQ(host.messages[0].caption, "Error");
  EXPECT_EQ(host.messages[0].kind, MessageKind::Error);
  EXPECT_EQ(host.messages[0].captionLabel, 47);
  EXPECT_EQ(host.messages[0].textLabel, -1);
  EXPECT_EQ(host.messages[1].text,
            "Error during reading LCR table parametres from gate file, other parametres may be loaded "
            "succesfuly..");

  CaptionList captions;
  captions.set(47, "Chyba");
  host.clear();
  showSectionError(host, captions, "x");
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0].caption, "Chyba");
  EXPECT_EQ(sectionErrorText(ParamSection::All), "");
}

}  // namespace
}  // namespace gw

#include "shell/identification.h"

#include <gtest/gtest.h>

#include "shell/edition.h"

namespace gw {
namespace {

TEST(Identification, LinesEndAtCrLfAfterTwoCharactersAndStopAtOk) {
  const std::string reply = "ATI4\r\r\nSNumber: Q2041-00017\r\n\r\nOK\r\n";
  EXPECT_EQ(identificationLines(reply), (std::vector<std::string>{"ATI4\r", "SNumber: Q2041-00017"}));
  EXPECT_EQ(joinIdentificationLines(reply), "ATI4\r, SNumber: Q2041-00017, ");
  // A CR LF right after a line is passed over and stays at the front of the next line.
  EXPECT_EQ(identificationLines("ab\r\n\r\nxy\r\nOK\r\n"), (std::vector<std::string>{"ab", "\r\nxy"}));
  EXPECT_TRUE(identificationLines("").empty());
  EXPECT_TRUE(identificationLines("\r\n").empty());
  // The last CR LF of the reply is never looked at.
  EXPECT_TRUE(identificationLines("abc\r\n").empty());
}

TEST(Identification, SerialNumberRunsToTheNextCrOrTheReplysLastCharacter) {
  EXPECT_EQ(serialNumberOf("x\r\nSNumber:   K427-0001\r\nOK\r\n"), "K427-0001");
  EXPECT_EQ(serialNumberOf("SNumber: 12345"), "1234");
  EXPECT_EQ(serialNumberOf("no number here"), "");
  EXPECT_EQ(serialNumberOf("SNumber:" + std::string(300, '7') + "\r\n").size(), 99u);
  EXPECT_EQ(serialNumberOf("SNumber:"), "");
}

TEST(Identification, VersionsKeepTheSpaceThatEndsThem) {
  const std::string reply = "ATI3\r\r\nVelquin Orvale QN4\r\nB-01.05 V-03.00.05 \r\n\r\nOK\r\n";
  EXPECT_EQ(versionAfter(reply, "B-"), "01.05 ");
  EXPECT_EQ(versionAfter(reply, "V-"), "03.00.05 ");
  EXPECT_EQ(versionAfter("B-7", "B-"), "7");
  EXPECT_EQ(versionAfter("nothing", "V-"), "");
}

TEST(Identification, OldFirmwareWarningOnlyBelowThreeAndUnknown) {
  EXPECT_FALSE(firmwareNeedsWarning("03.00.05 ", "V-03.00.05"));
  EXPECT_FALSE(firmwareNeedsWarning("12.1.1 ", ""));
  EXPECT_FALSE(firmwareNeedsWarning("02.07.35 ", "B-01 V-02.07.35 "));  // known version
  EXPECT_TRUE(firmwareNeedsWarning("02.07.31 ", "B-01 V-02.07.31 "));
  EXPECT_TRUE(firmwareNeedsWarning("beta", "V-beta"));
  EXPECT_TRUE(firmwareNeedsWarning("", ""));
}

// Numbers out of an int's range come from a gateway that sends nonsense: they read as no number, never as
// whatever a clipped or wrapped value would be.
TEST(Identification, OldFirmwareWarningReadsTheMajorNumberSafely) {
  const struct {
    const char* version;
    bool warns;
  } cases[] = {
      {" 3.0.0", false},                   // leading blanks skipped, as %d skips them
      {"+4.1", false},                     // a sign, as %d takes it
      {"-3.0.0", true},                    // negative: below 3
      {"2147483647.0", false},             // the largest int
      {"2147483648.0", true},              // one more: no number
      {"99999999999999999999.1.1", true},  // far out of range
      {"-99999999999999999999", true},
      {"3", false},  // no minor number needed
  };
  for (const auto& c : cases) EXPECT_EQ(firmwareNeedsWarning(c.version, ""), c.warns) << c.version;
}

TEST(Edition, KestrinIsToldBySerialPrefixOrProductMark) {
  EXPECT_TRUE(kestrinFromAti3("Velquin Kestrin QNK1, B-01 "));
  EXPECT_TRUE(kestrinFromAti3("SNumber: K427-1"));
  EXPECT_FALSE(kestrinFromAti3("QN"));
  EXPECT_TRUE(hiddenInKestrin("edSystemDial3"));
  EXPECT_TRUE(hiddenInKestrin("mSipReg"));
  EXPECT_FALSE(hiddenInKestrin("edSystemPin"));
  EXPECT_EQ(programCaption(true).index, 504);
  EXPECT_EQ(groupTabCount(true), 1);
  EXPECT_EQ(networkListTabCount(false), 8);
  EXPECT_EQ(incomingCallModes(true).size(), 2u);
  EXPECT_EQ(codecPriorityLists(false).selected2, 2);
}

}  // namespace
}  // namespace gw

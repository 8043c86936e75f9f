#include "pages/dump.h"

#include <gtest/gtest.h>

#include "pages/error_list.h"

namespace gw {
namespace {

using Fields = std::vector<std::string>;

const std::string kDump =
    "AT&V\r\r\nS70=  192.168.1.10\r\nS91=5,12\r\nS98=\r\nX30=*,,#\r\nX31=7* 9#\r\nS85=Call %N "
    "back\r\n\r\nOK\r\n";

TEST(DumpValue, TakesTheRestOfTheLineAfterTheKeyAndItsSpaces) {
  EXPECT_EQ(dumpValue("S70=", kDump), "192.168.1.10");
  EXPECT_EQ(dumpValue("S85=", kDump), "Call %N back");
  EXPECT_EQ(dumpValue("S98=", kDump), "");
  EXPECT_EQ(dumpValue("S71=", kDump), "");
  // Case-sensitive, and the first occurrence anywhere counts.
  EXPECT_EQ(dumpValue("s70=", kDump), "");
  EXPECT_EQ(dumpValue("X3", kDump), "0=*,,#");
}

TEST(DumpValue, NeverTakesTheDumpsLastCharacter) {
  EXPECT_EQ(dumpValue("S70=", "S70=10.0.0.1"), "10.0.0.");
  EXPECT_EQ(dumpValue("S70=", "S70=1"), "");
  EXPECT_EQ(dumpValue("S70=", "S70="), "");
  EXPECT_EQ(dumpValue("S70=", "S70=    "), "");
  EXPECT_EQ(dumpValue("S70=", ""), "");
}

TEST(DumpValue, CutsALongValueTo99Characters) {
  const std::string longValue(150, 'x');
  EXPECT_EQ(dumpValue("S85=", "S85=" + longValue + "\r\n"), std::string(kMaxValueLength, 'x'));
  EXPECT_EQ(dumpWord("S85=", "S85=" + longValue + " y\r\n"), std::string(kMaxValueLength, 'x'));
  EXPECT_EQ(dumpFields("S85=", "S85=" + longValue + ",1\r\n"),
            (Fields{std::string(kMaxValueLength, 'x'), "1"}));
}

TEST(DumpWord, EndsAtTheFirstSpace) {
  EXPECT_EQ(dumpWord("X31=", kDump), "7*");
  EXPECT_EQ(dumpWord("S70=", kDump), "192.168.1.10");
  EXPECT_EQ(dumpWord("S71=", kDump), "");
}

TEST(DumpFields, SplitsTheLineAtEverySeparatorWithoutTrimming) {
  EXPECT_EQ(dumpFields("S91=", kDump), (Fields{"5", "12"}));
  // Two separators in a row give an empty field, which is present.
  EXPECT_EQ(dumpFields("X30=", kDump), (Fields{"*", "", "#"}));
  EXPECT_EQ(dumpFields("X31=", kDump), (Fields{"7* 9#"}));
  EXPECT_EQ(dumpFields("S70=", kDump), (Fields{"192.168.1.10"}));
  EXPECT_EQ(dumpFields("S91=", "S91= 1 , 2\r\n"), (Fields{"1 ", " 2"}));
}

TEST(DumpFields, AnEmptyValueIsOneEmptyFieldAndAMissingKeyNone) {
  EXPECT_EQ(dumpFields("S98=", kDump), (Fields{""}));
  EXPECT_TRUE(dumpFields("S71=", kDump).empty());
}

TEST(DumpFields, ALineWithoutCrLosesItsLastField) {
  EXPECT_EQ(dumpFields("X30=", "X30=1,2,3"), (Fields{"1", "2"}));
  EXPECT_EQ(dumpFields("X30=", "X30=1"), Fields{});
}

TEST(DumpFields, TakesTheSeparatorThePageNames) {
  EXPECT_EQ(dumpFields("E10=", "E10=10.0.0.1:5070\r\n", ':'), (Fields{"10.0.0.1", "5070"}));
}

TEST(FirstWord, EndsAtSpaceOrCr) {
  EXPECT_EQ(firstWord("R05 1 07:00\r\n"), "R05");
  EXPECT_EQ(firstWord("abc\rdef"), "abc");
  EXPECT_EQ(firstWord("whole"), "whole");
  EXPECT_EQ(firstWord(""), "");
}

TEST(FieldOrDefault, ListsEachMissingFieldWithALineFeed) {
  std::string errors;
  const Fields fields{"a", ""};
  EXPECT_EQ(fieldOrDefault(fields, 1, "P - Second", "x", errors), "");
  EXPECT_EQ(fieldOrDefault(fields, 2, "P - Third", "#", errors), "#");
  EXPECT_EQ(fieldOrDefault(fields, 2, "P - Third", "#", errors), "#");
  EXPECT_EQ(errors, "P - Third\nP - Third\n");
  EXPECT_EQ(fieldOrDefault(fields, 5, "P - Third", "#", errors, Repeat::Once), "#");
  EXPECT_EQ(errors, "P - Third\nP - Third\n");
}

TEST(NumberOrDefault, AnEmptyOrTextFieldDoesNotConvert) {
  std::string errors;
  const Fields fields{"-3", "", "7x", "+4"};
  EXPECT_EQ(numberOrDefault(fields, 0, "P - A", 1, errors), -3);
  EXPECT_EQ(numberOrDefault(fields, 1, "P - B", 1, errors), 1);
  EXPECT_EQ(numberOrDefault(fields, 2, "P - C", 2, errors), 2);
  EXPECT_EQ(numberOrDefault(fields, 3, "P - D", 0, errors), 4);
  EXPECT_EQ(numberOrDefault(fields, 4, "P - B", 9, errors, Repeat::Once), 9);
  EXPECT_EQ(errors, "P - B\nP - C\n");
}

}  // namespace
}  // namespace gw

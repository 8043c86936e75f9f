#include <gtest/gtest.h>

#include "base/captions.h"
#include "base/cformat.h"
#include "base/text.h"

namespace gw {
namespace {

TEST(Cformat, CutsWhereAFixedBufferWould) {
  EXPECT_EQ(cformat(64, "AT%%S70=%s\r\n", "192.168.1.1"), "AT%S70=192.168.1.1\r\n");
  const std::string longValue(100, 'x');
  const std::string cut = cformat(64, "AT%%S98=%s\r\n", longValue.c_str());
  EXPECT_EQ(cut.size(), 63u);  // the CR LF is lost, as in a 64-byte buffer
  EXPECT_EQ(cut.substr(0, 8), "AT%S98=x");
  EXPECT_EQ(cformat(1, "%d", 12345), "");
  EXPECT_EQ(cformat(0, "%d", 12345), "");
  EXPECT_EQ(cformat(4, "%d", 12345), "123");
}

TEST(Cformat, AListOfArgumentsFormatsAsPrintfWouldAndCutsTheSame) {
  const auto t = FormatArg::ofText;
  const auto n = FormatArg::ofNumber;
  struct Case {
    const char* format;
    std::vector<FormatArg> args;
    std::size_t buffer;
    std::string expected;
  };
  const std::vector<Case> cases = {
      {"AT%%S91=%d,%s\r\n", {n(5), t("12")}, 64, "AT%S91=5,12\r\n"},
      {"AT%%S91=%d,%s\r\n", {t("1"), t("0")}, 64, "AT%S91=1,0\r\n"},  // a text gives its number
      {"AT%%X=%c%02d%-3s|\r", {t("#"), n(7), t("ab")}, 64, "AT%X=#07ab |\r"},
      {"%c", {n('A')}, 64, "A"},
      {"%s,%d", {t("only")}, 64, "only,0"},  // a missing argument is empty or 0
      {"AT%%S98=%s\r\n", {t(std::string(100, 'x'))}, 64, "AT%S98=" + std::string(56, 'x')},
      {"50%% %q", {}, 64, "50% %q"},  // an unknown conversion stays as it is
      {"%d", {n(12345)}, 4, "123"},
      {"%d", {n(1)}, 0, ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(cformatList(c.buffer, c.format, c.args), c.expected) << c.format;
  }
  EXPECT_EQ(formatArgCount("AT%%S91=%d,%s\r\n"), 2u);
  EXPECT_EQ(formatArgCount("50%% %q"), 0u);
}

TEST(Text, ConvertsOnlyWholeDecimalIntegers) {
  EXPECT_EQ(toInt("42"), 42);
  EXPECT_EQ(toInt("-7"), -7);
  EXPECT_EQ(toInt("+3"), 3);
  EXPECT_EQ(toInt("2147483647"), 2147483647);
  EXPECT_EQ(toInt("-2147483648"), -2147483647 - 1);
  for (const char* bad : {"", "-", "12a", " 1", "1 ", "0x10", "2147483648", "99999999999999999999"}) {
    EXPECT_FALSE(toInt(bad)) << bad;
  }
}

TEST(Text, SplitsFieldsTheWayParameterValuesAreRead) {
  EXPECT_TRUE(splitFields("").empty());
  EXPECT_EQ(splitFields(","), (std::vector<std::string>{"", ""}));
  EXPECT_EQ(splitFields("7*,9#"), (std::vector<std::string>{"7*", "9#"}));
  EXPECT_EQ(splitFields("a,b,"), (std::vector<std::string>{"a", "b", ""}));
  EXPECT_EQ(splitFields(":5060", ':'), (std::vector<std::string>{"", "5060"}));
  EXPECT_EQ(joinFields({"a", "", "c"}), "a,,c");
  EXPECT_EQ(joinFields({}), "");
}

TEST(Text, ComparesNamesWithoutCaseAndTrimsBlanks) {
  EXPECT_TRUE(equalsNoCase("Gsm parametres", "GSM PARAMETRES"));
  EXPECT_FALSE(equalsNoCase("abc", "abd"));
  EXPECT_EQ(trim(" \t x y \t"), "x y");
  EXPECT_EQ(untilNul(std::string("ab\0cd", 5)), "ab");
}

TEST(CaptionList, FallsBackToTheEnglishDefaultOnlyThroughLabelOr) {
  CaptionList captions({"Připojit", ""});
  EXPECT_EQ(captions.labelOr(0, "Connect gateway"), "Připojit");
  EXPECT_EQ(captions.labelOr(1, "Disconnect gateway"), "Disconnect gateway");
  EXPECT_EQ(captions.labelOr(900, "Far"), "Far");
  EXPECT_EQ(captions.at(1), "");
  EXPECT_EQ(captions.at(-1), "");
}

TEST(FormatCaption, FillsOnlyStringConversionsWhateverTheCaptionHolds) {
  EXPECT_EQ(formatCaption("Firmware %s is older than %s.", {"V-02.01", "2.00y"}),
            "Firmware V-02.01 is older than 2.00y.");
  EXPECT_EQ(formatCaption("100%% %s", {"Orvale"}), "100% Orvale");
  // A hand-edited caption with conversions the program does not pass must not read random memory.
  EXPECT_EQ(formatCaption("%n %d %s %s", {"one"}), "%n %d one ");
  EXPECT_EQ(formatCaption("end %", {}), "end %");
}

}  // namespace
}  // namespace gw

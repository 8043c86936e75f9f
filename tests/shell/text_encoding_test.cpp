#include "shell/text_encoding.h"

#include <gtest/gtest.h>

#include <string>

namespace gw {
namespace {

std::string allBytes(int from, int to) {
  std::string s;
  for (int b = from; b <= to; ++b) s += static_cast<char>(b);
  return s;
}

TEST(Utf8Validity, AcceptsWellFormedTextOfEveryLength) {
  EXPECT_TRUE(isValidUtf8(""));
  EXPECT_TRUE(isValidUtf8("plain ASCII"));
  EXPECT_TRUE(isValidUtf8("Soubor s jazykov\xC3\xBDm"));  // ý, two bytes
  EXPECT_TRUE(isValidUtf8("\xE2\x82\xAC"));               // €, three bytes
  EXPECT_TRUE(isValidUtf8("\xF0\x9F\x93\x9E"));           // four bytes
  EXPECT_TRUE(isValidUtf8("\xF4\x8F\xBF\xBF"));           // U+10FFFF, the last code point
}

TEST(Utf8Validity, RejectsWhatALegacyFileOrABrokenEditorProduces) {
  EXPECT_FALSE(isValidUtf8("Soubor s jazykov\xFDm"));  // Windows-1250 ý
  EXPECT_FALSE(isValidUtf8("se\xF1or"));               // Windows-1252 ñ
  EXPECT_FALSE(isValidUtf8("\xC3"));                   // truncated at the end
  EXPECT_FALSE(isValidUtf8("\xE2\x82"));
  EXPECT_FALSE(isValidUtf8("\x80"));              // stray continuation byte
  EXPECT_FALSE(isValidUtf8("\xC0\x80"));          // overlong NUL
  EXPECT_FALSE(isValidUtf8("\xE0\x80\xAF"));      // overlong '/'
  EXPECT_FALSE(isValidUtf8("\xED\xA0\x80"));      // surrogate half
  EXPECT_FALSE(isValidUtf8("\xF4\x90\x80\x80"));  // above U+10FFFF
  EXPECT_FALSE(isValidUtf8("\xC3\x28"));          // continuation missing
}

TEST(CodePages, CzechTextInWindows1250) {
  // "Příliš žluťoučký kůň úpěl ďábelské ódy" as a Czech Windows editor saves it.
  const std::string cp1250 =
      "P\xF8\xED\x6Ci\x9A \x9Elu\x9Do\x75\xE8k\xFD k\xF9\xF2 \xFAp\xECl \xEF\xE1"
      "belsk\xE9 \xF3"
      "dy";
  EXPECT_EQ(windows1250ToUtf8(cp1250),
            "P\xC5\x99\xC3\xADli\xC5\xA1 \xC5\xBElu\xC5\xA5ou\xC4\x8Dk\xC3\xBD k\xC5\xAF\xC5\x88 "
            "\xC3\xBAp\xC4\x9Bl \xC4\x8F\xC3\xA1"
            "belsk\xC3\xA9 \xC3\xB3"
            "dy");
}

TEST(CodePages, SpanishTextAndTheC1RangeInWindows1252) {
  EXPECT_EQ(windows1252ToUtf8("A\xF1o se\xF1or, \xBFqu\xE9 tal? \x80"),
            "A\xC3\xB1o se\xC3\xB1or, \xC2\xBFqu\xC3\xA9 tal? \xE2\x82\xAC");
  EXPECT_EQ(windows1252ToUtf8("\x8A\x9F\x85"), "\xC5\xA0\xC5\xB8\xE2\x80\xA6");  // Š Ÿ …
}

TEST(CodePages, TheTwoPagesDifferWhereTheyShould) {
  // 0xF1 is ń in Windows-1250 but ñ in Windows-1252; 0x8D is Ť in one and undefined in the other.
  EXPECT_EQ(windows1250ToUtf8("\xF1"), "\xC5\x84");
  EXPECT_EQ(windows1252ToUtf8("\xF1"), "\xC3\xB1");
  EXPECT_EQ(windows1250ToUtf8("\x8D"), "\xC5\xA4");
  EXPECT_EQ(windows1252ToUtf8("\x8D"), "\xEF\xBF\xBD");
  const std::string replacement = "\xEF\xBF\xBD";
  EXPECT_EQ(windows1250ToUtf8("\x81\x83\x88\x90\x98"),
            replacement + replacement + replacement + replacement + replacement);
}

TEST(CodePages, EveryByteGivesValidUtf8AndAsciiPassesUnchanged) {
  const std::string ascii = allBytes(0x00, 0x7F);
  EXPECT_EQ(windows1250ToUtf8(ascii), ascii);
  EXPECT_EQ(windows1252ToUtf8(ascii), ascii);
  for (int b = 0x80; b <= 0xFF; ++b) {
    const std::string one(1, static_cast<char>(b));
    const std::string cz = windows1250ToUtf8(one);
    const std::string es = windows1252ToUtf8(one);
    EXPECT_TRUE(isValidUtf8(cz) && cz.size() >= 2) << std::hex << b;
    EXPECT_TRUE(isValidUtf8(es) && es.size() >= 2) << std::hex << b;
  }
  // From 0xA0 on Windows-1252 is Latin-1.
  EXPECT_EQ(windows1252ToUtf8(allBytes(0xA0, 0xFF)), latin1ToUtf8(allBytes(0xA0, 0xFF)));
}

TEST(Latin1, EveryByteRoundTrips) {
  const std::string bytes = allBytes(0x00, 0xFF);
  const std::string utf8 = latin1ToUtf8(bytes);
  EXPECT_TRUE(isValidUtf8(utf8));
  EXPECT_EQ(utf8.size(), 0x80 + 2 * 0x80u);
  EXPECT_EQ(utf8ToLatin1(utf8), bytes);
}

TEST(Latin1, WhatTheGatewayCannotShowBecomesAQuestionMark) {
  EXPECT_EQ(utf8ToLatin1("se\xC3\xB1or"), "se\xF1or");      // ñ is Latin-1
  EXPECT_EQ(utf8ToLatin1("\xC5\x99\xE2\x82\xAC."), "??.");  // ř and € are not, one '?' each
  EXPECT_EQ(utf8ToLatin1("\xF0\x9F\x93\x9E"), "?");         // one character of four bytes
  EXPECT_EQ(utf8ToLatin1("a\xFF"
                         "b\xC3"),
            "a?b?");  // malformed bytes, one '?' each
}

}  // namespace
}  // namespace gw

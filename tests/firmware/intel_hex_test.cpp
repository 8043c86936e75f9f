// The one Intel-HEX reader of both upgrades: which files it refuses, and where the bytes land.
#include "firmware/intel_hex.h"

#include <gtest/gtest.h>

namespace gw {
namespace {

TEST(IntelHex, RefusesEachFaultWithItsLine) {
  struct Case {
    const char* text;
    HexFault fault;
    int line;
    bool notIntelHex;
  };
  const Case cases[] = {
      {":0400000001020304F2\n:00000001FF\n", HexFault::None, 0, false},
      {"\r\n:0400000001020304F2\r\n:00000001FF\r\n\r\n", HexFault::None, 0, false},  // CR LF, blank lines
      {":0400000001020304F3\n:00000001FF\n", HexFault::BadChecksum, 1, false},
      {":020000040000FA\n:04000000010203G4F2\n", HexFault::BadCharacters, 2, false},
      {":020000040000FA\n:0400000001020304\n", HexFault::BadLength, 2, false},
      {":020000040000FA\nhello\n:00000001FF\n", HexFault::NotRecord, 2, false},
      {":00000001FF\n:020000040000FA\n", HexFault::AfterEnd, 2, false},
      {":020000040000FA\n", HexFault::NoEnd, 2, false},
      {"\x7f"
       "ELF binary",
       HexFault::NotRecord, 1, true},
      {"", HexFault::NotRecord, 0, true},
  };
  for (const Case& c : cases) {
    const HexFile file = readIntelHex(c.text);
    EXPECT_EQ(file.fault, c.fault) << c.text;
    EXPECT_EQ(file.faultLine, c.line) << c.text;
    EXPECT_EQ(file.notIntelHex, c.notIntelHex) << c.text;
  }
}

// Data above 64 KiB reaches its place through each base record: 02 (segment), 04 (linear) and the
// gateway's 09 (its address field shifted by 16); nothing is folded into the first 64 KiB.
TEST(IntelHex, BaseRecordsPlaceTheDataAboveSixtyFourKilobytes) {
  const char* text =
      ":020000021000EC\n"  // segment 0x1000: base 0x10000
      ":01000000AA55\n"    // 0x10000
      ":020000040002F8\n"  // linear 0x0002: base 0x20000
      ":01000100BB43\n"    // 0x20001
      ":00000309F4\n"      // device record, address 0x0003: base 0x30000
      ":01000200CC31\n"    // 0x30002
      ":00000001FF\n";
  const HexFile file = readIntelHex(text);
  ASSERT_TRUE(file.ok()) << static_cast<int>(file.fault) << " line " << file.faultLine;
  const HexImage image = hexImage(file.records, 1 << 20);
  ASSERT_EQ(image.bytes.size(), 0x30003u);
  EXPECT_EQ(image.bytes[0x10000], 0xAA);
  EXPECT_EQ(image.bytes[0x20001], 0xBB);
  EXPECT_EQ(image.bytes[0x30002], 0xCC);
  EXPECT_EQ(image.bytes[0], 0xFF);  // the gaps stay erased
  EXPECT_TRUE(hexImage(file.records, 0x30002).tooLarge);
}

}  // namespace
}  // namespace gw

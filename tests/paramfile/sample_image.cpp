#include "sample_image.h"

#include <gtest/gtest.h>

#include <string>

namespace gw::test {

TParametres sampleImage() {
  TParametres p;
  p.identification = {"QN Orvale V-3.1.2", "SNumber: 12345"};
  // clang-format off
  p.system = {"192.168.1.10", "255.255.255.0", "192.168.1.1", 5, 12, "1234", "25.10", "28.03",
              "*", "+", "7#", "8#", "*51", "#51", "*31", "#31", "X", 2222};
  p.ethernet = {0, 11, 9000, 9100, 0, '4', '8', '0', 3600, 30, "sip.example.net", "alice", "secret", "Gateway One",
                5, 3, 7, 1, 1, 0, 1, "10.0.0.1", "10.0.0.2", "10.0.0.3", "10.0.0.4", "10.0.0.5",
                120, 5070, 5071, 5072, 3479, 0x12 | 0x20, 3, 8};
  // clang-format on
  GsmBasicPart& b = p.basic;
  b = {4, 6, 14, 5, 0x61, 2, 3, 101, 22, 43, 44, {}, {"17/486", "21/603", "1/410"}, 3, 1,
       1, 5, 6,  2, 4,    0, 2, 13,  4,  20, 40, 1};
  b.holidays = {"01.01", "06.01", "01.05", "08.05", "05.07", "06.07", "28.09",
                "28.10", "17.11", "24.12", "25.12", "26.12", "31.12", "02.01"};
  p.groups = {{3, 2, 1, 0}, {0, 1, 3, 2}};
  for (int i = 0; i < 4; ++i) {
    const int k = i * 100;
    const std::string n = std::to_string(i);
    p.outgoing[i] = {"2300" + n,
                     i % 3,
                     k + 1,
                     k + 2,
                     k + 3,
                     k + 4,
                     k + 5,
                     k + 6,
                     k + 7,
                     k + 8,
                     k + 9,
                     k + 10,
                     k + 11,
                     static_cast<char>('a' + i),
                     k + 16,
                     "",
                     0,
                     "Call me back at %N",
                     "You called %N"};
    p.incoming[i] = {i + 2, k + 1,   k + 2,    k + 3,
                     k + 4, "9" + n, "55" + n, static_cast<char>('p' + i),
                     48,    true,    false,    {"100" + n, "", "200" + n},
                     ""};
  }
  p.outgoing[3].clipToGsmSeparator = 0;
  p.outgoing[0].clipToGsmModification = "+420";
  p.outgoing[0].clipFromInvite = 1;
  p.incoming[1].clipToVoipSeparator = 0;
  p.incoming[2].calledNumbers.clear();
  p.incoming[0].clipToVoipModification = "-420";
  for (int i = 0; i < 8; ++i) {
    const std::string n = std::to_string(i);
    p.network[i] = {{"60" + n, "72" + n + "/9"}, {"00/+", "+420/" + n}, "NET" + std::to_string(i + 1), i + 9};
  }
  p.network[7].prefixes.clear();
  p.tables = {{"777111222,100,,Autodial", "777333444,,30,Autocallback"},
              {"John,john,pw1,602111222,1,0,1", "Eva,eva,pw2,603000111,0,1,0"},
              {"1,07:00/18:00/w-,21,0", "2,00:00/24:00,3,15"}};
  return p;
}

void expectSameImage(const TParametres& got, const TParametres& want) {
  EXPECT_EQ(got.identification, want.identification);
  EXPECT_EQ(got.system, want.system);
  EXPECT_EQ(got.ethernet, want.ethernet);
  EXPECT_EQ(got.basic, want.basic);
  EXPECT_EQ(got.groups, want.groups);
  for (std::size_t i = 0; i < kGroupCount; ++i) {
    EXPECT_EQ(got.outgoing[i], want.outgoing[i]) << "outgoing group " << i + 1;
    EXPECT_EQ(got.incoming[i], want.incoming[i]) << "incoming group " << i + 1;
  }
  for (std::size_t i = 0; i < kNetworkListCount; ++i)
    EXPECT_EQ(got.network[i], want.network[i]) << "list " << i + 1;
  EXPECT_EQ(got.tables, want.tables);
}

}  // namespace gw::test

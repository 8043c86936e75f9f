#include "shell/gateway.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "support/temp_dir.h"

namespace gw {
namespace {

using test::readFile;
using test::TempDir;

TEST(Gateway, ScramblingAddsThePositionToEachCharacter) {
  EXPECT_EQ(scramble("abc"), "bdf");
  EXPECT_EQ(unscramble("bdf"), "abc");
  EXPECT_EQ(scramble(""), "");
  // 8-bit arithmetic wraps: 0xFF at position 1 becomes 0x00.
  EXPECT_EQ(scramble("\xFF"), std::string(1, '\0'));
  const std::string longText(300, 'z');
  EXPECT_EQ(unscramble(scramble(longText)), longText);
}

TEST(Gateway, ValidIpAcceptsFourDecimalOctetsOrNothing) {
  for (const char* good : {"192.168.1.1", "", "0.0.0.0", "255.255.255.255", "010.000.000.001"}) {
    EXPECT_TRUE(validIp(good)) << good;
  }
  for (const char* bad : {"256.1.1.1", "1.2.3", "a.b.c.d", "10.0.0.1.5", "192.168.1.256", "1..2.3",
                          "-1.0.0.0", "__0.__0.__0.__0", " 1.2.3.4"}) {
    EXPECT_FALSE(validIp(bad)) << bad;
  }
}

TEST(Gateway, HostsThatMeanNoAddress) {
  EXPECT_TRUE(hostIsUnset("0.0.0.0"));
  EXPECT_TRUE(hostIsUnset("000.000.000.000"));
  EXPECT_TRUE(hostIsUnset("__0.__0.__0.__0"));
  EXPECT_FALSE(hostIsUnset("10.0.0.1"));
}

TEST(GatewayFile, WritesScrambledLoginReadableByItsOwnerOnly) {
  TempDir dir;
  const GatewayFile file(dir.file("gtws.ini"));
  ASSERT_TRUE(file.write("Gw1", GatewayEntry{"10.0.0.5", "23", "2222", "abc", "abc", "/x/Gw1.ini"}));
  EXPECT_EQ(readFile(file.path()),
            "[Gw1]\nHost=10.0.0.5\nPort=23\nFwPort=2222\nUsername=bdf\nPassword=bdf\nFile=/x/Gw1.ini\n");
  struct stat st {};
  ASSERT_EQ(::stat(file.path().c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777u, 0600u);

  const auto e = file.read("gw1");
  ASSERT_TRUE(e);
  EXPECT_EQ(e->user, "abc");
  EXPECT_EQ(e->password, "abc");
  EXPECT_EQ(e->file, "/x/Gw1.ini");
}

TEST(GatewayFile, ReadDefaultsAndListing) {
  TempDir dir;
  const GatewayFile file(dir.write("gtws.ini", "[A]\n[B]\nHost=1.2.3.4\n"));
  const auto a = file.read("A");
  ASSERT_TRUE(a);
  EXPECT_EQ(a->host, "0.0.0.0");
  EXPECT_EQ(a->port, "23");
  EXPECT_EQ(a->fwPort, "2222");
  EXPECT_FALSE(a->file);
  EXPECT_EQ(file.names(), (std::vector<std::string>{"A", "B"}));
  EXPECT_FALSE(file.read("C"));
  ASSERT_TRUE(file.remove("a"));
  EXPECT_EQ(file.names(), (std::vector<std::string>{"B"}));
  ASSERT_TRUE(file.removeAll());
  EXPECT_FALSE(file.exists());
}

TEST(Gateway, ToolFileNamesDependOnTheFallbackGateway) {
  const ToolFileNames named = toolFileNames("/g", false);
  EXPECT_EQ(named.log, "/g/Log file.txt");
  EXPECT_EQ(named.tracing, "/g/Tracing.txt");
  const ToolFileNames unnamed = toolFileNames("/p", true);
  EXPECT_EQ(unnamed.log, "/p/LOG file.txt");
  EXPECT_EQ(unnamed.tracing, "/p/Tacing.txt");
  EXPECT_EQ(unnamed.callData, "/p/Call data.txt");
  EXPECT_EQ(proposedParameterFile("/p", "Gw1"), "/p/Gw1/Gw1.ini");
}

}  // namespace
}  // namespace gw

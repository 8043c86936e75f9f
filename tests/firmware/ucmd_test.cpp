// UCMD's pieces: the packet layout, the login's credential and MD5 answer, the argument list and the CPU
// image's checksum block.
#include "firmware/ucmd.h"

#include <gtest/gtest.h>

namespace gw::ucmd {
namespace {

TEST(Ucmd, PacketsAreLittleEndianAndOnlyThreeSizesAreTaken) {
  const Packet mode{kMode, 7, 1, 0, 2, std::vector<std::uint8_t>(kAuthBytes, 0xAB)};
  const std::vector<std::uint8_t> bytes = encode(mode);
  ASSERT_EQ(bytes.size(), 32u);
  EXPECT_EQ(std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + 16),
            (std::vector<std::uint8_t>{0x39, 7, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 2, 0, 0, 0}));
  const std::optional<Packet> back = decode(bytes.data(), bytes.size());
  ASSERT_TRUE(back);
  EXPECT_EQ(back->param2, 2u);
  EXPECT_EQ(back->data, mode.data);
  for (std::size_t size : {0u, 15u, 17u, 31u, 1039u, 1041u}) {
    const std::vector<std::uint8_t> odd(size, 0);
    EXPECT_FALSE(decode(odd.data(), odd.size())) << size;
  }
}

TEST(Ucmd, TheCredentialSplitsAtTheFirstColon) {
  EXPECT_EQ(credentialOf("admin:admin"), "admin/admin");
  EXPECT_EQ(credentialOf("admin:pa:ss"), "admin/pa:ss");
  EXPECT_EQ(credentialOf("admin:"), "admin/");
  EXPECT_FALSE(credentialOf("admin"));
}

TEST(Ucmd, TheAnswerIsMd5OfTheChallengeThenTheCredential) {
  const std::array<std::uint8_t, kAuthBytes> abc = {0x90, 0x01, 0x50, 0x98, 0x3c, 0xd2, 0x4f, 0xb0,
                                                    0xd6, 0x96, 0x3f, 0x7d, 0x28, 0xe1, 0x7f, 0x72};
  EXPECT_EQ(authentication({'a', 'b'}, "c"), abc);  // MD5("abc"), RFC 1321
}

TEST(Ucmd, TheArgumentListParsesAsThePageBuildsIt) {
  struct Case {
    std::vector<std::string> args;
    bool parses;
  };
  const Case cases[] = {
      {{"", "/write", "/cpu", "10.0.0.5:2222", "admin:admin", "fw.hex"}, true},
      {{"", "/WRITE", "/CDR", "10.0.0.5:2222", "admin:a:b", "fw.hex"}, true},  // a password with a colon
      {{"", "/write", "/cpu", "10.0.0.5", "admin:admin", "fw.hex"}, false},
      {{"", "/write", "/cpu", "10.0.0.5:99999", "admin:admin", "fw.hex"}, false},
      {{"", "/flash", "/cpu", "10.0.0.5:2222", "admin:admin", "fw.hex"}, false},
      {{"", "/write", "/rom", "10.0.0.5:2222", "admin:admin", "fw.hex"}, false},
      {{"", "/write", "/cpu", "10.0.0.5:2222", "admin", "fw.hex"}, false},
      {{"", "/write", "/cpu", "10.0.0.5:2222", "admin:admin"}, false},
  };
  for (const Case& c : cases) {
    const std::optional<RunArguments> run = parseArguments(c.args);
    EXPECT_EQ(run.has_value(), c.parses) << c.args[1] << " " << c.args[3] << " " << c.args[4];
  }
  const RunArguments run = *parseArguments(cases[1].args);
  EXPECT_EQ(run.operation, "write");
  EXPECT_EQ(run.memory, Memory::Cdr);
  EXPECT_EQ(run.host, "10.0.0.5");
  EXPECT_EQ(run.port, 2222);
  EXPECT_EQ(run.credential, "admin/a:b");
}

TEST(Ucmd, ErrorRepliesSayWhatFailed) {
  struct Case {
    Packet reply;
    const char* text;
  };
  const Case cases[] = {
      {{kWriteError, 1, 0x01000400, 0, 0, {}}, "\nERROR: UCMD write to (01000400)\n\n"},
      {{kModeError, 1, 1, 0, 2, {}}, "\nERROR: UCMD oper (2)\n\n"},
      {{kCodeError, 1, 0, 0, 0, {}}, "\nERROR: UCMD code (C3)\n\n"},
      {{kLengthError, 1, 0, 0, 0, {}}, "\nERROR: UCMD packet len\n\n"},
  };
  for (const Case& c : cases) {
    EXPECT_TRUE(isErrorReply(c.reply.code));
    EXPECT_EQ(errorReplyText(c.reply), c.text);
  }
  EXPECT_FALSE(isErrorReply(kModeOk));
  EXPECT_EQ(codeName(kPasswordError), "PSWERR");
  EXPECT_EQ(codeName(0x42), "");
}

// Bytes beyond a short image are erased flash (0xFF) and count in the sum.
TEST(Ucmd, TheChecksumBlockSumsTheWordsUpToTheEndOfTheCheckedRange) {
  std::vector<std::uint8_t> image(0x3000, 0);
  stampChecksum(image);
  EXPECT_EQ(std::string(image.begin() + kChecksumAt, image.begin() + kChecksumAt + 6), "[1800]");
  EXPECT_EQ(image.size(), 0x3000u);
}

}  // namespace
}  // namespace gw::ucmd

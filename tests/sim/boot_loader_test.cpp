// gwsim's boot loader: batches go into the flash at their extended addresses, and its failure options
// answer as the serial upgrade must survive them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "boot_loader.h"
#include "flash.h"
#include "transcript.h"

namespace gwsim {
namespace {

constexpr const char* kAbove64K = ":020000040001F9";
constexpr const char* kRecord = ":0400000001020304F2";
constexpr const char* kDamaged = ":0400000001020304F3";
constexpr const char* kBatchEnd = ":00000005FB";
constexpr const char* kBootTest = ":00000012EE";

TEST(BootLoaderImage, ABatchLandsInTheFlashAtItsExtendedAddress) {
  Transcript transcript;
  Flash flash;
  BootLoader loader(transcript, flash, {});
  EXPECT_EQ(loader.feed(std::string(kBootTest) + kAbove64K + kRecord + kBatchEnd), "[ BOOT ]\r\n.\r\n");
  const std::vector<std::uint8_t> image = flash.cpuImage();
  ASSERT_EQ(image.size(), 0x10004u);
  EXPECT_EQ(std::vector<std::uint8_t>(image.begin() + 0x10000, image.end()),
            (std::vector<std::uint8_t>{1, 2, 3, 4}));
  EXPECT_EQ(image[0], Flash::kErased);
}

TEST(BootLoaderImage, FailureOptionsAnswerEachBatchEnd) {
  struct Case {
    const char* name;
    BootOptions options;
    std::vector<std::string> feeds;
    std::vector<std::string> answers;
  };
  const std::string batch = std::string(kRecord) + kBatchEnd;
  const Case cases[] = {
      {"damaged record", {}, {std::string(kDamaged) + kBatchEnd, batch}, {"X\r\n", ".\r\n"}},
      // refused in every resend of the attempt; the next attempt (a new upgrade) goes through
      {"refused",
       {1, {}, false},
       {batch, batch, kBootTest, batch},
       {"X\r\n", "X\r\n", "[ BOOT ]\r\n", ".\r\n"}},
      {"lost answer", {{}, 1, false}, {batch, batch}, {"", ".\r\n"}},
  };
  for (const Case& c : cases) {
    Transcript transcript;
    Flash flash;
    BootLoader loader(transcript, flash, c.options);
    std::vector<std::string> answers;
    for (const std::string& feed : c.feeds) answers.push_back(loader.feed(feed));
    EXPECT_EQ(answers, c.answers) << c.name;
    EXPECT_EQ(flash.cpuImage(), (std::vector<std::uint8_t>{1, 2, 3, 4})) << c.name;
  }
}

}  // namespace
}  // namespace gwsim

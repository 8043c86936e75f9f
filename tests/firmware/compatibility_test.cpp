// Which images the compatibility check lets into which gateway, and the versions the page shows.
#include "firmware/compatibility.h"

#include <gtest/gtest.h>

namespace gw {
namespace {

TEST(Compatibility, BootVersionAndImageNameDecide) {
  struct Case {
    const char* boot;
    const char* image;
    bool accepted;
  };
  const Case cases[] = {
      {"02.08 ", "/fw/m4713-v-02.06.10.hex", true},  // as the identification gives it: with its space
      {"02.10", "m4713-v-01.00.00.hex", true},
      {"02.09 ", "m4713-v-02.06.10.hex", false},
      {"02.09 ", "m4713-v-03.00.00.hex", true},
      {"02.09 ", "m4713-v-02.07.34.hex", false},
      {"02.09 ", "m4713-v-02.07.35.hex", true},
      {"02.09 ", "m4713-v-02.07.35b.hex", false},
      {"02.09 ", "m4713-v-02.07.35rc1.hex", false},
      {"02.09 ", "m4713-v-02.07.35rc2.hex", true},
      {"02.09 ", "m4713-v-02.07.35i14.hex", false},
      {"02.09 ", "m4713-v-02.07.35i15.hex", true},
      {"02.09 ", "m4713-v-02.07.35x.hex", true},
      {"02.09 ", "m4713-v-02.08.00.hex", true},
      {"02.09 ", "m4713-v-04.07.00.hex", true},
      {"02.09 ", "m4713-v-04.06.00.hex", false},
      {"02.09 ", "m4713-v-01.09.99.hex", false},
      {"02.09 ", "firmware.hex", true},  // a name the check cannot read
  };
  for (const Case& c : cases) EXPECT_EQ(imageCompatible(c.boot, c.image), c.accepted) << c.boot << c.image;
}

TEST(Compatibility, VersionsComeOutOfTheIdentification) {
  const std::string identification = "Serial number : Q2041-00017, Boot : 02.08 , Firmware : 03.00.05 ";
  EXPECT_EQ(bootVersionOf(identification), "02.08 ");
  const std::optional<ShownVersions> shown = shownVersionsOf(identification);
  ASSERT_TRUE(shown);
  EXPECT_EQ(shown->boot, "02.08");
  EXPECT_EQ(shown->firmware, "03.00.05");
  EXPECT_FALSE(shownVersionsOf("Serial number : Q2041-00017, Boot : 02.08 "));
}

}  // namespace
}  // namespace gw

#pragma once
// Whether a firmware image may go into the gateway: decided by the gateway's boot-loader version and the
// version in the image's file name ("m4713-v-02.07.35rc2.hex"). Old boot loaders take only firmware from
// 02.07.35 on, and of 02.07.35 only the released builds.

#include <optional>
#include <string>
#include <string_view>

namespace gw {

// The parts of a firmware version "MM.mm.pp" followed by optional letters (a suffix) and digits (a build).
struct FirmwareVersion {
  int major = 0;
  int minor = 0;
  int patch = 0;
  std::string suffix;
  std::optional<int> build;
};

// The version in a file name (the folder is left out); nothing when the name does not follow the pattern.
std::optional<FirmwareVersion> versionOfImageName(std::string_view path);

// The boot-loader version as the identification text carries it: after "Boot : " up to the next ",".
std::string bootVersionOf(std::string_view identification);

// Boot-loader versions that take any image. Compared without the spaces around them: the identification
// keeps the space that ends the version ("02.08 ").
bool imageCompatible(std::string_view bootVersion, std::string_view imagePath);

// The versions shown on the firmware page: the boot version (the text after "Boot : " up to three
// characters before "Firmware : ") and the firmware version (the rest after "Firmware : " less its last
// character). Nothing without both markers.
struct ShownVersions {
  std::string boot;
  std::string firmware;
};
std::optional<ShownVersions> shownVersionsOf(std::string_view identification);

}  // namespace gw

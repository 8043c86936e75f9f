#include "firmware/compatibility.h"

#include <cctype>

#include "base/text.h"

namespace gw {

namespace {

constexpr std::string_view kNamePrefix = "m4713-v-";
constexpr std::string_view kNameExtension = ".hex";
constexpr std::string_view kBootMarker = "Boot : ";
constexpr std::string_view kFirmwareMarker = "Firmware : ";
// ", " and the space that ends the boot version stand between it and "Firmware : ".
constexpr std::size_t kBeforeFirmwareMarker = 3;
// Boot loaders that take any image.
constexpr std::string_view kOpenBootVersions[] = {"02.08", "02.10"};
// The first firmware old boot loaders take, and the builds of it they refuse.
constexpr int kFirstMajor = 2;
constexpr int kFirstMinor = 7;
constexpr int kFirstPatch = 35;
constexpr int kAlwaysAcceptedMajor = 3;
constexpr int kFirstRcBuild = 2;
constexpr int kFirstIBuild = 15;

std::optional<int> twoDigits(std::string_view text, std::size_t at) {
  if (text.size() < at + 2 || !std::isdigit(static_cast<unsigned char>(text[at])) ||
      !std::isdigit(static_cast<unsigned char>(text[at + 1]))) {
    return std::nullopt;
  }
  return (text[at] - '0') * 10 + (text[at + 1] - '0');
}

std::string_view fileNameOf(std::string_view path) {
  const std::size_t slash = path.find_last_of("/\\");
  return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

bool refusedBuild(const FirmwareVersion& v) {
  if (v.suffix == "b") return true;
  if (v.suffix == "rc") return !v.build || *v.build < kFirstRcBuild;
  if (v.suffix == "i") return !v.build || *v.build < kFirstIBuild;
  return false;
}

}  // namespace

std::optional<FirmwareVersion> versionOfImageName(std::string_view path) {
  std::string_view name = fileNameOf(path);
  if (!startsWith(name, kNamePrefix)) return std::nullopt;
  name.remove_prefix(kNamePrefix.size());
  if (endsWith(name, kNameExtension)) name.remove_suffix(kNameExtension.size());
  const auto major = twoDigits(name, 0);
  const auto minor = twoDigits(name, 3);
  const auto patch = twoDigits(name, 6);
  if (!major || !minor || !patch || name[2] != '.' || name[5] != '.') return std::nullopt;
  FirmwareVersion v{*major, *minor, *patch, {}, std::nullopt};
  std::size_t at = 8;
  while (at < name.size() && std::isalpha(static_cast<unsigned char>(name[at]))) v.suffix += name[at++];
  std::string digits;
  while (at < name.size() && std::isdigit(static_cast<unsigned char>(name[at])) && digits.size() < 9) {
    digits += name[at++];
  }
  if (!digits.empty()) v.build = toInt(digits);
  return v;
}

std::string bootVersionOf(std::string_view identification) {
  const std::size_t at = identification.find(kBootMarker);
  if (at == std::string_view::npos) return {};
  const std::string_view rest = identification.substr(at + kBootMarker.size());
  return std::string(rest.substr(0, rest.find(',')));
}

bool imageCompatible(std::string_view bootVersion, std::string_view imagePath) {
  const std::string boot = trim(bootVersion);
  for (std::string_view open : kOpenBootVersions) {
    if (boot == open) return true;
  }
  const std::optional<FirmwareVersion> v = versionOfImageName(imagePath);
  if (!v) return true;  // a name the check cannot read does not stop the upgrade
  if (v->major == kAlwaysAcceptedMajor) return true;
  if (v->major == kFirstMajor && v->minor == kFirstMinor && v->patch == kFirstPatch) return !refusedBuild(*v);
  if (v->major < kFirstMajor || v->minor < kFirstMinor) return false;
  if (v->major == kFirstMajor && v->minor == kFirstMinor && v->patch < kFirstPatch) return false;
  return true;
}

std::optional<ShownVersions> shownVersionsOf(std::string_view identification) {
  const std::size_t boot = identification.find(kBootMarker);
  const std::size_t firmware = identification.find(kFirmwareMarker);
  if (boot == std::string_view::npos || firmware == std::string_view::npos) return std::nullopt;
  const std::size_t bootStart = boot + kBootMarker.size();
  ShownVersions shown;
  if (firmware >= bootStart + kBeforeFirmwareMarker) {
    shown.boot = std::string(identification.substr(bootStart, firmware - kBeforeFirmwareMarker - bootStart));
  }
  std::string_view rest = identification.substr(firmware + kFirmwareMarker.size());
  if (!rest.empty()) rest.remove_suffix(1);
  shown.firmware = std::string(rest);
  return shown;
}

}  // namespace gw

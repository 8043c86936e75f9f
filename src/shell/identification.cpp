#include "shell/identification.h"

#include <cctype>
#include <charconv>
#include <optional>

#include "base/text.h"

namespace gw {

namespace {
constexpr std::size_t kMaxSerialNumber = 99;
constexpr std::size_t kMinLineLength = 2;
constexpr int kCurrentMajorVersion = 3;
}  // namespace

std::vector<std::string> identificationLines(std::string_view reply) {
  std::vector<std::string> lines;
  if (reply.size() < 3) return lines;
  std::size_t lineStart = 0;
  const std::size_t last = reply.size() - 2;  // the third-last character
  for (std::size_t i = 0; i < last; ++i) {
    if (reply[i] == 'O' && reply[i + 1] == 'K') break;
    if (reply[i] == '\r' && reply[i + 1] == '\n' && i - lineStart >= kMinLineLength) {
      lines.emplace_back(reply.substr(lineStart, i - lineStart));
      lineStart = i + 2;
      ++i;
    }
  }
  return lines;
}

std::string joinIdentificationLines(std::string_view reply) {
  std::string text;
  for (const std::string& line : identificationLines(reply)) text += line + ", ";
  return text;
}

std::string serialNumberOf(std::string_view reply) {
  const std::size_t at = reply.find("SNumber:");
  if (at == std::string_view::npos || reply.empty()) return {};
  std::size_t start = at + 8;
  while (start < reply.size() && reply[start] == ' ') ++start;
  std::size_t end = reply.find('\r', start);
  if (end == std::string_view::npos) end = reply.size() - 1;
  if (end < start) return {};
  return std::string(reply.substr(start, std::min(end - start, kMaxSerialNumber)));
}

std::string versionAfter(std::string_view reply, std::string_view marker) {
  const std::size_t at = reply.find(marker);
  if (at == std::string_view::npos) return {};
  const std::size_t start = at + marker.size();
  const std::size_t space = reply.find(' ', start);
  if (space == std::string_view::npos) return std::string(reply.substr(start));
  return std::string(reply.substr(start, space - start + 1));
}

const std::vector<std::string_view>& knownFirmwareVersions() {
  static const std::vector<std::string_view> kKnown = {"V-03.00.03", "V-04.00.03", "V-02.07.35", "V-03.00.04",
                                                       "V-03.00.05", "V-02.08.01", "V-02.07.36"};
  return kKnown;
}

// The leading "%d" of the version: blanks skipped, an optional sign, then digits. A number too large for an
// int is no version the program knows, so it reads as no number rather than as some clipped value.
std::optional<int> majorVersionOf(std::string_view version) {
  std::size_t at = 0;
  while (at < version.size() && std::isspace(static_cast<unsigned char>(version[at]))) ++at;
  if (at < version.size() && version[at] == '+') ++at;
  int major = 0;
  const char* first = version.data() + at;
  const char* last = version.data() + version.size();
  const auto [end, error] = std::from_chars(first, last, major);
  if (error != std::errc{} || end == first) return std::nullopt;
  return major;
}

bool firmwareNeedsWarning(std::string_view firmwareVersion, std::string_view ati3Reply) {
  const std::optional<int> major = majorVersionOf(firmwareVersion);
  if (major && *major >= kCurrentMajorVersion) return false;
  for (std::string_view known : knownFirmwareVersions()) {
    if (contains(ati3Reply, known)) return false;
  }
  return true;
}

}  // namespace gw

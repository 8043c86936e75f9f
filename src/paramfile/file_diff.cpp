#include "paramfile/file_diff.h"

#include <algorithm>

#include "base/text.h"
#include "paramfile/file_sections.h"

namespace gw {

std::vector<KeyDifference> keyDifferences(const IniFile& file, const IniFile& gateway) {
  std::vector<KeyDifference> differences;
  std::vector<std::string> seen;  // a section written twice is one section: its first occurrence counts
  for (const std::string& section : gateway.sections()) {
    if (equalsNoCase(section, pfile::kGateway)) continue;
    if (std::any_of(seen.begin(), seen.end(), [&](const std::string& s) { return equalsNoCase(s, section); }))
      continue;
    seen.push_back(section);
    for (const std::string& key : gateway.keys(section)) {
      const std::string gatewayValue = gateway.readString(section, key, "");
      const std::optional<std::string> fileValue = file.value(section, key);
      if (fileValue != gatewayValue)
        differences.push_back({section, key, fileValue.value_or(""), gatewayValue});
    }
  }
  return differences;
}

std::string differenceLine(const KeyDifference& d) {
  return d.section + " / " + d.key + ": " + d.fileValue + " \u2192 " + d.gatewayValue;
}

}  // namespace gw

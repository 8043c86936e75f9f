#pragma once
// Configuration drift in the parameter file's own terms: the gateway's pages are written over a copy of the
// file, as a save would write them, and every key the copy then holds differently from the file is one
// difference. The "Gateway" section is the identification of whichever gateway wrote the file last, not
// configuration, and is not compared.

#include <string>
#include <vector>

#include "base/ini_file.h"

namespace gw {

struct KeyDifference {
  std::string section;  // as the file spells it
  std::string key;
  std::string fileValue;  // empty when the file lacks the key
  std::string gatewayValue;
};

// The keys of `gateway` that `file` holds differently (or not at all), in the order of `gateway`'s lines.
std::vector<KeyDifference> keyDifferences(const IniFile& file, const IniFile& gateway);

// "section / key: file value → gateway value"
std::string differenceLine(const KeyDifference& difference);

}  // namespace gw

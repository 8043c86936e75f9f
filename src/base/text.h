#pragma once
// Small helpers for the 8-bit texts that travel on the wire and live in files.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace gw {

// ASCII comparison without regard to case (INI section and key names).
bool equalsNoCase(std::string_view a, std::string_view b);
std::string toLowerAscii(std::string_view s);

bool contains(std::string_view text, std::string_view part);
bool startsWith(std::string_view text, std::string_view prefix);
bool endsWith(std::string_view text, std::string_view suffix);

// Spaces and tabs removed at both ends.
std::string trim(std::string_view s);

// A decimal integer with an optional sign and nothing else, within 32 bits; anything else does not convert.
std::optional<int> toInt(std::string_view s);

// Splits a value at `sep`: every separator ends a field and the text after the last one is the last field;
// an empty text gives no fields at all.
std::vector<std::string> splitFields(std::string_view value, char sep = ',');
std::string joinFields(const std::vector<std::string>& items, char sep = ',');

// The text up to its first NUL, as a C string would end it.
std::string_view untilNul(std::string_view s);

}  // namespace gw

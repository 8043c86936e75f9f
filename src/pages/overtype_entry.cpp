#include "pages/overtype_entry.h"

#include <algorithm>
#include <optional>

#include "base/cformat.h"
#include "base/text.h"

namespace gw {

namespace {

// Each part of an entry holds two digits.
constexpr int kHighestPart = 99;

// The highest digit each position takes, given what stands before it in the same part.
char highestDigit(EntryPattern pattern, const std::string& text, int position) {
  const bool date = pattern == EntryPattern::Date;
  switch (position) {
    case 0:
      return date ? '3' : '2';
    case 1:
      if (date) return text[0] == '3' ? '1' : '9';
      return text[0] == '2' ? '4' : '9';
    case 3:
      return date ? '1' : '6';
    default:
      if (date) return text[3] == '1' ? '2' : '9';
      return text[3] == '6' ? '0' : '9';
  }
}

}  // namespace

char entrySeparator(EntryPattern pattern) {
  return pattern == EntryPattern::Time ? ':' : '.';
}

bool overtypeDigit(EntryPattern pattern, std::string& text, int& cursor, char digit) {
  if (pattern == EntryPattern::Free || text.size() != kEntryLength || digit < '0' || digit > '9')
    return false;
  int position = cursor == kEntrySeparatorAt ? kEntrySeparatorAt + 1 : cursor;
  if (position < 0 || position >= kEntryLength) return false;
  if (digit > highestDigit(pattern, text, position)) return false;
  text[static_cast<std::size_t>(position)] = digit;
  ++position;
  cursor = position == kEntrySeparatorAt ? kEntrySeparatorAt + 1 : position;
  return true;
}

bool overtypeBackspace(EntryPattern pattern, std::string& text, int& cursor) {
  if (pattern == EntryPattern::Free || text.size() != kEntryLength || cursor <= 0) return false;
  int position = std::min(cursor, kEntryLength) - 1;
  if (position == kEntrySeparatorAt) --position;
  text[static_cast<std::size_t>(position)] = kEntryBlank;
  cursor = position;
  return true;
}

std::string entryWithoutBlanks(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c == kEntryBlank || c == ' ') c = '0';
  }
  return out;
}

std::string normalizedEntry(EntryPattern pattern, std::string_view text) {
  const char separator = entrySeparator(pattern);
  if (text.size() == kEntryLength && text[kEntrySeparatorAt] == separator) return std::string(text);
  const std::size_t at = text.find(separator);
  const std::optional<int> first = at == std::string_view::npos ? std::nullopt : toInt(text.substr(0, at));
  const std::optional<int> second = at == std::string_view::npos ? std::nullopt : toInt(text.substr(at + 1));
  const bool twoDigits =
      first && second && *first >= 0 && *first <= kHighestPart && *second >= 0 && *second <= kHighestPart;
  std::string out = twoDigits ? cformat(kEntryLength + 1, "%02d%c%02d", *first, separator, *second)
                              : cformat(kEntryLength + 1, "00%c00", separator);
  return out;
}

}  // namespace gw

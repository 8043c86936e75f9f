#include "pages/overtype_entry.h"

#include <algorithm>
#include <optional>

#include "base/cformat.h"
#include "base/text.h"
#include "pages/input_mask.h"

namespace gw {

namespace {

// Each part of an entry holds two digits.
constexpr int kHighestPart = 99;

// The highest digit each position takes, given what stands before it in the same part.
char highestDigit(EntryPattern pattern, std::string_view text, int position) {
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

bool acceptsDate(std::string_view text, std::size_t pos, char digit) {
  return digit <= highestDigit(EntryPattern::Date, text, static_cast<int>(pos));
}

bool acceptsTime(std::string_view text, std::size_t pos, char digit) {
  return digit <= highestDigit(EntryPattern::Time, text, static_cast<int>(pos));
}

// The entries are masked fields of their own pattern.
InputMask maskOf(EntryPattern pattern) {
  return pattern == EntryPattern::Date ? InputMask{"__.__", acceptsDate} : InputMask{"__:__", acceptsTime};
}

}  // namespace

char entrySeparator(EntryPattern pattern) {
  return pattern == EntryPattern::Time ? ':' : '.';
}

bool overtypeDigit(EntryPattern pattern, std::string& text, int& cursor, char digit) {
  if (pattern == EntryPattern::Free || text.size() != kEntryLength || cursor < 0) return false;
  const MaskedText typed = maskKeyPress(maskOf(pattern), MaskedText{text, cursor}, digit);
  if (typed.caret == cursor) return false;  // refused, or at the end: a typed digit always moves the caret
  text = typed.text;
  cursor = typed.caret;
  return true;
}

bool overtypeBackspace(EntryPattern pattern, std::string& text, int& cursor) {
  if (pattern == EntryPattern::Free || text.size() != kEntryLength || cursor <= 0) return false;
  const MaskedText erased =
      maskKeyPress(maskOf(pattern), MaskedText{text, std::min(cursor, kEntryLength)}, kKeyBackspace);
  text = erased.text;
  cursor = erased.caret;
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

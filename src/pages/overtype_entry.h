#pragma once
// Date and time entries: a fixed pattern of two digits, a separator and two digits ("25.10", "07:30") that
// the user types over in place. Only digits and backspace change the text (the arrow keys move the cursor,
// every other key is ignored); a digit that would break the pattern is refused.

#include <string>
#include <string_view>

namespace gw {

enum class EntryPattern {
  Free,  // an ordinary edit
  Date,  // DD.MM: the day's first digit 0-3 (0-1 after a 3), the month's 0-1 (0-2 after a 1)
  Time,  // HH:MM: the hour's first digit 0-2 (0-4 after a 2), the minutes' 0-6 (0 after a 6)
};

// Characters of an entry; the separator sits at kEntrySeparatorAt.
inline constexpr int kEntryLength = 5;
inline constexpr int kEntrySeparatorAt = 2;
// What backspace leaves in place of a digit.
inline constexpr char kEntryBlank = '_';

char entrySeparator(EntryPattern pattern);

// A digit typed at `cursor`: it replaces the character there (the separator skipped) and the cursor moves on
// past it. False, and nothing changes, at the end of the field, for a text that is not of the pattern's
// length, or when the digit would break the pattern.
bool overtypeDigit(EntryPattern pattern, std::string& text, int& cursor, char digit);
// Backspace: the character before the cursor (the separator skipped) becomes a blank and the cursor goes in
// front of it. False at the start of the field.
bool overtypeBackspace(EntryPattern pattern, std::string& text, int& cursor);

// The entry with its blanks (and spaces) made '0': what is read when the entry is taken as a value.
std::string entryWithoutBlanks(std::string_view text);

// A text in the entry's form: kept when it has it; otherwise its two numbers around the separator ("7:00",
// "1.1") with two digits each; otherwise "00" and "00".
std::string normalizedEntry(EntryPattern pattern, std::string_view text);

}  // namespace gw

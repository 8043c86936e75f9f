#pragma once
// A field typed position by position into a fixed pattern, as a time ("__:__:__") or a date ("__.__.____"):
// a digit replaces the character under the caret, separators are stepped over, Backspace blanks the digit
// before the caret, and each position may refuse digits that would make no time or date. The window hands
// such a field every key instead of letting it edit itself.

#include <optional>
#include <string>
#include <string_view>

#include "base/key_filters.h"

namespace gw {

struct InputMask {
  std::string_view blank;  // '_' marks a digit position, any other character a separator
  // Whether `digit` may stand at `pos` of `text` (the field as typed so far).
  bool (*accepts)(std::string_view text, std::size_t pos, char digit);
};

struct MaskedText {
  std::string text;
  int caret = 0;
};

// The keys that reach a masked field at all, by their key codes: Left, Right, Backspace (kKeyBackspace) and
// the digits; the others (Delete, Home, End, ...) are discarded.
inline constexpr int kKeyLeft = 37;
inline constexpr int kKeyRight = 39;
bool maskKeyDown(int keyCode);

// A typed character: a digit or Backspace acts, anything else changes nothing; so does a refused digit.
MaskedText maskKeyPress(const InputMask& mask, MaskedText field, char key);

// The digits typed into the blank field one after the other; nothing when one is refused or they do not fill
// every digit position.
std::optional<std::string> typeDigits(const InputMask& mask, std::string_view digits);

}  // namespace gw

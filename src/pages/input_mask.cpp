#include "pages/input_mask.h"

namespace gw {

namespace {

constexpr char kDigitPosition = '_';

bool isDigit(char c) {
  return c >= '0' && c <= '9';
}

bool separatorAt(const InputMask& mask, std::size_t pos) {
  return pos < mask.blank.size() && mask.blank[pos] != kDigitPosition;
}

std::size_t skipForward(const InputMask& mask, std::size_t pos) {
  while (separatorAt(mask, pos)) ++pos;
  return pos;
}

MaskedText typeDigit(const InputMask& mask, MaskedText field, char digit) {
  const std::size_t pos = skipForward(mask, static_cast<std::size_t>(field.caret));
  if (pos >= mask.blank.size() || pos >= field.text.size()) return field;
  if (mask.accepts != nullptr && !mask.accepts(field.text, pos, digit)) return field;
  field.text[pos] = digit;
  field.caret = static_cast<int>(skipForward(mask, pos + 1));
  return field;
}

MaskedText eraseBefore(const InputMask& mask, MaskedText field) {
  std::size_t pos = static_cast<std::size_t>(field.caret);
  while (pos > 0 && separatorAt(mask, pos - 1)) --pos;
  if (pos == 0 || pos > field.text.size()) return field;
  field.text[pos - 1] = kDigitPosition;
  field.caret = static_cast<int>(pos - 1);
  return field;
}

}  // namespace

bool maskKeyDown(int keyCode) {
  return keyCode == kKeyLeft || keyCode == kKeyRight || keyCode == kKeyBackspace ||
         (keyCode >= '0' && keyCode <= '9');
}

MaskedText maskKeyPress(const InputMask& mask, MaskedText field, char key) {
  if (field.caret < 0) field.caret = 0;
  if (isDigit(key)) return typeDigit(mask, std::move(field), key);
  if (key == kKeyBackspace) return eraseBefore(mask, std::move(field));
  return field;
}

std::optional<std::string> typeDigits(const InputMask& mask, std::string_view digits) {
  MaskedText field{std::string(mask.blank), 0};
  for (char digit : digits) {
    if (!isDigit(digit)) return std::nullopt;
    const MaskedText typed = maskKeyPress(mask, field, digit);
    if (typed.text == field.text) return std::nullopt;
    field = typed;
  }
  if (field.text.find(kDigitPosition) != std::string::npos) return std::nullopt;
  return field.text;
}

}  // namespace gw

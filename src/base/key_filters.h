#pragma once
// Characters edit fields accept as typed; a refused character is dropped.

namespace gw {

inline constexpr char kKeyBackspace = 8;
inline constexpr char kKeyCopy = 3;    // Ctrl+C
inline constexpr char kKeyPaste = 22;  // Ctrl+V

// '0'..'9', backspace and the copy/paste control characters.
inline bool acceptDigitKey(char c) {
  return (c >= '0' && c <= '9') || c == kKeyBackspace || c == kKeyCopy || c == kKeyPaste;
}

// As the digits, plus '.'.
inline bool acceptIpKey(char c) {
  return acceptDigitKey(c) || c == '.';
}

// As the digits, plus the dialling characters '+', '*' and '#' (numbers, prefixes).
inline bool acceptDialKey(char c) {
  return acceptDigitKey(c) || c == '+' || c == '*' || c == '#';
}

// Maximum length of an IP address field.
inline constexpr int kIpFieldMaxLength = 15;

}  // namespace gw

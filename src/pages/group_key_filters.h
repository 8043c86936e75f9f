#pragma once
// Characters the edit fields of the group pages accept as typed.

#include "base/key_filters.h"

namespace gw {

// The roaming network: digits and the wildcard X.
inline bool acceptRoamingKey(char c) {
  return acceptDigitKey(c) || c == 'X' || c == 'x';
}

// A CLIP modification: digits, '-' and '+'.
inline bool acceptModificationKey(char c) {
  return acceptDigitKey(c) || c == '-' || c == '+';
}

// A CLIP separator: any character above the space but the comma, which would end the register's field.
inline bool acceptSeparatorKey(char c) {
  return (static_cast<unsigned char>(c) > ' ' && c != ',') || c == kKeyBackspace;
}

}  // namespace gw

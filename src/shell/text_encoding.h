#pragma once
// Conversions between the byte texts of files and the gateway and the UTF-8 texts of the user interface.
//
// Captions in languages.ini are UTF-8; an older file written by a Windows editor holds Windows-1250 (Czech)
// or Windows-1252 (English, Spanish) bytes instead. Texts on the gateway's wire are Latin-1.

#include <string>
#include <string_view>

namespace gw {

// True when the bytes are well-formed UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF, no
// truncated or stray continuation bytes. The empty text is valid.
bool isValidUtf8(std::string_view bytes);

// Each byte through its code page; the bytes the code page leaves undefined become U+FFFD.
std::string windows1250ToUtf8(std::string_view bytes);
std::string windows1252ToUtf8(std::string_view bytes);

std::string latin1ToUtf8(std::string_view bytes);
// Characters above U+00FF, and every byte of a malformed sequence, become '?'.
std::string utf8ToLatin1(std::string_view utf8);

}  // namespace gw

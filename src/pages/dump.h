#pragma once
// Taking register values out of a dump: the text a read command ("AT&V\r\n") returns, lines of a key with
// its equals sign ("S70="), the value and CR LF. Pure functions over the received bytes; anything the gateway
// sends, however malformed, gives some (possibly empty) text and never reads past the dump.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace gw {

// An extracted value or field keeps at most this many characters; a longer one is cut to it.
inline constexpr std::size_t kMaxValueLength = 99;
// The separator of register fields unless a page says otherwise.
inline constexpr char kFieldSeparator = ',';

// The value after the first occurrence of `key` (plain, case-sensitive search): spaces after the key are
// skipped, the value ends before the next CR. The dump's very last character is never part of a value.
// Empty when the key is missing. A value longer than `maxLength` is cut to it (texts the gateway keeps
// longer, such as SMS texts, are taken with their own length).
std::string dumpValue(std::string_view key, std::string_view dump, std::size_t maxLength = kMaxValueLength);

// As dumpValue, ending also at the first space.
std::string dumpWord(std::string_view key, std::string_view dump);

// The fields of the key's line: every separator and the closing CR end one field; fields are not trimmed.
// A line that reaches the end of the dump without a CR loses its last field. Empty when the key is missing.
// Each field is cut to `maxLength`.
std::vector<std::string> dumpFields(std::string_view key, std::string_view dump,
                                    char separator = kFieldSeparator,
                                    std::size_t maxLength = kMaxValueLength);

// The text up to its first CR or space.
std::string firstWord(std::string_view text);

}  // namespace gw

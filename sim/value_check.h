#pragma once
// What a register write must look like for the gateway to take it. A value is split at every comma into
// fields (the empty value has no fields); a register names the check of its whole value, usually built from
// checks of its fields. A write that fails its check is answered ERROR and changes nothing.

#include <cstddef>
#include <functional>
#include <initializer_list>
#include <string_view>
#include <vector>

namespace gwsim {

using FieldCheck = std::function<bool(std::string_view field)>;
using ValueCheck = std::function<bool(std::string_view value)>;

// "" -> no fields; "a,,b" -> "a", "", "b"; "0," -> "0", "".
std::vector<std::string_view> splitFields(std::string_view value);

// Characters a dialled number is made of.
inline constexpr std::string_view kDialCharacters = "0123456789+*#";

// --- fields ---
FieldCheck number(long min, long max);  // decimal digits only, within min..max
FieldCheck oneOf(std::initializer_list<long> values);
// Between minLength and maxLength bytes, each one of `allowed`, or any byte when `allowed` is empty.
FieldCheck characters(std::string_view allowed, std::size_t minLength, std::size_t maxLength);
FieldCheck separatorCharacter();   // empty (no separator) or one byte above the space
FieldCheck monthDay();             // MMDD, or "0" for no date
FieldCheck ipv4();                 // dotted address, four parts 0..255
FieldCheck ipv4WithPort();         // address ":" port
FieldCheck causePair();            // GSM cause "/" cause, each 1..127
FieldCheck prefixEntry();          // prefix, optionally "/" and a number of digits
FieldCheck replacedPrefixEntry();  // prefix "/" replacement, either part possibly empty
FieldCheck usingTime();            // HH:MM/HH:MM, optionally "/w-" or "/w+"
// The empty field (or, for a table record, the empty value, which deletes the record), or what `check` takes.
FieldCheck emptyOr(FieldCheck check);

// --- values ---
ValueCheck anything();                              // kept byte for byte, whatever it holds
ValueCheck text(std::size_t maxLength);             // the rest of the line, commas included
ValueCheck fields(std::vector<FieldCheck> checks);  // exactly these fields
// The first `required` fields must be there, the others may be left off at the end.
ValueCheck fields(std::size_t required, std::vector<FieldCheck> checks);
ValueCheck listOf(std::size_t maxCount, FieldCheck each);  // 0..maxCount fields
ValueCheck autoroutingRecord();                            // gsm,dial | gsm,,limit | gsm,dial,limit
ValueCheck extensionRecord();                              // name/user/password,gsm,followMe,smsAtNoAnswer

}  // namespace gwsim

#pragma once
// A page's registers as data. Each row names a register, the page controls its fields go to, their defaults
// and error descriptions, the command that writes it with its error lines, and the values the Kestrin
// edition always gets. loadRegisters and saveRegisters walk such a table, so a page's own code is left with
// what departs from the pattern.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/cformat.h"
#include "pages/dump.h"
#include "pages/fields.h"
#include "pages/register_access.h"

namespace gw {

// A list whose index is not the register value: the two directions of the mapping. toIndex gives nothing
// for a value the list cannot show.
struct IndexMap {
  int (*toValue)(int index) = nullptr;
  std::optional<int> (*toIndex)(int value) = nullptr;
};

// One field of a register value and the control that shows it. A text control takes the text; a spin edit,
// drop-down list, radio group or check box takes the decimal number (an index through `map` where given).
struct FieldRow {
  const char* control;
  // The value of a field that is missing (or, for a number, does not convert); nullptr: a text field shows
  // what was there (the empty text when missing) and a number field keeps the value it had.
  const char* fallback = nullptr;
  // The error line of a missing or bad field, without its line feed; nullptr: no line.
  const char* description = nullptr;
  // On the Kestrin edition the command carries this value instead of the control's.
  const char* kestrinValue = nullptr;
  IndexMap map = {};
};

// How the register's value is taken from the dump.
enum class ValueForm {
  Whole,   // the rest of the line (dumpValue): one field
  Word,    // up to the first space (dumpWord): one field
  Fields,  // split at the separator (dumpFields)
  // One field per character of the value (dumpValue): a digit per module, nothing between them.
  Characters,
};

enum class WriteVia {
  WriteRegister,     // both error lines, each at its failed step
  SendCollectError,  // the send-failure line once, when the reply lacks "OK"
};

// When a register is not written.
enum WriteSkip : unsigned {
  kNeverSkip = 0,
  kSkipOverLan = 1u << 0,    // the gateway's own network settings go over the serial link only
  kSkipWhenEmpty = 1u << 1,  // the first field's text is empty
};

struct RegisterRow {
  const char* key;  // "X31", found in the dump as "X31="
  ValueForm form = ValueForm::Fields;
  std::vector<FieldRow> fields;
  const char* writeFormat = nullptr;  // printf format of the write command; nullptr: read only
  WriteErrors errors = {};
  WriteVia via = WriteVia::WriteRegister;
  unsigned skip = kNeverSkip;
  std::size_t commandBufferSize = kCommandBufferSize;
  char separator = kFieldSeparator;
  // The value's field that `fields` starts at (counted from 0): the fields before it are not read.
  std::size_t firstField = 0;
};

using RegisterTable = std::vector<RegisterRow>;

// What the two walks need besides the table and the controls.
struct RegisterWalk {
  std::string& errorList;
  bool kestrinEdition = false;
  bool lanLink = false;
};

// Every row's fields from the dump into their controls, in table order; each missing or bad field gets its
// default and its error line.
void loadRegisters(const RegisterTable& table, const std::vector<NamedField>& controls, std::string_view dump,
                   std::string& errorList);

// The command that writes one row from the controls (the Kestrin values on that edition).
std::string registerCommand(const RegisterRow& row, const std::vector<NamedField>& controls,
                            bool kestrinEdition);

// Writes every row of the table that is not skipped, in table order; failures go to the error list and
// never stop the walk.
void saveRegisters(Link& link, const RegisterTable& table, const std::vector<NamedField>& controls,
                   const RegisterWalk& walk);

// Control names a table uses that the controls lack, and rows whose command format takes another number of
// fields than the row has: empty for a sound table.
std::vector<std::string> registerTableProblems(const RegisterTable& table,
                                               const std::vector<NamedField>& controls);

}  // namespace gw

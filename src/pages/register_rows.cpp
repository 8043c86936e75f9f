#include "pages/register_rows.h"

#include "base/text.h"
#include "link/link.h"
#include "pages/error_list.h"

namespace gw {

namespace {

std::string dumpKey(const char* name) {
  return std::string(name) + "=";
}

// The fields of one row as the dump gives them; a field past the end is missing.
std::vector<std::string> rowFields(const RegisterRow& row, std::string_view dump) {
  switch (row.form) {
    case ValueForm::Whole:
      return {dumpValue(dumpKey(row.key), dump)};
    case ValueForm::Word:
      return {dumpWord(dumpKey(row.key), dump)};
    case ValueForm::Characters: {
      std::vector<std::string> characters;
      for (char c : dumpValue(dumpKey(row.key), dump)) characters.emplace_back(1, c);
      return characters;
    }
    case ValueForm::Fields:
      break;
  }
  return dumpFields(dumpKey(row.key), dump, row.separator);
}

void appendLine(std::string& errorList, const FieldRow& f) {
  if (f.description != nullptr) appendError(errorList, std::string(f.description) + "\n");
}

// A text control: a missing field gets the default and the line.
void loadText(TextField& field, const FieldRow& f, const std::optional<std::string>& value,
              std::string& errorList) {
  if (value) {
    field.set(*value);
    return;
  }
  field.set(f.fallback != nullptr ? f.fallback : "");
  appendLine(errorList, f);
}

// The control's number from the field's text; nothing when the field is missing, does not convert or is
// outside what the control can show.
std::optional<int> controlNumber(const FieldRow& f, const std::optional<std::string>& value) {
  if (!value) return std::nullopt;
  const std::optional<int> n = toInt(*value);
  if (!n || f.map.toIndex == nullptr) return n;
  return f.map.toIndex(*n);
}

bool setNumber(const FieldRef& ref, int n) {
  if (auto* const* number = std::get_if<NumberField*>(&ref)) {
    (*number)->set(n);
    return true;
  }
  if (auto* const* choice = std::get_if<ChoiceField*>(&ref)) return (*choice)->select(n);
  if (auto* const* radio = std::get_if<RadioField*>(&ref)) return (*radio)->select(n);
  if (auto* const* check = std::get_if<CheckField*>(&ref)) {
    (*check)->checked = n != 0;
    return true;
  }
  return false;
}

void loadNumber(const FieldRef& ref, const FieldRow& f, const std::optional<std::string>& value,
                std::string& errorList) {
  const std::optional<int> n = controlNumber(f, value);
  if (n && setNumber(ref, *n)) return;
  if (f.fallback != nullptr) setNumber(ref, toInt(f.fallback).value_or(0));
  appendLine(errorList, f);
}

FormatArg argOf(const FieldRef& ref, const FieldRow& f) {
  if (auto* const* text = std::get_if<TextField*>(&ref)) return FormatArg::ofText((*text)->text);
  int n = 0;
  if (auto* const* number = std::get_if<NumberField*>(&ref)) n = (*number)->value;
  if (auto* const* choice = std::get_if<ChoiceField*>(&ref)) n = (*choice)->index;
  if (auto* const* radio = std::get_if<RadioField*>(&ref)) n = (*radio)->index;
  if (auto* const* check = std::get_if<CheckField*>(&ref)) n = (*check)->checked ? 1 : 0;
  if (f.map.toValue != nullptr) n = f.map.toValue(n);
  return FormatArg::ofNumber(n);
}

bool skipped(const RegisterRow& row, const std::vector<NamedField>& controls, const RegisterWalk& walk) {
  if ((row.skip & kSkipOverLan) != 0 && walk.lanLink) return true;
  if ((row.skip & kSkipWhenEmpty) != 0 && !row.fields.empty()) {
    TextField* first = findField<TextField>(controls, row.fields.front().control);
    if (first != nullptr && first->text.empty()) return true;
  }
  return false;
}

}  // namespace

void loadRegisters(const RegisterTable& table, const std::vector<NamedField>& controls, std::string_view dump,
                   std::string& errorList) {
  for (const RegisterRow& row : table) {
    const std::vector<std::string> values = rowFields(row, dump);
    for (std::size_t i = 0; i < row.fields.size(); ++i) {
      const FieldRow& f = row.fields[i];
      const FieldRef* ref = findControl(controls, f.control);
      if (ref == nullptr) continue;
      // A single value is missing when empty (the key is absent, or nothing follows it); a field of a
      // list is missing when the line has too few, while an empty field between two separators is there.
      const std::size_t at = i + row.firstField;
      const bool present = at < values.size() && (row.form == ValueForm::Fields || !values[at].empty());
      const std::optional<std::string> value =
          present ? std::optional<std::string>(values[at]) : std::nullopt;
      if (auto* const* text = std::get_if<TextField*>(ref)) {
        loadText(**text, f, value, errorList);
      } else {
        loadNumber(*ref, f, value, errorList);
      }
    }
  }
}

std::string registerCommand(const RegisterRow& row, const std::vector<NamedField>& controls,
                            bool kestrinEdition) {
  std::vector<FormatArg> args;
  for (const FieldRow& f : row.fields) {
    if (kestrinEdition && f.kestrinValue != nullptr) {
      args.push_back(FormatArg::ofText(f.kestrinValue));
      continue;
    }
    const FieldRef* ref = findControl(controls, f.control);
    args.push_back(ref != nullptr ? argOf(*ref, f) : FormatArg{});
  }
  return cformatList(row.commandBufferSize, row.writeFormat != nullptr ? row.writeFormat : "", args);
}

void saveRegisters(Link& link, const RegisterTable& table, const std::vector<NamedField>& controls,
                   const RegisterWalk& walk) {
  for (const RegisterRow& row : table) {
    if (row.writeFormat == nullptr || skipped(row, controls, walk)) continue;
    const std::string command = registerCommand(row, controls, walk.kestrinEdition);
    if (row.via == WriteVia::SendCollectError) {
      link.sendCollectError(command, kReplyBufferSize, walk.errorList, row.errors.sendFailed);
    } else {
      writeRegister(link, command, row.errors, walk.errorList);
    }
  }
}

std::vector<std::string> registerTableProblems(const RegisterTable& table,
                                               const std::vector<NamedField>& controls) {
  std::vector<std::string> problems;
  for (const RegisterRow& row : table) {
    for (const FieldRow& f : row.fields) {
      if (findControl(controls, f.control) == nullptr)
        problems.push_back(std::string(row.key) + ": no control " + f.control);
    }
    if (row.writeFormat != nullptr && formatArgCount(row.writeFormat) != row.fields.size())
      problems.push_back(std::string(row.key) + ": the write format does not take every field");
  }
  return problems;
}

}  // namespace gw

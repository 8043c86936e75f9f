#pragma once
// Takes the keys of one parameter-file section apart in reading order. A key's value is its text in the file,
// or its default when the file lacks it, split at its separator. The first required field that is missing, or
// the first number that does not convert, fails the section; from then on every take stores nothing, so the
// image keeps exactly what the section had stored before the failure.
//
// Fields are counted from 1, the first field after the equals sign.

#include <string>
#include <string_view>
#include <vector>

#include "base/ini_file.h"

namespace gw::pfile {

class FieldReader {
 public:
  FieldReader(const IniFile& ini, std::string_view section) : ini_(ini), section_(section) {}

  // Makes `key` of this reader's section the current key.
  FieldReader& key(std::string_view key, std::string_view def, char sep = ',');
  // Makes `key` of another section the current key.
  FieldReader& keyIn(std::string_view section, std::string_view key, std::string_view def, char sep = ',');

  bool ok() const { return !failed_; }
  void fail() { failed_ = true; }
  const std::string& value() const { return value_; }

  // Required fields. Each returns whether it stored.
  bool take(std::size_t n, std::string& out);
  bool take(std::size_t n, int& out);
  // An empty field, or one that starts with a blank, gives 0: a blank would not survive the next save, whose
  // line loses its trailing blanks when it is read again.
  bool takeFirstChar(std::size_t n, char& out);
  // Optional fields: the fallback when the field is missing; a present number must still convert.
  bool takeOr(std::size_t n, std::string& out, std::string_view fallback);
  bool takeOr(std::size_t n, int& out, int fallback);
  // Stored only when the field is present.
  bool takeIfPresent(std::size_t n, int& out);
  // Field n and every field after it, joined again: a last text field that may hold the separator itself.
  // Empty when field n is missing.
  bool takeRest(std::size_t n, std::string& out);
  // The whole value as text; as an integer with `def` standing in for a value that is not a number.
  bool takeWhole(std::string& out);
  bool takeWholeNumber(int& out, int def);
  // Every field, in order.
  bool takeAll(std::vector<std::string>& out);

 private:
  const std::string* field(std::size_t n);

  const IniFile& ini_;
  std::string_view section_;
  std::string value_;
  std::vector<std::string> fields_;
  char sep_ = ',';
  bool failed_ = false;
};

}  // namespace gw::pfile

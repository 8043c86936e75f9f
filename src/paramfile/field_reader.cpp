#include "paramfile/field_reader.h"

#include "base/text.h"

namespace gw::pfile {

FieldReader& FieldReader::key(std::string_view key, std::string_view def, char sep) {
  return keyIn(section_, key, def, sep);
}

FieldReader& FieldReader::keyIn(std::string_view section, std::string_view key, std::string_view def,
                                char sep) {
  value_ = ini_.readString(section, key, def);
  fields_ = splitFields(value_, sep);
  sep_ = sep;
  return *this;
}

const std::string* FieldReader::field(std::size_t n) {
  if (n == 0 || n > fields_.size()) return nullptr;
  return &fields_[n - 1];
}

bool FieldReader::take(std::size_t n, std::string& out) {
  if (failed_) return false;
  const std::string* f = field(n);
  if (!f) {
    failed_ = true;
    return false;
  }
  out = *f;
  return true;
}

bool FieldReader::take(std::size_t n, int& out) {
  if (failed_) return false;
  const std::string* f = field(n);
  const auto number = f ? toInt(*f) : std::nullopt;
  if (!number) {
    failed_ = true;
    return false;
  }
  out = *number;
  return true;
}

bool FieldReader::takeFirstChar(std::size_t n, char& out) {
  std::string text;
  if (!take(n, text)) return false;
  out = text.empty() || text[0] == ' ' || text[0] == '\t' ? '\0' : text[0];
  return true;
}

bool FieldReader::takeOr(std::size_t n, std::string& out, std::string_view fallback) {
  if (failed_) return false;
  const std::string* f = field(n);
  out = f ? *f : std::string(fallback);
  return true;
}

bool FieldReader::takeOr(std::size_t n, int& out, int fallback) {
  if (failed_) return false;
  if (!field(n)) {
    out = fallback;
    return true;
  }
  return take(n, out);
}

bool FieldReader::takeIfPresent(std::size_t n, int& out) {
  if (failed_) return false;
  return field(n) ? take(n, out) : false;
}

bool FieldReader::takeRest(std::size_t n, std::string& out) {
  if (failed_) return false;
  out.clear();
  for (std::size_t i = n; field(i); ++i) {
    if (i > n) out += sep_;
    out += *field(i);
  }
  return true;
}

bool FieldReader::takeWhole(std::string& out) {
  if (failed_) return false;
  out = value_;
  return true;
}

bool FieldReader::takeWholeNumber(int& out, int def) {
  if (failed_) return false;
  out = toInt(value_).value_or(def);
  return true;
}

bool FieldReader::takeAll(std::vector<std::string>& out) {
  if (failed_) return false;
  out = fields_;
  return true;
}

}  // namespace gw::pfile

#include "pages/fields.h"

#include <algorithm>

#include "base/key_filters.h"

namespace gw {

namespace {
bool validIndex(int i, std::size_t count) {
  return i >= 0 && static_cast<std::size_t>(i) < count;
}
}  // namespace

void TextField::set(std::string value) {
  text = std::move(value);
  if (!text.empty()) marked = false;
}

std::string TextField::typed(std::string_view value) const {
  std::string kept;
  for (char c : value) {
    if (accepts(c)) kept += c;
  }
  if (maxLength > 0 && kept.size() > static_cast<std::size_t>(maxLength)) {
    kept.resize(static_cast<std::size_t>(maxLength));
  }
  return kept;
}

bool ChoiceField::select(int i) {
  if (!validIndex(i, items.size())) return false;
  index = i;
  return true;
}

void NumberField::set(int v) {
  value = std::clamp(v, min, std::max(min, max));
}

bool RadioField::select(int i) {
  if (!validIndex(i, buttons.size())) return false;
  index = i;
  return true;
}

const FieldRef* findControl(const std::vector<NamedField>& fields, std::string_view name) {
  for (const NamedField& f : fields) {
    if (f.name == name) return &f.field;
  }
  return nullptr;
}

FieldView& viewOf(const FieldRef& field) {
  return std::visit([](auto* f) -> FieldView& { return *f; }, field);
}

void makeIpField(TextField& field) {
  field.maxLength = kIpFieldMaxLength;
  field.filter = acceptIpKey;
  field.ipAddress = true;
}

void makeDigitField(TextField& field, int maxLength) {
  field.maxLength = maxLength;
  field.filter = acceptDigitKey;
}

}  // namespace gw

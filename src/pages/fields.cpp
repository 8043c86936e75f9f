#include "pages/fields.h"

#include <algorithm>

#include "base/key_filters.h"

namespace gw {

void TextField::set(std::string value) {
  text = std::move(value);
  if (!text.empty()) marked = false;
}

bool ChoiceField::select(int i) {
  if (i < 0 || static_cast<std::size_t>(i) >= items.size()) return false;
  index = i;
  return true;
}

void NumberField::set(int v) {
  value = std::clamp(v, min, std::max(min, max));
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

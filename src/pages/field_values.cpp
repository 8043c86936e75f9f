#include "pages/field_values.h"

namespace gw {

namespace {

// Separates the parts of one control's value; no control holds it.
constexpr char kPartSeparator = '\x1f';

struct ValueText {
  std::string operator()(TextField* f) const { return f->text; }
  std::string operator()(ChoiceField* f) const { return std::to_string(f->index); }
  std::string operator()(CheckField* f) const { return f->checked ? "1" : "0"; }
  std::string operator()(NumberField* f) const { return std::to_string(f->value); }
  std::string operator()(RadioField* f) const { return std::to_string(f->index); }
  std::string operator()(ListField* f) const {
    std::string text;
    for (const std::string& item : f->items) text += item + kPartSeparator;
    return text;
  }
  std::string operator()(TableField* f) const {
    std::string text;
    for (const std::vector<std::string>& row : f->items) {
      for (const std::string& cell : row) text += cell + kPartSeparator;
      text += '\n';
    }
    return text;
  }
  std::string operator()(FieldView*) const { return {}; }
  std::string operator()(CaptionField*) const { return {}; }
};

bool holdsValue(const FieldRef& field) {
  return !std::holds_alternative<FieldView*>(field) && !std::holds_alternative<CaptionField*>(field);
}

}  // namespace

FieldValues fieldValues(ControlSet& controls) {
  FieldValues values;
  for (const NamedField& f : controls.fields()) {
    if (holdsValue(f.field)) values.emplace(std::string(f.name), std::visit(ValueText{}, f.field));
  }
  return values;
}

std::vector<std::string> differingFields(const FieldValues& before, const FieldValues& after) {
  std::vector<std::string> names;
  for (const auto& [name, value] : after) {
    const auto it = before.find(name);
    if (it == before.end() || it->second != value) names.push_back(name);
  }
  return names;
}

}  // namespace gw

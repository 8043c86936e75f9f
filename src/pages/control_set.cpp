#include "pages/control_set.h"

#include "base/caption_ids.h"
#include "base/key_filters.h"
#include "shell/gateway.h"

namespace gw {

namespace {
constexpr const char* kEmptyIpAddress = "0.0.0.0";
}  // namespace

void ControlSet::changedBy(std::string_view name) {
  if (changesPage(name)) userChanged();
  edited(name);
}

bool ControlSet::editText(std::string_view name, std::string_view text) {
  TextField* field = findField<TextField>(fields(), name);
  if (!field) return false;
  field->set(field->typed(text));
  changedBy(name);
  return true;
}

bool ControlSet::editChoice(std::string_view name, int index) {
  const std::vector<NamedField> all = fields();
  if (ChoiceField* choice = findField<ChoiceField>(all, name)) {
    if (!choice->select(index)) return false;
  } else if (RadioField* radio = findField<RadioField>(all, name)) {
    if (!radio->select(index)) return false;
  } else {
    return false;
  }
  changedBy(name);
  return true;
}

bool ControlSet::editCheck(std::string_view name, bool checked) {
  CheckField* field = findField<CheckField>(fields(), name);
  if (!field) return false;
  field->checked = checked;
  changedBy(name);
  return true;
}

bool ControlSet::editNumber(std::string_view name, int value) {
  NumberField* field = findField<NumberField>(fields(), name);
  if (!field) return false;
  field->set(value);
  changedBy(name);
  return true;
}

bool ControlSet::selectRow(std::string_view name, int row) {
  const std::vector<NamedField> all = fields();
  const auto pick = [row](auto& model) {
    model.selected = row >= 0 && static_cast<std::size_t>(row) < model.size() ? row : kNoSelection;
  };
  if (ListField* list = findField<ListField>(all, name)) {
    pick(*list);
  } else if (TableField* table = findField<TableField>(all, name)) {
    pick(*table);
  } else {
    return false;
  }
  edited(name);
  return true;
}

bool ControlSet::typeOver(std::string_view name, char key, int& cursor) {
  TextField* field = findField<TextField>(fields(), name);
  if (!field) return false;
  std::string text = field->text;
  const bool taken = key == kKeyBackspace ? overtypeBackspace(field->pattern, text, cursor)
                                          : overtypeDigit(field->pattern, text, cursor, key);
  if (!taken) return false;
  field->set(std::move(text));
  changedBy(name);
  return true;
}

bool ControlSet::leaveField(std::string_view name) {
  TextField* field = findField<TextField>(fields(), name);
  if (!field || !field->ipAddress) return true;
  return ipFieldExit(*field);
}

bool ControlSet::click(std::string_view name) {
  for (const Button& button : buttons()) {
    if (button.name != name) continue;
    button.click();
    return true;
  }
  return false;
}

bool ControlSet::requireText(std::initializer_list<TextField*> required) {
  bool good = true;
  for (TextField* field : required) {
    if (!field->text.empty()) continue;
    field->marked = true;
    good = false;
  }
  return good;
}

bool ControlSet::ipFieldExit(TextField& field) {
  if (field.text.empty()) {
    field.set(kEmptyIpAddress);
    return true;
  }
  if (validIp(field.text)) return true;
  host_.messageBox(Message{captions_.at(cap::kInvalidIp), captions_.at(cap::kErrorTitle), MessageKind::Error,
                           cap::kInvalidIp, cap::kErrorTitle});
  return false;
}

}  // namespace gw

#pragma once
// The controls of a page model: each holds its value and what the window shows of it (enabled, visible,
// the red mark of a failed check, the limits). The Qt page copies them to and from its widgets, found by
// the same names (objectName), and reports the user's edits back through the page.

#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace gw {

// Decides whether a typed character is kept; nullptr keeps every character.
using KeyFilter = bool (*)(char);

// What the window shows of a control: also used alone for labels and group boxes.
struct FieldView {
  bool enabled = true;
  bool visible = true;
};

struct TextField : FieldView {
  std::string text;
  int maxLength = 0;  // characters the user can type; 0 = no limit
  KeyFilter filter = nullptr;
  bool ipAddress = false;  // checked when the focus leaves it
  bool marked = false;     // painted red by a failed check

  // A marked field gets its normal colour back as soon as it holds text.
  void set(std::string value);
  bool accepts(char c) const { return filter == nullptr || filter(c); }
};

struct ChoiceField : FieldView {
  std::vector<std::string> items;
  int index = 0;

  // False (and nothing changes) for an index outside the items.
  bool select(int i);
};

struct CheckField : FieldView {
  bool checked = false;
};

struct NumberField : FieldView {
  int value = 0;
  int min = 0;
  int max = 0;

  // A value outside the limits is brought to the nearest one, as the spin edit does.
  void set(int v);
};

using FieldRef = std::variant<TextField*, ChoiceField*, CheckField*, NumberField*, FieldView*>;

struct NamedField {
  std::string_view name;  // the control name, also the widget's objectName
  FieldRef field;
};

// The field of that name in the table, or nullptr when there is none of that kind.
template <class Field>
Field* findField(const std::vector<NamedField>& fields, std::string_view name) {
  for (const NamedField& f : fields) {
    if (f.name != name) continue;
    if (Field* const* p = std::get_if<Field*>(&f.field)) return *p;
  }
  return nullptr;
}

// An IP address field: at most 15 characters of the IP key filter, checked when left.
void makeIpField(TextField& field);
// A text field that takes digits only (and the editing keys) up to `maxLength` characters.
void makeDigitField(TextField& field, int maxLength);

}  // namespace gw

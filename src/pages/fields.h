#pragma once
// The controls of a page or record dialog model: each holds its value and what the window shows of it
// (enabled, visible, the red mark of a failed check, the limits). The Qt window copies them to and from its
// widgets, found by the same names (objectName), and reports the user's edits back through the model.

#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "pages/input_mask.h"
#include "pages/list_model.h"
#include "pages/overtype_entry.h"

namespace gw {

// A control or list item whose text has no caption-list entry: its English text shows in every language.
inline constexpr int kNoCaption = -1;

// A text of the window: its entry in the caption list and its English default.
struct CaptionText {
  int caption = kNoCaption;
  const char* text = nullptr;
};

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
  // A field typed position by position (a time, a date): the window hands it every key; nullptr: a free
  // text field.
  const InputMask* mask = nullptr;
  // A date or time typed over in place (overtype_entry.h); the window hands its keys to typeOver.
  EntryPattern pattern = EntryPattern::Free;
  // The text is the program's own (captions, a report), in UTF-8, not a gateway text in Latin-1.
  bool utf8 = false;

  // A marked field gets its normal colour back as soon as it holds text.
  void set(std::string value);
  bool accepts(char c) const { return filter == nullptr || filter(c); }
  // What the user typed, as the field takes it: refused characters dropped, cut to the length.
  std::string typed(std::string_view value) const;
};

// A drop-down list or a tab control: one of its items is chosen.
struct ChoiceField : FieldView {
  std::vector<std::string> items;
  int index = 0;
  // Item i is shown as caption firstItemCaption + i of the current language (the item text is its English
  // default); kNoCaption shows the items as they are (lists the program fills at run time).
  int firstItemCaption = kNoCaption;
  // When not empty, item i is shown as caption itemCaptions[i] instead (fixed items whose entries do not
  // follow each other).
  std::vector<int> itemCaptions;
  // When not empty, item i is shown with itemSuffixes[i] after its caption: a number or a gateway text that
  // goes with a translated word ("Group" 3 "/" and a network ID).
  std::vector<std::string> itemSuffixes;

  // False (and nothing changes) for an index outside the items.
  bool select(int i);
};

struct CheckField : FieldView {
  bool checked = false;
};

// A spin edit or a track bar.
struct NumberField : FieldView {
  int value = 0;
  int min = 0;
  int max = 0;
  bool marked = false;  // painted red while the value clashes with others

  // A value outside the limits is brought to the nearest one, as the spin edit does.
  void set(int v);
};

// A group of radio buttons, one of them pressed; the buttons are controls of their own names.
struct RadioField : FieldView {
  std::vector<std::string> buttons;  // control names, in index order
  int index = 0;
  // The buttons' own texts when the model changes them (empty: the layout's texts stay).
  std::vector<CaptionText> texts;

  bool select(int i);
};

// A control whose own text the model chooses, such as a button that reads "Start" or "Stop".
struct CaptionField : FieldView {
  CaptionText text;
};

// A list box: lines of text, one of them selected (or none).
struct ListField : FieldView, ListModel<std::string> {};

// A list view column whose cells hold codes that show as captions of the current language ("1" shows caption
// 404, "On"): the rows keep the codes, so they mean the same whatever the language.
struct CodedCell {
  std::string code;
  int caption;
  const char* text;  // its English default
};
struct CodedColumn {
  std::size_t column;
  std::vector<CodedCell> cells;
};

// A list view: rows of column texts, one of them selected (or none).
struct TableField : FieldView, ListModel<std::vector<std::string>> {
  std::vector<CodedColumn> coded;
};

using FieldRef = std::variant<TextField*, ChoiceField*, CheckField*, NumberField*, RadioField*, ListField*,
                              TableField*, FieldView*, CaptionField*>;

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

// The named control of any kind, or nullptr.
const FieldRef* findControl(const std::vector<NamedField>& fields, std::string_view name);

// What every control shares, whatever its kind.
FieldView& viewOf(const FieldRef& field);

// An IP address field: at most 15 characters of the IP key filter, checked when left.
void makeIpField(TextField& field);
// A text field that takes digits only (and the editing keys) up to `maxLength` characters.
void makeDigitField(TextField& field, int maxLength);

}  // namespace gw

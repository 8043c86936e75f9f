#pragma once
// The layout of a page or record dialog as data: which controls it has, under which names, in which group
// boxes and rows, with which caption entries and English texts. The window builds its widgets from it and
// puts the captions of the current language on them from the same table, so no label text is written
// twice. The model (the page's fields) decides what is enabled, visible, marked and chosen.

#include <vector>

#include "pages/fields.h"

namespace gw {

enum class ControlKind {
  Edit,      // a one-line text field
  Password,  // a text field that hides what is typed
  Combo,     // a drop-down list
  Check,     // a check box (its own text)
  Spin,      // a spin edit
  Track,     // a track bar
  Radio,     // one radio button (its own text); the model's radio group names its buttons
  List,      // a list box
  Table,     // a list view with columns
  Tabs,      // a tab control: a strip of tabs above what they switch
  Memo,      // a multi-line text field
  Label,     // a text of its own (a named label the model can hide)
  Button,    // a push button (its own text); a click goes to the model's button of this name
};

struct ControlSpec {
  ControlKind kind;
  const char* name;
  // The label in front of a field, or the control's own text (check box, radio button, label, button).
  CaptionText label = {};
  // A field's label that is a control of its own, shown and hidden by the model; nullptr: the label goes
  // with its field.
  const char* labelName = nullptr;
  // A short text after the field ("(0 = off, 255 = max)").
  CaptionText hint = {};
  // The width of a text field in characters; 0: as wide as its column.
  int widthChars = 0;
  // A list view's column captions; a tab control's tabs come from its model.
  std::vector<CaptionText> columns = {};
  // The control takes a whole line of its group.
  bool wide = false;
  // A double click on a list or list view presses this button.
  const char* activateButton = nullptr;
  // A label shown in red: a note the user must not miss.
  bool alert = false;
  // A memo the user only reads, laid out in columns (a report): read-only, fixed pitch, no wrapping; it
  // takes the page's spare height as a list view does.
  bool report = false;
};

// A group box (or a plain area without a box) whose controls fill `columns` label-and-field pairs a line.
struct GroupSpec {
  const char* name;  // the group box's control name; nullptr: no box
  CaptionText title = {};
  int columns = 1;
  std::vector<ControlSpec> controls = {};
};

// Group boxes side by side, sharing the width evenly.
struct RowSpec {
  std::vector<GroupSpec> groups;
};

struct FormLayout {
  const char* name;  // the page's or dialog's control name ("pSystem", "fLcr")
  std::vector<RowSpec> rows;
};

// Every caption entry a layout uses (labels, hints, texts, titles, columns), in layout order.
std::vector<CaptionText> layoutCaptions(const FormLayout& layout);
// Every control name of a layout (group boxes, named labels and controls).
std::vector<const char*> layoutControlNames(const FormLayout& layout);

}  // namespace gw

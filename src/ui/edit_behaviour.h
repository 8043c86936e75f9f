#pragma once
// What the program's edit fields do beyond Qt's own: drop the characters a field does not take (typed or
// pasted) and run a check when the user leaves the field.

#include <functional>

#include "pages/fields.h"

class QLineEdit;
class QWidget;

namespace gw::ui {

// Keeps only the printable characters `filter` accepts in what the user types or pastes into `edit`. Attach
// it before other textEdited handlers; they read the field's text (already filtered), not the signal's.
void attachKeyFilter(QLineEdit* edit, KeyFilter filter);

// A date or time entry typed over in place: digits and backspace go to `key` (which writes the new text and
// cursor), the arrow keys move the cursor, Tab moves the focus; every other key, pasting and dropping are
// ignored.
void attachOvertype(QLineEdit* edit, std::function<void(char key)> key);

// Runs `check` when the user moves the focus away from `widget` (Tab, Shift+Tab, a click elsewhere); a
// check that returns false puts the focus back. Focus lost to another window (a message box) is not
// leaving the field.
void onLeave(QWidget* widget, std::function<bool()> check);

}  // namespace gw::ui

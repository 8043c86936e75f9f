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

// Runs `check` when the user moves the focus away from `widget` (Tab, Shift+Tab, a click elsewhere); a
// check that returns false puts the focus back. Focus lost to another window (a message box) is not
// leaving the field.
void onLeave(QWidget* widget, std::function<bool()> check);

// A field typed position by position (a time or date mask): Backspace and the digits go to `type` with the
// caret, which returns the caret after the key; Left and Right move the caret and focus keys work as usual;
// every other key is discarded, and pasting, dropping and the context menu are off.
void attachMaskedInput(QLineEdit* edit, std::function<int(char key, int caret)> type);

}  // namespace gw::ui

#pragma once
// The keyboard of the terminal display mTerminal: each typed key goes to the terminal, which sends it to the
// gateway; Ctrl+V pastes the clipboard, Ctrl+C is left to the display (it copies the selection), Delete is
// dropped, and keys that type nothing (arrows, page keys) move in the display as usual.

#include <QObject>

class QPlainTextEdit;

namespace gw {
class TerminalTool;
}

namespace gw::ui {

class TerminalKeys : public QObject {
  Q_OBJECT

 public:
  TerminalKeys(TerminalTool& terminal, QPlainTextEdit* display, QObject* parent);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  TerminalTool& terminal_;
  QPlainTextEdit* display_;
};

}  // namespace gw::ui

#include "ui/terminal_keys.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <optional>

#include "online/terminal.h"
#include "ui/qt_text.h"

namespace gw::ui {

namespace {

constexpr char kEscape = 0x1B;
constexpr char kCtrlBase = 1;  // Ctrl+A

// The byte a key types, or nothing for a key that types nothing.
std::optional<char> byteOf(const QKeyEvent& key) {
  switch (key.key()) {
    case Qt::Key_Backspace:
      return '\b';
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return '\r';
    case Qt::Key_Tab:
      return '\t';
    case Qt::Key_Escape:
      return kEscape;
    default:
      break;
  }
  if ((key.modifiers() & Qt::ControlModifier) != 0 && key.key() >= Qt::Key_A && key.key() <= Qt::Key_Z)
    return static_cast<char>(kCtrlBase + (key.key() - Qt::Key_A));
  const std::string typed = toGateway(key.text());
  if (typed.size() != 1) return std::nullopt;
  return typed.front();
}

}  // namespace

TerminalKeys::TerminalKeys(TerminalTool& terminal, QPlainTextEdit* display, QObject* parent)
    : QObject(parent), terminal_(terminal), display_(display) {
  display_->installEventFilter(this);
}

bool TerminalKeys::eventFilter(QObject* watched, QEvent* event) {
  if (watched != display_ || event->type() != QEvent::KeyPress) return QObject::eventFilter(watched, event);
  const auto* key = static_cast<QKeyEvent*>(event);
  if (key->matches(QKeySequence::Copy)) return false;
  if (key->matches(QKeySequence::Paste)) {
    terminal_.paste(toGateway(QGuiApplication::clipboard()->text()));
    return true;
  }
  if (key->key() == Qt::Key_Delete) return true;
  const std::optional<char> byte = byteOf(*key);
  if (!byte) return false;
  terminal_.mTerminalKeyPress(*byte);
  return true;
}

}  // namespace gw::ui

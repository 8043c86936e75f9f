#include "ui/edit_behaviour.h"

#include <QEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>
#include <QTimer>

#include "base/key_filters.h"

namespace gw::ui {

namespace {

bool isPrintable(QChar c) {
  return c.unicode() >= 0x20 && c.unicode() != 0x7f;
}

// Characters above Latin-1 cannot pass an 8-bit filter; they are dropped like any refused character.
bool keeps(KeyFilter filter, QChar c) {
  if (!isPrintable(c)) return true;
  if (c.unicode() > 0xff) return false;
  return filter(static_cast<char>(c.unicode()));
}

class LeaveWatcher : public QObject {
 public:
  LeaveWatcher(QWidget* widget, std::function<bool()> check) : QObject(widget), check_(std::move(check)) {}

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::FocusOut || checking_) return false;
    const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
    const bool left = reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason ||
                      reason == Qt::MouseFocusReason || reason == Qt::ShortcutFocusReason;
    if (!left) return false;
    checking_ = true;
    const bool good = check_();
    checking_ = false;
    if (!good) {
      QPointer<QWidget> widget = qobject_cast<QWidget*>(watched);
      QTimer::singleShot(0, widget, [widget] {
        if (widget) widget->setFocus(Qt::OtherFocusReason);
      });
    }
    return false;
  }

 private:
  std::function<bool()> check_;
  bool checking_ = false;
};

class OvertypeKeys : public QObject {
 public:
  OvertypeKeys(QLineEdit* edit, std::function<void(char)> key) : QObject(edit), key_(std::move(key)) {}

  bool eventFilter(QObject* watched, QEvent* event) override {
    (void)watched;
    if (event->type() != QEvent::KeyPress) return false;
    const auto* press = static_cast<QKeyEvent*>(event);
    switch (press->key()) {
      case Qt::Key_Left:
      case Qt::Key_Right:
      case Qt::Key_Tab:
      case Qt::Key_Backtab:
        return false;
      case Qt::Key_Backspace:
        key_(kKeyBackspace);
        return true;
      default:
        break;
    }
    const QString text = press->text();
    const bool plain = (press->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) == 0;
    if (plain && text.size() == 1 && text[0].isDigit() && text[0].unicode() < 0x80)
      key_(static_cast<char>(text[0].unicode()));
    return true;
  }

 private:
  std::function<void(char)> key_;
};

}  // namespace

void attachOvertype(QLineEdit* edit, std::function<void(char key)> key) {
  edit->setContextMenuPolicy(Qt::NoContextMenu);
  edit->setDragEnabled(false);
  edit->setAcceptDrops(false);
  edit->installEventFilter(new OvertypeKeys(edit, std::move(key)));
}

void attachKeyFilter(QLineEdit* edit, KeyFilter filter) {
  if (filter == nullptr) return;
  QObject::connect(edit, &QLineEdit::textEdited, edit, [edit, filter](const QString& text) {
    QString kept;
    kept.reserve(text.size());
    for (QChar c : text) {
      if (keeps(filter, c)) kept.append(c);
    }
    if (kept == text) return;
    const int cursor = edit->cursorPosition() - static_cast<int>(text.size() - kept.size());
    edit->setText(kept);
    edit->setCursorPosition(std::max(0, cursor));
  });
}

void onLeave(QWidget* widget, std::function<bool()> check) {
  widget->installEventFilter(new LeaveWatcher(widget, std::move(check)));
}

}  // namespace gw::ui

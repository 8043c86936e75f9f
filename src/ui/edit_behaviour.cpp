#include "ui/edit_behaviour.h"

#include "base/key_filters.h"

#include <QEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
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

// The keys a masked field leaves to Qt: caret moves and the keys that leave or close the field.
bool passesThrough(int key) {
  return key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Tab || key == Qt::Key_Backtab ||
         key == Qt::Key_Escape || key == Qt::Key_Return || key == Qt::Key_Enter;
}

class MaskedKeys : public QObject {
 public:
  MaskedKeys(QLineEdit* edit, std::function<int(char, int)> type)
      : QObject(edit), edit_(edit), type_(std::move(type)) {}

  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::MouseButtonRelease || event->type() == QEvent::MouseButtonPress) {
      return static_cast<QMouseEvent*>(event)->button() == Qt::MiddleButton;  // no selection paste
    }
    if (event->type() != QEvent::KeyPress) return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    if (passesThrough(key->key())) return false;
    const QString text = key->text();
    const bool command = (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) != 0;
    if (key->key() == Qt::Key_Backspace) {
      press(kKeyBackspace);
    } else if (!command && text.size() == 1 && text[0] >= QLatin1Char('0') && text[0] <= QLatin1Char('9')) {
      press(static_cast<char>(text[0].unicode()));
    }
    return true;
  }

 private:
  void press(char key) {
    const int caret = type_(key, edit_->cursorPosition());
    edit_->deselect();
    edit_->setCursorPosition(caret);
  }

  QLineEdit* edit_;
  std::function<int(char, int)> type_;
};

}  // namespace

void attachMaskedInput(QLineEdit* edit, std::function<int(char key, int caret)> type) {
  edit->setContextMenuPolicy(Qt::NoContextMenu);
  edit->setAcceptDrops(false);
  edit->setAttribute(Qt::WA_InputMethodEnabled, false);
  edit->installEventFilter(new MaskedKeys(edit, std::move(type)));
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

#include "ui/display_view.h"

#include <QEvent>
#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextCursor>
#include <QTimer>

#include "ui/qt_text.h"

namespace gw::ui {

namespace {

constexpr int kMinimumLines = 14;

// CRs stay in the model's lines (the trace file keeps them); the view shows none.
QString shown(const std::string& text) {
  std::string kept;
  kept.reserve(text.size());
  for (char c : text) {
    if (c != '\r') kept.push_back(c);
  }
  return fromGateway(kept);
}

}  // namespace

DisplayView::DisplayView(TextDisplay& display, QPlainTextEdit* view, std::function<void()> beforeRepaint,
                         QObject* parent)
    : QObject(parent), display_(display), view_(view), beforeRepaint_(std::move(beforeRepaint)) {
  view_->setReadOnly(true);
  view_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  view_->setFocusPolicy(Qt::StrongFocus);
  view_->setUndoRedoEnabled(false);
  view_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  view_->setMaximumBlockCount(static_cast<int>(TextDisplay::kDefaultLineLimit));
  view_->setMinimumHeight(view_->fontMetrics().lineSpacing() * kMinimumLines);
  timer_ = new QTimer(this);
  timer_->setInterval(kRepaintMs);
  connect(timer_, &QTimer::timeout, this, [this] { repaint(); });
  view_->installEventFilter(this);
  if (view_->isVisible()) timer_->start();
}

bool DisplayView::eventFilter(QObject* watched, QEvent* event) {
  if (watched == view_ && event->type() == QEvent::Show) {
    repaint();
    timer_->start();
  } else if (watched == view_ && event->type() == QEvent::Hide) {
    timer_->stop();
  }
  return QObject::eventFilter(watched, event);
}

void DisplayView::repaint() {
  if (beforeRepaint_) beforeRepaint_();
  if (!display_.changed()) return;
  QScrollBar* bar = view_->verticalScrollBar();
  const bool atEnd = bar->value() == bar->maximum();
  for (const TextDisplay::Change& change : display_.takeChanges()) apply(change);
  if (atEnd) bar->setValue(bar->maximum());
}

void DisplayView::apply(const TextDisplay::Change& change) {
  QTextCursor end(view_->document());
  end.movePosition(QTextCursor::End);
  switch (change.kind) {
    case TextDisplay::Change::Kind::Clear:
      view_->clear();
      return;
    case TextDisplay::Change::Kind::Append:
      end.insertText(shown(change.text));
      return;
    case TextDisplay::Change::Kind::Erase:
      if (!end.atBlockStart()) end.deletePreviousChar();
      return;
  }
}

}  // namespace gw::ui

#include "ui/elided_label.h"

#include <QFontMetrics>
#include <QResizeEvent>
#include <algorithm>

namespace gw::ui {

namespace {
// However narrow the window, a panel keeps room for a few characters and the "…".
constexpr int kMinimumCharacters = 4;
}  // namespace

ElidedLabel::ElidedLabel(QWidget* parent) : QLabel(parent) {
  setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
  setTextFormat(Qt::PlainText);
}

void ElidedLabel::setFullText(const QString& text) {
  fullText_ = text;
  setToolTip(text);
  updateGeometry();
  showElided();
}

QSize ElidedLabel::sizeHint() const {
  const QMargins m = contentsMargins();
  const QFontMetrics metrics(font());
  return {metrics.horizontalAdvance(fullText_) + m.left() + m.right() + 2 * margin(),
          QLabel::minimumSizeHint().height()};
}

QSize ElidedLabel::minimumSizeHint() const {
  const QFontMetrics metrics(font());
  const int least =
      metrics.averageCharWidth() * kMinimumCharacters + metrics.horizontalAdvance(QChar(0x2026));
  return {std::min(least, sizeHint().width()), QLabel::minimumSizeHint().height()};
}

void ElidedLabel::resizeEvent(QResizeEvent* event) {
  QLabel::resizeEvent(event);
  showElided();
}

void ElidedLabel::showElided() {
  const QFontMetrics metrics(font());
  const int room = contentsRect().width() - 2 * margin();
  QLabel::setText(metrics.horizontalAdvance(fullText_) <= room
                      ? fullText_
                      : metrics.elidedText(fullText_, Qt::ElideRight, room));
}

}  // namespace gw::ui

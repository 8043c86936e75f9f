#pragma once
// A one-line label that asks for the width of its whole text but gives way when space is short: it then
// shows the text cut with "…" and keeps the whole text in its tooltip. The status bar's panels are two;
// neither cuts the other short while there is room, and neither prints over the other when there is not.

#include <QLabel>

namespace gw::ui {

class ElidedLabel : public QLabel {
  Q_OBJECT

 public:
  explicit ElidedLabel(QWidget* parent = nullptr);

  // The whole text; what shows is cut to the label's width.
  void setFullText(const QString& text);
  const QString& fullText() const { return fullText_; }

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void showElided();

  QString fullText_;
};

}  // namespace gw::ui

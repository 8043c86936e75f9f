#pragma once
// A text view drawn from its model (the terminal display, the trace view) in batches: the changes are taken
// on a short timer, while the view shows, and applied in one go — never per byte received.

#include <QObject>
#include <functional>

#include "link/text_display.h"

class QPlainTextEdit;
class QTimer;

namespace gw::ui {

class DisplayView : public QObject {
  Q_OBJECT

 public:
  static constexpr int kRepaintMs = 50;

  // `beforeRepaint` runs at every tick first (a tool without a page of its own takes its reader's text
  // there). The view becomes read-only, in a fixed-pitch font, keeping as many lines as the model.
  DisplayView(TextDisplay& display, QPlainTextEdit* view, std::function<void()> beforeRepaint,
              QObject* parent);

  // Takes the model's changes and shows them now.
  void repaint();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void apply(const TextDisplay::Change& change);

  TextDisplay& display_;
  QPlainTextEdit* view_;
  std::function<void()> beforeRepaint_;
  QTimer* timer_;
};

}  // namespace gw::ui

#pragma once
// The small windows shown while the program works: the progress window TfParam, the connecting window
// TfSpeedConnect and the reset window TwReset. Each shows a caption, one line of text and a busy bar; the
// last two cannot be closed by the user, since closing them would not stop what they report.

#include <QDialog>
#include <functional>

class QLabel;
class QProgressBar;
class QPushButton;

namespace gw::ui {

class BusyWindow : public QDialog {
  Q_OBJECT

 public:
  BusyWindow(QWidget* parent, const QString& objectName, const QString& labelName, bool userMayClose);

  void setText(const QString& caption, const QString& text);
  // Shows the window (again) with this caption and text, centred on its parent, and paints it at once.
  void showText(const QString& caption, const QString& text);
  QString text() const;
  // Turns the busy bar into a bar of known length at `percent` (0 to 100).
  void setPercent(int percent);
  // Offers a Cancel button, also taken by Esc, that runs `cancel`; an empty function takes it back. The
  // window still cannot be closed otherwise: closing it would not stop what it reports.
  void setCancel(std::function<void()> cancel);

 protected:
  void closeEvent(QCloseEvent* event) override;
  void reject() override;

 private:
  QLabel* label_;
  QProgressBar* bar_;
  QPushButton* cancelButton_;
  std::function<void()> cancel_;
  bool userMayClose_;
};

// "Parametres": shown by every long page or whole-configuration action.
class TfParam : public BusyWindow {
  Q_OBJECT
 public:
  explicit TfParam(QWidget* parent);
};

// "Loading parametres...": the whole-configuration transfers, with a bar from 0 to 100.
class TfLoad : public BusyWindow {
  Q_OBJECT
 public:
  explicit TfLoad(QWidget* parent);
};

// "Connecting...": the serial rate search and the LAN connect.
class TfSpeedConnect : public BusyWindow {
  Q_OBJECT
 public:
  explicit TfSpeedConnect(QWidget* parent);
};

// "Gateway reset": while the gateway restarts.
class TwReset : public BusyWindow {
  Q_OBJECT
 public:
  explicit TwReset(QWidget* parent);
};

}  // namespace gw::ui

#include "ui/busy_windows.h"

#include <QCloseEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "ui/form_layout.h"

namespace gw::ui {

namespace {
constexpr int kBusyWindowWidth = 380;
constexpr int kBusyBarHeight = 6;
constexpr int kFullBar = 100;
}  // namespace

BusyWindow::BusyWindow(QWidget* parent, const QString& objectName, const QString& labelName,
                       bool userMayClose)
    : QDialog(parent), userMayClose_(userMayClose) {
  setObjectName(objectName);
  Qt::WindowFlags flags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
  if (userMayClose) flags |= Qt::WindowCloseButtonHint;
  setWindowFlags(flags);
  setModal(false);
  setMinimumWidth(kBusyWindowWidth);

  label_ = new QLabel(this);
  label_->setObjectName(labelName);
  label_->setWordWrap(true);
  bar_ = new QProgressBar(this);
  bar_->setObjectName(labelName + QStringLiteral("Bar"));
  bar_->setRange(0, 0);  // busy: the work has no known length
  bar_->setTextVisible(false);
  bar_->setFixedHeight(kBusyBarHeight);

  cancelButton_ = makeButton(this, QStringLiteral("sbCancel"), QStringLiteral("Cancel"));
  cancelButton_->hide();
  connect(cancelButton_, &QPushButton::clicked, this, [this] { reject(); });

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(label_);
  layout->addWidget(bar_);
  layout->addLayout(buttonRow({cancelButton_}));
}

void BusyWindow::setCancel(std::function<void()> cancel) {
  cancel_ = std::move(cancel);
  cancelButton_->setVisible(static_cast<bool>(cancel_));
  cancelButton_->setEnabled(true);
  if (isVisible()) adjustSize();
}

void BusyWindow::setText(const QString& caption, const QString& text) {
  setWindowTitle(caption);
  label_->setText(text);
}

void BusyWindow::showText(const QString& caption, const QString& text) {
  setText(caption, text);
  adjustSize();
  if (parentWidget()) {
    const QRect area = parentWidget()->window()->geometry();
    move(area.center() - rect().center());
  }
  show();
  raise();
  if (cancel_) activateWindow();  // so that Esc reaches it while the main window is disabled
  repaint();
}

void BusyWindow::setPercent(int percent) {
  bar_->setRange(0, kFullBar);
  bar_->setValue(std::clamp(percent, 0, kFullBar));
  repaint();
}

QString BusyWindow::text() const {
  return label_->text();
}

void BusyWindow::closeEvent(QCloseEvent* event) {
  if (userMayClose_) {
    QDialog::closeEvent(event);
  } else {
    event->ignore();
  }
}

void BusyWindow::reject() {
  if (cancel_) {
    // Once: the work ends at its next wait, and the window goes when it does.
    cancelButton_->setEnabled(false);
    const std::function<void()> cancel = cancel_;
    cancel();
    return;
  }
  if (userMayClose_) QDialog::reject();
}

TfLoad::TfLoad(QWidget* parent)
    : BusyWindow(parent, QStringLiteral("fLoad"), QStringLiteral("lbLoad"), false) {
  setPercent(0);
}

TfParam::TfParam(QWidget* parent)
    : BusyWindow(parent, QStringLiteral("fParam"), QStringLiteral("lb1"), false) {
  setWindowTitle(QStringLiteral("Parametres"));
}

TfSpeedConnect::TfSpeedConnect(QWidget* parent)
    : BusyWindow(parent, QStringLiteral("fSpeedConnect"), QStringLiteral("lbSpeedConnect"), false) {
  setText(QStringLiteral("Connecting..."), QStringLiteral("Trying to connect "));
}

TwReset::TwReset(QWidget* parent)
    : BusyWindow(parent, QStringLiteral("wReset"), QStringLiteral("lbReset"), false) {
  setWindowTitle(QStringLiteral("Gateway reset"));
}

}  // namespace gw::ui

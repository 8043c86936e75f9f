#include "ui/firmware_windows.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

#include "online/firmware_captions.h"
#include "ui/form_layout.h"
#include "ui/qt_text.h"

namespace gw::ui {

namespace {
constexpr int kDialingWidth = 560;
constexpr int kDialingHeight = 320;
constexpr int kFullBar = 100;
constexpr const char* kUpgradeButtons[] = {"sbFirmUpgrade", "pFirmUpgrdUdp"};

void centreOn(QWidget* window, QWidget* parent) {
  if (parent == nullptr) return;
  const QRect area = parent->window()->geometry();
  window->move(area.center() - window->rect().center());
}
}  // namespace

TfDialing::TfDialing(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("fDialing"));
  setModal(false);
  resize(kDialingWidth, kDialingHeight);
  list_ = new QListWidget(this);
  list_->setObjectName(QStringLiteral("lbDialing"));
  list_->setFont(QFont(QStringLiteral("Monospace")));
  close_ = makeButton(this, QStringLiteral("sbDialingClose"), QStringLiteral("Close"));
  connect(close_, &QPushButton::clicked, this, [this] { reject(); });
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(list_);
  layout->addLayout(buttonRow({close_}));
}

void TfDialing::open(const QString& caption) {
  closed_ = false;
  list_->clear();
  setWindowTitle(caption);
  centreOn(this, parentWidget());
  show();
  raise();
}

void TfDialing::setLines(const std::vector<std::string>& lines) {
  // Only what changed: the status line is rewritten after every packet.
  while (list_->count() > static_cast<int>(lines.size())) delete list_->takeItem(list_->count() - 1);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const QString text = toQ(lines[i]);
    if (static_cast<int>(i) < list_->count()) {
      if (list_->item(static_cast<int>(i))->text() != text) list_->item(static_cast<int>(i))->setText(text);
    } else {
      list_->addItem(text);
    }
  }
}

void TfDialing::setLabels(const CaptionList& captions) {
  close_->setText(toQ(captions.labelOr(cap::kDialingClose, "Close")));
}

void TfDialing::reject() {
  closed_ = true;  // the upgrade sees it at its next packet and stops
}

FirmwareWindows::FirmwareWindows(FirmwareTool& tool, QWidget* mainWindow, QWidget* page, TfFirm* firm)
    : QObject(mainWindow), tool_(tool), firm_(firm), dialing_(new TfDialing(mainWindow)) {
  poll_ = new QTimer(this);
  poll_->setInterval(FirmwareTool::kProgressPollMs);
  connect(poll_, &QTimer::timeout, this, [this] { tool_.pollSerialUpgrade(); });
  for (const char* name : kUpgradeButtons) {
    if (auto* button = page->findChild<QPushButton*>(QString::fromLatin1(name)))
      button->installEventFilter(this);
  }
  tool_.setWindows(this);
}

FirmwareWindows::~FirmwareWindows() {
  tool_.setWindows(nullptr);
}

bool FirmwareWindows::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::KeyPress) {
    tool_.sbFirmUpgradeMouseDown((QApplication::keyboardModifiers() & Qt::ControlModifier) != 0);
  }
  return QObject::eventFilter(watched, event);
}

void FirmwareWindows::setLabels(const CaptionList& captions) {
  dialing_->setLabels(captions);
}

void FirmwareWindows::showFirm(const std::string& caption) {
  firm_->start(toQ(caption), QString(), kFullBar);
  firm_->raise();
  poll_->start();
}

void FirmwareWindows::setFirmStatus(const std::string& text, int percent) {
  firm_->setStatus(toQ(text), percent);
}

void FirmwareWindows::hideFirm() {
  poll_->stop();
  firm_->hide();
}

void FirmwareWindows::showDialing(const std::string& caption) {
  dialing_->open(toQ(caption));
}

void FirmwareWindows::setDialingCaption(const std::string& caption) {
  dialing_->setWindowTitle(toQ(caption));
}

void FirmwareWindows::setDialingLines(const std::vector<std::string>& lines) {
  dialing_->setLines(lines);
}

bool FirmwareWindows::dialingClosed() {
  return dialing_->closedByUser();
}

void FirmwareWindows::hideDialing() {
  dialing_->hide();
}

}  // namespace gw::ui

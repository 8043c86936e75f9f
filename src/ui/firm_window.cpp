#include "ui/firm_window.h"

#include <QProgressBar>
#include <algorithm>

namespace gw::ui {

namespace {
constexpr std::int64_t kFullBar = 100;
}  // namespace

TfFirm::TfFirm(QWidget* parent)
    : BusyWindow(parent, QStringLiteral("fFirm"), QStringLiteral("lbFirmStatus"), false) {
  if (auto* bar = findChild<QProgressBar*>(QStringLiteral("lbFirmStatusBar")))
    bar->setObjectName(QStringLiteral("pbStatus"));
  setPercent(0);
}

void TfFirm::start(const QString& caption, const QString& status, std::int64_t maximum) {
  maximum_ = std::max<std::int64_t>(maximum, 1);
  setPercent(0);
  showText(caption, status);
}

void TfFirm::step(const QString& status, std::int64_t position) {
  setText(windowTitle(), status);
  setPercent(static_cast<int>(std::clamp<std::int64_t>(position * kFullBar / maximum_, 0, kFullBar)));
}

void TfFirm::setStatus(const QString& status, int percent) {
  setText(windowTitle(), status);
  if (percent >= 0) setPercent(static_cast<int>(std::clamp<std::int64_t>(percent, 0, kFullBar)));
}

}  // namespace gw::ui

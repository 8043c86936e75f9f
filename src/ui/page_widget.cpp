#include "ui/page_widget.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "base/caption_ids.h"
#include "ui/form_builder.h"
#include "ui/form_layout.h"
#include "ui/icons.h"
#include "ui/page_binder.h"
#include "ui/qt_text.h"

namespace gw::ui {

namespace {

constexpr int kPageMargin = 16;

std::vector<PageWidget::ButtonSpec> pageButtons(const Page& page) {
  const PageButtonNames names = pageButtonNames(page.traits());
  std::vector<PageWidget::ButtonSpec> buttons = {
      {names.load, {cap::kLoadFromGate, "Load from gate"}, "gate-load"},
      {names.save, {cap::kSaveToGate, "Save to gate"}, "gate-save"},
  };
  if (page.traits().hasDefaults) buttons.push_back({names.defaults, {cap::kDefaults, "Defaults"}, nullptr});
  buttons.push_back({names.saveFile, {cap::kSaveToFile, "Save to file"}, "file-save"});
  return buttons;
}

}  // namespace

PageWidget::PageWidget(Page& page, const FormLayout& layout, const CaptionList& captions,
                       std::function<bool()> idle, QWidget* parent)
    : PageWidget(page, layout, captions, std::move(idle), pageButtons(page), {}, parent) {}

PageWidget::PageWidget(ControlSet& model, const FormLayout& layout, const CaptionList& captions,
                       std::function<bool()> idle, std::vector<ButtonSpec> buttons, Ticker ticker,
                       QWidget* parent)
    : QScrollArea(parent),
      model_(model),
      layout_(layout),
      captions_(captions),
      idle_(std::move(idle)),
      buttons_(std::move(buttons)),
      ticker_(std::move(ticker)) {
  setObjectName(QString::fromLatin1(layout.name));
  setWidgetResizable(true);
  setFrameShape(QFrame::NoFrame);

  auto* content = new QWidget;
  content->setObjectName(QString::fromLatin1(layout.name) + QStringLiteral("Content"));
  auto* rows = new QVBoxLayout(content);
  rows->setContentsMargins(kPageMargin, kPageMargin, kPageMargin, kPageMargin);
  const bool grows = buildForm(rows, layout, [this](const std::string& button) { press(button); });

  if (!buttons_.empty()) {
    auto* buttons = new QHBoxLayout;
    for (const ButtonSpec& b : buttons_) {
      QPushButton* button = makeButton(nullptr, toQ(b.name), toQ(b.caption.text));
      if (b.icon != nullptr) button->setIcon(icon(b.icon));
      connect(button, &QPushButton::clicked, this, [this, n = b.name] { press(n); });
      buttons->addWidget(button);
    }
    buttons->addStretch(1);
    rows->addLayout(buttons);
  }
  if (!grows) rows->addStretch(1);
  setWidget(content);

  binder_ = new PageBinder(model_, content, captions_);
  if (ticker_.intervalMs > 0) {
    timer_ = new QTimer(this);
    timer_->setInterval(ticker_.intervalMs);
    connect(timer_, &QTimer::timeout, this, [this] { onTick(); });
  }
  setLabels();
  showModel();
}

void PageWidget::press(const std::string& button) {
  if (idle_ && !idle_()) return;
  model_.click(button);
  showModel();
  emit actionDone();
}

void PageWidget::onTick() {
  if (idle_ && !idle_()) return;
  ticker_.tick();
  showModel();
}

void PageWidget::showEvent(QShowEvent* event) {
  QScrollArea::showEvent(event);
  if (timer_ != nullptr) timer_->start();
}

void PageWidget::hideEvent(QHideEvent* event) {
  QScrollArea::hideEvent(event);
  if (timer_ != nullptr) timer_->stop();
}

void PageWidget::showModel() {
  binder_->show();
  if (differing_) binder_->showDiffering(differing_(), captions_);
}

void PageWidget::setLabels() {
  applyFormCaptions(widget(), layout_, captions_);
  for (const ButtonSpec& b : buttons_) {
    if (auto* button = widget()->findChild<QPushButton*>(toQ(b.name)))
      button->setText(mnemonicSafe(toQ(captions_.labelOr(b.caption.caption, b.caption.text))));
  }
  binder_->show();  // the list items of the new language
}

}  // namespace gw::ui

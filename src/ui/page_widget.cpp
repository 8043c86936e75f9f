#include "ui/page_widget.h"

#include <QHBoxLayout>
#include <QPushButton>
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

struct PageButton {
  std::string PageButtonNames::*name;
  CaptionText caption;
  const char* icon;
};

const PageButton kPageButtons[] = {
    {&PageButtonNames::load, {cap::kLoadFromGate, "Load from gate"}, "gate-load"},
    {&PageButtonNames::save, {cap::kSaveToGate, "Save to gate"}, "gate-save"},
    {&PageButtonNames::defaults, {cap::kDefaults, "Defaults"}, nullptr},
    {&PageButtonNames::saveFile, {cap::kSaveToFile, "Save to file"}, "file-save"},
};

}  // namespace

PageWidget::PageWidget(Page& page, const FormLayout& layout, const CaptionList& captions,
                       std::function<bool()> idle, QWidget* parent)
    : QScrollArea(parent), page_(page), layout_(layout), captions_(captions), idle_(std::move(idle)) {
  setObjectName(QString::fromLatin1(layout.name));
  setWidgetResizable(true);
  setFrameShape(QFrame::NoFrame);

  auto* content = new QWidget;
  content->setObjectName(QString::fromLatin1(layout.name) + QStringLiteral("Content"));
  auto* rows = new QVBoxLayout(content);
  rows->setContentsMargins(kPageMargin, kPageMargin, kPageMargin, kPageMargin);
  const bool grows = buildForm(rows, layout, [this](const std::string& button) { press(button); });

  const PageButtonNames names = pageButtonNames(page_.traits());
  auto* buttons = new QHBoxLayout;
  for (const PageButton& b : kPageButtons) {
    if (b.name == &PageButtonNames::defaults && !page_.traits().hasDefaults) continue;
    const QString name = toQ(names.*b.name);
    QPushButton* button = makeButton(nullptr, name, toQ(b.caption.text));
    if (b.icon != nullptr) button->setIcon(icon(b.icon));
    connect(button, &QPushButton::clicked, this, [this, n = names.*b.name] { press(n); });
    buttons->addWidget(button);
  }
  buttons->addStretch(1);
  rows->addLayout(buttons);
  if (!grows) rows->addStretch(1);
  setWidget(content);

  binder_ = new PageBinder(page_, content, captions_);
  setLabels();
  showModel();
}

void PageWidget::press(const std::string& button) {
  if (idle_ && !idle_()) return;
  page_.click(button);
  showModel();
  emit actionDone();
}

void PageWidget::showModel() {
  binder_->show();
}

void PageWidget::setLabels() {
  applyFormCaptions(widget(), layout_, captions_);
  const PageButtonNames names = pageButtonNames(page_.traits());
  for (const PageButton& b : kPageButtons) {
    if (auto* button = widget()->findChild<QPushButton*>(toQ(names.*b.name)))
      button->setText(mnemonicSafe(toQ(captions_.labelOr(b.caption.caption, b.caption.text))));
  }
  binder_->show();  // the list items of the new language
}

}  // namespace gw::ui

#include "ui/record_dialog_window.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/form_builder.h"
#include "ui/form_layout.h"
#include "ui/page_binder.h"
#include "ui/qt_text.h"

namespace gw::ui {

namespace {
constexpr int kOkCaption = 89;
constexpr int kCancelCaption = 90;
}  // namespace

bool QtDialogRunner::run(RecordDialog& dialog) {
  QDialog window(parent_);
  window.setObjectName(QString::fromLatin1(dialog.layout().name));
  window.setWindowTitle(toQ(dialog.title()));
  auto* rows = new QVBoxLayout(&window);
  PageBinder* binder = nullptr;
  buildForm(rows, dialog.layout(), [&dialog, &binder](const std::string& button) {
    dialog.click(button);
    if (binder != nullptr) binder->show();
  });
  QPushButton* ok = makeButton(&window, QStringLiteral("sbOk"), toQ(captions_.labelOr(kOkCaption, "OK")));
  QPushButton* cancel =
      makeButton(&window, QStringLiteral("sbCancel"), toQ(captions_.labelOr(kCancelCaption, "Cancel")));
  rows->addLayout(buttonRow({ok, cancel}));
  binder = new PageBinder(dialog, &window, captions_);
  applyFormCaptions(&window, dialog.layout(), captions_);
  binder->show();
  QObject::connect(ok, &QPushButton::clicked, &window, [&] {
    const bool accepted = dialog.accept();
    binder->show();
    if (accepted) window.accept();
  });
  QObject::connect(cancel, &QPushButton::clicked, &window, &QDialog::reject);
  return window.exec() == QDialog::Accepted;
}

void QtDialogRunner::show(ControlSet& model, const FormLayout& layout, const std::string& title) {
  QDialog window(parent_);
  window.setObjectName(QString::fromLatin1(layout.name));
  window.setWindowTitle(toQ(title));
  auto* rows = new QVBoxLayout(&window);
  buildForm(rows, layout, [&model](const std::string& button) { model.click(button); });
  QPushButton* ok = makeButton(&window, QStringLiteral("sbOk"), toQ(captions_.labelOr(kOkCaption, "OK")));
  rows->addLayout(buttonRow({ok}));
  auto* binder = new PageBinder(model, &window, captions_);
  applyFormCaptions(&window, layout, captions_);
  binder->show();
  QObject::connect(ok, &QPushButton::clicked, &window, &QDialog::accept);
  window.exec();
}

}  // namespace gw::ui

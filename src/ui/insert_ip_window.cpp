#include "ui/insert_ip_window.h"

#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "base/key_filters.h"
#include "ui/edit_behaviour.h"
#include "ui/form_layout.h"
#include "ui/qt_text.h"

namespace gw::ui {

TfInsertIp::TfInsertIp(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("fInsertIp"));
  setWindowTitle(QStringLiteral("Gateway address"));
  setModal(true);

  auto* form = new QFormLayout;
  edit1_ = addLineEdit(form, QStringLiteral("Edit1"), QStringLiteral("IP address :"));
  edit1_->setMaxLength(kIpFieldMaxLength);
  attachKeyFilter(edit1_, InsertIpDialog::acceptAddressKey);
  edit2_ = addLineEdit(form, QStringLiteral("Edit2"), QStringLiteral("Username :"));
  // The password takes any character: a gateway login is rarely digits only.
  edit3_ = addLineEdit(form, QStringLiteral("Edit3"), QStringLiteral("Password :"));
  edit3_->setEchoMode(QLineEdit::Password);
  edit4_ = addLineEdit(form, QStringLiteral("Edit4"), QStringLiteral("Port :"));
  attachKeyFilter(edit4_, InsertIpDialog::acceptDigitsKey);

  QPushButton* ok = makeButton(this, QStringLiteral("BitBtn1"), QStringLiteral("OK"));
  QPushButton* cancel = makeButton(this, QStringLiteral("BitBtn2"), QStringLiteral("Cancel"));
  ok->setDefault(true);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addLayout(buttonRow({ok, cancel}));
  connect(ok, &QPushButton::clicked, this, [this] { okClick(); });
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

bool TfInsertIp::run(InsertIpDialog& model) {
  model_ = &model;
  edit1_->setText(toQ(model.address));
  edit2_->setText(toQ(model.user));
  edit3_->setText(toQ(model.password));
  edit4_->setText(toQ(model.port));
  edit1_->setFocus();
  const bool accepted = exec() == QDialog::Accepted;
  model_ = nullptr;
  return accepted;
}

void TfInsertIp::okClick() {
  if (model_ == nullptr) return;
  model_->address = fromQ(edit1_->text());
  model_->user = fromQ(edit2_->text());
  model_->password = fromQ(edit3_->text());
  model_->port = fromQ(edit4_->text());
  if (model_->ok()) {
    accept();
    return;
  }
  edit1_->clear();
  edit1_->setFocus();
}

}  // namespace gw::ui

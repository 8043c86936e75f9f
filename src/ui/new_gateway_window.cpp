#include "ui/new_gateway_window.h"

#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "base/key_filters.h"
#include "shell/caption_table.h"
#include "ui/caption_labels.h"
#include "ui/edit_behaviour.h"
#include "ui/form_layout.h"
#include "ui/qt_text.h"

namespace gw::ui {

namespace {
constexpr const char* kFormName = "TfNewGateway";
constexpr int kDialogWidth = 520;
constexpr int kParameterFileFilterCaption = 2929;
constexpr const char* kParameterFileFilter = "Parametres file";
}  // namespace

TfNewGateway::TfNewGateway(NewGatewayDialog& model, const CaptionList& captions, QWidget* parent)
    : QDialog(parent), model_(model), captions_(captions) {
  setObjectName(QStringLiteral("fNewGateway"));
  setModal(true);
  setMinimumWidth(kDialogWidth);

  auto* form = new QFormLayout;
  edName_ = addLineEdit(form, QStringLiteral("edName"), QStringLiteral("Gateway name : "));
  edIp_ = addLineEdit(form, QStringLiteral("edIp"), QStringLiteral("Gateway IP address :"));
  edIp_->setMaxLength(kIpFieldMaxLength);
  attachKeyFilter(edIp_, acceptIpKey);
  edPort_ = addLineEdit(form, QStringLiteral("edPort"), QStringLiteral("Port :"));
  edFwPort_ = addLineEdit(form, QStringLiteral("edFwPort"), QStringLiteral("Firmware port :"));
  edUser_ = addLineEdit(form, QStringLiteral("edUser"), QStringLiteral("Username (only for LAN) :"));
  edPassword_ = addLineEdit(form, QStringLiteral("edPassword"), QStringLiteral("Password (only for LAN) :"));
  edPassword_->setEchoMode(QLineEdit::Password);

  edFile_ = new QLineEdit;
  edFile_->setObjectName(QStringLiteral("edFile"));
  QPushButton* sbFile = makeButton(this, QStringLiteral("sbFile"), QStringLiteral("..."));
  auto* fileRow = new QWidget;
  auto* fileLayout = new QHBoxLayout(fileRow);
  fileLayout->setContentsMargins(0, 0, 0, 0);
  fileLayout->addWidget(edFile_, 1);
  fileLayout->addWidget(sbFile);
  addLabelled(form, fileRow, QStringLiteral("File of gateway parametres : "), edFile_);

  QPushButton* sbOk = makeButton(this, QStringLiteral("sbOk"), QStringLiteral("OK"));
  QPushButton* sbCancel = makeButton(this, QStringLiteral("sbCancel"), QStringLiteral("Cancel"));
  sbOk->setDefault(true);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addLayout(buttonRow({sbOk, sbCancel}));

  connect(edName_, &QLineEdit::textEdited, this, [this] {
    model_.nameChanged(fromQ(edName_->text()));
    edFile_->setText(toQ(model_.fields().file));
  });
  // Typing into the file field, or into the firmware port field that shares its key handler, keeps the
  // file from following the name.
  connect(edFile_, &QLineEdit::textEdited, this, [this] { model_.fileChosenByHand(); });
  connect(edFwPort_, &QLineEdit::textEdited, this, [this] { model_.fileChosenByHand(); });
  onLeave(edIp_, [this] {
    model_.fields().host = fromQ(edIp_->text());
    return model_.leaveAddress();
  });
  connect(sbFile, &QPushButton::clicked, this, [this] { browseClick(); });
  connect(sbOk, &QPushButton::clicked, this, [this] { okClick(); });
  connect(sbCancel, &QPushButton::clicked, this, &QDialog::reject);
  setLabels();
}

void TfNewGateway::setLabels() {
  const CaptionState state =
      model_.mode() == NewGatewayDialog::Mode::New ? CaptionState::NewGateway : CaptionState::EditGateway;
  applyCaptions(this, kFormName, captions_, state);
}

void TfNewGateway::fill(const GatewayFields& fields) {
  edName_->setText(toQ(fields.name));
  edIp_->setText(toQ(fields.host));
  edPort_->setText(toQ(fields.port));
  edFwPort_->setText(toQ(fields.fwPort));
  edUser_->setText(toQ(fields.user));
  edPassword_->setText(toQ(fields.password));
  edFile_->setText(toQ(fields.file));
}

GatewayFields TfNewGateway::entered() const {
  return GatewayFields{fromQ(edName_->text()),   fromQ(edIp_->text()),   fromQ(edPort_->text()),
                       fromQ(edFwPort_->text()), fromQ(edUser_->text()), fromQ(edPassword_->text()),
                       fromQ(edFile_->text())};
}

bool TfNewGateway::run(GatewayFields& fields, const std::function<bool(GatewayFields&)>& accept) {
  accept_ = accept;
  fill(fields);
  setLabels();
  edName_->setFocus();
  const bool accepted = exec() == QDialog::Accepted;
  accept_ = nullptr;
  return accepted;
}

void TfNewGateway::okClick() {
  GatewayFields fields = entered();
  if (accept_ && accept_(fields)) accept();
}

void TfNewGateway::browseClick() {
  const QString path = QFileDialog::getSaveFileName(
      this, windowTitle(), edFile_->text(),
      toQ(captions_.labelOr(kParameterFileFilterCaption, kParameterFileFilter)) + QStringLiteral(" (*.ini)"));
  if (path.isEmpty()) return;
  edFile_->setText(path);
  model_.fileChosenByHand();
}

}  // namespace gw::ui

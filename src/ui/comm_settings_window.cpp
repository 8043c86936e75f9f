#include "ui/comm_settings_window.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "shell/caption_table.h"
#include "ui/caption_labels.h"
#include "ui/edit_behaviour.h"
#include "ui/form_layout.h"
#include "ui/qt_text.h"

namespace gw::ui {

namespace {
constexpr const char* kFormName = "TfCommSettings";
constexpr int kLanItem = 1;
constexpr int kDialogWidth = 420;
}  // namespace

TfCommSettings::TfCommSettings(Program& program, QWidget* parent)
    : QDialog(parent), program_(program), model_(program.commSettings) {
  setObjectName(QStringLiteral("fCommSettings"));
  setWindowTitle(QStringLiteral("Communication settings"));
  setModal(true);
  setMinimumWidth(kDialogWidth);

  auto* typeForm = new QFormLayout;
  cbCommType_ = new QComboBox;
  cbCommType_->setObjectName(QStringLiteral("cbCommType"));
  cbCommType_->addItems({QStringLiteral("Serial communication"), QStringLiteral("LAN communication")});
  addLabelled(typeForm, cbCommType_, QStringLiteral("Type of communication"));

  gbCommLink_ = new QGroupBox;
  gbCommLink_->setObjectName(QStringLiteral("gbCommLink"));
  auto* linkForm = new QFormLayout(gbCommLink_);
  lbCommLink_ = new QLabel;
  lbCommLink_->setObjectName(QStringLiteral("lbCommLink"));
  cbComPorts_ = new QComboBox;
  cbComPorts_->setObjectName(QStringLiteral("cbComPorts"));
  cbComPorts_->setEditable(true);
  cbComPorts_->setInsertPolicy(QComboBox::NoInsert);
  eTimeResponse_ = new QLineEdit;
  eTimeResponse_->setObjectName(QStringLiteral("eTimeResponse"));
  attachKeyFilter(eTimeResponse_, CommSettingsDialog::acceptResponseTimeKey);
  auto* fields = new QVBoxLayout;
  fields->addWidget(cbComPorts_);
  fields->addWidget(eTimeResponse_);
  linkForm->addRow(lbCommLink_, fields);

  auto* gbCommLog = new QGroupBox(QStringLiteral("Communication LOG"));
  gbCommLog->setObjectName(QStringLiteral("gbCommLog"));
  cbSaveLog_ = new QCheckBox(QStringLiteral("Save communication LOG to a file"));
  cbSaveLog_->setObjectName(QStringLiteral("cbSaveLog"));
  cbAppendLog_ = new QCheckBox(QStringLiteral("Append LOG file"));
  cbAppendLog_->setObjectName(QStringLiteral("cbAppendLog"));
  auto* logLayout = new QVBoxLayout(gbCommLog);
  logLayout->addWidget(cbSaveLog_);
  logLayout->addWidget(cbAppendLog_);

  QPushButton* sbOk = makeButton(this, QStringLiteral("sbOk"), QStringLiteral("OK"));
  QPushButton* sbCancel = makeButton(this, QStringLiteral("sbCancel"), QStringLiteral("Cancel"));
  sbOk->setDefault(true);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(typeForm);
  layout->addWidget(gbCommLink_);
  layout->addWidget(gbCommLog);
  layout->addLayout(buttonRow({sbOk, sbCancel}));

  connect(cbCommType_, &QComboBox::activated, this, [this](int index) { linkTypeChanged(index); });
  // Any use of the port list counts as choosing a port.
  connect(cbComPorts_, &QComboBox::activated, this, [this](int index) {
    model_.portIndex = index;
    model_.touchPorts();
  });
  connect(cbComPorts_, &QComboBox::editTextChanged, this, [this] { model_.touchPorts(); });
  connect(sbOk, &QPushButton::clicked, this, [this] { okClick(); });
  connect(sbCancel, &QPushButton::clicked, this, [this] { cancelClick(); });
}

void TfCommSettings::setLabels() {
  const CaptionState state =
      model_.commTypeIndex == kLanItem ? CaptionState::LanLink : CaptionState::SerialLink;
  applyCaptions(this, kFormName, program_.captions, state);
}

void TfCommSettings::showModel() {
  cbCommType_->setCurrentIndex(model_.commTypeIndex);
  {
    const QSignalBlocker quiet(cbComPorts_);
    cbComPorts_->clear();
    for (const std::string& port : model_.ports) cbComPorts_->addItem(toQ(port));
    cbComPorts_->setCurrentIndex(model_.portIndex);
  }
  eTimeResponse_->setText(toQ(model_.responseTime));
  cbSaveLog_->setChecked(model_.saveLog);
  cbAppendLog_->setChecked(model_.appendLog);
  linkTypeChanged(model_.commTypeIndex);
}

void TfCommSettings::linkTypeChanged(int index) {
  model_.commTypeIndex = index;
  const CommSettingsDialog::LinkTypeView view = model_.linkTypeView();
  cbComPorts_->setVisible(view.portsVisible);
  eTimeResponse_->setVisible(view.responseTimeVisible);
  setLabels();
}

bool TfCommSettings::run() {
  CommSettingsTarget target = program_.commSettingsTarget();
  model_.activate(target, program_.serialPorts());
  showModel();
  return exec() == QDialog::Accepted;
}

void TfCommSettings::okClick() {
  const QString typed = cbComPorts_->currentText().trimmed();
  if (!typed.isEmpty()) {
    const int listed = cbComPorts_->findText(typed);
    if (listed >= 0) {
      model_.portIndex = listed;
    } else {
      model_.choosePort(fromQ(typed));
    }
  }
  model_.responseTime = fromQ(eTimeResponse_->text());
  model_.saveLog = cbSaveLog_->isChecked();
  model_.appendLog = cbAppendLog_->isChecked();
  CommSettingsTarget target = program_.commSettingsTarget();
  if (model_.ok(target)) accept();
}

void TfCommSettings::cancelClick() {
  model_.cancel(program_.commSettingsTarget());
  reject();
}

}  // namespace gw::ui

#include "ui/system_page_widget.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "ui/form_layout.h"
#include "ui/icons.h"
#include "ui/page_binder.h"

namespace gw::ui {

namespace {

constexpr int kNoCaption = -1;  // a control whose caption has no caption-list entry: the English text shows
constexpr int kLoadFromGateCaption = 128;
constexpr int kSaveToFileCaption = 156;
constexpr int kAddressWidth = 150;
constexpr int kCodeWidth = 64;
constexpr int kShortFieldWidth = 90;
constexpr int kPageMargin = 16;

using P = CaptionProperty;

struct CodeField {
  const char* name;
  const char* label;
};
// The DTMF codes, two to a row: activation on the left, its counterpart on the right.
constexpr CodeField kCodeFields[] = {
    {"edSystemStartDialing", "Start dialing (quick call forwarding) :"},
    {"edSystemEndDialing", "End dialing (quick call forwarding) :"},
    {"edSystemHold", "Hold call :"},
    {"edSystemHang", "Hang up call :"},
    {"edSystemFollowActivation", "\"Follow me\" activation :"},
    {"edSystemFollowDeactivation", "\"Follow me\" deactivation :"},
    {"edSystemSmsActivation", "\"Sms at no answer\" activation :"},
    {"edSystemSmsDeactivation", "\"Sms at no answer\" deactivation :"},
};

QLineEdit* lineEdit(const char* name, int width) {
  auto* edit = new QLineEdit;
  edit->setObjectName(QString::fromLatin1(name));
  edit->setMaximumWidth(width);
  return edit;
}

QGroupBox* groupBox(const char* name, const char* title) {
  auto* box = new QGroupBox(QString::fromLatin1(title));
  box->setObjectName(QString::fromLatin1(name));
  return box;
}

}  // namespace

const std::vector<CaptionRow>& systemPageCaptionRows() {
  static const std::vector<CaptionRow> rows = [] {
    std::vector<CaptionRow> r = {
        {kNoCaption, "gbSystem1", P::Text, -1, "IP Settings :"},
        {kNoCaption, "edSystemIpAddress", P::FieldLabel, -1, "IP address :"},
        {kNoCaption, "edSystemSubnetMask", P::FieldLabel, -1, "Subnet mask :"},
        {kNoCaption, "edSystemIpRouter", P::FieldLabel, -1, "IP router : "},
        {kNoCaption, "gbSystem2", P::Text, -1, "Modes :"},
        {kNoCaption, "cbSystemCDRmode", P::FieldLabel, -1, "CDR mode :"},
        {kNoCaption, "edSystemUnitId", P::FieldLabel, -1, "Unit ID :"},
        {kNoCaption, "lbSystemUnitHint", P::Text, -1, "(0 = off, 255 = max)"},
        {kNoCaption, "edSystemUnitId", P::Hint, -1, "(0 = off, 255 = max)"},
        {kNoCaption, "edSystemPin", P::FieldLabel, -1, "PIN :"},
        {kNoCaption, "lbSystemNormal", P::Text, -1, "End of dialing (empty = off)"},
        {kNoCaption, "cbSystemUpgrade", P::Text, -1, "Enable upgrading fiwmare via Ethernet"},
        {kNoCaption, "lbSystemPort", P::Text, -1, "Port :"},
        {kNoCaption, "gbSystem3", P::Text, -1, "Mobility extension DTMF settings : "},
        {kNoCaption, "sbSystemSave", P::Text, -1, "Save to gate"},
        {kLoadFromGateCaption, "sbSystemLoad", P::Text, -1, "Load from gate"},
        {kNoCaption, "sbSystemDefault", P::Text, -1, "Defaults"},
        {kSaveToFileCaption, "sbSystemSaveFile", P::Text, -1, "Save to file"},
    };
    for (const CodeField& f : kCodeFields) r.push_back({kNoCaption, f.name, P::FieldLabel, -1, f.label});
    return r;
  }();
  return rows;
}

SystemPageWidget::SystemPageWidget(SystemPage& page, QWidget* parent) : QScrollArea(parent), page_(page) {
  setObjectName(QStringLiteral("pSystem"));
  setWidgetResizable(true);
  setFrameShape(QFrame::NoFrame);

  auto* content = new QWidget;
  content->setObjectName(QStringLiteral("pSystemContent"));
  auto* layout = new QVBoxLayout(content);
  layout->setContentsMargins(kPageMargin, kPageMargin, kPageMargin, kPageMargin);
  auto* top = new QHBoxLayout;
  top->addWidget(buildIpSettings());
  top->addWidget(buildModes());
  top->addStretch(1);
  layout->addLayout(top);
  layout->addWidget(buildOther());
  layout->addWidget(buildDtmf());
  layout->addLayout(buildButtons());
  layout->addStretch(1);
  setWidget(content);

  binder_ = new PageBinder(page_, content, {});
  showModel();
}

QWidget* SystemPageWidget::buildIpSettings() {
  QGroupBox* box = groupBox("gbSystem1", "IP Settings :");
  auto* form = new QFormLayout(box);
  addLabelled(form, lineEdit("edSystemIpAddress", kAddressWidth), QStringLiteral("IP address :"));
  addLabelled(form, lineEdit("edSystemSubnetMask", kAddressWidth), QStringLiteral("Subnet mask :"));
  addLabelled(form, lineEdit("edSystemIpRouter", kAddressWidth), QStringLiteral("IP router : "));
  return box;
}

QWidget* SystemPageWidget::buildModes() {
  QGroupBox* box = groupBox("gbSystem2", "Modes :");
  auto* form = new QFormLayout(box);
  auto* mode = new QComboBox;
  mode->setObjectName(QStringLiteral("cbSystemCDRmode"));
  addLabelled(form, mode, QStringLiteral("CDR mode :"));
  auto* unitRow = new QWidget;
  auto* unitLayout = new QHBoxLayout(unitRow);
  unitLayout->setContentsMargins(0, 0, 0, 0);
  QLineEdit* unit = lineEdit("edSystemUnitId", kCodeWidth);
  auto* hint = new QLabel(QStringLiteral("(0 = off, 255 = max)"));
  hint->setObjectName(QStringLiteral("lbSystemUnitHint"));
  hint->setEnabled(false);
  unitLayout->addWidget(unit);
  unitLayout->addWidget(hint);
  unitLayout->addStretch(1);
  addLabelled(form, unitRow, QStringLiteral("Unit ID :"), unit);
  return box;
}

QWidget* SystemPageWidget::buildOther() {
  QGroupBox* box = groupBox("gbSystemOther", "");
  auto* grid = new QGridLayout(box);
  QLineEdit* pin = lineEdit("edSystemPin", kShortFieldWidth);
  auto* pinLabel = new QLabel(QStringLiteral("PIN :"));
  pinLabel->setObjectName(QStringLiteral("lbSystemPin"));
  pinLabel->setBuddy(pin);
  QLineEdit* dial3 = lineEdit("edSystemDial3", kCodeWidth);
  auto* dial3Label = new QLabel(QStringLiteral("End of dialing (empty = off)"));
  dial3Label->setObjectName(QStringLiteral("lbSystemNormal"));
  dial3Label->setBuddy(dial3);
  auto* upgrade = new QCheckBox(QStringLiteral("Enable upgrading fiwmare via Ethernet"));
  upgrade->setObjectName(QStringLiteral("cbSystemUpgrade"));
  auto* port = new QSpinBox;
  port->setObjectName(QStringLiteral("seSystemPort"));
  port->setMinimumWidth(kShortFieldWidth);
  auto* portLabel = new QLabel(QStringLiteral("Port :"));
  portLabel->setObjectName(QStringLiteral("lbSystemPort"));
  portLabel->setBuddy(port);

  grid->addWidget(pinLabel, 0, 0);
  grid->addWidget(pin, 0, 1);
  grid->addWidget(dial3Label, 1, 0);
  grid->addWidget(dial3, 1, 1);
  grid->addWidget(upgrade, 0, 3, 1, 2);
  grid->addWidget(portLabel, 1, 3, Qt::AlignRight);
  grid->addWidget(port, 1, 4);
  grid->setColumnMinimumWidth(2, kPageMargin * 2);
  grid->setColumnStretch(5, 1);
  return box;
}

QWidget* SystemPageWidget::buildDtmf() {
  QGroupBox* box = groupBox("gbSystem3", "Mobility extension DTMF settings : ");
  auto* grid = new QGridLayout(box);
  int index = 0;
  for (const CodeField& f : kCodeFields) {
    const int row = index / 2;
    const int column = (index % 2) * 3;
    QLineEdit* edit = lineEdit(f.name, kCodeWidth);
    auto* label = new QLabel(QString::fromLatin1(f.label));
    label->setObjectName(labelNameFor(edit->objectName()));
    label->setBuddy(edit);
    grid->addWidget(label, row, column);
    grid->addWidget(edit, row, column + 1);
    ++index;
  }
  grid->setColumnMinimumWidth(2, kPageMargin * 2);
  grid->setColumnStretch(5, 1);
  return box;
}

QLayout* SystemPageWidget::buildButtons() {
  struct ButtonRow {
    const char* name;
    const char* text;
    const char* icon;
    void (SystemPage::*action)();
  };
  const ButtonRow rows[] = {
      {"sbSystemLoad", "Load from gate", "gate-load", &SystemPage::sbSystemLoadClick},
      {"sbSystemSave", "Save to gate", "gate-save", &SystemPage::sbSystemSaveClick},
      {"sbSystemDefault", "Defaults", nullptr, &SystemPage::sbSystemDefaultClick},
      {"sbSystemSaveFile", "Save to file", "file-save", &SystemPage::sbSystemSaveFileClick},
  };
  auto* row = new QHBoxLayout;
  for (const ButtonRow& b : rows) {
    QPushButton* button = makeButton(nullptr, QString::fromLatin1(b.name), QString::fromLatin1(b.text));
    if (b.icon != nullptr) button->setIcon(icon(b.icon));
    connect(button, &QPushButton::clicked, this, [this, action = b.action] { run(action); });
    row->addWidget(button);
  }
  row->addStretch(1);
  return row;
}

void SystemPageWidget::run(void (SystemPage::*action)()) {
  // A click that arrives while an exchange waits (the keep-alive's probe) must not start a second one.
  if (page_.context().link.inExchange() || page_.context().link.commBusy) return;
  (page_.*action)();
  showModel();
  emit actionDone();
}

void SystemPageWidget::showModel() {
  binder_->show();
}

}  // namespace gw::ui

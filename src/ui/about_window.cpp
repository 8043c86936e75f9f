#include "ui/about_window.h"

#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/caption_labels.h"
#include "ui/form_layout.h"
#include "ui/icons.h"
#include "ui/qt_text.h"

namespace gw::ui {

namespace {
constexpr int kLogoSize = 64;
constexpr const char* kFirmwareLine = "For gateway firmware V-02.07.31r1 and newer";
constexpr int kVersionCaption = 2922;
}  // namespace

QString programVersion() {
  return QStringLiteral(GW_PROGRAM_VERSION);
}

TfHelp::TfHelp(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("fHelp"));
  setWindowTitle(QStringLiteral("About"));
  setModal(true);

  auto* logo = new QLabel;
  logo->setObjectName(QStringLiteral("imLogo"));
  logo->setPixmap(icon("app").pixmap(kLogoSize, kLogoSize));

  auto* name = new QLabel(QStringLiteral("<b>gwconfig</b>"));
  name->setObjectName(QStringLiteral("lbProgramName"));
  version_ = new QLabel(QStringLiteral("Version ") + programVersion());
  version_->setObjectName(QStringLiteral("lbVersion"));
  auto* firmware = new QLabel(QString::fromLatin1(kFirmwareLine));
  firmware->setObjectName(QStringLiteral("lbFirmware"));
  auto* purpose = new QLabel(QStringLiteral("Configuration and service program for GSM\u2013VoIP gateways"));
  purpose->setObjectName(QStringLiteral("lbPurpose"));

  auto* texts = new QVBoxLayout;
  for (QLabel* label : {name, version_, purpose, firmware}) texts->addWidget(label);
  auto* top = new QHBoxLayout;
  top->addWidget(logo, 0, Qt::AlignTop);
  top->addLayout(texts, 1);

  QPushButton* ok = makeButton(this, QStringLiteral("sbOk"), QStringLiteral("OK"));
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addLayout(buttonRow({ok}));
}

void TfHelp::setLabels(const CaptionList& captions) {
  applyCaptions(this, "TfHelp", captions, CaptionState::Always);
  version_->setText(toQ(captions.labelOr(kVersionCaption, "Version")) + QLatin1Char(' ') + programVersion());
}

}  // namespace gw::ui

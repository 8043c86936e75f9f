#include "ui/gateway_list_window.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "shell/caption_table.h"
#include "ui/caption_labels.h"
#include "ui/form_layout.h"
#include "ui/new_gateway_window.h"
#include "ui/qt_text.h"

namespace gw::ui {

namespace {
constexpr const char* kFormName = "TfGatewayList";
constexpr int kListWidth = 260;
constexpr int kListHeight = 260;
}  // namespace

TfGatewayList::TfGatewayList(GatewayListDialog& model, NewGatewayDialog& editorModel, TfNewGateway& editor,
                             const CaptionList& captions, QWidget* parent)
    : QDialog(parent), model_(model), editorModel_(editorModel), editor_(editor), captions_(captions) {
  setObjectName(QStringLiteral("fGatewayList"));
  setWindowTitle(QStringLiteral("List of gateways"));
  setModal(true);

  lbGateways_ = new QListWidget(this);
  lbGateways_->setObjectName(QStringLiteral("lbGateways"));
  lbGateways_->setMinimumSize(kListWidth, kListHeight);

  struct ButtonRow {
    const char* name;
    const char* text;
    void (TfGatewayList::*click)();
  };
  const ButtonRow rows[] = {
      {"sbNew", "New", &TfGatewayList::newClick},
      {"sbEdit", "Edit", &TfGatewayList::editClick},
      {"sbRemove", "Remove", &TfGatewayList::removeClick},
      {"sbRemoveAll", "Remove all", &TfGatewayList::removeAllClick},
      {"sbSelect", "Select", &TfGatewayList::selectClick},
      {"sbConnect", "Connect", &TfGatewayList::connectClick},
  };
  auto* buttons = new QVBoxLayout;
  for (const ButtonRow& row : rows) {
    QPushButton* button = makeButton(this, QString::fromLatin1(row.name), QString::fromLatin1(row.text));
    connect(button, &QPushButton::clicked, this, [this, click = row.click] { (this->*click)(); });
    buttons->addWidget(button);
  }
  buttons->addStretch(1);
  QPushButton* sbQuit = makeButton(this, QStringLiteral("sbQuit"), QStringLiteral("Quit"));
  connect(sbQuit, &QPushButton::clicked, this, &QDialog::accept);
  buttons->addWidget(sbQuit);

  auto* layout = new QHBoxLayout(this);
  layout->addWidget(lbGateways_, 1);
  layout->addLayout(buttons);

  connect(lbGateways_, &QListWidget::currentRowChanged, this,
          [this](int row) { model_.setSelectedIndex(row); });
  connect(lbGateways_, &QListWidget::itemDoubleClicked, this, [this] { editClick(); });
  setLabels();
}

void TfGatewayList::setLabels() {
  applyCaptions(this, kFormName, captions_, CaptionState::Always);
}

void TfGatewayList::run() {
  model_.activate();
  showItems();
  exec();
}

void TfGatewayList::showItems() {
  const QSignalBlocker quiet(lbGateways_);
  lbGateways_->clear();
  for (const std::string& name : model_.items()) lbGateways_->addItem(toQ(name));
  lbGateways_->setCurrentRow(model_.selectedIndex());
}

void TfGatewayList::runEditor() {
  const bool accepted = editor_.run(editorModel_.fields(), [this](GatewayFields& entered) {
    editorModel_.fields() = entered;
    return editorModel_.ok();
  });
  if (!accepted) return;
  model_.editorAccepted();
  showItems();
  if (editorModel_.changedSelected()) emit selectionChanged();
}

void TfGatewayList::newClick() {
  model_.newGateway();
  runEditor();
}

void TfGatewayList::editClick() {
  if (model_.editGateway()) runEditor();
}

void TfGatewayList::removeClick() {
  if (!model_.removeGateway()) return;
  showItems();
  emit selectionChanged();
}

void TfGatewayList::removeAllClick() {
  if (!model_.removeAll()) return;
  showItems();
  emit selectionChanged();
}

void TfGatewayList::selectClick() {
  if (model_.selectGateway()) emit selectionChanged();
}

void TfGatewayList::connectClick() {
  if (model_.selectedIndex() < 0) return;
  accept();
  if (model_.selectGateway()) {
    emit selectionChanged();
    if (model_.connectCommand) model_.connectCommand();
  }
}

}  // namespace gw::ui

#pragma once
// TfGatewayList: the list of gateways of gtws.ini with New, Edit, Remove, Remove all, Select, Connect and
// Quit, bound to its model. New and Edit open the new/edit gateway dialog over it.

#include <QDialog>

#include "base/captions.h"
#include "shell/gateway_dialogs.h"

class QListWidget;

namespace gw::ui {

class TfNewGateway;

class TfGatewayList : public QDialog {
  Q_OBJECT

 public:
  TfGatewayList(GatewayListDialog& model, NewGatewayDialog& editorModel, TfNewGateway& editor,
                const CaptionList& captions, QWidget* parent);

  // Reads gtws.ini again and shows the dialog until it is closed.
  void run();
  void setLabels();

 signals:
  // The selected gateway changed (Select, or the selected one was removed): its pages and the status bar
  // show another gateway now.
  void selectionChanged();

 private:
  void showItems();
  void newClick();
  void editClick();
  void removeClick();
  void removeAllClick();
  void selectClick();
  void connectClick();
  void runEditor();

  GatewayListDialog& model_;
  NewGatewayDialog& editorModel_;
  TfNewGateway& editor_;
  const CaptionList& captions_;
  QListWidget* lbGateways_;
};

}  // namespace gw::ui

#pragma once
// TfInsertIp: address, user name, password and port of a gateway that the LAN firmware upgrade needs and
// the gateway list does not hold. OK keeps the dialog open while the address is not valid.

#include <QDialog>

#include "shell/gateway_dialogs.h"

class QLineEdit;

namespace gw::ui {

class TfInsertIp : public QDialog {
  Q_OBJECT

 public:
  explicit TfInsertIp(QWidget* parent);

  // Shows the dialog filled from `model`; true (and the model holds what was entered) on OK.
  bool run(InsertIpDialog& model);

 private:
  void okClick();

  InsertIpDialog* model_ = nullptr;
  QLineEdit* edit1_;
  QLineEdit* edit2_;
  QLineEdit* edit3_;
  QLineEdit* edit4_;
};

}  // namespace gw::ui

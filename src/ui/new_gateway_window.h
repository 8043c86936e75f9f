#pragma once
// TfNewGateway: the new/edit gateway dialog, bound to its model. The model proposes the parameter file
// from the name until the user chooses one, checks the address when the field is left and runs the OK
// checks; the dialog stays open while OK is refused.

#include <QDialog>
#include <functional>

#include "base/captions.h"
#include "base/host.h"
#include "shell/gateway_dialogs.h"

class QLineEdit;
class QPushButton;

namespace gw::ui {

class TfNewGateway : public QDialog {
  Q_OBJECT

 public:
  TfNewGateway(NewGatewayDialog& model, const CaptionList& captions, QWidget* parent);

  // Shows the dialog filled with `fields` (the model's, opened by the caller) until `accept` takes what the
  // user entered or the user cancels. True when accepted.
  bool run(GatewayFields& fields, const std::function<bool(GatewayFields&)>& accept);
  void setLabels();

 private:
  void fill(const GatewayFields& fields);
  GatewayFields entered() const;
  void okClick();
  void browseClick();

  NewGatewayDialog& model_;
  const CaptionList& captions_;
  std::function<bool(GatewayFields&)> accept_;
  QLineEdit* edName_;
  QLineEdit* edIp_;
  QLineEdit* edPort_;
  QLineEdit* edFwPort_;
  QLineEdit* edUser_;
  QLineEdit* edPassword_;
  QLineEdit* edFile_;
};

}  // namespace gw::ui

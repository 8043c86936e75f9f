#pragma once
// TfCommSettings: link type, serial port, response time and LOG options, bound to the program's dialog
// model. The port list can also take a port typed by its path (a pseudo-terminal, an adapter the system
// listing does not show).

#include <QDialog>

#include "program/program.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;

namespace gw::ui {

class TfCommSettings : public QDialog {
  Q_OBJECT

 public:
  TfCommSettings(Program& program, QWidget* parent);

  // Activation (ports listed, the link's settings shown), then the dialog until OK or Cancel. True when
  // the settings were taken.
  bool run();
  void setLabels();

 private:
  void showModel();
  void linkTypeChanged(int index);
  void okClick();
  void cancelClick();

  Program& program_;
  CommSettingsDialog& model_;
  QComboBox* cbCommType_;
  QGroupBox* gbCommLink_;
  QLabel* lbCommLink_;
  QComboBox* cbComPorts_;
  QLineEdit* eTimeResponse_;
  QCheckBox* cbSaveLog_;
  QCheckBox* cbAppendLog_;
};

}  // namespace gw::ui

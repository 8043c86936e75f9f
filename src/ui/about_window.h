#pragma once
// TfHelp: the About window with the program's name, version and the gateway firmware it was made for.

#include <QDialog>

#include "base/captions.h"

class QLabel;

namespace gw::ui {

// The program version, from the build.
QString programVersion();

class TfHelp : public QDialog {
  Q_OBJECT

 public:
  explicit TfHelp(QWidget* parent);
  void setLabels(const CaptionList& captions);

 private:
  QLabel* version_;
};

}  // namespace gw::ui

#pragma once
// The windows of the firmware upgrades: TfFirm (ui/firm_window.h), the serial upgrade's progress window,
// which takes the engine's reports on its own timer while it shows and cannot be closed (closing it would not
// stop the engine); TfDialing, the LAN upgrade's status window (the list lbDialing and its Close button, the
// user's way to stop the upgrade). Besides them it tells the firmware page whether Ctrl was held when an
// upgrade button went down.

#include <QDialog>
#include <QObject>

#include "base/captions.h"
#include "online/firmware_tool.h"
#include "ui/firm_window.h"

class QLabel;
class QListWidget;
class QProgressBar;
class QPushButton;
class QTimer;

namespace gw::ui {

class TfDialing : public QDialog {
  Q_OBJECT
 public:
  explicit TfDialing(QWidget* parent);
  void setLines(const std::vector<std::string>& lines);
  bool closedByUser() const { return closed_; }
  void open(const QString& caption);
  void setLabels(const CaptionList& captions);

 protected:
  void reject() override;

 private:
  QListWidget* list_;
  QPushButton* close_;
  bool closed_ = false;
};

class FirmwareWindows : public QObject, public UpgradeWindows {
  Q_OBJECT
 public:
  // `page` holds the upgrade buttons, whose presses tell the tool whether Ctrl was held; `firm` is the main
  // window's one progress window, which the voice transfers show too.
  FirmwareWindows(FirmwareTool& tool, QWidget* mainWindow, QWidget* page, TfFirm* firm);
  ~FirmwareWindows() override;

  void setLabels(const CaptionList& captions);

  void showFirm(const std::string& caption) override;
  void setFirmStatus(const std::string& text, int percent) override;
  void hideFirm() override;
  void showDialing(const std::string& caption) override;
  void setDialingCaption(const std::string& caption) override;
  void setDialingLines(const std::vector<std::string>& lines) override;
  bool dialingClosed() override;
  void hideDialing() override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  FirmwareTool& tool_;
  TfFirm* firm_;
  TfDialing* dialing_;
  QTimer* poll_;
};

}  // namespace gw::ui

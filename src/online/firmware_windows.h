#pragma once
// The windows of the firmware upgrades besides the firmware page: TfFirm, the serial upgrade's progress
// window (status label lbFirmStatus, progress bar pbStatus), and TfDialing, the LAN upgrade's status
// window (a list of lines and a Close button, the user's way to stop it). The desktop program shows them;
// gwctl shows the progress on its terminal; a program without them shows nothing.

#include <string>
#include <vector>

namespace gw {

class UpgradeWindows {
 public:
  virtual ~UpgradeWindows() = default;

  virtual void showFirm(const std::string& caption) { (void)caption; }
  // The status label and, when `percent` is not negative, the progress bar.
  virtual void setFirmStatus(const std::string& text, int percent) {
    (void)text;
    (void)percent;
  }
  virtual void hideFirm() {}

  virtual void showDialing(const std::string& caption) { (void)caption; }
  virtual void setDialingCaption(const std::string& caption) { (void)caption; }
  // The list as it stands now (its last line is rewritten after every packet).
  virtual void setDialingLines(const std::vector<std::string>& lines) { (void)lines; }
  // The user closed the status window: the upgrade is to stop.
  virtual bool dialingClosed() { return false; }
  virtual void hideDialing() {}
};

}  // namespace gw

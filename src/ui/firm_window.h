#pragma once
// TfFirm: the firmware progress window — a caption, a status line (lbFirmStatus) and a bar (pbStatus) —
// shown while an image or a voice message travels to or from the gateway. The user cannot close it; a
// transfer that can be stopped offers Cancel.

#include <cstdint>

#include "ui/busy_windows.h"

namespace gw::ui {

class TfFirm : public BusyWindow {
  Q_OBJECT

 public:
  explicit TfFirm(QWidget* parent);

  // Shows the window with its bar at 0 of `maximum`.
  void start(const QString& caption, const QString& status, std::int64_t maximum);
  void step(const QString& status, std::int64_t position);
  // A status line with the bar at `percent` of 100; a negative percent leaves the bar where it is.
  void setStatus(const QString& status, int percent);

 private:
  std::int64_t maximum_ = 0;
};

}  // namespace gw::ui

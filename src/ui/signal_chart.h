#pragma once
// The diagnostic window's chart: each GSM module's signal level over the last minutes, one line per module,
// drawn from the levels the diagnostic tool has kept. An operator who turns an antenna sees the trend.

#include <QChartView>
#include <array>

#include "base/captions.h"
#include "online/diagnostics.h"

class QLineSeries;
class QValueAxis;

namespace gw::ui {

class SignalChart : public QChartView {
  Q_OBJECT

 public:
  SignalChart(const DiagTool& tool, const CaptionList& captions, QWidget* parent = nullptr);

  // The lines again from the kept levels, placed against the current time.
  void refresh();
  void setLabels();
  // Points of a module's line (tests).
  int pointCount(int module) const;

 private:
  const DiagTool& tool_;
  const CaptionList& captions_;
  std::vector<QLineSeries*> lines_;
  // What each line was last drawn from: the number of levels and the time of the newest.
  struct Drawn {
    std::size_t samples = 0;
    std::int64_t newestMs = 0;
    bool operator==(const Drawn&) const = default;
  };
  std::array<Drawn, kGsmModules> drawn_{};
  QValueAxis* minutes_ = nullptr;
};

}  // namespace gw::ui

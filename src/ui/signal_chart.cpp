#include "ui/signal_chart.h"

#include <QChart>
#include <QLineSeries>
#include <QValueAxis>

#include "ui/qt_text.h"

namespace gw::ui {

namespace {
// A fixed span around what a module reports (-113 .. -51 dBm), in steps of 20 dB (finer steps leave the
// labels no room and they shrink to dots): the lines never jump because the range moved.
constexpr int kFloorDbm = -120;
constexpr int kCeilingDbm = -40;
constexpr int kLevelTicks = 5;
constexpr double kMsPerMinute = 60'000.0;
constexpr int kMinimumHeight = 240;
}  // namespace

SignalChart::SignalChart(const DiagTool& tool, const CaptionList& captions, QWidget* parent)
    : QChartView(parent), tool_(tool), captions_(captions) {
  setObjectName(QStringLiteral("chSignal"));
  setRenderHint(QPainter::Antialiasing);
  setMinimumHeight(kMinimumHeight);
  auto* chart = new QChart;
  chart->legend()->setAlignment(Qt::AlignRight);
  minutes_ = new QValueAxis;
  minutes_->setRange(-DiagTool::kHistoryMinutes, 0);
  minutes_->setTickCount(DiagTool::kHistoryMinutes + 1);
  minutes_->setLabelFormat(QStringLiteral("%d"));
  auto* levels = new QValueAxis;
  levels->setRange(kFloorDbm, kCeilingDbm);
  levels->setTickCount(kLevelTicks);
  levels->setLabelFormat(QStringLiteral("%d"));
  chart->addAxis(minutes_, Qt::AlignBottom);
  chart->addAxis(levels, Qt::AlignLeft);
  for (int m = 0; m < kGsmModules; ++m) {
    auto* line = new QLineSeries;
    line->setPointsVisible(true);
    chart->addSeries(line);
    line->attachAxis(minutes_);
    line->attachAxis(levels);
    lines_.push_back(line);
  }
  setChart(chart);
}

void SignalChart::refresh() {
  const std::int64_t now = tool_.nowMs();
  for (int m = 0; m < kGsmModules; ++m) {
    const std::deque<SignalSample>& history = tool_.history(m);
    // The window repaints after every exchange of a poll; a line is drawn again only when its module's
    // levels changed, which keeps a long history from being redrawn eight times a poll.
    const Drawn drawn{history.size(), history.empty() ? 0 : history.back().ms};
    const auto mi = static_cast<std::size_t>(m);
    if (drawn_[mi] == drawn) continue;
    drawn_[mi] = drawn;
    QList<QPointF> points;
    for (const SignalSample& sample : history)
      points.append(QPointF(static_cast<double>(sample.ms - now) / kMsPerMinute, sample.dbm));
    lines_[mi]->replace(points);
  }
}

void SignalChart::setLabels() {
  const CaptionText title = DiagTool::kChartTitle;
  const CaptionText axis = DiagTool::kChartAxis;
  chart()->setTitle(toQ(captions_.labelOr(title.caption, title.text)));
  minutes_->setTitleText(toQ(captions_.labelOr(axis.caption, axis.text)));
  for (int m = 0; m < kGsmModules; ++m) {
    const std::string english = "Module #" + std::to_string(m);
    lines_[static_cast<std::size_t>(m)]->setName(toQ(captions_.labelOr(DiagTool::kModuleTitle + m, english)));
  }
}

int SignalChart::pointCount(int module) const {
  return static_cast<int>(lines_.at(static_cast<std::size_t>(module))->count());
}

}  // namespace gw::ui

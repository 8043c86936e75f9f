#pragma once
// TfDiag, the diagnostic calls window: for each of the four GSM modules its registration and identity
// (layer 2 and 3 state, network, net and cell identity, module, revision and serial number, SIM identity)
// and its signal level, refreshed every 7 s from "AT&S0n\r\n" and "AT&Qn\r\n". It also keeps each
// module's level over the last minutes, which the window draws as a chart: placing an antenna is watching a
// trend, not a number.

#include <array>
#include <cstdint>
#include <deque>
#include <string>

#include "online/live_replies.h"
#include "online/window_tool.h"

namespace gw {

// One signal level read, at the clock's milliseconds.
struct SignalSample {
  std::int64_t ms;
  int dbm;
};

class DiagTool : public WindowTool {
 public:
  // tDiag: the poll's period.
  static constexpr int kPollIntervalMs = 7000;
  // The chart's span; older samples are dropped.
  static constexpr std::int64_t kHistoryMs = 10 * 60 * 1000;
  static constexpr int kHistoryMinutes = 10;
  // Levels kept per module whatever the pace of the polls, so the history never outgrows the chart.
  static constexpr std::size_t kHistorySamples = 600;
  static constexpr CaptionText kChartTitle{2716, "Signal level (dBm) over the last 10 minutes"};
  static constexpr CaptionText kChartAxis{2717, "Minutes"};
  // "Module #0": the group box titles, also the chart's series.
  static constexpr int kModuleTitle = 2710;

  explicit DiagTool(const OnlineContext& context);

  // lb0layer2 .. lb3signal: the values of module n, in the order of kModuleStateKeys, then the signal.
  struct ModuleLabels {
    std::array<TextField, kModuleStateValues> values;
    TextField signal;
  };
  std::array<ModuleLabels, kGsmModules> modules;

  std::vector<NamedField> fields() override;
  std::vector<Button> buttons() override;
  const WindowSpec& window() const override;
  int tickIntervalMs() const override { return kPollIntervalMs; }
  // The chart starts afresh each time the window opens.
  bool enter() override;

  // One poll of the four modules: each module's state, then its signal. A failed exchange ends the poll;
  // the labels keep what they showed.
  PollResult poll();
  // How many modules the last poll read whole.
  int modulesRead() const { return modulesRead_; }
  // The clock the history is measured by, now.
  std::int64_t nowMs() const { return ctx_.clock.nowMs(); }
  // The module's levels over the last kHistoryMs, oldest first.
  const std::deque<SignalSample>& history(int module) const {
    return history_[static_cast<std::size_t>(module)];
  }

  void sbOkClick() { formClose(); }

 protected:
  void timerTick() override { tDiagTimer(); }

 private:
  void tDiagTimer();
  PollResult pollModule(int module);
  void record(int module, int dbm);

  std::array<std::deque<SignalSample>, kGsmModules> history_;
  int modulesRead_ = 0;
};

const FormLayout& diagWindowLayout();

}  // namespace gw

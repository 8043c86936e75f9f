#pragma once
// TfActual, the actual calls window: the gateway's list of calls in progress ("AT&X\r\n"), shown as the
// gateway writes it from its "cha-layer3" header on, refreshed every 5 s.

#include "online/window_tool.h"

namespace gw {

class ActualTool : public WindowTool {
 public:
  // tActual: the poll's period.
  static constexpr int kPollIntervalMs = 5000;

  explicit ActualTool(const OnlineContext& context);

  TextField mActual;

  std::vector<NamedField> fields() override { return {{"mActual", &mActual}}; }
  std::vector<Button> buttons() override;
  const WindowSpec& window() const override;
  int tickIntervalMs() const override { return kPollIntervalMs; }

  // One poll: the calls in progress into mActual. A reply that does not come leaves mActual as it was.
  PollResult poll();

  void SpeedButton1Click() { formClose(); }

 protected:
  void timerTick() override { tActualTimer(); }

 private:
  void tActualTimer();
};

const FormLayout& actualWindowLayout();

}  // namespace gw

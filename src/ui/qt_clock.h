#pragma once
// The desktop program's clock: a wait runs a nested event loop until a single-shot timer ends it, so the
// window keeps repainting and timers keep firing while the program waits for the gateway, and the process
// sleeps in between instead of spinning.

#include "base/clock.h"

namespace gw::ui {

class QtClock : public Clock {
 public:
  std::int64_t nowMs() override;
  std::int64_t nowSeconds() override;
  LocalTime localTime() override;
  void sleep(int ms) override;
  void processEvents() override;

 private:
  SystemClock system_;
};

}  // namespace gw::ui

#pragma once
// The link measures its limits in whole seconds of the wall clock, as the gateway tools always have: "more
// than N seconds" holds once the whole seconds elapsed exceed N, so a limit has up to one second of slack.
// A wall clock set back while waiting must not stretch a wait, so the monotonic clock bounds it as well.

#include <cmath>
#include <cstdint>

#include "base/clock.h"

namespace gw {

class SecondsWait {
 public:
  explicit SecondsWait(Clock& clock) : clock_(clock), startS_(clock.nowSeconds()), startMs_(clock.nowMs()) {}

  bool moreThan(double seconds) const {
    if (std::isnan(seconds)) seconds = 0;
    if (static_cast<double>(clock_.nowSeconds() - startS_) > seconds) return true;
    // The wall rule is met at the latest floor(seconds) + 1 seconds after the start.
    const double boundMs = (std::floor(seconds) + 1) * 1000.0;
    return static_cast<double>(clock_.nowMs() - startMs_) >= boundMs;
  }

 private:
  Clock& clock_;
  std::int64_t startS_;
  std::int64_t startMs_;
};

}  // namespace gw

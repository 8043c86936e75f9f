#pragma once
// Which mobility extensions are registered, as the gateway reports them in the "R" of a listing row. Without
// churn every extension is registered. With a churn period the time since the gateway started (or restarted,
// or was told to register again) is cut into periods: in period 0 every extension is registered; in each
// later period p, extension k is unregistered when p + k is a multiple of 3, so a different third of the
// extensions drops out in each period and comes back in the next.

#include <cstdint>

namespace gwsim {

class SipRegistrations {
 public:
  static constexpr int kChurnCycle = 3;

  SipRegistrations(std::int64_t churnMs, std::int64_t startMs) : churnMs_(churnMs), epochMs_(startMs) {}

  // "AT&m=reg", the end of a restart: every extension registers anew.
  void registerAll(std::int64_t nowMs) { epochMs_ = nowMs; }
  bool registered(int index, std::int64_t nowMs) const;

 private:
  std::int64_t churnMs_;  // 0: no churn
  std::int64_t epochMs_;
};

}  // namespace gwsim

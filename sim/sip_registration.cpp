#include "sip_registration.h"

namespace gwsim {

bool SipRegistrations::registered(int index, std::int64_t nowMs) const {
  if (churnMs_ <= 0 || nowMs < epochMs_) return true;
  const std::int64_t period = (nowMs - epochMs_) / churnMs_;
  return period == 0 || (period + index) % kChurnCycle != 0;
}

}  // namespace gwsim

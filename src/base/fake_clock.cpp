#include "base/fake_clock.h"

#include <ctime>

namespace gw {

FakeClock::FakeClock(std::int64_t startSeconds, std::int64_t startMs)
    : wallBaseSeconds_(startSeconds), ms_(startMs) {}

LocalTime FakeClock::localTime() {
  const std::time_t now = static_cast<std::time_t>(nowSeconds());
  std::tm tm{};
  gmtime_r(&now, &tm);  // a fixed zone keeps tests independent of the machine
  return LocalTime{tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec};
}

void FakeClock::sleep(int ms) {
  if (ms > 0) {
    ms_ += ms;
    slept_ += ms;
  }
  runPollers();
  if (onWait_) onWait_();
}

void FakeClock::processEvents() {
  runPollers();
  if (onWait_) onWait_();
}

}  // namespace gw

#pragma once
// The gateway's real-time clock, register S99: date, weekday and time in one value, "8.1.2026.4/9:05:07"
// (day and month without leading zeros, weekday 1 Monday to 7 Sunday, hours without a leading zero). It
// starts at the host's local time and, once set, runs on from the value set. The weekday is kept as the
// client gave it and moves on with the days.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace gwsim {

// Seconds since 1970 of the local time, read as if it were UTC (the calendar the gateway shows).
std::int64_t hostLocalSeconds();

class GatewayClock {
 public:
  // `localSeconds`: the host's local time; empty: hostLocalSeconds.
  explicit GatewayClock(std::function<std::int64_t()> localSeconds = {});

  // The register value now.
  std::string value() const;
  // "AT%S99=value": false (nothing changes) when the value is not a date of 2000..2099, a weekday 1..7 and a
  // time of day.
  bool set(std::string_view value);

  // What the state file keeps: how far the clock stands from the host's, and the weekday shift.
  std::int64_t offsetSeconds() const { return offsetSeconds_; }
  int weekdayShift() const { return weekdayShift_; }
  void restore(std::int64_t offsetSeconds, int weekdayShift);

 private:
  std::int64_t now() const;

  std::function<std::int64_t()> localSeconds_;
  std::int64_t offsetSeconds_ = 0;
  int weekdayShift_ = 0;  // 0..6: added to the calendar's weekday
};

struct CivilDate {
  int year;
  int month;
  int day;
};

// Days since 1970-01-01 of a civil date, and back; the calendar's weekday 1..7 (Monday 1) of a day number.
std::int64_t daysFromCivil(int year, int month, int day);
CivilDate civilFromDays(std::int64_t days);
int weekdayOfDays(std::int64_t days);

}  // namespace gwsim

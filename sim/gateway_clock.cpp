#include "gateway_clock.h"

#include <cstdio>
#include <ctime>
#include <optional>
#include <vector>

namespace gwsim {
namespace {

constexpr std::int64_t kSecondsPerDay = 86400;
constexpr int kDaysPerWeek = 7;
constexpr int kFirstYear = 2000;  // the range the gateway's clock chip counts
constexpr int kLastYear = 2099;
constexpr int kYearDigits = 4;
constexpr std::size_t kMaxPartDigits = 2;  // day, month, hours, minutes, seconds

}  // namespace

CivilDate civilFromDays(std::int64_t days) {
  days += 719468;
  const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
  const std::int64_t doe = days - era * 146097;
  const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const std::int64_t mp = (5 * doy + 2) / 153;
  const int day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  const int month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  const int year = static_cast<int>(yoe + era * 400 + (month <= 2 ? 1 : 0));
  return {year, month, day};
}

namespace {

int daysInMonth(int year, int month) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return month == 2 && leap ? 29 : kDays[month - 1];
}

std::vector<std::string_view> split(std::string_view text, char separator) {
  std::vector<std::string_view> parts;
  for (;;) {
    const std::size_t at = text.find(separator);
    parts.push_back(text.substr(0, at));
    if (at == std::string_view::npos) return parts;
    text.remove_prefix(at + 1);
  }
}

std::optional<int> number(std::string_view text, std::size_t minDigits, std::size_t maxDigits) {
  if (text.size() < minDigits || text.size() > maxDigits) return std::nullopt;
  int value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
  }
  return value;
}

std::optional<int> inRange(std::optional<int> value, int low, int high) {
  if (!value || *value < low || *value > high) return std::nullopt;
  return value;
}

}  // namespace

std::int64_t hostLocalSeconds() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return static_cast<std::int64_t>(now) + local.tm_gmtoff;
}

std::int64_t daysFromCivil(int year, int month, int day) {
  year -= month <= 2 ? 1 : 0;
  const std::int64_t era = (year >= 0 ? year : year - 399) / 400;
  const std::int64_t yoe = year - era * 400;
  const std::int64_t doy = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

int weekdayOfDays(std::int64_t days) {
  // 1970-01-01 was a Thursday (4).
  const std::int64_t shifted = (days + 3) % kDaysPerWeek;
  return static_cast<int>(shifted < 0 ? shifted + kDaysPerWeek : shifted) + 1;
}

GatewayClock::GatewayClock(std::function<std::int64_t()> localSeconds)
    : localSeconds_(localSeconds ? std::move(localSeconds) : hostLocalSeconds) {}

std::int64_t GatewayClock::now() const {
  return localSeconds_() + offsetSeconds_;
}

std::string GatewayClock::value() const {
  const std::int64_t seconds = now();
  std::int64_t days = seconds / kSecondsPerDay;
  std::int64_t ofDay = seconds % kSecondsPerDay;
  if (ofDay < 0) {
    ofDay += kSecondsPerDay;
    --days;
  }
  const CivilDate date = civilFromDays(days);
  const int weekday = (weekdayOfDays(days) - 1 + weekdayShift_) % kDaysPerWeek + 1;
  char text[64];
  std::snprintf(text, sizeof text, "%d.%d.%d.%d/%d:%02d:%02d", date.day, date.month, date.year, weekday,
                static_cast<int>(ofDay / 3600), static_cast<int>(ofDay / 60 % 60),
                static_cast<int>(ofDay % 60));
  return text;
}

bool GatewayClock::set(std::string_view value) {
  const std::vector<std::string_view> halves = split(value, '/');
  if (halves.size() != 2) return false;
  const std::vector<std::string_view> date = split(halves[0], '.');
  const std::vector<std::string_view> time = split(halves[1], ':');
  if (date.size() != 4 || time.size() != 3) return false;
  const std::optional<int> year = inRange(number(date[2], kYearDigits, kYearDigits), kFirstYear, kLastYear);
  const std::optional<int> month = inRange(number(date[1], 1, kMaxPartDigits), 1, 12);
  const std::optional<int> weekday = inRange(number(date[3], 1, 1), 1, kDaysPerWeek);
  const std::optional<int> hours = inRange(number(time[0], 1, kMaxPartDigits), 0, 23);
  const std::optional<int> minutes = inRange(number(time[1], 1, kMaxPartDigits), 0, 59);
  const std::optional<int> seconds = inRange(number(time[2], 1, kMaxPartDigits), 0, 59);
  if (!year || !month || !weekday || !hours || !minutes || !seconds) return false;
  const std::optional<int> day = inRange(number(date[0], 1, kMaxPartDigits), 1, daysInMonth(*year, *month));
  if (!day) return false;
  const std::int64_t days = daysFromCivil(*year, *month, *day);
  const std::int64_t target = days * kSecondsPerDay + *hours * 3600 + *minutes * 60 + *seconds;
  offsetSeconds_ = target - localSeconds_();
  weekdayShift_ = ((*weekday - weekdayOfDays(days)) % kDaysPerWeek + kDaysPerWeek) % kDaysPerWeek;
  return true;
}

void GatewayClock::restore(std::int64_t offsetSeconds, int weekdayShift) {
  offsetSeconds_ = offsetSeconds;
  weekdayShift_ = ((weekdayShift % kDaysPerWeek) + kDaysPerWeek) % kDaysPerWeek;
}

}  // namespace gwsim

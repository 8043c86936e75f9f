#include "base/clock.h"

#include <algorithm>
#include <chrono>
#include <ctime>
#include <thread>

namespace gw {

namespace {
// Granularity of a real sleep: pollers (the LAN receive poll) run at least this often while waiting.
constexpr int kPollStepMs = 1;
}  // namespace

Clock::PollerId Clock::addPoller(std::function<void()> poller) {
  const PollerId id = nextPollerId_++;
  pollers_.push_back({id, std::move(poller)});
  return id;
}

void Clock::removePoller(PollerId id) {
  std::erase_if(pollers_, [id](const Poller& p) { return p.id == id; });
}

void Clock::runPollers() {
  if (runningPollers_) return;  // a poller that sleeps must not re-enter the pollers
  runningPollers_ = true;
  const std::vector<Poller> snapshot = pollers_;  // a poller may remove itself
  for (const Poller& p : snapshot) {
    const bool stillRegistered =
        std::any_of(pollers_.begin(), pollers_.end(), [&p](const Poller& q) { return q.id == p.id; });
    if (stillRegistered) p.fn();
  }
  runningPollers_ = false;
}

std::int64_t SystemClock::nowMs() {
  using namespace std::chrono;
  return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

std::int64_t SystemClock::nowSeconds() { return static_cast<std::int64_t>(std::time(nullptr)); }

LocalTime SystemClock::localTime() {
  const std::time_t now = std::time(nullptr);
  std::tm tm{};
  localtime_r(&now, &tm);
  return LocalTime{tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec};
}

void SystemClock::sleep(int ms) {
  const std::int64_t deadline = nowMs() + std::max(ms, 0);
  runPollers();
  for (std::int64_t left = deadline - nowMs(); left > 0; left = deadline - nowMs()) {
    std::this_thread::sleep_for(std::chrono::milliseconds(std::min<std::int64_t>(left, kPollStepMs)));
    runPollers();
  }
}

void SystemClock::processEvents() { runPollers(); }

}  // namespace gw

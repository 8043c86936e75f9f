#pragma once
// A clock for tests: sleeping advances time at once and runs the pollers, so a scripted device that answers
// "after 300 ms" answers without any real wait.

#include <cstdint>
#include <functional>

#include "base/clock.h"

namespace gw {

class FakeClock : public Clock {
 public:
  // The wall clock starts at `startSeconds` plus `startMs` milliseconds into that second.
  explicit FakeClock(std::int64_t startSeconds = 1'700'000'000, std::int64_t startMs = 0);

  std::int64_t nowMs() override { return ms_; }
  std::int64_t nowSeconds() override { return wallBaseSeconds_ + ms_ / 1000; }
  LocalTime localTime() override;
  void sleep(int ms) override;
  void processEvents() override;

  // Moves time forward without a sleep (a device that takes long to answer).
  void advance(std::int64_t ms) { ms_ += ms; }
  // Total milliseconds slept so far; tests use it to check time limits.
  std::int64_t sleptMs() const { return slept_; }
  // Called after every sleep and processEvents; lets a test act "while the program waits".
  void onWait(std::function<void()> hook) { onWait_ = std::move(hook); }

 private:
  std::int64_t wallBaseSeconds_;
  std::int64_t ms_;
  std::int64_t slept_ = 0;
  std::function<void()> onWait_;
};

}  // namespace gw

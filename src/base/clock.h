#pragma once
// The one source of time for the whole program. Every wait goes through sleep(), so the desktop program keeps
// its window alive while it waits for the gateway, gwctl simply sleeps, and unit tests run a 15-second limit in
// microseconds on a fake clock.

#include <cstdint>
#include <functional>
#include <vector>

namespace gw {

struct LocalTime {
  int year = 1970;
  int month = 1;  // 1..12
  int day = 1;    // 1..31
  int hour = 0;
  int minute = 0;
  int second = 0;
};

class Clock {
 public:
  using PollerId = int;

  virtual ~Clock() = default;

  // Monotonic milliseconds, for measuring waits.
  virtual std::int64_t nowMs() = 0;
  // Wall-clock time in whole seconds; the gateway link measures its limits in these.
  virtual std::int64_t nowSeconds() = 0;
  virtual LocalTime localTime() = 0;

  // Waits `ms` milliseconds while the program stays alive: pollers run and, in the desktop program, window
  // events are processed.
  virtual void sleep(int ms) = 0;
  // Processes what is pending (window events, pollers) without waiting.
  virtual void processEvents() = 0;

  // Pollers are work that must go on during every wait, such as moving received LAN bytes into the receive
  // buffer. They run on the caller's thread, never inside one another.
  PollerId addPoller(std::function<void()> poller);
  void removePoller(PollerId id);

 protected:
  void runPollers();

 private:
  struct Poller {
    PollerId id;
    std::function<void()> fn;
  };
  std::vector<Poller> pollers_;
  PollerId nextPollerId_ = 1;
  bool runningPollers_ = false;
};

// Real time; sleeping blocks the calling thread in short steps and runs the pollers between them.
class SystemClock : public Clock {
 public:
  std::int64_t nowMs() override;
  std::int64_t nowSeconds() override;
  LocalTime localTime() override;
  void sleep(int ms) override;
  void processEvents() override;
};

}  // namespace gw

#pragma once
// The simulator's single-threaded loop: poll() on every console's descriptors and the stop signals, woken
// early only by the consoles' timers (split-reply pauses, restarts). Nothing spins while idle.

#include <poll.h>

#include <cstdint>
#include <optional>
#include <vector>

namespace gwsim {

// Milliseconds of a monotonic clock.
std::int64_t monotonicMs();

class Pollable {
 public:
  virtual ~Pollable() = default;
  // Appends the descriptors to watch; the part remembers where its entries start.
  virtual void addPollFds(std::vector<pollfd>& fds, std::int64_t nowMs) = 0;
  // The earliest time the part needs to run although none of its descriptors is ready.
  virtual std::optional<std::int64_t> deadlineMs(std::int64_t nowMs) const = 0;
  // Called after every wake-up, with the results of the poll.
  virtual void onPolled(const std::vector<pollfd>& fds, std::int64_t nowMs) = 0;
};

// Runs until `stopFd` becomes readable (a stop signal). False when poll() itself fails.
bool runEventLoop(const std::vector<Pollable*>& parts, int stopFd);

}  // namespace gwsim

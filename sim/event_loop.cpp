#include "event_loop.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <climits>

namespace gwsim {

std::int64_t monotonicMs() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

namespace {

int pollTimeoutMs(const std::vector<Pollable*>& parts, std::int64_t nowMs) {
  std::optional<std::int64_t> earliest;
  for (const Pollable* part : parts) {
    const std::optional<std::int64_t> deadline = part->deadlineMs(nowMs);
    if (deadline && (!earliest || *deadline < *earliest)) earliest = deadline;
  }
  if (!earliest) return -1;
  if (*earliest <= nowMs) return 0;
  return static_cast<int>(std::min<std::int64_t>(*earliest - nowMs, INT_MAX));
}

}  // namespace

bool runEventLoop(const std::vector<Pollable*>& parts, int stopFd) {
  std::vector<pollfd> fds;
  for (;;) {
    const std::int64_t before = monotonicMs();
    fds.clear();
    fds.push_back({stopFd, POLLIN, 0});
    for (Pollable* part : parts) part->addPollFds(fds, before);
    const int ready = ::poll(fds.data(), fds.size(), pollTimeoutMs(parts, before));
    if (ready < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (ready > 0 && (fds[0].revents & POLLIN) != 0) return true;
    const std::int64_t now = monotonicMs();
    for (Pollable* part : parts) part->onPolled(fds, now);
  }
}

}  // namespace gwsim

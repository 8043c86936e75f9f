#pragma once
// Ctrl+C (or SIGTERM) while gwctl works: the signals are taken through a signalfd that a clock poller reads
// during every wait, so no handler runs in signal context. The first one cancels the link's exchange and
// keeps every later one cancelled, so the command ends at its next wait and the link and its LOG are closed
// the ordinary way; a second one ends the program at once.

#include <signal.h>

#include <atomic>

#include "base/clock.h"
#include "link/link.h"

namespace gw {

class CliInterrupts {
 public:
  // `shared`, when given, is set by the first signal any of the runs sharing it takes, and ends them all.
  CliInterrupts(Clock& clock, Link& link, std::atomic<bool>* shared = nullptr);
  ~CliInterrupts();
  CliInterrupts(const CliInterrupts&) = delete;
  CliInterrupts& operator=(const CliInterrupts&) = delete;

  // Takes a signal that is waiting; true once one has come.
  bool interrupted();
  // The command has seen the interrupt and ends by itself, undoing what it started on the gateway: its
  // exchanges are no longer cancelled. A second Ctrl+C still ends the program at once.
  void handled();

 private:
  void poll();
  void release();

  Clock& clock_;
  Link& link_;
  std::atomic<bool>* shared_;
  sigset_t signals_;
  sigset_t previousMask_;
  int fd_ = -1;
  bool interrupted_ = false;
  bool handled_ = false;
  Clock::PollerId poller_ = 0;
};

}  // namespace gw

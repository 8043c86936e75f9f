#include "app/cli_interrupts.h"

#include <sys/signalfd.h>
#include <unistd.h>

namespace gw {

CliInterrupts::CliInterrupts(Clock& clock, Link& link, std::atomic<bool>* shared)
    : clock_(clock), link_(link), shared_(shared) {
  sigemptyset(&signals_);
  sigaddset(&signals_, SIGINT);
  sigaddset(&signals_, SIGTERM);
  pthread_sigmask(SIG_BLOCK, &signals_, &previousMask_);
  fd_ = signalfd(-1, &signals_, SFD_NONBLOCK | SFD_CLOEXEC);
  poller_ = clock_.addPoller([this] { poll(); });
}

CliInterrupts::~CliInterrupts() {
  clock_.removePoller(poller_);
  poll();  // a signal still waiting is taken here, not by the default action once unblocked
  release();
}

bool CliInterrupts::interrupted() {
  poll();
  return interrupted_;
}

void CliInterrupts::poll() {
  if (fd_ >= 0) {
    signalfd_siginfo info{};
    while (read(fd_, &info, sizeof info) == static_cast<ssize_t>(sizeof info)) interrupted_ = true;
  }
  if (shared_ != nullptr) {
    if (interrupted_) shared_->store(true);
    interrupted_ = interrupted_ || shared_->load();
  }
  if (!interrupted_) return;
  // Every exchange from now on ends at once; the connect clears its own cancel when it ends, so say it again.
  if (!handled_) link_.requestCancel();
  // A second Ctrl+C ends the program at once, however it is stuck.
  release();
}

void CliInterrupts::handled() {
  handled_ = true;
  link_.clearCancel();
}

void CliInterrupts::release() {
  if (fd_ < 0) return;
  close(fd_);
  fd_ = -1;
  pthread_sigmask(SIG_SETMASK, &previousMask_, nullptr);
}

}  // namespace gw

#include "stop_signals.h"

#include <signal.h>
#include <sys/prctl.h>
#include <sys/signalfd.h>
#include <unistd.h>

namespace gwsim {

StopSignals::StopSignals() {
  ::signal(SIGPIPE, SIG_IGN);
  sigset_t stops;
  sigemptyset(&stops);
  sigaddset(&stops, SIGINT);
  sigaddset(&stops, SIGTERM);
  if (::sigprocmask(SIG_BLOCK, &stops, nullptr) != 0) return;
  fd_ = ::signalfd(-1, &stops, SFD_CLOEXEC | SFD_NONBLOCK);
}

StopSignals::~StopSignals() {
  if (fd_ >= 0) ::close(fd_);
}

bool stopWithParent() {
  const pid_t parent = ::getppid();
  if (::prctl(PR_SET_PDEATHSIG, SIGTERM) != 0) return true;  // nothing to watch with; run on
  return ::getppid() == parent;
}

}  // namespace gwsim

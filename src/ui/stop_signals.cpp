#include "ui/stop_signals.h"

#include <signal.h>
#include <sys/signalfd.h>
#include <unistd.h>

#include <QSocketNotifier>

namespace gw::ui {

namespace {

sigset_t stopSet() {
  sigset_t set;
  sigemptyset(&set);
  sigaddset(&set, SIGINT);
  sigaddset(&set, SIGTERM);
  return set;
}

}  // namespace

void blockStopSignals() {
  const sigset_t set = stopSet();
  pthread_sigmask(SIG_BLOCK, &set, nullptr);
}

StopSignals::StopSignals(std::function<void()> onStop, QObject* parent)
    : QObject(parent), onStop_(std::move(onStop)) {
  const sigset_t set = stopSet();
  fd_ = signalfd(-1, &set, SFD_NONBLOCK | SFD_CLOEXEC);
  if (fd_ < 0) return;
  notifier_ = new QSocketNotifier(fd_, QSocketNotifier::Read, this);
  connect(notifier_, &QSocketNotifier::activated, this, [this] { readSignal(); });
}

StopSignals::~StopSignals() {
  if (fd_ >= 0) close(fd_);
}

void StopSignals::readSignal() {
  signalfd_siginfo info{};
  bool stop = false;
  while (read(fd_, &info, sizeof info) == static_cast<ssize_t>(sizeof info)) stop = true;
  if (stop && onStop_) onStop_();
}

}  // namespace gw::ui

#pragma once
// Ctrl+C and SIGTERM end the desktop program the orderly way (link closed, settings written, the demo's
// simulator stopped) instead of killing it. The signals are taken through a signalfd watched by the event
// loop, so no handler runs in signal context.

#include <QObject>
#include <functional>

class QSocketNotifier;

namespace gw::ui {

// Blocks SIGINT and SIGTERM in the calling thread and the threads it starts later; call it before Qt
// starts threads and after starting child processes, which would inherit the mask.
void blockStopSignals();

class StopSignals : public QObject {
  Q_OBJECT

 public:
  // `onStop` runs on the event loop when SIGINT or SIGTERM arrives (after blockStopSignals()).
  explicit StopSignals(std::function<void()> onStop, QObject* parent = nullptr);
  ~StopSignals() override;

 private:
  void readSignal();

  std::function<void()> onStop_;
  int fd_ = -1;
  QSocketNotifier* notifier_ = nullptr;
};

}  // namespace gw::ui

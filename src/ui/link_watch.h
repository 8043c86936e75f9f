#pragma once
// What keeps the link alive while nothing waits for the gateway: received LAN bytes are taken when the
// socket becomes readable (not by polling, so an idle program uses no CPU), and the keep-alive timer
// tLogin asks the gateway "AT" after a long silence; a gateway that no longer answers is disconnected.

#include <QObject>
#include <functional>

#include "link/keep_alive.h"
#include "program/program.h"

class QSocketNotifier;
class QTimer;

namespace gw::ui {

class LinkWatch : public QObject {
  Q_OBJECT

 public:
  // `conditions` tells what the link cannot know itself (terminal shown, tracing, the SIP poll).
  LinkWatch(Program& program, std::function<KeepAliveConditions()> conditions, QObject* parent);
  ~LinkWatch() override;

  // One keep-alive tick, as the timer runs it.
  KeepAlive keepAlive();
  // True while the LAN socket is watched.
  bool watching() const { return notifier_ != nullptr; }

 private:
  void socketChanged(int fd);
  void readable();
  void linkLost(LinkLoss why);

  Program& program_;
  std::function<KeepAliveConditions()> conditions_;
  QTimer* tLogin_;
  QSocketNotifier* notifier_ = nullptr;
};

}  // namespace gw::ui

#include "ui/link_watch.h"

#include <QPointer>
#include <QSocketNotifier>
#include <QTimer>

namespace gw::ui {

LinkWatch::LinkWatch(Program& program, std::function<KeepAliveConditions()> conditions, QObject* parent)
    : QObject(parent), program_(program), conditions_(std::move(conditions)) {
  tLogin_ = new QTimer(this);
  tLogin_->setObjectName(QStringLiteral("tLogin"));
  tLogin_->setInterval(kKeepAlivePeriodMs);
  connect(tLogin_, &QTimer::timeout, this, [this] { keepAlive(); });
  tLogin_->start();

  Link& link = program_.link;
  link.onLanSocket = [this](int fd) { socketChanged(fd); };
  // Reported from inside the receive poll: the disconnect runs once the poll has returned.
  link.onLinkLost = [this] { QTimer::singleShot(0, this, [this] { linkLost(LinkLoss::Silent); }); };
  if (link.lanFd() >= 0) socketChanged(link.lanFd());
}

LinkWatch::~LinkWatch() {
  program_.link.onLanSocket = nullptr;
  program_.link.onLinkLost = nullptr;
}

KeepAlive LinkWatch::keepAlive() {
  const KeepAlive result = keepAliveTick(program_.link, conditions_ ? conditions_() : KeepAliveConditions{});
  if (result == KeepAlive::LinkLost) linkLost(LinkLoss::Silent);
  if (result == KeepAlive::LoggedOut) linkLost(LinkLoss::LoggedOut);
  return result;
}

void LinkWatch::linkLost(LinkLoss why) {
  program_.connection.linkLost(why);
}

void LinkWatch::socketChanged(int fd) {
  if (notifier_ != nullptr) {
    notifier_->setEnabled(false);
    notifier_->deleteLater();
    notifier_ = nullptr;
  }
  if (fd < 0) return;
  notifier_ = new QSocketNotifier(fd, QSocketNotifier::Read, this);
  notifier_->setObjectName(QStringLiteral("tcpTimer"));
  connect(notifier_, &QSocketNotifier::activated, this, [this] { readable(); });
}

void LinkWatch::readable() {
  QPointer<QSocketNotifier> notifier = notifier_;
  if (notifier == nullptr) return;
  // The poll may wait on nothing, but it may close the socket (and drop this notifier) when the gateway
  // has gone; meanwhile the notifier must not fire again.
  notifier->setEnabled(false);
  program_.link.pollLan();
  if (notifier != nullptr && notifier == notifier_) notifier->setEnabled(true);
}

}  // namespace gw::ui

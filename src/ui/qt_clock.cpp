#include "ui/qt_clock.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

namespace gw::ui {

std::int64_t QtClock::nowMs() {
  return system_.nowMs();
}

std::int64_t QtClock::nowSeconds() {
  return system_.nowSeconds();
}

LocalTime QtClock::localTime() {
  return system_.localTime();
}

void QtClock::sleep(int ms) {
  if (ms > 0) {
    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    timer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    timer.start(ms);
    loop.exec();
  } else {
    QCoreApplication::processEvents();
  }
  runPollers();
}

void QtClock::processEvents() {
  QCoreApplication::processEvents();
  runPollers();
}

}  // namespace gw::ui

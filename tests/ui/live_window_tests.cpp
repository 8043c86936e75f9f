// The diagnostic calls and actual calls windows and the login account page in the main window, driven by
// their control names against gwsim: the windows open over a disabled main window, keep polling on their
// timers while they show, and stop when closed.

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QTest>
#include <QTimer>
#include <algorithm>

#include "ui/signal_chart.h"
#include "ui_harness.h"
#include "window_tests.h"

namespace gw::test {

namespace {

#define REQUIRE_READY(h) QVERIFY2((h).ready(), (h).error().c_str())

// The tests poll much faster than the windows' own periods, so several polls fit in a moment.
constexpr int kFastPollMs = 50;
constexpr int kQuietMs = 400;

long heardCount(const UiHarness& h, const std::string& line) {
  const std::vector<std::string> heard = h.heard();
  return std::count(heard.begin(), heard.end(), line);
}

bool mainEnabled(const UiHarness& h) {
  return h.find<QSplitter>("sMain")->isEnabled();
}

}  // namespace

void WindowTests::diagnosticWindowPollsDrawsTheLevelsAndStopsWhenClosed() {
  // Steps of a minute: module 0 keeps its first operator however long the login takes.
  UiHarness h({"--live-step-ms", "60000", "--modules-off", "3"});
  REQUIRE_READY(h);
  QVERIFY(h.clickNode(QStringLiteral("Diagnostic calls...")));
  auto* window = h.find<QDialog>("fDiag");
  QVERIFY(window != nullptr && window->isVisible());
  QVERIFY(!mainEnabled(h));
  QCOMPARE(in<QLabel>(window, "lb0layer2")->text(), QStringLiteral("up"));
  QCOMPARE(in<QLabel>(window, "lb0network")->text(), QStringLiteral("NetAlpha"));
  QVERIFY(in<QLabel>(window, "lb1signal")->text().endsWith(QStringLiteral(" dBm")));
  QCOMPARE(in<QLabel>(window, "lb3layer3")->text(), QStringLiteral("no-sim"));
  QCOMPARE(in<QLabel>(window, "lb3signal")->text(), QString());  // "unknown" shows as nothing

  auto* timer = in<QTimer>(window, "tDiag");
  QCOMPARE(timer->interval(), 7000);
  QVERIFY(timer->isActive());
  timer->setInterval(kFastPollMs);
  QTRY_VERIFY(heardCount(h, "AT&Q3") >= 4);
  auto* chart = in<ui::SignalChart>(window, "chSignal");
  QVERIFY(chart->pointCount(0) >= 4);
  QCOMPARE(chart->pointCount(3), 0);

  QTest::mouseClick(in<QPushButton>(window, "sbOk"), Qt::LeftButton);
  QVERIFY(!window->isVisible());
  QVERIFY(!timer->isActive());
  QVERIFY(mainEnabled(h));
  const long polls = heardCount(h, "AT&S00");
  QTest::qWait(kQuietMs);
  QCOMPARE(heardCount(h, "AT&S00"), polls);
}

void WindowTests::actualCallsWindowRefreshesAndClosesByItsCloseBoxAndEsc() {
  UiHarness h({"--live-step-ms", "100"});
  REQUIRE_READY(h);
  h.trigger("mActual");  // the menu item opens the topic
  auto* window = h.find<QDialog>("fActual");
  QVERIFY(window != nullptr && window->isVisible());
  QVERIFY(!mainEnabled(h));
  auto* memo = in<QPlainTextEdit>(window, "mActual");
  QVERIFY(memo->isReadOnly());
  QVERIFY2(memo->toPlainText().startsWith(QStringLiteral("cha-layer3     dir calling")),
           qPrintable(memo->toPlainText()));
  QVERIFY(!memo->toPlainText().contains(QStringLiteral("OK")));

  auto* timer = in<QTimer>(window, "tActual");
  QCOMPARE(timer->interval(), 5000);
  timer->setInterval(kFastPollMs);
  QTRY_VERIFY(heardCount(h, "AT&X") >= 4);
  window->close();  // the close box
  QVERIFY(!window->isVisible());
  QVERIFY(mainEnabled(h));
  const long polls = heardCount(h, "AT&X");
  QTest::qWait(kQuietMs);
  QCOMPARE(heardCount(h, "AT&X"), polls);

  QVERIFY(h.clickNode(QStringLiteral("Actual calls...")));
  QVERIFY(window->isVisible());
  QTest::keyClick(window, Qt::Key_Escape);
  QVERIFY(!window->isVisible());
  QVERIFY(mainEnabled(h));
}

void WindowTests::loginPageKeepsItsRulesAndRefusesOverTheLan() {
  UiHarness h;
  REQUIRE_READY(h);
  QVERIFY(h.clickNode(QStringLiteral("Login account")));
  auto* save = h.find<QPushButton>("sbLoginSave");
  QVERIFY(!save->isEnabled());
  h.type("eLoginUser", QStringLiteral("us-er 567890"));
  QCOMPARE(h.find<QLineEdit>("eLoginUser")->text(), QStringLiteral("user567890"));
  h.type("eLoginPass", QStringLiteral("secret"));
  QCOMPARE(h.find<QLineEdit>("eLoginPass")->text(), QStringLiteral("secr"));
  QCOMPARE(h.find<QLineEdit>("eLoginPass")->echoMode(), QLineEdit::Password);
  QVERIFY(!save->isEnabled());
  h.type("eLoginPassVer", QStringLiteral("secr"));
  QVERIFY(save->isEnabled());

  const std::size_t mark = h.mark();
  h.click("sbLoginSave");
  h.click("sbLoginDisable");
  QCOMPARE(h.labelsSince(mark), (std::vector<int>{63, 63}));
  for (const std::string& line : h.heard()) QVERIFY(line.rfind("AT%X80", 0) != 0);
}

}  // namespace gw::test

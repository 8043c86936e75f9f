// The Date/time, Log file, Call data records and Statistics pages of the main window, driven by their control
// names against gwsim.

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QStackedWidget>
#include <QTest>
#include <algorithm>

#include "base/caption_ids.h"
#include "ui_harness.h"
#include "window_tests.h"

namespace gw::test {

namespace {

constexpr int kShortResponseMs = 1000;  // the log's wake-up line waits out the response time

QString shownPage(const UiHarness& h) {
  return h.find<QStackedWidget>("pgPages")->currentWidget()->objectName();
}

// Puts the caret at `position` and types the keys one by one, as the user does.
void typeAt(QLineEdit* edit, int position, const QString& keys) {
  edit->setFocus();
  edit->setCursorPosition(position);
  QTest::keyClicks(edit, keys);
}

QStringList memoLines(const UiHarness& h, const char* memo) {
  return h.find<QPlainTextEdit>(memo)->toPlainText().split(QLatin1Char('\n'));
}

bool heardLine(const UiHarness& h, const std::string& line) {
  const std::vector<std::string> heard = h.heard();
  return std::find(heard.begin(), heard.end(), line) != heard.end();
}

}  // namespace

void WindowTests::dateTimePageReadsTypesAndSetsTheGatewayClock() {
  UiHarness h;
  REQUIRE_READY(h);
  QVERIFY(h.clickNode(QStringLiteral("Date/time")));
  QCOMPARE(shownPage(h), QStringLiteral("pDateTime"));
  auto* time = h.find<QLineEdit>("eTime");
  auto* date = h.find<QLineEdit>("eDate");
  // Synchronised: the PC's clock, not to be edited.
  QVERIFY(h.find<QCheckBox>("cbSynDateTime")->isChecked());
  QVERIFY(!time->isEnabled());
  QVERIFY(QRegularExpression(QStringLiteral("^\\d\\d:\\d\\d:\\d\\d$")).match(time->text()).hasMatch());

  QTest::mouseClick(h.find<QCheckBox>("cbSynDateTime"), Qt::LeftButton);  // reads the gateway's clock
  QVERIFY(time->isEnabled());
  QVERIFY(heardLine(h, "AT&V"));
  QVERIFY(QRegularExpression(QStringLiteral("^\\d\\d\\.\\d\\d\\.\\d{4}$")).match(date->text()).hasMatch());

  typeAt(time, 0, QStringLiteral("000000"));
  typeAt(time, 0, QStringLiteral("25"));  // hours cannot reach 25: the 5 is refused
  QCOMPARE(time->text(), QStringLiteral("20:00:00"));
  typeAt(time, 0, QStringLiteral("235959x"));
  QCOMPARE(time->text(), QStringLiteral("23:59:59"));
  QCOMPARE(time->cursorPosition(), 8);
  QTest::keyClick(time, Qt::Key_Backspace);
  QCOMPARE(time->text(), QStringLiteral("23:59:5_"));
  QTest::keyClick(time, Qt::Key_9);
  typeAt(date, 0, QStringLiteral("31122026"));
  QCOMPARE(date->text(), QStringLiteral("31.12.2026"));
  auto* day = h.find<QComboBox>("cbDay");
  day->setCurrentIndex(3);
  emit day->activated(3);

  const std::size_t mark = h.mark();
  h.click("sbDateTimeSave");
  QCOMPARE(h.labelsSince(mark), std::vector<int>{cap::kSavedWithoutError});
  QVERIFY(heardLine(h, "AT%S99=31.12.2026.4/23:59:59"));
}

void WindowTests::logPageLoadsTheLogAndAppendsItToAFile() {
  UiHarness h({"--log-lines", "20", "--page-lines", "8", "--ok-in-reports"});
  REQUIRE_READY(h);
  h.program->link.timeoutMs = kShortResponseMs;
  QVERIFY(h.clickNode(QStringLiteral("Log file")));
  QCOMPARE(shownPage(h), QStringLiteral("pLog"));
  h.click("sbLogLoad");
  QCOMPARE(h.labels(), std::vector<int>{cap::kLoadedWithoutError});
  const QStringList lines = memoLines(h, "mLog");
  QCOMPARE(lines.size(), 21);  // the header and 20 events, over three pages
  QCOMPARE(lines.filter(QStringLiteral("Init: OK")).size(), 4);

  const std::string file = h.home.file("events.txt");
  h.type("edLogFile", QString::fromStdString(file));
  h.click("sbLogSave");
  QCOMPARE(h.labels().back(), cap::kSavedToFile);
  const std::string saved = readFile(file);
  QVERIFY(saved.starts_with("\r\n[Demo : "));
  QVERIFY(saved.ends_with("\r\n" + lines.back().toStdString() + "\r\n"));
}

void WindowTests::callPageLoadsAndDeletesTheRecords() {
  UiHarness h({"--cdr-records", "5"});
  REQUIRE_READY(h);
  QVERIFY(h.clickNode(QStringLiteral("Call data records")));
  QCOMPARE(shownPage(h), QStringLiteral("pCall"));
  QCOMPARE(h.find<QPushButton>("sbCallLoadDelete")->text(), QStringLiteral("Load && delete"));  // shows "&"
  h.click("sbCallLoadDelete");
  QCOMPARE(h.labels(), std::vector<int>{cap::kLoadedWithoutError});
  QCOMPARE(memoLines(h, "mCall").size(), 2 + 5);  // header, rule, records
  QVERIFY(memoLines(h, "mCall")[1].startsWith(QStringLiteral("-----")));

  h.click("sbCallLoad");  // what was read is gone from the gateway
  QCOMPARE(h.labels().back(), cap::kLoadedWithoutError);
  QCOMPARE(memoLines(h, "mCall"),
           QStringList{QStringLiteral(
               "   date     time     type  cause   from/to groups  conn. durat.  aoc-info  gid")});
}

void WindowTests::statisticsPageLoadsAndClearsTheCounters() {
  UiHarness h;
  REQUIRE_READY(h);
  QVERIFY(h.clickNode(QStringLiteral("Statistics")));
  QCOMPARE(shownPage(h), QStringLiteral("pStatistics"));
  h.click("sbStatLoadDelete");
  QCOMPARE(h.labels(), std::vector<int>{cap::kLoadedWithoutError});
  QVERIFY(h.find<QPlainTextEdit>("mStatistic")->toPlainText().contains(QStringLiteral("1523")));
  QVERIFY(heardLine(h, "at%tmall=0,0,0,0,0,0"));

  h.click("sbStatLoad");
  const QString cleared = h.find<QPlainTextEdit>("mStatistic")->toPlainText();
  QVERIFY(!cleared.contains(QStringLiteral("1523")));
  QVERIFY(cleared.contains(QStringLiteral("network: module counters")));
}

}  // namespace gw::test

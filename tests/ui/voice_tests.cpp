// The voice message page against gwsim over the LAN: the transfer refused there, a recording call from
// Dial to its end with the countdown and Hang, and the overview window of all nine messages.

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QTest>
#include <algorithm>

#include "base/caption_ids.h"
#include "ui_harness.h"
#include "window_tests.h"

namespace gw::test {

namespace {

constexpr int kCallEndMs = 10000;
constexpr int kTransfersOnSerialOnly = 68;
constexpr int kRecorded = 522;

bool shown(const std::vector<int>& labels, int caption) {
  return std::find(labels.begin(), labels.end(), caption) != labels.end();
}

}  // namespace

void WindowTests::voicePageRecordsThroughACallAndShowsTheOverview() {
  UiHarness h({"--call-step-ms", "100", "--record-ms", "300"});
  REQUIRE_READY(h);
  QVERIFY(h.clickNode(QStringLiteral("Voice message")));
  QCOMPARE(h.find<QStackedWidget>("pgPages")->currentWidget()->objectName(), QStringLiteral("pVoice"));
  QCOMPARE(h.find<QComboBox>("cbVoiceType")->currentIndex(), 1);
  QVERIFY(!h.find<QPushButton>("sbVoiceHang")->isEnabled());
  QCOMPARE(h.find<QLabel>("lbVoiceTime")->text(), QStringLiteral("60"));

  std::size_t mark = h.mark();
  h.click("sbVoiceReadWrite");
  QVERIFY(shown(h.labelsSince(mark), kTransfersOnSerialOnly));

  mark = h.mark();
  h.type("edVoiceGsmDial", QStringLiteral("+420123456789"));
  h.click("sbVoiceDial");
  QVERIFY(h.find<QPushButton>("sbVoiceHang")->isEnabled());
  QVERIFY(!h.find<QPushButton>("sbVoiceDial")->isEnabled());
  QTRY_COMPARE_WITH_TIMEOUT(h.find<QLabel>("lbVoiceStatus")->text(), QStringLiteral("Disconnected"),
                            kCallEndMs);
  QTRY_VERIFY(h.find<QPushButton>("sbVoiceDial")->isEnabled());
  QVERIFY(!h.find<QPushButton>("sbVoiceHang")->isEnabled());
  QCOMPARE(h.find<QPushButton>("sbVoiceHang")->text(), QStringLiteral("Hang"));
  QVERIFY(shown(h.labelsSince(mark), kRecorded));
  const std::vector<std::string> heard = h.heard();
  QVERIFY(std::find(heard.begin(), heard.end(), "AT!SG00=+420123456789") != heard.end());

  QString first;
  QString absentOrNot;
  h.onDialog("fVoice", [&](QWidget* overview) {
    first = overview->findChild<QLabel*>(QStringLiteral("lbVoiceInfoType0"))->text();
    absentOrNot = overview->findChild<QLabel*>(QStringLiteral("lbVoiceInfo1"))->text();
    QTest::mouseClick(overview->findChild<QPushButton*>(QStringLiteral("sbOk")), Qt::LeftButton);
  });
  h.click("sbVoiceInfo");
  QVERIFY(!h.dialogMissed);
  QCOMPARE(first, QStringLiteral("Gsm voice message"));
  QVERIFY2(absentOrNot.contains(QStringLiteral("6044")), qPrintable(absentOrNot));
}

}  // namespace gw::test

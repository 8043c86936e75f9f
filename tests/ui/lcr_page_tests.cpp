// The LCR, mobility extension and SIP registration state pages in the main window against gwsim: records
// added through their dialogs, a holiday and a typed-over date, saved and found in what gwsim heard; and the
// registration poll running beside a long save without ever talking to the gateway in the middle of it.

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QInputDialog>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <algorithm>

#include "base/caption_ids.h"
#include "online/sip_state.h"
#include "pages/network_page.h"
#include "pages/page_actions.h"
#include "ui_harness.h"
#include "window_tests.h"

namespace gw::test {

namespace {

// A date or time entry typed over from its start: the cursor walks there with the arrow key.
void typeOver(QLineEdit* edit, const QString& keys) {
  edit->setFocus();
  for (int i = 0; i < 5; ++i) QTest::keyClick(edit, Qt::Key_Left);
  QTest::keyClicks(edit, keys);
}

void choose(QWidget* dialog, const char* name, int index) {
  auto* combo = in<QComboBox>(dialog, name);
  combo->setCurrentIndex(index);
  emit combo->activated(index);
}

// Answers the next one-line input box with `text` once it shows; `proposed` gets what it offered.
void answerInput(const QString& text, QString& proposed, int pollsLeft = 300) {
  QTimer::singleShot(10, [text, &proposed, pollsLeft] {
    auto* input = qobject_cast<QInputDialog*>(QApplication::activeModalWidget());
    if (input == nullptr) {
      if (pollsLeft > 0) answerInput(text, proposed, pollsLeft - 1);
      return;
    }
    proposed = input->textValue();
    input->setTextValue(text);
    input->accept();
  });
}

}  // namespace

void WindowTests::lcrPageEditsRecordsHolidaysAndSaves() {
  UiHarness h;
  QVERIFY2(h.ready(), h.error().c_str());
  QVERIFY(h.clickNode(QStringLiteral("LCR table")));
  h.click("sbLcrLoad");
  QCOMPARE(h.labels(), std::vector<int>{cap::kLoadedWithoutError});
  auto* table = h.find<QTreeWidget>("lvLcr");
  QCOMPARE(table->topLevelItemCount(), 1);

  // A record over network 3 through groups 2 then 1, from 07:30, not at the weekend, for 15 minutes.
  h.onDialog("fLcr", [&](QWidget* dialog) {
    QVERIFY(!in<QComboBox>(dialog, "cbGroups2")->isEnabled());
    choose(dialog, "cbNetwork", 2);
    choose(dialog, "cbGroups1", 2);
    QVERIFY(in<QComboBox>(dialog, "cbGroups2")->isEnabled());
    choose(dialog, "cbGroups2", 1);
    typeOver(in<QLineEdit>(dialog, "edFrom"), QStringLiteral("x0730"));
    in<QCheckBox>(dialog, "cbWeekend")->click();
    in<QSpinBox>(dialog, "seLimit")->setValue(15);
    pressOk(dialog);
  });
  h.click("sbLcrNew");
  QCOMPARE(table->topLevelItem(1)->text(1), QStringLiteral("07:30/24:00/w-"));

  // A holiday, and the winter date typed over: a day cannot start with 4.
  QString proposed;
  answerInput(QStringLiteral("24.12"), proposed);
  h.click("sbBasicAdd");
  QCOMPARE(proposed, QStringLiteral("00.00"));
  auto* winter = h.find<QLineEdit>("edSystemWinter");
  typeOver(winter, QStringLiteral("42510"));
  QCOMPARE(winter->text(), QStringLiteral("25.10"));

  const std::size_t beforeSave = h.mark();
  h.click("sbLcrSave");
  QCOMPARE(h.labelsSince(beforeSave), std::vector<int>{cap::kSavedWithoutError});
  QVERIFY(h.heardLine("AT%X20=1025,0000"));
  QVERIFY(h.heardLine("AT%G06=1224"));
  QVERIFY(h.heardLine("AT%R01=3,07:30/24:00/w-,21,15"));
  QVERIFY(h.heardLine("AT%R02="));  // the table ends after its last record
  QVERIFY(!h.dialogMissed);
}

void WindowTests::extensionPageEditsRecordsAndSaves() {
  UiHarness h;
  QVERIFY2(h.ready(), h.error().c_str());
  QVERIFY(h.clickNode(QStringLiteral("Mobility extension")));
  QVERIFY(h.find<QPushButton>("sbExtDefault") == nullptr);
  h.click("sbExtLoad");
  QCOMPARE(h.labels(), std::vector<int>{cap::kLoadedWithoutError});

  h.onDialog("fExt", [&](QWidget* dialog) {
    typeInto(dialog, "edName", QStringLiteral("Ann Lee"));
    typeInto(dialog, "edUser", QStringLiteral("ann"));
    typeInto(dialog, "edPass", QStringLiteral("se/cret"));  // the slash is no name character
    typeInto(dialog, "edGsm", QStringLiteral("+420601"));
    QTest::mouseClick(in<QCheckBox>(dialog, "cbFollow"), Qt::LeftButton);
    pressOk(dialog);
  });
  h.click("sbExtNew");
  auto* table = h.find<QTreeWidget>("lvExt");
  QCOMPARE(table->topLevelItemCount(), 1);
  QCOMPARE(table->topLevelItem(0)->text(4), QStringLiteral("On"));
  QCOMPARE(table->topLevelItem(0)->text(6), QStringLiteral("Unregistered"));

  const std::size_t beforeSave = h.mark();
  h.click("sbExtSave");
  QCOMPARE(h.labelsSince(beforeSave), std::vector<int>{cap::kSavedWithoutError});
  QVERIFY(h.heardLine("AT%M00=Ann Lee/ann/secret,+420601,1,0"));
  QVERIFY(!h.dialogMissed);
}

void WindowTests::sipStatePollsWithoutOverlappingASave() {
  // Every reply of this gateway comes in three pieces: two saves of the network lists outlast two ticks.
  UiHarness h({"--full", "--split-replies", "--sip-churn-ms", "2000"});
  QVERIFY2(h.ready(), h.error().c_str());
  QVERIFY(h.clickNode(QStringLiteral("SIP registration state")));
  auto* view = h.find<QPlainTextEdit>("memSipReg");
  QVERIFY(view->toPlainText().contains(QStringLiteral("Extension-00031")));
  QVERIFY(h.program->tool<SipStateTool>().polling());

  NetworkPage& network = h.program->page<NetworkPage>();
  saveToGateClick(network);
  saveToGateClick(network);
  const std::vector<std::string> during = h.heard();
  QTest::qWait(kSipRegPollMs + 2000);
  const std::vector<std::string> after = h.heard();

  const auto first = std::find(during.begin(), during.end(), "AT%N10=/");
  const auto last = std::find(during.rbegin(), during.rend(), "AT%N89=,9");
  QVERIFY(first != during.end() && last != during.rend());
  QVERIFY(std::find(first, last.base(), "AT&M") == last.base());
  QVERIFY(std::count(after.begin(), after.end(), "AT&M") > std::count(during.begin(), during.end(), "AT&M"));
  QVERIFY(view->toPlainText().contains(QStringLiteral("Unregistered")));
}

}  // namespace gw::test

// The network list and autorouting pages in the main window against gwsim: entries and records added,
// edited and removed through their dialogs, then saved, and the registers found in what gwsim heard.

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTabBar>
#include <QTest>
#include <QTreeWidget>
#include <algorithm>

#include "base/caption_ids.h"
#include "pages/record_table.h"
#include "ui_harness.h"
#include "window_tests.h"

namespace gw::test {

namespace {

#define REQUIRE_READY(h) QVERIFY2((h).ready(), (h).error().c_str())

template <class W>
W* in(QWidget* dialog, const char* name) {
  return dialog->findChild<W*>(QString::fromLatin1(name));
}

void typeInto(QWidget* dialog, const char* name, const QString& text) {
  auto* edit = in<QLineEdit>(dialog, name);
  edit->setFocus();
  edit->selectAll();
  QTest::keyClick(edit, Qt::Key_Backspace);
  QTest::keyClicks(edit, text);
}

void pressOk(QWidget* dialog) {
  QTest::mouseClick(in<QPushButton>(dialog, "sbOk"), Qt::LeftButton);
}

QPoint rowPoint(QListWidget* list, int row) {
  list->scrollToItem(list->item(row));
  return list->visualItemRect(list->item(row)).center();
}

void clickRow(QListWidget* list, int row) {
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rowPoint(list, row));
}

void clickRow(QTreeWidget* table, int row) {
  QTreeWidgetItem* item = table->topLevelItem(row);
  QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, table->visualItemRect(item).center());
}

QStringList rowTexts(QTreeWidget* table, int row) {
  QStringList texts;
  for (int c = 0; c < table->columnCount(); ++c) texts << table->topLevelItem(row)->text(c);
  return texts;
}

bool heardLine(const UiHarness& h, const std::string& line) {
  const std::vector<std::string> heard = h.heard();
  return std::find(heard.begin(), heard.end(), line) != heard.end();
}

}  // namespace

void WindowTests::networkPageEditsEntriesAndSaves() {
  UiHarness h;
  REQUIRE_READY(h);
  QVERIFY(h.clickNode(QStringLiteral("Network list")));
  QCOMPARE(h.find<QStackedWidget>("pgPages")->currentWidget()->objectName(), QStringLiteral("pNet"));
  h.click("sbNetLoad");
  QCOMPARE(h.labels(), std::vector<int>{cap::kLoadedWithoutError});

  auto* tabs = h.find<QTabBar>("tcNet");
  QCOMPARE(tabs->count(), 8);
  QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(1).center());
  auto* prefixes = h.find<QListWidget>("lbNetPref");
  QCOMPARE(prefixes->count(), 10);

  // Add: the window tells table and action, OK waits for a prefix.
  QString title;
  QString secondLabel;
  bool okWaited = false;
  h.onDialog("fNet", [&](QWidget* dialog) {
    title = dialog->windowTitle();
    secondLabel = in<QLabel>(dialog, "lb2")->text();
    okWaited = !in<QPushButton>(dialog, "sbOk")->isEnabled();
    typeInto(dialog, "ed1", QStringLiteral("602"));
    typeInto(dialog, "ed2", QStringLiteral("9x"));
    pressOk(dialog);
  });
  h.click("sbNetPrefAdd");
  QVERIFY(!h.dialogMissed);
  QCOMPARE(title, QStringLiteral("Add entry"));
  QCOMPARE(secondLabel, QStringLiteral("Number of digits :"));
  QVERIFY(okWaited);
  QCOMPARE(prefixes->item(10)->text(), QStringLiteral("602/9"));

  // Edit by a double click: the digits are cleared.
  h.onDialog("fNet", [&](QWidget* dialog) {
    title = dialog->windowTitle();
    QCOMPARE(in<QLineEdit>(dialog, "ed1")->text(), QStringLiteral("602"));
    typeInto(dialog, "ed2", QString());
    pressOk(dialog);
  });
  clickRow(prefixes, 10);
  QTest::mouseDClick(prefixes->viewport(), Qt::LeftButton, {}, rowPoint(prefixes, 10));
  QVERIFY(!h.dialogMissed);
  QCOMPARE(title, QStringLiteral("Edit entry"));
  QCOMPARE(prefixes->item(10)->text(), QStringLiteral("602"));

  // Remove the first prefix; name the list.
  clickRow(prefixes, 0);
  h.click("sbNetPrefRemove");
  QCOMPARE(prefixes->count(), 10);
  h.type("edNetNetid", QStringLiteral("O2CZ"));
  QVERIFY(h.program->pageState.modified(PageId::Network));

  const std::size_t beforeSave = h.mark();
  h.click("sbNetSave");
  QCOMPARE(h.labelsSince(beforeSave), std::vector<int>{cap::kSavedWithoutError});
  QVERIFY(heardLine(h, "AT%N21=1,2,3,4,5,6,7,8,9,602"));
  QVERIFY(heardLine(h, "AT%N29=O2CZ,9"));
  QVERIFY(heardLine(h, "AT%N11=0,1,2,3,4,5,6,7,8,9"));  // list 1 as it was
}

void WindowTests::autoroutingPageEditsRecordsAndSaves() {
  UiHarness h;
  REQUIRE_READY(h);
  QVERIFY(h.clickNode(QStringLiteral("Autorouting table")));
  QCOMPARE(h.find<QStackedWidget>("pgPages")->currentWidget()->objectName(), QStringLiteral("pAuto"));
  QVERIFY(h.find<QPushButton>("sbAutoDefault") == nullptr);
  h.click("sbAutoLoad");
  QCOMPARE(h.labels(), std::vector<int>{cap::kLoadedWithoutError});
  auto* table = h.find<QTreeWidget>("lvAuto");
  QCOMPARE(table->topLevelItemCount(), 0);

  // An autodial needs both numbers: OK refuses and marks; then two records are added.
  std::vector<int> refused;
  h.onDialog("fAuto", [&](QWidget* dialog) {
    const std::size_t mark = h.mark();
    pressOk(dialog);
    refused = h.labelsSince(mark);
    QVERIFY(in<QLineEdit>(dialog, "edGsm")->property("marked").toBool());
    typeInto(dialog, "edGsm", QStringLiteral("+420601"));
    typeInto(dialog, "edDial", QStringLiteral("100"));
    pressOk(dialog);
  });
  h.click("sbAutoNew");
  QCOMPARE(refused, std::vector<int>{kFillMarkedFieldsLabel});
  h.onDialog("fAuto", [&](QWidget* dialog) {
    typeInto(dialog, "edGsm", QStringLiteral("+420602"));
    QTest::mouseClick(in<QCheckBox>(dialog, "cbAutodial"), Qt::LeftButton);  // ticks autocallback
    QVERIFY(in<QCheckBox>(dialog, "cbAutocallback")->isChecked());
    QVERIFY(!in<QLineEdit>(dialog, "edDial")->isEnabled());
    in<QSpinBox>(dialog, "seLimit")->setValue(30);
    pressOk(dialog);
  });
  h.click("sbAutoNew");
  QCOMPARE(table->topLevelItemCount(), 2);
  QCOMPARE(rowTexts(table, 1), (QStringList{"+420602", "", "30", "Autocallback"}));

  // Modify the first row with Enter: it becomes an autodial with autocallback.
  clickRow(table, 0);
  h.onDialog("fAuto", [&](QWidget* dialog) {
    QCOMPARE(in<QLineEdit>(dialog, "edDial")->text(), QStringLiteral("100"));
    QTest::mouseClick(in<QCheckBox>(dialog, "cbAutocallback"), Qt::LeftButton);
    in<QSpinBox>(dialog, "seLimit")->setValue(5);
    pressOk(dialog);
  });
  QTest::keyClick(table, Qt::Key_Return);
  QVERIFY(!h.dialogMissed);
  QCOMPARE(rowTexts(table, 0), (QStringList{"+420601", "100", "5", "Autodial/Autocallback"}));

  // Remove the first row: the second takes its place and its index.
  clickRow(table, 0);
  h.click("sbAutoRemove");
  QCOMPARE(table->topLevelItemCount(), 1);
  QVERIFY(h.program->pageState.modified(PageId::Auto));

  const std::size_t beforeSave = h.mark();
  h.click("sbAutoSave");
  QCOMPARE(h.labelsSince(beforeSave), std::vector<int>{cap::kSavedWithoutError});
  QVERIFY(heardLine(h, "AT%A00=+420602,,30"));
  QVERIFY(heardLine(h, "AT%A01="));  // the table ends after its last record
}

}  // namespace gw::test

// The network list and autorouting pages in the main window against gwsim: entries and records added,
// edited and removed through their dialogs, then saved, and the registers found in what gwsim heard.

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTabBar>
#include <QTest>
#include <QTreeWidget>
#include <algorithm>

#include "base/caption_ids.h"
#include "ui_harness.h"
#include "window_tests.h"

namespace gw::test {

namespace {

// Clicks row `row` of a list box or list view (double: a double click).
template <class View>
void clickRow(View* view, int row, bool twice = false) {
  const QModelIndex index = view->model()->index(row, 0);
  view->scrollTo(index);
  const QPoint at = view->visualRect(index).center();
  QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
  if (twice) QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, at);
}

}  // namespace

void WindowTests::networkPageEditsEntriesAndSaves() {
  UiHarness h;
  QVERIFY2(h.ready(), h.error().c_str());
  QVERIFY(h.clickNode(QStringLiteral("Network list")));
  h.click("sbNetLoad");
  QCOMPARE(h.labels(), std::vector<int>{cap::kLoadedWithoutError});
  auto* tabs = h.find<QTabBar>("tcNet");
  QCOMPARE(tabs->count(), 8);
  QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(1).center());
  auto* prefixes = h.find<QListWidget>("lbNetPref");

  // Add: the window tells table and action, OK waits for a prefix.
  QStringList seen;
  h.onDialog("fNet", [&](QWidget* dialog) {
    seen << dialog->windowTitle() << in<QLabel>(dialog, "lb2")->text();
    QVERIFY(!in<QPushButton>(dialog, "sbOk")->isEnabled());
    typeInto(dialog, "ed1", QStringLiteral("602"));
    typeInto(dialog, "ed2", QStringLiteral("9x"));
    pressOk(dialog);
  });
  h.click("sbNetPrefAdd");
  QCOMPARE(seen, (QStringList{"Add entry", "Number of digits :"}));
  QCOMPARE(prefixes->item(10)->text(), QStringLiteral("602/9"));

  // Edit by a double click: the digits are cleared. Then the first prefix goes and the list gets a name.
  h.onDialog("fNet", [&](QWidget* dialog) {
    seen << dialog->windowTitle();
    typeInto(dialog, "ed2", QString());
    pressOk(dialog);
  });
  clickRow(prefixes, 10, true);
  QCOMPARE(seen.back(), QStringLiteral("Edit entry"));
  QCOMPARE(prefixes->item(10)->text(), QStringLiteral("602"));
  clickRow(prefixes, 0);
  h.click("sbNetPrefRemove");
  h.type("edNetNetid", QStringLiteral("O2CZ"));

  const std::size_t beforeSave = h.mark();
  h.click("sbNetSave");
  QCOMPARE(h.labelsSince(beforeSave), std::vector<int>{cap::kSavedWithoutError});
  QVERIFY(h.heardLine("AT%N21=1,2,3,4,5,6,7,8,9,602"));
  QVERIFY(h.heardLine("AT%N29=O2CZ,9"));
}

void WindowTests::autoroutingPageEditsRecordsAndSaves() {
  UiHarness h;
  QVERIFY2(h.ready(), h.error().c_str());
  QVERIFY(h.clickNode(QStringLiteral("Autorouting table")));
  QVERIFY(h.find<QPushButton>("sbAutoDefault") == nullptr);
  h.click("sbAutoLoad");
  QCOMPARE(h.labels(), std::vector<int>{cap::kLoadedWithoutError});
  auto* table = h.find<QTreeWidget>("lvAuto");

  // Two records: an autodial, then an autocallback.
  h.onDialog("fAuto", [&](QWidget* dialog) {
    typeInto(dialog, "edGsm", QStringLiteral("+420601"));
    typeInto(dialog, "edDial", QStringLiteral("100"));
    pressOk(dialog);
  });
  h.click("sbAutoNew");
  h.onDialog("fAuto", [&](QWidget* dialog) {
    typeInto(dialog, "edGsm", QStringLiteral("+420602"));
    QTest::mouseClick(in<QCheckBox>(dialog, "cbAutodial"), Qt::LeftButton);  // ticks autocallback
    in<QSpinBox>(dialog, "seLimit")->setValue(30);
    pressOk(dialog);
  });
  h.click("sbAutoNew");
  QCOMPARE(table->topLevelItemCount(), 2);
  QCOMPARE(table->topLevelItem(1)->text(3), QStringLiteral("Autocallback"));

  // Enter opens the selected row: it gets an autocallback too.
  clickRow(table, 0);
  h.onDialog("fAuto", [&](QWidget* dialog) {
    QTest::mouseClick(in<QCheckBox>(dialog, "cbAutocallback"), Qt::LeftButton);
    in<QSpinBox>(dialog, "seLimit")->setValue(5);
    pressOk(dialog);
  });
  QTest::keyClick(table, Qt::Key_Return);
  QCOMPARE(table->topLevelItem(0)->text(3), QStringLiteral("Autodial/Autocallback"));

  // Remove the first row: the second takes its place and its index.
  clickRow(table, 0);
  h.click("sbAutoRemove");
  const std::size_t beforeSave = h.mark();
  h.click("sbAutoSave");
  QCOMPARE(h.labelsSince(beforeSave), std::vector<int>{cap::kSavedWithoutError});
  QVERIFY(h.heardLine("AT%A00=+420602,,30"));
  QVERIFY(h.heardLine("AT%A01="));  // the table ends after its last record
  QVERIFY(!h.dialogMissed);
}

}  // namespace gw::test

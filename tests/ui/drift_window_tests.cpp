// "Compare with gateway", the kept configuration before "Save to gate" and the history window, against gwsim.

#include <QAction>
#include <QLabel>
#include <QListWidget>
#include <QTest>
#include <QTreeWidget>

#include "base/caption_ids.h"
#include "pages/system_page.h"
#include "paramfile/file_history.h"
#include "ui/drift_windows.h"
#include "ui_harness.h"
#include "window_tests.h"

namespace gw::test {

namespace {

QLabel* labelOf(const UiHarness& h, const char* control) {
  QWidget* widget = h.find<QWidget>(control);
  for (QLabel* label : h.window->findChildren<QLabel*>()) {
    if (label->buddy() == widget) return label;
  }
  return nullptr;
}

bool heardUnitId(const UiHarness& h, const std::string& value) {
  const std::vector<std::string> heard = h.heard();
  return std::any_of(heard.begin(), heard.end(), [&](const std::string& line) {
    return line.starts_with("AT%S91=") && line.ends_with("," + value);
  });
}

}  // namespace

void WindowTests::compareMarksDifferencesAndHistoryWritesAVersionBack() {
  UiHarness h({"--full"});
  REQUIRE_READY(h);
  QVERIFY(h.action("mKeepBeforeSave")->isChecked());  // on by default in the desktop program
  h.trigger("tbConnect");
  h.trigger("tbLoadGate");
  SystemPage& system = h.program->page<SystemPage>();
  QCOMPARE(system.edSystemUnitId.text, std::string("255"));

  // The file holds 17, the gateway 255: the window lists it, the page marks the field and keeps 17.
  system.edSystemUnitId.text = "17";
  h.trigger("tbSave");
  h.trigger("tbCompare");
  auto* differences = h.find<ui::TfDifferences>("fDifferences");
  QVERIFY(differences->isVisible());
  QCOMPARE(h.find<QTreeWidget>("lvDifferences")->topLevelItemCount(), 1);
  QCOMPARE(system.edSystemUnitId.text, std::string("17"));
  QVERIFY(labelOf(h, "edSystemUnitId")->property("differs").toBool());
  QVERIFY(!labelOf(h, "cbSystemCDRmode")->property("differs").toBool());

  // "Save to gate" keeps the gateway's 255 first; the history writes it back.
  h.trigger("tbSaveGate");
  QVERIFY(heardUnitId(h, "17"));
  const std::string file = h.program->selection.selected().parameterFile;
  QVERIFY(!historyEntries(file).empty());
  h.trigger("mHistory");
  auto* list = h.find<QListWidget>("lbHistory");
  QVERIFY(list->isVisible());
  QCOMPARE(list->count(), static_cast<int>(historyEntries(file).size()));
  list->setCurrentRow(0);  // the newest: what the gateway held before the save
  h.answers.push_back(Answer::Yes);
  const std::size_t mark = h.mark();
  h.click("btnRestore");
  QCOMPARE(h.labelsSince(mark).front(), cap::kRestoreQuestion);
  QVERIFY(heardUnitId(h, "255"));
  QCOMPARE(system.edSystemUnitId.text, std::string("255"));
}

}  // namespace gw::test

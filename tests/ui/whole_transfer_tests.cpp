// "Load all" and "Save all" through the toolbar against gwsim.

#include <QAction>
#include <QTest>

#include "base/caption_ids.h"
#include "pages/system_page.h"
#include "ui/busy_windows.h"
#include "ui_harness.h"
#include "window_tests.h"

namespace gw::test {

void WindowTests::toolbarLoadsAndSavesTheWholeConfiguration() {
  UiHarness h({"--full"});
  REQUIRE_READY(h);
  h.trigger("tbConnect");
  QVERIFY(h.program->link.comm.connected);

  std::size_t mark = h.mark();
  h.trigger("tbLoadGate");
  QCOMPARE(h.labelsSince(mark), std::vector<int>{cap::kLoadedWithoutError});
  QCOMPARE(h.program->page<SystemPage>().edSystemUnitId.text, std::string("255"));  // the full gateway's
  QVERIFY(!h.find<ui::TfLoad>("fLoad")->isVisible());
  QVERIFY(h.window->centralWidget()->isEnabled());

  h.program->page<SystemPage>().edSystemUnitId.text = "17";
  mark = h.mark();
  h.trigger("tbSaveGate");
  QCOMPARE(h.labelsSince(mark), std::vector<int>{cap::kSavedWithoutError});
  const std::vector<std::string> heard = h.heard();
  QVERIFY(std::find(heard.begin(), heard.end(), "AT%S91=7,17") != heard.end());
  QVERIFY(
      std::find(heard.begin(), heard.end(), "AT%X24=0") != heard.end() ||
      std::any_of(heard.begin(), heard.end(), [](const std::string& l) { return l.starts_with("AT%X24="); }));
}

}  // namespace gw::test

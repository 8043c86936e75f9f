#pragma once
// A dialog runner for page tests: each run hands the dialog to the next scripted step, which fills it in as
// the user would and returns whether the dialog ended with an accepted OK; with no step left the dialog is
// cancelled.

#include <deque>
#include <functional>

#include "pages/record_dialog.h"

namespace gw::test {

class ScriptedDialogs : public DialogRunner {
 public:
  using Step = std::function<bool(RecordDialog&)>;
  std::deque<Step> steps;
  int runs = 0;

  bool run(RecordDialog& dialog) override {
    ++runs;
    if (steps.empty()) return false;
    const Step step = std::move(steps.front());
    steps.pop_front();
    return step(dialog);
  }

  // A step that edits the dialog as `Dialog`, then presses OK.
  template <class Dialog>
  void ok(std::function<void(Dialog&)> fill) {
    steps.push_back([fill](RecordDialog& d) {
      auto& dialog = dynamic_cast<Dialog&>(d);
      fill(dialog);
      return dialog.accept();
    });
  }
};

}  // namespace gw::test

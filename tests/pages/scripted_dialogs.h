#pragma once
// A dialog runner for page tests: each run hands the dialog to the next step, which fills it in as the user
// would; OK then ends it if the dialog accepts. With no step left the dialog is cancelled.

#include <deque>
#include <functional>

#include "pages/record_dialog.h"

namespace gw::test {

struct ScriptedDialogs : DialogRunner {
  std::deque<std::function<void(RecordDialog&)>> steps;
  int runs = 0;

  bool run(RecordDialog& dialog) override {
    ++runs;
    if (steps.empty()) return false;
    steps.front()(dialog);
    steps.pop_front();
    return dialog.accept();
  }
};

}  // namespace gw::test

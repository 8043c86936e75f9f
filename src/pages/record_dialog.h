#pragma once
// A record dialog (the LCR, autorouting and mobility extension records, the network entry): a control model
// like a page, with its own layout table, that the window shows modally until OK is accepted or the user
// cancels. Pages run their dialogs through the DialogRunner of their context, which the desktop program
// answers with a Qt dialog built from the layout and gwctl and tests answer from a script.

#include <string>

#include "pages/control_set.h"
#include "pages/form_layout.h"
#include "pages/page_context.h"

namespace gw {

class RecordDialog : public ControlSet {
 public:
  explicit RecordDialog(const PageContext& context)
      : ControlSet(context.host, context.captions, context.connection), ctx_(context) {}

  virtual const FormLayout& layout() const = 0;
  // The caption of the dialog window in the current language (it may tell the mode: new or edit).
  virtual std::string title() const = 0;
  // OK: checks what the user entered; false keeps the dialog open (the model has said why).
  virtual bool accept() = 0;

 protected:
  PageContext ctx_;
};

class DialogRunner {
 public:
  virtual ~DialogRunner() = default;
  // Shows the dialog until it is accepted (true) or cancelled (false).
  virtual bool run(RecordDialog& dialog) = 0;
  // Shows a window that only informs (an online tool's overview), built from `layout` and bound to `window`,
  // until the user closes it. Without a window to show it in, nothing happens.
  virtual void show(ControlSet& window, const FormLayout& layout, const std::string& title) {
    (void)window, (void)layout, (void)title;
  }
};

// The runner a program's pages hold for the whole run; the window that can show dialogs plugs itself in.
// Without one every dialog counts as cancelled.
class DialogSlot : public DialogRunner {
 public:
  DialogRunner* runner = nullptr;
  bool run(RecordDialog& dialog) override { return runner != nullptr && runner->run(dialog); }
  void show(ControlSet& window, const FormLayout& layout, const std::string& title) override {
    if (runner != nullptr) runner->show(window, layout, title);
  }
};

}  // namespace gw

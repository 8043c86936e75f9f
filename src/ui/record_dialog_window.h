#pragma once
// The Qt side of record dialogs: a modal dialog built from the record's layout table, bound to its model,
// with OK (sbOk) and Cancel (sbCancel). OK closes it only when the model accepts what was entered. An online
// tool's overview window is built the same way, with OK alone.

#include "base/captions.h"
#include "pages/record_dialog.h"

class QWidget;

namespace gw::ui {

class QtDialogRunner : public DialogRunner {
 public:
  QtDialogRunner(QWidget* parent, const CaptionList& captions) : parent_(parent), captions_(captions) {}
  bool run(RecordDialog& dialog) override;
  // A window that only informs, with OK (sbOk) to close it.
  void show(ControlSet& window, const FormLayout& layout, const std::string& title) override;

 private:
  QWidget* parent_;
  const CaptionList& captions_;
};

}  // namespace gw::ui

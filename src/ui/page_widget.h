#pragma once
// A parameter page's window: its controls built from the page's layout table, the four page buttons
// ("Load from gate", "Save to gate", "Defaults", "Save to file") and any buttons of its own, all bound to
// the page model. A button runs only when the main window is idle (no exchange, no progress window): the
// main window's busy guard is the one guard.

#include <QScrollArea>
#include <functional>
#include <string>

#include "base/captions.h"
#include "pages/form_layout.h"
#include "pages/page.h"

namespace gw::ui {

class PageBinder;

class PageWidget : public QScrollArea {
  Q_OBJECT

 public:
  // `idle` tells whether a command may start now; without one every click runs.
  PageWidget(Page& page, const FormLayout& layout, const CaptionList& captions,
             std::function<bool()> idle = {}, QWidget* parent = nullptr);

  // Model to widgets, after anything outside the page changed it (a gateway selected, the edition, the
  // link type).
  void showModel();
  // The captions of the current language on every control.
  void setLabels();

  Page& page() { return page_; }
  const PageBinder& binder() const { return *binder_; }

 signals:
  // A button ran a page action (the whole window may have changed: messages, the modified flag).
  void actionDone();

 private:
  void press(const std::string& button);

  Page& page_;
  const FormLayout& layout_;
  const CaptionList& captions_;
  std::function<bool()> idle_;
  PageBinder* binder_ = nullptr;
};

}  // namespace gw::ui

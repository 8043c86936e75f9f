#pragma once
// A page of the main window: its controls built from a layout table and bound to a control model — a
// parameter page with its four page buttons ("Load from gate", "Save to gate", "Defaults", "Save to file"),
// or an online tool's page. A button runs only when the main window is idle (no exchange, no progress
// window): the main window's busy guard is the one guard. A tool on a timer is ticked while its page shows.

#include <QScrollArea>
#include <functional>
#include <string>

#include "base/captions.h"
#include "pages/form_layout.h"
#include "pages/page.h"

class QTimer;

namespace gw::ui {

class PageBinder;

// A button below the layout's controls, with its caption and icon.
struct PageButtonSpec {
  std::string name;
  CaptionText caption;
  const char* icon = nullptr;
};

// What a page on a timer does at every tick.
struct PageTicker {
  int intervalMs = 0;  // 0: no timer
  std::function<void()> tick;
};

class PageWidget : public QScrollArea {
  Q_OBJECT

 public:
  using ButtonSpec = PageButtonSpec;
  using Ticker = PageTicker;

  // `idle` tells whether a command may start now; without one every click runs.
  PageWidget(ControlSet& model, const FormLayout& layout, const CaptionList& captions,
             std::function<bool()> idle, std::vector<ButtonSpec> buttons, Ticker ticker = {},
             QWidget* parent = nullptr);
  // A parameter page with its four page buttons.
  PageWidget(Page& page, const FormLayout& layout, const CaptionList& captions,
             std::function<bool()> idle = {}, QWidget* parent = nullptr);

  // Model to widgets, after anything outside the page changed it (a gateway selected, the edition, the
  // link type).
  void showModel();
  // The captions of the current language on every control.
  void setLabels();

  const PageBinder& binder() const { return *binder_; }

  // The controls whose value the gateway holds differently from the parameter file: their labels are
  // marked at every showModel().
  void setDiffering(std::function<std::vector<std::string>()> differing) {
    differing_ = std::move(differing);
  }

 signals:
  // A button ran a page action (the whole window may have changed: messages, the modified flag).
  void actionDone();

 protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  void press(const std::string& button);
  void onTick();

  ControlSet& model_;
  const FormLayout& layout_;
  const CaptionList& captions_;
  std::function<bool()> idle_;
  std::vector<ButtonSpec> buttons_;
  Ticker ticker_;
  std::function<std::vector<std::string>()> differing_;
  QTimer* timer_ = nullptr;
  PageBinder* binder_ = nullptr;
};

}  // namespace gw::ui

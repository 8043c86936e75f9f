#pragma once
// pSystem: the System page — IP settings, CDR mode and unit ID, SIM PIN, end-of-dialling character, the
// firmware upgrade port and the DTMF codes of the mobility extension service — bound to the program's
// System page model, with its four buttons.

#include <QScrollArea>
#include <vector>

#include "pages/system_page.h"
#include "shell/caption_table.h"

namespace gw::ui {

class PageBinder;

// The caption rows of the page's controls (the main window's form).
const std::vector<CaptionRow>& systemPageCaptionRows();

class SystemPageWidget : public QScrollArea {
  Q_OBJECT

 public:
  explicit SystemPageWidget(SystemPage& page, QWidget* parent = nullptr);

  // Model to widgets, after anything outside the page changed it (a gateway selected, the edition, the
  // link type).
  void showModel();

 signals:
  // A button ran a page action (the whole window may have changed: messages, the modified flag).
  void actionDone();

 private:
  QWidget* buildIpSettings();
  QWidget* buildModes();
  QWidget* buildOther();
  QWidget* buildDtmf();
  QLayout* buildButtons();
  void run(void (SystemPage::*action)());

  SystemPage& page_;
  PageBinder* binder_ = nullptr;
};

}  // namespace gw::ui

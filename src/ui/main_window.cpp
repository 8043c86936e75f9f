#include "ui/main_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFontDatabase>
#include <QLabel>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QSplitter>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

#include "base/caption_ids.h"
#include "online/diagnostics.h"
#include "online/firmware_tool.h"
#include "online/terminal.h"
#include "program/close_question.h"
#include "program/compare_command.h"
#include "program/whole_transfers.h"
#include "shell/captions_file.h"
#include "ui/about_window.h"
#include "ui/busy_windows.h"
#include "ui/caption_labels.h"
#include "ui/comm_settings_window.h"
#include "ui/display_view.h"
#include "ui/drift_windows.h"
#include "ui/elided_label.h"
#include "ui/firm_window.h"
#include "ui/firmware_windows.h"
#include "ui/gateway_list_window.h"
#include "ui/icons.h"
#include "ui/insert_ip_window.h"
#include "ui/link_watch.h"
#include "ui/new_gateway_window.h"
#include "ui/page_widget.h"
#include "ui/qt_host.h"
#include "ui/qt_text.h"
#include "ui/record_dialog_window.h"
#include "ui/signal_chart.h"
#include "ui/terminal_keys.h"
#include "ui/tool_window.h"
#include "ui/topic_tree.h"

namespace gw::ui {

namespace {
constexpr int kTopicPaneWidth = 270;
constexpr int kTitleMargin = 8;
// Below this the topic pane and a page no longer fit side by side.
constexpr int kMinimumWidth = 760;
constexpr int kMinimumHeight = 480;
}  // namespace

TfMain::TfMain(Program& program, QtHost& host) : program_(program), host_(host) {
  setObjectName(QStringLiteral("fMain"));
  setWindowTitle(QStringLiteral("Velquin config program v 0.1h, for firmware V-02.07.31r1"));
  setWindowIcon(icon("app"));
  resize(kDefaultWidth, kDefaultHeight);
  setMinimumSize(kMinimumWidth, kMinimumHeight);

  buildCommands();
  buildLayout();
  buildDialogs();
  buildPages();
  buildToolWindows();
  attachHost();
  wireProgram();
}

TfMain::~TfMain() {
  host_.detach();
  program_.dialogs.runner = nullptr;
  delete dialogRunner_;
  program_.window.changed = nullptr;
  ConnectionHooks& hooks = program_.connection.hooks;
  hooks.applyEdition = programEdition_;
  hooks.openCommSettings = nullptr;
  hooks.loadAllFromGateway = nullptr;
}

void TfMain::buildLayout() {
  pcMain_ = new QTabWidget;
  pcMain_->setObjectName(QStringLiteral("pcMain"));
  tsTopic_ = new QWidget;
  tsTopic_->setObjectName(QStringLiteral("tsTopic"));
  tvTopic_ = new TopicTree(QStringLiteral("tvTopic"));
  auto* topicLayout = new QVBoxLayout(tsTopic_);
  topicLayout->setContentsMargins(0, 0, 0, 0);
  topicLayout->addWidget(tvTopic_);
  tsAlfa_ = new QWidget;
  tsAlfa_->setObjectName(QStringLiteral("tsAlfa"));
  tvAlpha_ = new TopicTree(QStringLiteral("tvAlpha"));
  auto* alphaLayout = new QVBoxLayout(tsAlfa_);
  alphaLayout->setContentsMargins(0, 0, 0, 0);
  alphaLayout->addWidget(tvAlpha_);
  pcMain_->addTab(tsTopic_, QStringLiteral("Topics"));
  pcMain_->addTab(tsAlfa_, QStringLiteral("Alfabetical glossary "));
  // The glossary shows once the edition is known to be Orvale.
  pcMain_->setTabVisible(pcMain_->indexOf(tsAlfa_), false);

  auto* pageArea = new QWidget;
  pageArea->setObjectName(QStringLiteral("pnPages"));
  lbMain_ = new QLabel;
  lbMain_->setObjectName(QStringLiteral("lbMain"));
  lbMain_->setAlignment(Qt::AlignCenter);
  QFont titleFont = lbMain_->font();
  titleFont.setBold(true);
  titleFont.setPointSizeF(titleFont.pointSizeF() * 1.25);
  lbMain_->setFont(titleFont);
  lbMain_->setContentsMargins(kTitleMargin, kTitleMargin, kTitleMargin, kTitleMargin);
  lbMain_->setAutoFillBackground(true);
  lbMain_->setBackgroundRole(QPalette::AlternateBase);

  pages_ = new QStackedWidget;
  pages_->setObjectName(QStringLiteral("pgPages"));
  noPage_ = new QWidget;
  noPage_->setObjectName(QStringLiteral("pNone"));
  pages_->addWidget(noPage_);

  mTerminal_ = new QPlainTextEdit;
  mTerminal_->setObjectName(QStringLiteral("mTerminal"));
  mTerminal_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  mTerminal_->hide();

  auto* pageLayout = new QVBoxLayout(pageArea);
  pageLayout->setContentsMargins(0, 0, 0, 0);
  pageLayout->setSpacing(0);
  pageLayout->addWidget(lbMain_);
  pageLayout->addWidget(pages_, 1);
  pageLayout->addWidget(mTerminal_, 1);

  sMain_ = new QSplitter(Qt::Horizontal);
  sMain_->setObjectName(QStringLiteral("sMain"));
  sMain_->addWidget(pcMain_);
  sMain_->addWidget(pageArea);
  sMain_->setStretchFactor(1, 1);
  sMain_->setSizes({kTopicPaneWidth, kDefaultWidth - kTopicPaneWidth});
  sMain_->setChildrenCollapsible(false);
  setCentralWidget(sMain_);

  QStatusBar* bar = statusBar();
  bar->setObjectName(QStringLiteral("sbMain"));
  bar->setSizeGripEnabled(true);
  // Each panel as wide as its text; when the window is too narrow for both, each shows its text cut short
  // (the whole of it in its tooltip) rather than printing over the other.
  for (int panel = 1; panel <= 2; ++panel) {
    auto* label = new ElidedLabel;
    label->setObjectName(QStringLiteral("sbPanel%1").arg(panel));
    bar->addWidget(label, panel == 1 ? 0 : 1);
    panels_[panel] = label;
  }

  connect(tvTopic_, &TopicTree::chosen, this, [this](const QString& text) {
    runIdle([this, text] { program_.topics.tvTopicClick(fromQ(text)); });
  });
  connect(tvAlpha_, &TopicTree::chosen, this, [this](const QString& text) {
    runIdle([this, text] { program_.topics.tvAlphaClick(fromQ(text)); });
  });
}

void TfMain::buildDialogs() {
  fParam_ = new TfParam(this);
  fLoad_ = new TfLoad(this);
  fSpeedConnect_ = new TfSpeedConnect(this);
  wReset_ = new TwReset(this);
  fFirm_ = new TfFirm(this);
  fNewGateway_ = new TfNewGateway(program_.newGateway, program_.captions, this);
  fGatewayList_ =
      new TfGatewayList(program_.gatewayList, program_.newGateway, *fNewGateway_, program_.captions, this);
  fCommSettings_ = new TfCommSettings(program_, this);
  fInsertIp_ = new TfInsertIp(this);
  fHelp_ = new TfHelp(this);
  fDifferences_ = new TfDifferences(this);
  fHistory_ = new TfHistory(this, [this](const HistoryEntry& entry) {
    runTransfer([this, entry] {
      restoreClick(program_, entry);
      showPages();
      refresh();
    });
    fHistory_->showEntries(historyEntries(program_.selection.selected().parameterFile), program_.captions);
  });
  connect(fGatewayList_, &TfGatewayList::selectionChanged, this, [this] { selectionChanged(); });
}

void TfMain::buildPages() {
  dialogRunner_ = new QtDialogRunner(this, program_.captions);
  program_.dialogs.runner = dialogRunner_;
  for (const PageRegistration& row : pageRegistry()) {
    const FormLayout& layout = row.layout();
    Page& page = program_.pageOf(row);
    auto* widget = new PageWidget(page, layout, program_.captions, [this] { return idle(); });
    widget->setDiffering([this, &page] { return program_.pageState.differing(page.traits().id); });
    pages_->addWidget(widget);
    pageWidgets_.push_back(widget);
    pageTopics_.push_back({row.topicCaption, layout.name, widget, [widget] { widget->showModel(); }});
    connect(widget, &PageWidget::actionDone, this, [this] { refresh(); });
  }
  for (const ToolRegistration& row : toolRegistry()) {
    if (row.pageName == nullptr || row.layout == nullptr) continue;
    OnlineTool& tool = program_.toolOf(row);
    auto* widget = new PageWidget(tool, row.layout(), program_.captions, [this] { return idle(); }, {},
                                  {tool.tickIntervalMs(), [&tool] { tool.tick(); }});
    pages_->addWidget(widget);
    pageWidgets_.push_back(widget);
    pageTopics_.push_back({row.topicCaption, row.pageName, widget, [widget] { widget->showModel(); }});
    connect(widget, &PageWidget::actionDone, this, [this] { refresh(); });
    if (row.topicCaption == cap::kFirmwareTopic) {
      firmwareWindows_ = new FirmwareWindows(program_.tool<FirmwareTool>(), this, widget, fFirm_);
    }
  }
  buildDisplays();
}

void TfMain::buildDisplays() {
  for (const ToolRegistration& row : toolRegistry()) {
    OnlineTool& tool = program_.toolOf(row);
    // A tool without a page of its own (the terminal) is ticked while its display shows.
    std::function<void()> tick;
    if (row.pageName == nullptr && tool.tickIntervalMs() > 0) tick = [&tool] { tool.tick(); };
    for (const OnlineTool::NamedDisplay& named : tool.displays()) {
      if (auto* view = findChild<QPlainTextEdit*>(QString::fromLatin1(named.name)))
        new DisplayView(*named.display, view, tick, this);
    }
  }
  new TerminalKeys(program_.tool<TerminalTool>(), mTerminal_, this);
}

void TfMain::buildToolWindows() {
  for (const ToolRegistration& row : toolRegistry()) {
    auto* tool = dynamic_cast<WindowTool*>(&program_.toolOf(row));
    if (tool == nullptr) continue;
    auto* window = new ToolWindow(*tool, program_.captions, this);
    // The one view no layout table describes: the diagnostic window's chart of the signal levels.
    if (auto* diag = dynamic_cast<DiagTool*>(tool)) {
      auto* chart = new SignalChart(*diag, program_.captions);
      window->addView(
          chart, [chart] { chart->refresh(); }, [chart] { chart->setLabels(); });
    }
    toolWindows_.push_back(window);
  }
}

void TfMain::attachHost() {
  HostWindows windows;
  windows.main = this;
  windows.progress = fParam_;
  windows.transfer = fLoad_;
  windows.connecting = fSpeedConnect_;
  windows.reset = wReset_;
  windows.firm = fFirm_;
  windows.newGateway = fNewGateway_;
  windows.captions = &program_.captions;
  windows.setMainEnabled = [this](bool enabled) { setMainEnabled(enabled); };
  windows.setStatusPanel = [this](int panel, const QString& text) { setStatusPanel(panel, text); };
  host_.attach(std::move(windows));
}

void TfMain::wireProgram() {
  program_.window.changed = [this] { refresh(); };
  ConnectionHooks& hooks = program_.connection.hooks;
  programEdition_ = hooks.applyEdition;
  hooks.applyEdition = [this] {
    if (programEdition_) programEdition_();
    editionChanged();
  };
  hooks.openCommSettings = [this] { mCommSettClick(); };
  hooks.loadAllFromGateway = [this] { runTransfer(transfers.loadAllFromGateway); };
  // The whole-configuration commands; each may change every page.
  const auto whole = [this](void (*command)(Program&)) {
    return [this, command] {
      command(program_);
      showPages();
      refresh();
    };
  };
  transfers.loadAllFromGateway = whole(gw::tbLoadGateClick);
  transfers.saveAllToGateway = whole(gw::tbSaveGateClick);
  transfers.loadAllFromFile = whole(gw::tbLoadClick);
  transfers.saveAllToFile = whole(gw::tbSaveClick);
  transfers.loadOtherFile = whole(gw::mLoadOClick);
  transfers.saveAsFile = whole(gw::mSaveAsClick);
  transfers.defaultSettings = whole(gw::mDefaultClick);

  linkWatch_ = new LinkWatch(
      program_,
      [this] {
        KeepAliveConditions conditions;
        conditions.terminalDisplayVisible = program_.window.terminalVisible;
        conditions.toolOwnsLink = program_.anyToolKeepsLinkBusy();
        return conditions;
      },
      this);
}

bool TfMain::formActivate() {
  if (activated_) return startedOk_;
  activated_ = true;
  startedOk_ = program_.start();
  if (!startedOk_) return false;
  program_.snapshotBeforeSave = program_.settings.keepBeforeSave;
  showKeepBeforeSave();
  setLabels();
  fillTrees();
  showLanguageChecks();
  showPages();
  refresh();
  return true;
}

void TfMain::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (!activated_) formActivate();
}

void TfMain::closeEvent(QCloseEvent* event) {
  if (closeRefused(program_) || !idle()) {
    event->ignore();
    return;
  }
  program_.closeDown();
  refresh();
  if (!closeQuestion(program_)) {
    event->ignore();
    return;
  }
  event->accept();
}

bool TfMain::idle() const {
  return mainEnabled_ && !program_.link.inExchange() && !program_.link.commBusy;
}

void TfMain::runIdle(const std::function<void()>& command) {
  if (idle()) command();
}

void TfMain::setMainEnabled(bool enabled) {
  // The window's parts, not the window: its dialogs and message boxes must stay usable.
  mainEnabled_ = enabled;
  centralWidget()->setEnabled(enabled);
  menuBar()->setEnabled(enabled);
  if (auto* toolbar = findChild<QToolBar*>(QStringLiteral("tbMain"))) toolbar->setEnabled(enabled);
  if (enabled) activateWindow();
}

void TfMain::setStatusPanel(int panel, const QString& text) {
  if (panel < 1 || panel > 2) return;
  panels_[panel]->setFullText(text);
}

void TfMain::refresh() {
  const MainWindowModel& model = program_.window;
  for (QAction* action : commands_) {
    const std::string name = fromQ(action->objectName());
    action->setEnabled(model.enabled(name));
    action->setVisible(model.visible(name));
  }
  // A disabled menu item says nothing by itself: this one tells why in its tooltip.
  const QString locked = toQ(program_.captions.at(cap::kCommSettingsLocked));
  if (QAction* commSett = findChild<QAction*>(QStringLiteral("mCommSett"))) {
    commSett->setToolTip(commSett->isEnabled() ? QString() : locked);
  }
  pcMain_->setTabVisible(pcMain_->indexOf(tsAlfa_), model.visible("tsAlfa"));
  QWidget* shown = noPage_;
  for (const PageTopic& topic : pageTopics_) {
    if (topic.page != model.page) continue;
    shown = topic.widget;
    topic.showModel();  // entering a topic may have changed what its page shows (the link type)
  }
  pages_->setCurrentWidget(shown);
  lbMain_->setText(toQ(model.title));
  const bool terminalShows = model.terminalVisible && mTerminal_->isHidden();
  mTerminal_->setVisible(model.terminalVisible);
  pages_->setVisible(!model.terminalVisible);
  if (terminalShows) mTerminal_->setFocus();
  tvTopic_->setOnlineImage(model.onlineImage);
}

void TfMain::setLabels() {
  const CaptionList& captions = program_.captions;
  const CaptionState edition = editionState(program_.connection.kestrinEdition);
  applyCaptions(this, kMainForm, captions, edition);
  for (PageWidget* page : pageWidgets_) page->setLabels();
  for (ToolWindow* window : toolWindows_) window->setLabels();
  applyCaptionRows(this, kMainForm, toolbarHintRows(), captions, CaptionState::Always);
  applyCaptions(wReset_, "TwReset", captions, CaptionState::Always);
  applyCaptions(fParam_, "TfParam", captions, CaptionState::Always);
  applyCaptions(fSpeedConnect_, "TfSpeedConnect", captions, CaptionState::Always);
  applyCaptions(fInsertIp_, "TfInsertIp", captions, CaptionState::Always);
  fHelp_->setLabels(captions);
  if (firmwareWindows_ != nullptr) firmwareWindows_->setLabels(captions);
  fDifferences_->setLabels(captions);
  fHistory_->setLabels(captions);
  fGatewayList_->setLabels();
  fNewGateway_->setLabels();
  fCommSettings_->setLabels();
}

void TfMain::fillTrees() {
  const QString selectedText = tvTopic_->selectedText();
  const bool kestrin = program_.connection.kestrinEdition;
  tvTopic_->fill(program_.window.topicTree(program_.captions, kestrin));
  tvAlpha_->fill(program_.window.glossary(program_.captions, kestrin));
  if (!selectedText.isEmpty()) tvTopic_->selectText(selectedText);
}

void TfMain::editionChanged() {
  // The previously selected topic is selected again by its text, or none when the edition lacks it.
  fillTrees();
  setLabels();
  showPages();
  refresh();
}

void TfMain::setLanguage(Language language) {
  const int selected = tvTopic_->selectedCaption();
  program_.setLanguage(language);
  setLabels();
  fillTrees();
  if (selected >= 0) tvTopic_->selectCaption(selected);
  if (program_.currentTopic > 0) program_.window.title = program_.captions.at(program_.currentTopic);
  showLanguageChecks();
  refresh();
}

void TfMain::showLanguageChecks() {
  for (const LanguageItem& item : languageItems()) {
    const bool current = item.language == static_cast<int>(program_.settings.language);
    for (const char* name : {item.menuItem, item.toolButton}) {
      for (QAction* action : commands_) {
        if (action->objectName() == QLatin1String(name)) action->setChecked(current);
      }
    }
  }
}

void TfMain::selectionChanged() {
  // The status bar follows the selection by itself (the program closes a link to the gateway left).
  showPages();
  refresh();
}

void TfMain::showPages() {
  for (const PageTopic& topic : pageTopics_) topic.showModel();
}

bool TfMain::chooseTopic(int caption) {
  if (!tvTopic_->selectCaption(caption)) return false;
  const QString text = tvTopic_->selectedText();
  runIdle([this, text] { program_.topics.tvTopicClick(fromQ(text)); });
  return true;
}

}  // namespace gw::ui

#pragma once
// TfMain: the program's main window — menu mMain, toolbar tbMain, the topic pane pcMain (tree tvTopic and
// glossary tvAlpha) beside the title bar lbMain and the page stack, the hidden terminal display mTerminal
// and the two-panel status bar sbMain. It draws the program's MainWindowModel, runs the commands of its
// menu and toolbar, and owns the dialogs for the whole run.

#include <QMainWindow>
#include <functional>
#include <map>
#include <string>

#include "program/program.h"
#include "shell/caption_table.h"
#include "shell/settings.h"

class QAction;
class QLabel;
class QPlainTextEdit;
class QSplitter;
class QStackedWidget;
class QTabWidget;

namespace gw::ui {

class ElidedLabel;
class FirmwareWindows;
class LinkWatch;
class QtHost;
class PageWidget;
class QtDialogRunner;
class TfCommSettings;
class TfGatewayList;
class TfDifferences;
class TfHelp;
class TfHistory;
class TfInsertIp;
class TfNewGateway;
class TfParam;
class TfLoad;
class TfSpeedConnect;
class ToolWindow;
class TopicTree;
class TwReset;
class TfFirm;

// The whole-configuration commands (load or save every page from or to the gateway or a file, all pages to
// their defaults).
struct WholeTransfers {
  std::function<void()> loadAllFromGateway;  // mLoad, tbLoadGate
  std::function<void()> saveAllToGateway;    // mSave, tbSaveGate
  std::function<void()> loadAllFromFile;     // tbLoad
  std::function<void()> saveAllToFile;       // tbSave
  std::function<void()> loadOtherFile;       // mLoadO
  std::function<void()> saveAsFile;          // mSaveAs
  std::function<void()> defaultSettings;     // mDefault
};

// Tooltips of the toolbar buttons (they show images only).
const std::vector<CaptionRow>& toolbarHintRows();

class TfMain : public QMainWindow {
  Q_OBJECT

 public:
  // The default size shows every page without scrolling on a laptop screen.
  static constexpr int kDefaultWidth = 1100;
  static constexpr int kDefaultHeight = 700;

  TfMain(Program& program, QtHost& host);
  ~TfMain() override;

  // The start-up of the first activation (also run by the first show). False when the program must end
  // (languages.ini is missing; the message has been shown): started() tells the caller after show().
  bool formActivate();
  bool started() const { return startedOk_; }

  // The commands, as the menu and toolbar run them.
  void mConnectClick();
  void mDisconnectClick();
  void mGatewayListClick();
  void mCommSettClick();
  void mAboutClick();
  void mCloseClick();
  void tbLoadGateClick() { runTransfer(transfers.loadAllFromGateway); }
  void tbSaveGateClick() { runTransfer(transfers.saveAllToGateway); }
  void tbLoadClick() { runTransfer(transfers.loadAllFromFile); }
  void tbSaveClick() { runTransfer(transfers.saveAllToFile); }
  void mLoadOClick() { runTransfer(transfers.loadOtherFile); }
  void mSaveAsClick() { runTransfer(transfers.saveAsFile); }
  void mDefaultClick() { runTransfer(transfers.defaultSettings); }
  // "Compare with gateway": the differences window, and the pages mark the controls that differ.
  void mCompareClick();
  // The history window of the selected gateway's parameter file.
  void mHistoryClick();
  // The setting "Keep the gateway's configuration before each save", kept in settings.ini.
  void mKeepBeforeSaveClick();
  // The check of mKeepBeforeSave from the setting.
  void showKeepBeforeSave();
  void setLanguage(Language language);
  // Menu items 17..27, 540 and the terminal button: the tree node with the item's caption is chosen.
  void openTopicOf(int caption);
  // Chooses the topic of this caption in the tree (as a click does); false when the tree lacks it.
  bool chooseTopic(int caption);

  // The pages the window shows, by topic caption: control name, widget and how the widget shows its model.
  struct PageTopic {
    int caption;
    std::string page;
    QWidget* widget;
    std::function<void()> showModel;
  };
  const std::vector<PageTopic>& pageTopics() const { return pageTopics_; }

  WholeTransfers transfers;

  // setLabels: every control of the window and its dialogs from the current captions.
  void setLabels();
  // Draws the model: enabled and visible commands, the page shown, the title, node images.
  void refresh();

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void buildLayout();
  void buildCommands();
  void buildDialogs();
  void buildPages();
  // The tools' text views (the trace view, the terminal display), repainted in batches, and the terminal's
  // keyboard.
  void buildDisplays();
  // The windows of the tools that have one instead of a page (TfDiag, TfActual).
  void buildToolWindows();
  void wireProgram();
  void attachHost();
  void setMainEnabled(bool enabled);
  void setStatusPanel(int panel, const QString& text);
  // True when no exchange runs and no progress window shows: a command may start.
  bool idle() const;
  void runIdle(const std::function<void()>& command);
  void editionChanged();
  void fillTrees();
  void showLanguageChecks();
  void selectionChanged();
  void runTransfer(const std::function<void()>& transfer);
  QAction* addCommand(const char* name, const char* iconName, const std::function<void()>& run);

  void showPages();

  Program& program_;
  QtHost& host_;
  std::vector<PageTopic> pageTopics_;
  // The menu and toolbar commands whose state the model decides.
  std::vector<QAction*> commands_;
  bool activated_ = false;
  bool startedOk_ = false;
  bool mainEnabled_ = true;

  QTabWidget* pcMain_ = nullptr;
  QWidget* tsTopic_ = nullptr;
  QWidget* tsAlfa_ = nullptr;
  TopicTree* tvTopic_ = nullptr;
  TopicTree* tvAlpha_ = nullptr;
  QSplitter* sMain_ = nullptr;
  QLabel* lbMain_ = nullptr;
  QStackedWidget* pages_ = nullptr;
  QWidget* noPage_ = nullptr;
  QPlainTextEdit* mTerminal_ = nullptr;
  ElidedLabel* panels_[3] = {nullptr, nullptr, nullptr};

  TfParam* fParam_ = nullptr;
  TfLoad* fLoad_ = nullptr;
  TfSpeedConnect* fSpeedConnect_ = nullptr;
  TwReset* wReset_ = nullptr;
  TfFirm* fFirm_ = nullptr;
  TfNewGateway* fNewGateway_ = nullptr;
  TfGatewayList* fGatewayList_ = nullptr;
  TfCommSettings* fCommSettings_ = nullptr;
  TfInsertIp* fInsertIp_ = nullptr;
  TfHelp* fHelp_ = nullptr;
  TfDifferences* fDifferences_ = nullptr;
  TfHistory* fHistory_ = nullptr;
  std::vector<PageWidget*> pageWidgets_;
  std::vector<ToolWindow*> toolWindows_;
  QtDialogRunner* dialogRunner_ = nullptr;
  LinkWatch* linkWatch_ = nullptr;
  FirmwareWindows* firmwareWindows_ = nullptr;
  // The program's own edition hook, which the window's wraps (and restores when it goes).
  std::function<void()> programEdition_;
};

}  // namespace gw::ui

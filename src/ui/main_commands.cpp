// The main window's menu mMain and toolbar tbMain: which command sits where, with which shortcut and icon,
// and what the commands do.

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>

#include "base/caption_ids.h"
#include "program/compare_command.h"
#include "shell/caption_table.h"
#include "shell/captions_file.h"
#include "ui/about_window.h"
#include "ui/comm_settings_window.h"
#include "ui/drift_windows.h"
#include "ui/gateway_list_window.h"
#include "ui/icons.h"
#include "ui/main_window.h"
#include "ui/qt_text.h"

namespace gw::ui {

namespace {

constexpr int kNoTopic = -1;
constexpr int kToolbarIconSize = 24;

using Command = void (TfMain::*)();

struct MenuRow {
  const char* name;  // nullptr: a separator
  const char* shortcut;
  const char* icon;
  Command command;
  int topic;  // the Gateway control items open the topic of their caption
};

struct MenuDef {
  const char* name;
  std::vector<MenuRow> rows;
};

// Menus in bar order; the Language submenu is added to Settings by itself.
const std::vector<MenuDef>& menuDefs() {
  static const std::vector<MenuDef> menus = {
      {"mFile",
       {
           {"mLoad", "F3", "gate-load", &TfMain::tbLoadGateClick, kNoTopic},
           {"mSave", "F2", "gate-save", &TfMain::tbSaveGateClick, kNoTopic},
           {"mCompare", "F6", "gate-compare", &TfMain::mCompareClick, kNoTopic},
           {"mHistory", nullptr, nullptr, &TfMain::mHistoryClick, kNoTopic},
           {nullptr, nullptr, nullptr, nullptr, kNoTopic},
           {"mLoadO", "Alt+F3", "file-open", &TfMain::mLoadOClick, kNoTopic},
           {"mSaveAs", "Alt+F2", "file-save", &TfMain::mSaveAsClick, kNoTopic},
           {"mDefault", nullptr, nullptr, &TfMain::mDefaultClick, kNoTopic},
           {nullptr, nullptr, nullptr, nullptr, kNoTopic},
           {"mClose", "Alt+F4", "close", &TfMain::mCloseClick, kNoTopic},
       }},
      {"mGateway",
       {
           {"mConnect", "F8", "connect", &TfMain::mConnectClick, kNoTopic},
           {"mDisconnect", "F5", "disconnect", &TfMain::mDisconnectClick, kNoTopic},
           {nullptr, nullptr, nullptr, nullptr, kNoTopic},
           {"mGatewayList", nullptr, "gateways", &TfMain::mGatewayListClick, kNoTopic},
       }},
      {"mGatewayControl",
       {
           {"mLogin", nullptr, nullptr, nullptr, cap::kLoginAccountTopic},
           {"mDate", nullptr, nullptr, nullptr, cap::kDateTimeTopic},
           {"mFirm", nullptr, nullptr, nullptr, cap::kFirmwareTopic},
           {"mTrac", nullptr, nullptr, nullptr, cap::kTracingTopic},
           {"mTerm", nullptr, "terminal", nullptr, cap::kTerminalTopic},
           {"mLogFile", nullptr, nullptr, nullptr, cap::kLogFileTopic},
           {"mCallData", nullptr, nullptr, nullptr, cap::kCallDataTopic},
           {"mStat", nullptr, nullptr, nullptr, cap::kStatisticsTopic},
           {"mVoiceMess", nullptr, nullptr, nullptr, cap::kVoiceMessageTopic},
           {"mDiag", nullptr, nullptr, nullptr, cap::kDiagnosticsTopic},
           {"mActual", nullptr, nullptr, nullptr, cap::kActualCallsTopic},
           {"mSipReg", nullptr, nullptr, nullptr, cap::kSipRegistrationTopic},
       }},
      {"mSettings",
       {
           {"mCommSett", nullptr, nullptr, &TfMain::mCommSettClick, kNoTopic},
           {"mKeepBeforeSave", nullptr, nullptr, &TfMain::mKeepBeforeSaveClick, kNoTopic},
       }},
      {"mHelp",
       {
           {"mAbout", nullptr, nullptr, &TfMain::mAboutClick, kNoTopic},
       }},
  };
  return menus;
}

struct ToolRow {
  const char* name;  // nullptr: a separator
  const char* icon;
  Command command;
  int topic;
};

const std::vector<ToolRow>& toolRows() {
  static const std::vector<ToolRow> rows = {
      {"tbLoad", "file-open", &TfMain::tbLoadClick, kNoTopic},
      {"tbSave", "file-save", &TfMain::tbSaveClick, kNoTopic},
      {nullptr, nullptr, nullptr, kNoTopic},
      {"tbConnect", "connect", &TfMain::mConnectClick, kNoTopic},
      {"tbDisconnect", "disconnect", &TfMain::mDisconnectClick, kNoTopic},
      {nullptr, nullptr, nullptr, kNoTopic},
      {"ToolButton5", "gateways", &TfMain::mGatewayListClick, kNoTopic},
      {nullptr, nullptr, nullptr, kNoTopic},
      {"tbLoadGate", "gate-load", &TfMain::tbLoadGateClick, kNoTopic},
      {"tbSaveGate", "gate-save", &TfMain::tbSaveGateClick, kNoTopic},
      {"tbCompare", "gate-compare", &TfMain::mCompareClick, kNoTopic},
      {nullptr, nullptr, nullptr, kNoTopic},
      // The three language buttons are added from the language table here.
      {"languages", nullptr, nullptr, kNoTopic},
      {nullptr, nullptr, nullptr, kNoTopic},
      {"tbTerminal", "terminal", nullptr, cap::kTerminalTopic},
      {nullptr, nullptr, nullptr, kNoTopic},
      {"tbClose", "close", &TfMain::mCloseClick, kNoTopic},
  };
  return rows;
}

const char* languageIcon(int language) {
  switch (language) {
    case kLanguageCzech:
      return "lang-cs";
    case kLanguageSpanish:
      return "lang-es";
    default:
      return "lang-en";
  }
}

}  // namespace

const std::vector<CaptionRow>& toolbarHintRows() {
  using P = CaptionProperty;
  static const std::vector<CaptionRow> rows = {
      {2917, "tbLoad", P::Hint, -1, "Load all pages from the gateway's parameter file"},
      {2918, "tbSave", P::Hint, -1, "Save all pages to the gateway's parameter file"},
      {0, "tbConnect", P::Hint, -1, "Connect gateway"},
      {1, "tbDisconnect", P::Hint, -1, "Disconnect gateway"},
      {2, "ToolButton5", P::Hint, -1, "List of gateways..."},
      {2919, "tbLoadGate", P::Hint, -1, "Load all parametres from the gateway"},
      {2920, "tbSaveGate", P::Hint, -1, "Save all parametres to the gateway"},
      {cap::kCompareWithGateway, "tbCompare", P::Hint, -1, "Compare with gateway"},
      {cap::kTerminalTopic, "tbTerminal", P::Hint, -1, "Terminal"},
      {8, "tbClose", P::Hint, -1, "Close"},
  };
  return rows;
}

namespace {
// A menu item or toolbar button runs its handler, or opens the topic of its caption.
std::function<void()> commandOrTopic(TfMain* window, Command command, int topic) {
  return [window, command, topic] {
    if (command != nullptr) {
      (window->*command)();
    } else {
      window->openTopicOf(topic);
    }
  };
}
}  // namespace

QAction* TfMain::addCommand(const char* name, const char* iconName, const std::function<void()>& run) {
  auto* action = new QAction(QString::fromLatin1(name), this);
  action->setObjectName(QString::fromLatin1(name));
  if (iconName != nullptr) action->setIcon(icon(iconName));
  connect(action, &QAction::triggered, this, [this, run] { runIdle(run); });
  commands_.push_back(action);
  return action;
}

void TfMain::buildCommands() {
  QMenuBar* bar = menuBar();
  bar->setObjectName(QStringLiteral("mMain"));
  for (const MenuDef& def : menuDefs()) {
    QMenu* menu = bar->addMenu(QString::fromLatin1(def.name));
    menu->setObjectName(QString::fromLatin1(def.name));
    for (const MenuRow& row : def.rows) {
      if (row.name == nullptr) {
        menu->addSeparator();
        continue;
      }
      QAction* action = addCommand(row.name, row.icon, commandOrTopic(this, row.command, row.topic));
      if (row.shortcut != nullptr) action->setShortcut(QKeySequence(QString::fromLatin1(row.shortcut)));
      menu->addAction(action);
    }
    if (std::string_view(def.name) == "mSettings") {
      menu->setToolTipsVisible(true);  // a disabled item tells why
      QMenu* languages = menu->addMenu(QStringLiteral("Language"));
      languages->setObjectName(QStringLiteral("mLanguage"));
    }
  }

  QToolBar* toolbar = addToolBar(QStringLiteral("tbMain"));
  toolbar->setObjectName(QStringLiteral("tbMain"));
  toolbar->setMovable(false);
  toolbar->setFloatable(false);
  toolbar->setIconSize(QSize(kToolbarIconSize, kToolbarIconSize));
  toolbar->setToolButtonStyle(Qt::ToolButtonIconOnly);
  toolbar->toggleViewAction()->setVisible(false);
  setContextMenuPolicy(Qt::NoContextMenu);

  auto* languageMenuGroup = new QActionGroup(this);
  auto* languageToolGroup = new QActionGroup(this);
  QMenu* languageMenu = findChild<QMenu*>(QStringLiteral("mLanguage"));
  for (const ToolRow& row : toolRows()) {
    if (row.name == nullptr) {
      toolbar->addSeparator();
      continue;
    }
    if (std::string_view(row.name) == "languages") {
      for (const LanguageItem& item : languageItems()) {
        const auto language = static_cast<Language>(item.language);
        const auto run = [this, language] { setLanguage(language); };
        QAction* tool = addCommand(item.toolButton, languageIcon(item.language), run);
        tool->setText(toQ(item.caption));
        tool->setToolTip(toQ(item.caption));
        tool->setCheckable(true);
        languageToolGroup->addAction(tool);
        toolbar->addAction(tool);
        toolbar->widgetForAction(tool)->setObjectName(tool->objectName());
      }
      continue;
    }
    QAction* action = addCommand(row.name, row.icon, commandOrTopic(this, row.command, row.topic));
    toolbar->addAction(action);
    toolbar->widgetForAction(action)->setObjectName(action->objectName());
  }

  // The language menu in the order English, Czech, Spanish, each with its shortcut.
  struct LanguageMenuRow {
    int language;
    const char* shortcut;
  };
  constexpr LanguageMenuRow kLanguageMenu[] = {
      {kLanguageEnglish, "Alt+E"}, {kLanguageCzech, "Alt+C"}, {kLanguageSpanish, "Alt+S"}};
  for (const LanguageMenuRow& row : kLanguageMenu) {
    for (const LanguageItem& item : languageItems()) {
      if (item.language != row.language) continue;
      const auto language = static_cast<Language>(item.language);
      QAction* action = addCommand(item.menuItem, nullptr, [this, language] { setLanguage(language); });
      action->setText(mnemonicSafe(toQ(item.caption)));
      action->setCheckable(true);
      action->setShortcut(QKeySequence(QString::fromLatin1(row.shortcut)));
      languageMenuGroup->addAction(action);
      languageMenu->addAction(action);
    }
  }
}

void TfMain::runTransfer(const std::function<void()>& transfer) {
  if (transfer) transfer();
}

void TfMain::mCloseClick() {
  close();
}

void TfMain::mConnectClick() {
  program_.connection.connectCommand();
  refresh();
}

void TfMain::mDisconnectClick() {
  program_.connection.disconnectCommand();
  refresh();
}

void TfMain::mGatewayListClick() {
  fGatewayList_->run();
  refresh();
}

void TfMain::mCommSettClick() {
  fCommSettings_->run();
  // Over the LAN the gateway's own addresses are not written: the pages follow the link.
  program_.linkTypeChanged();
  showPages();
  activateWindow();
}

void TfMain::mCompareClick() {
  runTransfer([this] {
    const Drift drift = compareWithGatewayClick(program_);
    showPages();
    refresh();
    if (drift.result == DriftResult::NotConnected || drift.result == DriftResult::FileError) return;
    if (drift.differences.empty() && drift.unread.empty()) return;
    fDifferences_->showDrift(drift, program_.captions);
    fDifferences_->show();
    fDifferences_->raise();
  });
}

void TfMain::mHistoryClick() {
  fHistory_->showEntries(historyEntries(program_.selection.selected().parameterFile), program_.captions);
  fHistory_->show();
  fHistory_->raise();
}

void TfMain::mKeepBeforeSaveClick() {
  Settings& settings = program_.settings;
  settings.keepBeforeSave = !settings.keepBeforeSave;
  program_.snapshotBeforeSave = settings.keepBeforeSave;
  writeKeepBeforeSave(program_.settingsPath(), settings.keepBeforeSave);
  showKeepBeforeSave();
}

void TfMain::showKeepBeforeSave() {
  if (auto* keep = findChild<QAction*>(QStringLiteral("mKeepBeforeSave"))) {
    keep->setCheckable(true);
    keep->setChecked(program_.settings.keepBeforeSave);
  }
}

void TfMain::mAboutClick() {
  fHelp_->exec();
}

void TfMain::openTopicOf(int caption) {
  chooseTopic(caption);
}

}  // namespace gw::ui

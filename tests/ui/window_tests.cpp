#include "window_tests.h"

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSlider>
#include <QSocketNotifier>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <algorithm>

#include "base/caption_ids.h"
#include "base/files.h"
#include "base/ini_file.h"
#include "base/program_folder.h"
#include "online/tracing.h"
#include "pages/system_page.h"
#include "shell/captions_file.h"
#include "shell/gateway.h"
#include "support/temp_dir.h"
#include "ui/busy_windows.h"
#include "ui/qt_text.h"
#include "ui/topic_tree.h"
#include "ui_harness.h"

namespace gw::test {

namespace {

constexpr int kSystemTopic = 30;
constexpr int kLoginTopic = 17;
constexpr int kTopicsTab = 44;
constexpr int kFileMenu = 9;
constexpr int kConnectItem = 0;
constexpr int kCzech = 0;
constexpr int kEnglish = 1;
constexpr int kLcrRecords = 64;
constexpr int kExtensionRecords = 32;
constexpr int kResetSampleMs = 50;
constexpr int kCancelAfterMs = 800;
constexpr int kCancelSlackMs = 1500;  // the wait under way ends at its next 10 ms step, the windows close
constexpr int kLayoutSettleMs = 50;
constexpr int kWideWindow = 1400;

bool contains(const std::vector<int>& labels, int label) {
  return std::find(labels.begin(), labels.end(), label) != labels.end();
}

QString text(const CaptionList& captions, int index) {
  return ui::toQ(captions.at(index));
}

int imageOf(const UiHarness& h, const QString& node) {
  QTreeWidgetItem* item = h.find<ui::TopicTree>("tvTopic")->nodeOf(node);
  return item ? item->data(0, ui::TopicTree::kImageRole).toInt() : -1;
}

std::vector<std::string> startingWith(const std::vector<std::string>& lines,
                                      std::initializer_list<const char*> prefixes) {
  std::vector<std::string> result;
  for (const std::string& line : lines) {
    for (const char* p : prefixes) {
      if (line.rfind(p, 0) == 0) result.push_back(line);
    }
  }
  return result;
}

}  // namespace

void WindowTests::connectShowsTheGatewayAndDisconnectClearsIt() {
  UiHarness h;
  REQUIRE_READY(h);
  QCOMPARE(h.find<QLabel>("sbPanel1")->text(), QStringLiteral("Demo : Disconnected, Velquin Orvale"));
  QVERIFY(h.action("mConnect")->isEnabled());
  QVERIFY(!h.action("mDisconnect")->isEnabled());
  QVERIFY(!h.action("tbDisconnect")->isEnabled());
  QCOMPARE(h.action("mConnect")->shortcut(), QKeySequence(Qt::Key_F8));
  QCOMPARE(h.action("mDisconnect")->shortcut(), QKeySequence(Qt::Key_F5));
  const QString login = QStringLiteral("Login account");
  QCOMPARE(imageOf(h, login), kImageOnlineDisconnected);

  h.trigger("tbConnect");  // the toolbar button runs the menu item's command
  QVERIFY(contains(h.labels(), cap::kConnectedLoadAll));
  QCOMPARE(h.find<QLabel>("sbPanel1")->text(),
           QStringLiteral("Demo : [127.0.0.1] Connected, Velquin Orvale"));
  QVERIFY(
      h.find<QLabel>("sbPanel2")->text().startsWith(QStringLiteral("Serial number : Q2041-00017, Boot : ")));
  QVERIFY(!h.action("mConnect")->isEnabled());
  QVERIFY(!h.action("mCommSett")->isEnabled());
  QVERIFY(!h.action("mGatewayList")->isEnabled());
  QVERIFY(h.action("mDisconnect")->isEnabled());
  QVERIFY(h.action("tbTerminal")->isEnabled());
  QCOMPARE(imageOf(h, login), kImageOnlineConnected);
  QCOMPARE(imageOf(h, QStringLiteral("System parametres")), kImageTopic);
  // Received bytes are taken when the socket is readable, not by a timer.
  QVERIFY(h.window->findChild<QSocketNotifier*>(QStringLiteral("tcpTimer")) != nullptr);
  QVERIFY(h.window->centralWidget()->isEnabled());

  h.trigger("mDisconnect");
  QCOMPARE(h.find<QLabel>("sbPanel1")->text(), QStringLiteral("Demo : Disconnected"));
  QCOMPARE(h.find<QLabel>("sbPanel2")->text(), QStringLiteral("Gateway :"));
  QVERIFY(h.action("mConnect")->isEnabled());
  QVERIFY(!h.action("mDisconnect")->isEnabled());
  QCOMPARE(imageOf(h, login), kImageOnlineDisconnected);
  QVERIFY(!h.program->link.tcpActive());
}

void WindowTests::systemPageLoadsEditsAndSaves() {
  UiHarness h;
  REQUIRE_READY(h);
  QVERIFY(h.clickNode(QStringLiteral("System parametres")));
  QCOMPARE(h.find<QLabel>("lbMain")->text(), QStringLiteral("System parametres"));
  QCOMPARE(h.find<QStackedWidget>("pgPages")->currentWidget()->objectName(), QStringLiteral("pSystem"));
  QCOMPARE(h.program->currentTopic, kSystemTopic);

  h.click("sbSystemLoad");  // connects first, then reads AT&V
  QCOMPARE(h.labels(), std::vector<int>{cap::kLoadedWithoutError});
  QCOMPARE(h.find<QLineEdit>("edSystemIpAddress")->text(), QStringLiteral("192.168.1.100"));
  QCOMPARE(h.find<QLineEdit>("edSystemIpRouter")->text(), QStringLiteral("192.168.1.1"));
  // Over the LAN the gateway's own addresses are not written, so they cannot be edited.
  QVERIFY(!h.find<QLineEdit>("edSystemIpAddress")->isEnabled());
  QCOMPARE(h.find<QComboBox>("cbSystemCDRmode")->currentText(), QStringLiteral("Successful Outgoing"));
  QCOMPARE(h.find<QLineEdit>("edSystemHold")->text(), QStringLiteral("7*"));
  QCOMPARE(h.find<QSpinBox>("seSystemPort")->value(), kDefaultFirmwarePort);
  QVERIFY(h.find<QCheckBox>("cbSystemUpgrade")->isChecked());

  h.type("edSystemHold", QStringLiteral("5*"));
  h.type("edSystemUnitId", QStringLiteral("1a2"));  // the digits filter drops the letter
  QCOMPARE(h.find<QLineEdit>("edSystemUnitId")->text(), QStringLiteral("12"));
  h.type("edSystemEndDialing", QStringLiteral("*#9"));  // one character at most
  QCOMPARE(h.find<QLineEdit>("edSystemEndDialing")->text(), QStringLiteral("*"));
  QCOMPARE(h.program->page<SystemPage>().edSystemHold.text, std::string("5*"));
  QVERIFY(h.program->pageState.modified(PageId::System));

  const std::size_t beforeSave = h.mark();
  h.click("sbSystemSave");
  QCOMPARE(h.labelsSince(beforeSave), std::vector<int>{cap::kSavedWithoutError});
  const std::vector<std::string> heard = h.heard();
  const auto saw = [&](const char* line) {
    return std::find(heard.begin(), heard.end(), line) != heard.end();
  };
  QVERIFY(saw("AT%X31=5*,9#"));
  QVERIFY(saw("AT%S91=1,12"));
  QVERIFY(saw("AT%X30=#,*,#"));
  QVERIFY(startingWith(heard, {"AT%S70", "AT%S71", "AT%S72"}).empty());

  // The upgrade switch: cleared, the port and its label are disabled and the port is 0.
  QTest::mouseClick(h.find<QCheckBox>("cbSystemUpgrade"), Qt::LeftButton);
  QVERIFY(!h.find<QSpinBox>("seSystemPort")->isEnabled());
  QVERIFY(!h.find<QLabel>("lbSystemPort")->isEnabled());
  QCOMPARE(h.find<QSpinBox>("seSystemPort")->value(), 0);
  QTest::mouseClick(h.find<QCheckBox>("cbSystemUpgrade"), Qt::LeftButton);
  QVERIFY(h.find<QSpinBox>("seSystemPort")->isEnabled());
  QCOMPARE(h.find<QSpinBox>("seSystemPort")->value(), kDefaultFirmwarePort);

  // "Default settings": the page shows defaults.ini's values (upgrading over Ethernet off there).
  h.trigger("mDefault");
  QCOMPARE(h.find<QLineEdit>("edSystemHold")->text(), QStringLiteral("7*"));
  QCOMPARE(h.find<QLineEdit>("edSystemPin")->text(), QStringLiteral("4821"));
  QVERIFY(!h.find<QCheckBox>("cbSystemUpgrade")->isChecked());
}

namespace {
// Clicks tab `index` of the tab bar named `name`.
void clickTab(const UiHarness& h, const char* name, int index) {
  auto* tabs = h.find<QTabBar>(name);
  QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(index).center());
}
}  // namespace

void WindowTests::outgoingPageLoadsEditsAndSaves() {
  UiHarness h;
  REQUIRE_READY(h);
  QVERIFY(h.clickNode(QStringLiteral("GSM outgoing groups")));
  QCOMPARE(h.find<QStackedWidget>("pgPages")->currentWidget()->objectName(), QStringLiteral("pOutgoing"));
  h.click("sbOutLoad");
  QCOMPARE(h.labels(), std::vector<int>{cap::kLoadedWithoutError});
  QCOMPARE(h.find<QComboBox>("cbOutClir")->currentText(), QStringLiteral("Enable (CLIP-off)"));

  // Group 3: its roaming network and ring tone; the SMS text belongs to every group.
  clickTab(h, "tcOutgoing", 2);
  h.type("edOutRoaming", QStringLiteral("2300a1"));
  QCOMPARE(h.find<QLineEdit>("edOutRoaming")->text(), QStringLiteral("23001"));
  QTest::mouseClick(h.find<QCheckBox>("cbOutgoingVirtualTone"), Qt::LeftButton);
  h.type("edOutTextSms", QStringLiteral("Call %N back"));
  clickTab(h, "tcOutgoing", 0);
  QCOMPARE(h.find<QLineEdit>("edOutRoaming")->text(), QString());
  QVERIFY(!h.find<QCheckBox>("cbOutgoingVirtualTone")->isChecked());

  const std::size_t beforeSave = h.mark();
  h.click("sbOutSave");
  QCOMPARE(h.labelsSince(beforeSave), std::vector<int>{cap::kSavedWithoutError});
  const std::vector<std::string> heard = h.heard();
  const auto saw = [&](const char* line) {
    return std::find(heard.begin(), heard.end(), line) != heard.end();
  };
  QVERIFY(saw("AT%G31=23001,2,0,0,1,1,1,0"));
  QVERIFY(saw("AT%G39=0,1,0,1,16,0,"));
  QVERIFY(saw("AT%S85=Call %N back"));
  QVERIFY(saw("AT%E08=0,0,0"));
}

void WindowTests::incomingPageLoadsEditsAndSaves() {
  UiHarness h;
  REQUIRE_READY(h);
  QVERIFY(h.clickNode(QStringLiteral("GSM incoming groups")));
  QCOMPARE(h.find<QStackedWidget>("pgPages")->currentWidget()->objectName(), QStringLiteral("pIncoming"));
  QVERIFY(h.program->pageState.modified(PageId::Incoming));  // showing it stores the selector's mode
  h.click("sbInLoad");
  QCOMPARE(h.labels(), std::vector<int>{cap::kLoadedWithoutError});
  QVERIFY(!h.find<QSpinBox>("seInTime")->isEnabled());  // keep time 0: "Off"

  clickTab(h, "tcIncoming", 1);
  auto* mode = h.find<QComboBox>("cbInMode");
  mode->setCurrentIndex(3);
  emit mode->activated(3);
  QCOMPARE(h.find<QLabel>("lbInHelp")->text(),
           QStringLiteral(
               "Incoming calls are answered with a dial tone and the caller dials the number by DTMF."));
  h.type("edInPrefix", QStringLiteral("*55"));

  const std::size_t beforeSave = h.mark();
  h.click("sbInSave");
  QCOMPARE(h.labelsSince(beforeSave), std::vector<int>{cap::kSavedWithoutError});
  const std::vector<std::string> heard = h.heard();
  QVERIFY(std::find(heard.begin(), heard.end(), "AT%G92=3,3,3,10,1,*55,") != heard.end());
  QVERIFY(std::find(heard.begin(), heard.end(), "AT%G91=0,3,3,10,1,,") != heard.end());
}

void WindowTests::saveErrorsAndRedMarks() {
  UiHarness h({"--refuse", "S98,X24"});
  REQUIRE_READY(h);
  QVERIFY(h.clickNode(QStringLiteral("System parametres")));
  h.click("sbSystemLoad");

  std::size_t mark = h.mark();
  h.click("sbSystemSave");
  QCOMPARE(h.labelsSince(mark), std::vector<int>{cap::kSaveErrorsHeader});  // one box for every failure
  const Message& summary = h.messages.back();
  QCOMPARE(summary.kind, MessageKind::Warning);
  QCOMPARE(summary.captionLabel, cap::kWarningTitle);
  QVERIFY(summary.text.find("System settings - PIN\n") != std::string::npos);
  QVERIFY(summary.text.find("System settings - Port for upgrading FW through Ethernet\n") !=
          std::string::npos);
  QVERIFY(summary.text.find("Hold call") == std::string::npos);

  h.type("edSystemHold", QString());
  mark = h.mark();
  h.click("sbSystemSave");
  QCOMPARE(h.labelsSince(mark), std::vector<int>{cap::kInvalidValues});
  QCOMPARE(h.messages.back().kind, MessageKind::Error);
  auto* hold = h.find<QLineEdit>("edSystemHold");
  QVERIFY(hold->property("marked").toBool());
  QVERIFY(!h.find<QLineEdit>("edSystemHang")->property("marked").toBool());
  h.type("edSystemHold", QStringLiteral("1"));
  QVERIFY(!hold->property("marked").toBool());
}

void WindowTests::languageSwitchRelabelsMenusAndTree() {
  UiHarness h;
  REQUIRE_READY(h);
  const CaptionList english = shippedCaptions(kEnglish);
  const CaptionList czech = shippedCaptions(kCzech);
  QVERIFY(text(czech, kFileMenu) != text(english, kFileMenu));
  QCOMPARE(h.find<QMenu>("mFile")->title(), text(english, kFileMenu));
  QVERIFY(h.clickNode(text(english, kSystemTopic)));
  QVERIFY(h.action("tbEnglish")->isChecked());

  h.trigger("tbCzech");
  QCOMPARE(h.find<QMenu>("mFile")->title(), text(czech, kFileMenu));
  QCOMPARE(h.action("mConnect")->text(), ui::mnemonicSafe(text(czech, kConnectItem)));
  auto* tabs = h.find<QTabWidget>("pcMain");
  QCOMPARE(tabs->tabText(tabs->indexOf(h.find<QWidget>("tsTopic"))), text(czech, kTopicsTab));
  auto* tree = h.find<ui::TopicTree>("tvTopic");
  QVERIFY(tree->nodeOf(text(czech, kLoginTopic)) != nullptr);
  QVERIFY(tree->nodeOf(text(english, kLoginTopic)) == nullptr);
  // The shown topic stays selected and its title follows the language.
  QCOMPARE(tree->selectedCaption(), kSystemTopic);
  QCOMPARE(h.find<QLabel>("lbMain")->text(), text(czech, kSystemTopic));
  QVERIFY(h.action("tbCzech")->isChecked());
  QVERIFY(h.action("mCzech")->isChecked());
  QVERIFY(!h.action("tbEnglish")->isChecked());
  // The status bar speaks the language too, and each language is named in its own.
  QCOMPARE(h.find<QLabel>("sbPanel1")->text(),
           QStringLiteral("Demo : ") + text(czech, cap::kDisconnected) + QStringLiteral(", Velquin Orvale"));
  QCOMPARE(h.action("mCzech")->text(), QStringLiteral("\u010Ce\u0161tina"));
  QCOMPARE(h.action("mSpanish")->text(), QStringLiteral("Espa\u00F1ol"));
  QCOMPARE(IniFile::load(h.home.file("settings.ini")).readInt("main", "Language", -1), kCzech);

  // A topic is still found by its (Czech) text.
  QVERIFY(h.clickNode(text(czech, kSystemTopic)));
  QCOMPARE(h.program->currentTopic, kSystemTopic);

  h.trigger("mEnglish");
  QCOMPARE(h.find<QMenu>("mFile")->title(), text(english, kFileMenu));
  QCOMPARE(IniFile::load(h.home.file("settings.ini")).readInt("main", "Language", -1), kEnglish);
}

void WindowTests::kestrinEditionHidesWhatItLacks() {
  UiHarness h({"--edition", "kestrin"});
  REQUIRE_READY(h);
  auto* tree = h.find<ui::TopicTree>("tvTopic");
  auto* tabs = h.find<QTabWidget>("pcMain");
  const int glossaryTab = tabs->indexOf(h.find<QWidget>("tsAlfa"));
  QVERIFY(tabs->isTabVisible(glossaryTab));
  QVERIFY(tree->nodeOf(QStringLiteral("Terminal")) != nullptr);
  QVERIFY(h.clickNode(QStringLiteral("System parametres")));

  h.trigger("mConnect");
  QVERIFY(h.program->connection.kestrinEdition);
  for (const char* gone : {"Terminal", "Log file", "Call data records", "Voice message", "Statistics",
                           "Actual calls...", "Diagnostic calls...", "SIP registration state",
                           "GSM groups assignment", "LCR table", "Autorouting table", "Mobility extension"}) {
    QVERIFY2(tree->nodeOf(QString::fromLatin1(gone)) == nullptr, gone);
  }
  QVERIFY(tree->nodeOf(QStringLiteral("Factory parametres reset")) != nullptr);
  QCOMPARE(tree->selectedText(), QStringLiteral("System parametres"));
  QVERIFY(!tabs->isTabVisible(glossaryTab));
  for (const char* hidden : {"mTerm", "mLogFile", "mStat", "mCallData", "mActual", "mVoiceMess", "mDiag",
                             "mSipReg", "tbTerminal"}) {
    QVERIFY2(!h.action(hidden)->isVisible(), hidden);
  }
  QVERIFY(h.action("mLogin")->isVisible());
  QCOMPARE(h.window->windowTitle(), QStringLiteral("Velquin Kestrin Program"));
  for (const char* hidden : {"gbSystem2", "gbSystem3", "edSystemDial3", "lbSystemNormal"}) {
    QVERIFY2(h.find<QWidget>(hidden)->isHidden(), hidden);
  }
  QVERIFY(!h.find<QWidget>("gbSystem1")->isHidden());
  QVERIFY(!h.find<QWidget>("sbSystemSave")->isHidden());
}

void WindowTests::factoryResetClearsTheTablesInOrder() {
  UiHarness h({"--reset-time", "300"});
  REQUIRE_READY(h);
  h.trigger("mConnect");
  QVERIFY(h.program->link.comm.connected);

  // While the reset waits, the window keeps running its timers: sample what it shows.
  bool resetWindowSeen = false;
  bool mainDisabledSeen = false;
  QTimer sampler;
  QObject::connect(&sampler, &QTimer::timeout, [&] {
    if (h.find<ui::TwReset>("wReset")->isVisible()) resetWindowSeen = true;
    if (!h.window->centralWidget()->isEnabled()) mainDisabledSeen = true;
  });
  sampler.start(kResetSampleMs);

  h.answers.push_back(Answer::Yes);
  const std::size_t mark = h.mark();
  QVERIFY(h.clickNode(QStringLiteral("Factory parametres reset")));
  sampler.stop();
  QCOMPARE(h.labelsSince(mark), (std::vector<int>{cap::kFactoryResetQuestion, cap::kFactoryResetDone}));

  std::vector<std::string> expected;
  for (int i = 0; i < kLcrRecords; ++i) {
    expected.push_back("AT%R" + std::to_string(i) + "=");
    if (i < kExtensionRecords) expected.push_back("AT%M" + std::to_string(i) + "=");
  }
  expected.push_back("AT%R00=1,0:00/24:00,1,0");
  expected.push_back("AT&FRES");
  QCOMPARE(expected.size(), std::size_t{98});
  QCOMPARE(startingWith(h.heard(), {"AT%R", "AT%M", "AT&FRES"}), expected);

  QVERIFY(resetWindowSeen);
  QVERIFY(mainDisabledSeen);
  QVERIFY(!h.find<ui::TwReset>("wReset")->isVisible());
  QVERIFY(h.window->centralWidget()->isEnabled());
  QVERIFY(h.program->link.comm.connected);  // reconnected after the restart
  QVERIFY(h.action("mDisconnect")->isEnabled());
}

void WindowTests::gatewayListAddsAGateway() {
  UiHarness h;
  REQUIRE_READY(h);
  QStringList listed;
  QStringList afterNew;
  QString proposedFile;
  QString typedAddress;
  QString editorTitle;
  h.onDialog("fGatewayList", [&](QWidget* list) {
    auto* names = list->findChild<QListWidget*>(QStringLiteral("lbGateways"));
    for (int i = 0; i < names->count(); ++i) listed << names->item(i)->text();
    h.onDialog("fNewGateway", [&](QWidget* editor) {
      editorTitle = editor->windowTitle();
      const auto typeInto = [editor](const char* name, const QString& text) {
        auto* edit = editor->findChild<QLineEdit*>(QString::fromLatin1(name));
        edit->setFocus();
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClicks(edit, text);
        return edit->text();
      };
      typeInto("edName", QStringLiteral("Gw2"));
      proposedFile = editor->findChild<QLineEdit*>(QStringLiteral("edFile"))->text();
      typedAddress = typeInto("edIp", QStringLiteral("10.1.2.3x"));
      typeInto("edUser", QStringLiteral("user"));
      typeInto("edPassword", QStringLiteral("secret"));
      QTest::mouseClick(editor->findChild<QPushButton*>(QStringLiteral("sbOk")), Qt::LeftButton);
    });
    QTest::mouseClick(list->findChild<QPushButton*>(QStringLiteral("sbNew")), Qt::LeftButton);
    for (int i = 0; i < names->count(); ++i) afterNew << names->item(i)->text();
    QCOMPARE(names->currentItem()->text(), QStringLiteral("Gw2"));
    // Remove all asks first; No keeps every gateway.
    h.answers.push_back(Answer::No);
    QTest::mouseClick(list->findChild<QPushButton*>(QStringLiteral("sbRemoveAll")), Qt::LeftButton);
    QCOMPARE(names->count(), 2);
    QTest::mouseClick(list->findChild<QPushButton*>(QStringLiteral("sbQuit")), Qt::LeftButton);
  });
  h.trigger("ToolButton5");
  QVERIFY(!h.dialogMissed);
  QCOMPARE(listed, QStringList{QStringLiteral("Demo")});
  QCOMPARE(afterNew, (QStringList{QStringLiteral("Demo"), QStringLiteral("Gw2")}));
  QCOMPARE(editorTitle, QStringLiteral("New gateway"));
  QCOMPARE(proposedFile, ui::toQ(joinPath(joinPath(h.home.path(), "Gw2"), "Gw2.ini")));
  QCOMPARE(typedAddress, QStringLiteral("10.1.2.3"));
  const auto entry = GatewayFile(h.home.file("gtws.ini")).read("Gw2");
  QVERIFY(entry.has_value());
  QCOMPARE(entry->host, std::string("10.1.2.3"));
  QCOMPARE(entry->password, std::string("secret"));
  QCOMPARE(h.labels(), std::vector<int>{cap::kRemoveAllQuestion});
  // The selected gateway is still the demo one.
  QCOMPARE(h.program->selection.selected().name, std::string("Demo"));
}

void WindowTests::closeAsksToSaveChangedPages() {
  UiHarness h;
  REQUIRE_READY(h);
  QVERIFY(h.clickNode(QStringLiteral("System parametres")));
  h.type("edSystemPin", QStringLiteral("1234"));

  h.answers.push_back(Answer::Cancel);
  std::size_t mark = h.mark();
  QVERIFY(!h.window->close());
  QCOMPARE(h.labelsSince(mark), std::vector<int>{cap::kSaveChangesQuestion});
  QCOMPARE(h.messages.back().kind, MessageKind::QuestionCancel);
  QVERIFY(h.window->isVisible());
  const IniFile settings = IniFile::load(h.home.file("settings.ini"));
  QCOMPARE(settings.readInt("main", "ShowHeader", -1), 0);
  QCOMPARE(settings.readInt("main", "ResizeColumns", -1), 1);
  const std::string file = h.program->selection.selected().parameterFile;
  QVERIFY(!fileExists(file));

  h.answers.push_back(Answer::Yes);
  mark = h.mark();
  QVERIFY(h.window->close());
  QCOMPARE(h.labelsSince(mark), std::vector<int>{cap::kSaveChangesQuestion});
  QCOMPARE(IniFile::load(file).readString("System parametres", "S98", "?"), std::string("1234"));
}

void WindowTests::startStopsWithoutLanguagesFile() {
  UiHarness h({}, false);
  REQUIRE_READY(h);
  std::remove(h.home.file(kLanguagesFile).c_str());
  QVERIFY(!h.window->formActivate());
  QCOMPARE(h.messages.size(), std::size_t{1});
  // The two-language text, then the folder where the file was looked for.
  QCOMPARE(h.messages[0].text, std::string(kLanguageFileMissingText) + "\n" + h.home.path());
  QCOMPARE(h.messages[0].kind, MessageKind::Error);
}

void WindowTests::connectCanBeCancelledAndSaysSo() {
  UiHarness h({"--silent-after", "0"});  // takes the connection, never says a word
  REQUIRE_READY(h);
  QTimer::singleShot(kCancelAfterMs, [&h] {
    auto* connecting = h.find<ui::TfSpeedConnect>("fSpeedConnect");
    if (connecting->isVisible()) {
      QTest::mouseClick(connecting->findChild<QPushButton*>(QStringLiteral("sbCancel")), Qt::LeftButton);
    }
  });
  QElapsedTimer elapsed;
  elapsed.start();
  h.trigger("tbConnect");
  QVERIFY(elapsed.elapsed() < kCancelAfterMs + kCancelSlackMs);
  QCOMPARE(h.labels(), std::vector<int>{cap::kConnectCancelled});
  QVERIFY(!h.program->link.tcpActive());
  QCOMPARE(h.find<QLabel>("sbPanel1")->text(), QStringLiteral("Demo : Disconnected"));
  QCOMPARE(imageOf(h, QStringLiteral("Login account")), kImageOnlineDisconnected);
  QVERIFY(h.action("mConnect")->isEnabled());
  QVERIFY(!h.find<ui::TfSpeedConnect>("fSpeedConnect")->isVisible());
  QVERIFY(h.window->centralWidget()->isEnabled());
}

void WindowTests::connectingElsewhereClosesTheOpenLinkFirst() {
  UiHarness h;
  REQUIRE_READY(h);
  // A second gateway on the same simulator, which serves one client at a time: a link left open to the
  // first would keep the second waiting.
  QVERIFY(GatewayFile(h.home.file("gtws.ini"))
              .write("Lab", GatewayEntry{"127.0.0.1", std::to_string(h.sim->tcpPort()), "2222", "admin",
                                         "admin", std::nullopt}));
  h.trigger("tbConnect");
  QVERIFY(h.program->link.comm.connected);

  const std::size_t mark = h.mark();
  h.onDialog("fGatewayList", [](QWidget* list) {
    auto* names = list->findChild<QListWidget*>(QStringLiteral("lbGateways"));
    const QList<QListWidgetItem*> lab = names->findItems(QStringLiteral("Lab"), Qt::MatchExactly);
    if (lab.isEmpty()) return;
    names->setCurrentItem(lab.front());
    QTest::mouseClick(list->findChild<QPushButton*>(QStringLiteral("sbConnect")), Qt::LeftButton);
  });
  h.trigger("ToolButton5");
  QVERIFY(!h.dialogMissed);
  QCOMPARE(h.find<QLabel>("sbPanel1")->text(), QStringLiteral("Lab : [127.0.0.1] Connected, Velquin Orvale"));
  QCOMPARE(h.labelsSince(mark), std::vector<int>{cap::kConnectedLoadAll});
  QCOMPARE(h.program->selection.selected().name, std::string("Lab"));
  const std::vector<std::string> heard = h.heard();
  QCOMPARE(std::count(heard.begin(), heard.end(), std::string("ATI4")), 2L);  // two logins, two links
}

void WindowTests::statusPanelsGiveWayInsteadOfOverlapping() {
  UiHarness h;
  REQUIRE_READY(h);
  QVERIFY(h.window->minimumWidth() > 0 && h.window->minimumHeight() > 0);
  h.window->resize(1, 1);
  QCOMPARE(h.window->size(), h.window->minimumSize());

  const std::string first = "Demo : [192.168.100.200] " + std::string(120, 'x');
  const std::string second = "Serial number : Q2041-00017, Boot : 01.05 , " + std::string(120, 'y');
  h.host.setStatusPanel(1, first);
  h.host.setStatusPanel(2, second);
  QTest::qWait(kLayoutSettleMs);
  auto* panel1 = h.find<QLabel>("sbPanel1");
  auto* panel2 = h.find<QLabel>("sbPanel2");
  QVERIFY(!panel1->geometry().intersects(panel2->geometry()));
  QVERIFY(panel2->geometry().right() <= h.find<QWidget>("sbMain")->width());
  for (auto [panel, full] : {std::pair{panel1, first}, std::pair{panel2, second}}) {
    QVERIFY(panel->text().endsWith(QChar(0x2026)));
    QCOMPARE(panel->toolTip(), ui::toQ(full));
  }

  // With room the whole description shows: no fixed width cuts it short.
  h.window->resize(kWideWindow, h.window->height());
  h.host.setStatusPanel(1, "Demo : [127.0.0.1] Connected, Velquin Orvale");
  QTest::qWait(kLayoutSettleMs);
  QCOMPARE(panel1->text(), QStringLiteral("Demo : [127.0.0.1] Connected, Velquin Orvale"));
}

void WindowTests::serialResetLeavesAConsoleThatTakesCommands() {
  TempDir ptyDir;
  const std::string pty = ptyDir.file("ttyGW");
  UiHarness h({"--pty", pty, "--rates", "115200", "--reset-time", "300"});
  REQUIRE_READY(h);
  Link& link = h.program->link;
  link.comm.linkType = kSerialLink;
  link.comm.portName = pty;
  link.comm.portList = {pty};
  h.trigger("mConnect");
  QVERIFY(link.comm.connected);

  h.answers.push_back(Answer::Yes);
  std::size_t mark = h.mark();
  QVERIFY(h.clickNode(QStringLiteral("Gateway reset")));
  QCOMPARE(h.labelsSince(mark), (std::vector<int>{cap::kResetQuestion, cap::kResetDone}));
  QVERIFY(link.comm.connected);

  // "Connected" is true: the next command is answered, not taken for a user name.
  QVERIFY(h.clickNode(QStringLiteral("System parametres")));
  mark = h.mark();
  h.click("sbSystemLoad");
  QCOMPARE(h.labelsSince(mark), std::vector<int>{cap::kLoadedWithoutError});
  QCOMPARE(h.find<QLineEdit>("edSystemIpAddress")->text(), QStringLiteral("192.168.1.100"));
}

void WindowTests::commSettingsKeepATypedPortAndSayWhyTheyAreLocked() {
  UiHarness h;
  REQUIRE_READY(h);
  const QString typed = QStringLiteral("/dev/pts/77");
  const auto shownPort = [&h] {
    QString shown;
    h.onDialog("fCommSettings", [&shown](QWidget* dialog) {
      shown = dialog->findChild<QComboBox*>(QStringLiteral("cbComPorts"))->currentText();
      QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("sbCancel")), Qt::LeftButton);
    });
    h.trigger("mCommSett");
    return shown;
  };
  h.onDialog("fCommSettings", [&typed](QWidget* dialog) {
    auto* type = dialog->findChild<QComboBox*>(QStringLiteral("cbCommType"));
    type->setFocus();
    QTest::keyClick(type, Qt::Key_Up);  // the serial link, chosen as a user chooses it
    auto* ports = dialog->findChild<QComboBox*>(QStringLiteral("cbComPorts"));
    ports->setFocus();
    ports->lineEdit()->selectAll();
    QTest::keyClicks(ports->lineEdit(), typed);
    QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("sbOk")), Qt::LeftButton);
  });
  h.trigger("mCommSett");
  QVERIFY(!h.dialogMissed);
  QCOMPARE(h.program->link.comm.portName, ui::fromQ(typed));
  QCOMPARE(shownPort(), typed);
  // A search that found nothing on the port makes the link forget it; the dialog still shows the choice.
  h.program->link.comm.portName.clear();
  QCOMPARE(shownPort(), typed);
  QCOMPARE(IniFile::load(h.home.file("settings.ini")).readString("main", "Comport", ""), ui::fromQ(typed));

  IniFile::writeKey(h.home.file("settings.ini"), "main", "CommType", "2");
  h.program->link.comm.linkType = kLanLink;
  h.trigger("tbConnect");
  QVERIFY(h.program->link.comm.connected);
  QVERIFY(!h.action("mCommSett")->isEnabled());
  QCOMPARE(h.action("mCommSett")->toolTip(), text(h.program->captions, cap::kCommSettingsLocked));
  h.trigger("mDisconnect");
  QVERIFY(h.action("mCommSett")->isEnabled());
  QVERIFY(h.action("mCommSett")->toolTip() != text(h.program->captions, cap::kCommSettingsLocked));
}

void WindowTests::ethernetPageLoadsEditsAndSaves() {
  UiHarness h;
  REQUIRE_READY(h);
  QVERIFY(h.clickNode(QStringLiteral("Ethernet parametres")));
  QCOMPARE(h.find<QStackedWidget>("pgPages")->currentWidget()->objectName(), QStringLiteral("pEthernet"));
  h.click("sbEthernetLoad");
  QCOMPARE(h.labels(), std::vector<int>{cap::kLoadedWithoutError});
  QCOMPARE(h.find<QLineEdit>("edEthernetFirst")->text(), QStringLiteral("8000"));
  QCOMPARE(h.find<QComboBox>("cbEthernetPriority1")->currentText(), QStringLiteral("18 - G729"));
  QVERIFY(h.find<QCheckBox>("cbEthernetDefault1")->isChecked());
  QVERIFY(!h.find<QLineEdit>("edEthernetDefault1")->isEnabled());

  h.type("edEthernetRegisterDomain", QStringLiteral("sip.test"));
  // Check boxes and radio buttons as wide as their column take a click on their indicator.
  const auto clickIndicator = [](QAbstractButton* button) {
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(button->height() / 2, button->height() / 2));
  };
  clickIndicator(h.find<QCheckBox>("cbEthernetDefault1"));  // a port of its own
  QVERIFY(h.find<QLineEdit>("edEthernetDefault1")->isEnabled());
  h.type("edEthernetDefault1", QStringLiteral("50x70"));
  clickIndicator(h.find<QRadioButton>("rbEthernetG723"));
  QCOMPARE(h.find<QComboBox>("cbEthernetPriority1")->itemText(0), QStringLiteral("4 - G723"));
  QVERIFY(h.program->pageState.modified(PageId::Ethernet));

  const std::size_t beforeSave = h.mark();
  h.click("sbEthernetSave");  // G.723 comes in: the gateway re-initialises and the link is opened anew
  QCOMPARE(h.labelsSince(beforeSave), std::vector<int>{cap::kSavedWithoutError});
  const std::vector<std::string> heard = h.heard();
  for (const char* line : {"AT%E81=sip.test", "AT%E10=0.0.0.0:5070", "AT%E01=4,0,8"})
    QVERIFY2(std::find(heard.begin(), heard.end(), line) != heard.end(), line);
  QVERIFY(h.program->link.comm.connected);
}

void WindowTests::basicPageLoadsEditsAndSaves() {
  UiHarness h;
  REQUIRE_READY(h);
  QVERIFY(h.clickNode(QStringLiteral("GSM basic parametres")));
  h.click("sbBasicLoad");
  QCOMPARE(h.labels(), std::vector<int>{cap::kLoadedWithoutError});
  QCOMPARE(h.find<QLabel>("lbBasicOutputDb")->text(), QStringLiteral("0dB"));
  QVERIFY(!h.find<QSpinBox>("seBasicMin")->isVisible());

  h.find<QSlider>("tbBasicOutputLevel")->setValue(40);
  QCOMPARE(h.find<QLabel>("lbBasicOutputDb")->text(), QStringLiteral("8dB"));
  h.onDialog("fCause", [](QWidget* dialog) {
    dialog->findChild<QSpinBox*>(QStringLiteral("se1"))->setValue(17);
    dialog->findChild<QSpinBox*>(QStringLiteral("se2"))->setValue(20);
    QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("sbOk")), Qt::LeftButton);
  });
  h.click("sbBasicCauseAdd");
  QVERIFY(!h.dialogMissed);
  QCOMPARE(h.find<QListWidget>("lbBasicCauses")->count(), 1);

  const std::size_t beforeSave = h.mark();
  h.click("sbBasicSave");
  QCOMPARE(h.labelsSince(beforeSave), std::vector<int>{cap::kSavedWithoutError});
  const std::vector<std::string> heard = h.heard();
  for (const char* line : {"AT%E04=40,32", "AT%G101=17/20"})
    QVERIFY2(std::find(heard.begin(), heard.end(), line) != heard.end(), line);
}

void WindowTests::groupsPageLoadsEditsAndSaves() {
  UiHarness h;
  REQUIRE_READY(h);
  QVERIFY(h.clickNode(QStringLiteral("GSM groups assignment")));
  h.click("sbGroupLoad");
  QCOMPARE(h.labels(), std::vector<int>{cap::kLoadedWithoutError});
  auto* module2 = h.find<QComboBox>("cbGroupOut2");
  QCOMPARE(module2->currentText(), QStringLiteral("1.group"));
  module2->setCurrentIndex(3);
  emit module2->activated(3);
  QVERIFY(h.program->pageState.modified(PageId::Groups));

  const std::size_t beforeSave = h.mark();
  h.click("sbGroupSave");
  QCOMPARE(h.labelsSince(beforeSave), std::vector<int>{cap::kSavedWithoutError});
  const std::vector<std::string> heard = h.heard();
  QVERIFY(std::find(heard.begin(), heard.end(), "AT%G00=1141") != heard.end());
}

void WindowTests::tracingAtTwoThousandLinesASecondLeavesTheWindowTakingKeys() {
  UiHarness h({"--trace-rate", "2000"});
  REQUIRE_READY(h);
  QVERIFY(h.clickNode(QStringLiteral("Tracing")));
  QCOMPARE(h.find<QStackedWidget>("pgPages")->currentWidget()->objectName(), QStringLiteral("pTracing"));
  const QString file = ui::toQ(h.home.file("trace.txt"));
  h.type("edTracFile", file);
  auto* start = h.find<QPushButton>("sbTracStart");
  h.click("sbTracStart");  // connects first
  QCOMPARE(start->text(), QStringLiteral("Stop"));
  QCOMPARE(h.find<QComboBox>("cbTracType")->currentIndex(), 1);  // over the LAN: the messages
  QCOMPARE(h.find<QRadioButton>("rbTracIpTcpTelnet")->text(), QStringLiteral("Messages from layers 2,3,4"));
  QVERIFY(!h.action("tbLoadGate")->isEnabled());

  // Keys typed into another field arrive through the event queue while the trace pours in.
  auto* edit = h.find<QLineEdit>("edTracFile");
  edit->setFocus();
  edit->end(false);
  for (const QChar c : QStringLiteral(".bak")) {
    QCoreApplication::postEvent(edit,
                                new QKeyEvent(QEvent::KeyPress, c.toUpper().unicode(), Qt::NoModifier, c));
  }
  QTRY_COMPARE(edit->text(), file + QStringLiteral(".bak"));
  auto* view = h.find<QPlainTextEdit>("mTracing");
  QTRY_VERIFY(view->blockCount() > 2000);

  h.click("sbTracStart");
  QCOMPARE(start->text(), QStringLiteral("Start"));
  QVERIFY(h.action("tbLoadGate")->isEnabled());
  const std::vector<std::string> lines = h.heard();
  QVERIFY(std::find(lines.begin(), lines.end(), "AT!R2") != lines.end());
  QCOMPARE(lines.back(), std::string("AT!RX"));
  // Every line the gateway sent is in the file once, in order.
  const QString trace = QString::fromLatin1(readFile(h.home.file("trace.txt")));
  const QRegularExpression numbered(QStringLiteral("(L2|L3|L4) #([0-9]{6}) "));
  int expected = 1;
  for (auto it = numbered.globalMatch(trace); it.hasNext();)
    QCOMPARE(it.next().captured(2).toInt(), expected++);
  QVERIFY(expected > 2000);

  // Closing the window stops a running trace on the gateway first.
  h.click("sbTracStart");
  QCOMPARE(start->text(), QStringLiteral("Stop"));
  QVERIFY(h.window->close());
  QVERIFY(!h.program->tool<TracingTool>().running());
  QCOMPARE(h.heard().back(), std::string("AT!RX"));
}

void WindowTests::terminalSendsKeysAsTypedAndGivesWayToTheNextTopic() {
  UiHarness h;
  REQUIRE_READY(h);
  QVERIFY(h.clickNode(QStringLiteral("Terminal")));  // connects first
  auto* terminal = h.find<QPlainTextEdit>("mTerminal");
  QVERIFY(terminal->isVisible());
  QVERIFY(!h.find<QStackedWidget>("pgPages")->isVisible());
  QCOMPARE(h.find<QLabel>("lbMain")->text(), QStringLiteral("Terminal"));
  QVERIFY(!h.action("tbLoadGate")->isEnabled());

  QTest::keyClicks(terminal, QStringLiteral("AT&V"));
  QTest::keyClick(terminal, Qt::Key_Return);
  QTRY_VERIFY(terminal->toPlainText().contains(QStringLiteral("AT&V\n\nS70=192.168.1.100\n")));
  QTRY_VERIFY(terminal->toPlainText().endsWith(QStringLiteral("\nOK\n")));
  QTest::keyClicks(terminal, QStringLiteral("AX"));
  QTRY_VERIFY(terminal->toPlainText().endsWith(QStringLiteral("\nAX")));
  QTest::keyClick(terminal, Qt::Key_Backspace);  // erased at once; the gateway's erase echo is not shown
  QTRY_VERIFY(terminal->toPlainText().endsWith(QStringLiteral("\nA")));
  QGuiApplication::clipboard()->setText(QStringLiteral("T\r"));
  QTest::keyClick(terminal, Qt::Key_V, Qt::ControlModifier);
  QTRY_VERIFY(terminal->toPlainText().endsWith(QStringLiteral("\nAT\n\nOK\n")));

  QVERIFY(h.clickNode(QStringLiteral("System parametres")));
  QVERIFY(!terminal->isVisible());
  QVERIFY(h.action("tbLoadGate")->isEnabled());
  // gwsim writes down what it heard on its own time: the line end that closed the terminal comes last.
  const auto lastThree = [&h] {
    const std::vector<std::string> lines = h.heard();
    return std::vector<std::string>(lines.end() - std::min<std::ptrdiff_t>(3, std::ssize(lines)),
                                    lines.end());
  };
  QTRY_COMPARE(lastThree(), (std::vector<std::string>{"AT&V", "AT", ""}));
}

}  // namespace gw::test

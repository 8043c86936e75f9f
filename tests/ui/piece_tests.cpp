#include "piece_tests.h"

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include "base/caption_ids.h"
#include "base/fake_clock.h"
#include "base/files.h"
#include "base/ini_file.h"
#include "base/recording_host.h"
#include "online/online_tool.h"
#include "pages/page_registry.h"
#include "pages/record_dialog.h"
#include "pages/system_page.h"
#include "shell/gateway.h"
#include "support/temp_dir.h"
#include "ui/busy_windows.h"
#include "ui/caption_labels.h"
#include "ui/demo_mode.h"
#include "ui/form_layout.h"
#include "ui/gwconfig_options.h"
#include "ui/page_binder.h"
#include "ui/page_widget.h"
#include "ui/palette.h"
#include "ui/qt_host.h"
#include "ui/qt_text.h"
#include "ui/record_dialog_window.h"
#include "ui/screenshots.h"
#include "ui/sim_child.h"
#include "ui/topic_tree.h"

namespace gw::test {

namespace {
constexpr int kStopAndHang = 178;
constexpr int kGatewayNameLabel = 100;
constexpr int kDemoPort = 4321;
}  // namespace

void PieceTests::fileFiltersBecomeQtFilters() {
  QCOMPARE(ui::qtFileFilter("Parametres file (*.ini)|*.ini"), QStringLiteral("Parametres file (*.ini)"));
  QCOMPARE(ui::qtFileFilter("Firmware|*.hex;*.h86|All files|*"),
           QStringLiteral("Firmware (*.hex *.h86);;All files (*)"));
  QCOMPARE(ui::qtFileFilter("Text files"), QStringLiteral("Text files"));
  QCOMPARE(ui::qtFileFilter(""), QString());
}

void PieceTests::textsFromTheGatewayAndCaptions() {
  QCOMPARE(ui::toQ("Espa\xC5\x88ol"), QStringLiteral("Espa\u0148ol"));
  // Not UTF-8: a gateway's Latin-1 text.
  QCOMPARE(ui::toQ("caf\xE9"), QStringLiteral("caf\u00E9"));
  QCOMPARE(ui::toGateway(QStringLiteral("caf\u00E9")), std::string("caf\xE9"));
  QCOMPARE(ui::fromGateway("caf\xE9"), QStringLiteral("caf\u00E9"));
  QCOMPARE(ui::toGateway(QStringLiteral("\u0148")), std::string("?"));
  QCOMPARE(ui::mnemonicSafe(QStringLiteral("Stop & Hang")), QStringLiteral("Stop && Hang"));
  QCOMPARE(ui::labelNameFor(QStringLiteral("edName")), QStringLiteral("lbName"));
  QCOMPARE(ui::labelNameFor(QStringLiteral("Edit1")), QStringLiteral("lbEdit1"));
}

void PieceTests::captionRowsLabelTheirControls() {
  QWidget form;
  auto* stop = new QPushButton(&form);
  stop->setObjectName(QStringLiteral("sbStop"));
  auto* name = new QLineEdit(&form);
  name->setObjectName(QStringLiteral("edName"));
  auto* nameLabel = new QLabel(&form);
  nameLabel->setBuddy(name);
  auto* kind = new QComboBox(&form);
  kind->setObjectName(QStringLiteral("cbKind"));
  kind->addItems({QStringLiteral("a"), QStringLiteral("b")});
  auto* box = new QGroupBox(&form);
  box->setObjectName(QStringLiteral("gbLink"));

  using P = CaptionProperty;
  const std::vector<CaptionRow> rows = {
      {kStopAndHang, "sbStop", P::Text, -1, "Stop", "TfTest"},
      {kGatewayNameLabel, "edName", P::FieldLabel, -1, "Gateway name : ", "TfTest"},
      {7, "cbKind", P::ListItem, 1, "Second", "TfTest"},
      {7, "cbKind", P::ListItem, 5, "Beyond the items", "TfTest"},
      {85, "gbLink", P::Text, -1, "LAN", "TfTest", CaptionState::LanLink},
      {86, "gbLink", P::Text, -1, "Serial", "TfTest", CaptionState::SerialLink},
      {9, "TfTest", P::WindowTitle, -1, "Test window", "TfTest"},
      {9, "sbStop", P::Text, -1, "Another form's row", "TfOther"},
  };
  CaptionList captions;
  captions.set(kStopAndHang, "Stop & Hang");
  ui::applyCaptionRows(&form, "TfTest", rows, captions, CaptionState::LanLink);
  QCOMPARE(stop->text(), QStringLiteral("Stop && Hang"));
  QCOMPARE(nameLabel->text(), QStringLiteral("Gateway name : "));
  QCOMPARE(kind->itemText(0), QStringLiteral("a"));
  QCOMPARE(kind->itemText(1), QStringLiteral("Second"));
  QCOMPARE(kind->count(), 2);
  QCOMPARE(box->title(), QStringLiteral("LAN"));
  QCOMPARE(form.windowTitle(), QStringLiteral("Test window"));

  ui::applyCaptionRows(&form, "TfTest", rows, captions, CaptionState::SerialLink);
  QCOMPARE(box->title(), QStringLiteral("Serial"));
}

void PieceTests::topicTreeChoosesOncePerClickOrKey() {
  ui::TopicTree tree(QStringLiteral("tvTopic"));
  QSignalSpy chosen(&tree, &ui::TopicTree::chosen);
  tree.fill({{28, "Online configuration", true, kImageGroup},
             {17, "Login account", false, kImageOnlineDisconnected},
             {18, "Date/time", false, kImageOnlineDisconnected},
             {40, "Reset", true, kImageGroup},
             {41, "Gateway reset", false, kImageTopic}});
  tree.resize(300, 300);
  tree.show();
  QVERIFY(QTest::qWaitForWindowExposed(&tree));
  QCOMPARE(chosen.count(), 0);
  QCOMPARE(tree.nodeOf(QStringLiteral("Reset"))->data(0, ui::TopicTree::kImageRole).toInt(),
           kImageGroupExpanded);

  const auto click = [&tree](const char* text) {
    QTreeWidgetItem* item = tree.nodeOf(QString::fromLatin1(text));
    QTest::mouseClick(tree.viewport(), Qt::LeftButton, {}, tree.visualItemRect(item).center());
  };
  click("Gateway reset");
  QCOMPARE(chosen.count(), 1);
  QCOMPARE(chosen.takeFirst().at(0).toString(), QStringLiteral("Gateway reset"));
  click("Gateway reset");  // a reset topic chosen again runs again
  QCOMPARE(chosen.count(), 1);
  chosen.clear();

  QVERIFY(tree.selectText(QStringLiteral("Login account")));
  QCOMPARE(chosen.count(), 0);
  QTest::keyClick(tree.viewport(), Qt::Key_Down);
  QCOMPARE(chosen.count(), 1);
  QCOMPARE(chosen.takeFirst().at(0).toString(), QStringLiteral("Date/time"));
  QCOMPARE(tree.selectedCaption(), 18);

  tree.setOnlineImage(kImageOnlineConnected);
  QCOMPARE(tree.nodeOf(QStringLiteral("Date/time"))->data(0, ui::TopicTree::kImageRole).toInt(),
           kImageOnlineConnected);
  QCOMPARE(tree.nodeOf(QStringLiteral("Gateway reset"))->data(0, ui::TopicTree::kImageRole).toInt(),
           kImageTopic);

  QTreeWidgetItem* reset = tree.nodeOf(QStringLiteral("Reset"));
  reset->setExpanded(false);
  QCOMPARE(reset->data(0, ui::TopicTree::kImageRole).toInt(), kImageGroup);
  QVERIFY(tree.selectText(QStringLiteral("Reset")));
  QTest::keyClick(tree.viewport(), Qt::Key_Return);
  QVERIFY(reset->isExpanded());
  QVERIFY(!tree.selectText(QStringLiteral("Terminal")));
  QCOMPARE(tree.selectedCaption(), -1);
}

void PieceTests::busyWindowsRefuseToClose() {
  ui::TwReset reset(nullptr);
  reset.showText(QStringLiteral("Gateway restart"),
                 QStringLiteral("Gateway is reseting ... please wait ..."));
  QVERIFY(QTest::qWaitForWindowExposed(&reset));
  QVERIFY(!reset.close());
  QTest::keyClick(&reset, Qt::Key_Escape);
  QVERIFY(reset.isVisible());
  QCOMPARE(reset.windowTitle(), QStringLiteral("Gateway restart"));
  QCOMPARE(reset.text(), QStringLiteral("Gateway is reseting ... please wait ..."));
  reset.hide();
  QVERIFY(!reset.isVisible());

  // While a connect runs the connecting window offers Cancel: the button and Esc each run it, and the
  // window still does not close by itself (it goes when the attempt ends).
  ui::TfSpeedConnect connecting(nullptr);
  auto* cancelButton = connecting.findChild<QPushButton*>(QStringLiteral("sbCancel"));
  QVERIFY(cancelButton != nullptr);
  int cancels = 0;
  connecting.setCancel([&cancels] { ++cancels; });
  connecting.showText(QStringLiteral("Connecting..."), QStringLiteral("10.0.0.5 Connecting..."));
  QVERIFY(QTest::qWaitForWindowExposed(&connecting));
  QVERIFY(cancelButton->isVisible());
  QTest::mouseClick(cancelButton, Qt::LeftButton);
  QCOMPARE(cancels, 1);
  QVERIFY(!cancelButton->isEnabled());  // once is enough
  connecting.setCancel([&cancels] { ++cancels; });
  QTest::keyClick(&connecting, Qt::Key_Escape);
  QCOMPARE(cancels, 2);
  QVERIFY(connecting.isVisible());
  connecting.setCancel(nullptr);
  QVERIFY(!cancelButton->isVisible());
  QTest::keyClick(&connecting, Qt::Key_Escape);
  QCOMPARE(cancels, 2);
  QVERIFY(connecting.isVisible());
}

namespace {
// A page context without a gateway: what a page or dialog model needs to be built and shown.
struct ModelWorld {
  FakeClock clock;
  TempDir dir;
  RecordingHost host;
  CaptionList captions;
  Link link{clock};
  GatewaySelection selection{dir.path(), host, captions};
  NewGatewayDialog newGateway{selection, host, captions};
  Connection connection{link, selection, newGateway, host, captions};
  TParametres image;
  PageState state;
  PageContext context{link, connection, selection, host, captions, image, state};
  OnlineContext online{clock, link, connection, selection, host, captions};

  std::tuple<RecordingHost&, CaptionList&, PageState&, PageContext&> parts() {
    return {host, captions, state, context};
  }
};
}  // namespace

void PieceTests::pageBinderCopiesBothWays() {
  ModelWorld world;
  auto [host, captions, state, context] = world.parts();
  SystemPage page(context);
  ui::PageWidget widget(page, systemPageLayout(), captions);
  widget.show();
  QVERIFY(QTest::qWaitForWindowExposed(&widget));

  page.edSystemHold.text = "9*";
  page.edSystemHang.marked = true;
  page.gbSystem2.visible = false;
  widget.showModel();
  auto* hold = widget.findChild<QLineEdit*>(QStringLiteral("edSystemHold"));
  auto* hang = widget.findChild<QLineEdit*>(QStringLiteral("edSystemHang"));
  QCOMPARE(hold->text(), QStringLiteral("9*"));
  QCOMPARE(hold->maxLength(), page.edSystemHold.maxLength);
  QVERIFY(hang->property("marked").toBool());
  QVERIFY(widget.findChild<QWidget*>(QStringLiteral("gbSystem2"))->isHidden());

  QTest::keyClicks(hang, QStringLiteral("8#"));
  QCOMPARE(page.edSystemHang.text, std::string("8#"));
  QVERIFY(!page.edSystemHang.marked);
  QVERIFY(!hang->property("marked").toBool());
  QVERIFY(state.modified(PageId::System));

  // The address field is checked when the user leaves it.
  auto* address = widget.findChild<QLineEdit*>(QStringLiteral("edSystemIpAddress"));
  address->setFocus();
  QTest::keyClicks(address, QStringLiteral("256.1.1.1x"));
  QCOMPARE(address->text(), QStringLiteral("256.1.1.1"));
  QTest::keyClick(address, Qt::Key_Tab);
  QCOMPARE(host.messageLabels(), std::vector<int>{cap::kInvalidIp});
  address->setFocus();
  address->selectAll();
  QTest::keyClick(address, Qt::Key_Backspace);
  QTest::keyClick(address, Qt::Key_Tab);
  QCOMPARE(address->text(), QStringLiteral("0.0.0.0"));
  QCOMPARE(host.messageLabels().size(), std::size_t{1});
}

void PieceTests::everyRegisteredPageBindsEveryControl() {
  ModelWorld world;
  auto [host, captions, state, context] = world.parts();
  for (const PageRegistration& row : pageRegistry()) {
    const std::unique_ptr<Page> page = row.make(context);
    ui::PageWidget widget(*page, row.layout(), captions);
    QCOMPARE(widget.binder().problems(), std::vector<std::string>{});
    for (const ControlSet::Button& button : page->buttons())
      QVERIFY2(widget.findChild<QPushButton*>(QString::fromStdString(button.name)) != nullptr,
               button.name.c_str());
  }
  for (const ToolRegistration& row : toolRegistry()) {
    if (row.layout == nullptr) continue;
    const std::unique_ptr<OnlineTool> tool = row.make(world.online);
    ui::PageWidget widget(*tool, row.layout(), captions, {}, {});
    QCOMPARE(widget.binder().problems(), std::vector<std::string>{});
    for (const ControlSet::Button& button : tool->buttons())
      QVERIFY2(widget.findChild<QPushButton*>(QString::fromStdString(button.name)) != nullptr,
               button.name.c_str());
  }
}

namespace {
// A record of one name: OK takes it only when the name is filled in.
class NameRecord : public RecordDialog {
 public:
  using RecordDialog::RecordDialog;
  TextField edName;
  int refused = 0;

  std::vector<NamedField> fields() override { return {{"edName", &edName}}; }
  const FormLayout& layout() const override {
    static const FormLayout layout{"fRecord",
                                   {{{{nullptr, {}, 1, {{ControlKind::Edit, "edName", {-1, "Name :"}}}}}}}};
    return layout;
  }
  std::string title() const override { return "Record"; }
  bool accept() override {
    if (!requireText({&edName})) ++refused;
    return !edName.text.empty();
  }
};
}  // namespace

void PieceTests::recordDialogsBindLikePages() {
  ModelWorld world;
  auto [host, captions, state, context] = world.parts();
  NameRecord record(context);
  ui::QtDialogRunner runner(nullptr, captions);
  QTimer::singleShot(0, [] {
    QWidget* dialog = QApplication::activeModalWidget();
    QVERIFY(dialog != nullptr && dialog->objectName() == QStringLiteral("fRecord"));
    QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("sbOk")), Qt::LeftButton);  // refused
    QVERIFY(dialog->findChild<QLineEdit*>(QStringLiteral("edName"))->property("marked").toBool());
    QTest::keyClicks(dialog->findChild<QLineEdit*>(QStringLiteral("edName")), QStringLiteral("Lab"));
    QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("sbOk")), Qt::LeftButton);
  });
  QVERIFY(runner.run(record));
  QCOMPARE(record.edName.text, std::string("Lab"));
  QCOMPARE(record.refused, 1);
  QVERIFY(!state.anyModified());  // a dialog is not a page: nothing is marked modified
}

void PieceTests::commandLine() {
  ui::GwconfigOptions o = ui::parseGwconfigOptions({"--demo", "--home", "/tmp/x", "-platform", "offscreen"});
  QVERIFY(o.error.empty());
  QVERIFY(o.demo);
  QCOMPARE(o.home.value_or(""), std::string("/tmp/x"));
  QCOMPARE(ui::parseGwconfigOptions({"--screenshots", "out"}).screenshots.value_or(""), std::string("out"));
  QVERIFY(!ui::parseGwconfigOptions({"--home"}).error.empty());
  QVERIFY(!ui::parseGwconfigOptions({"--home="}).error.empty());
  QVERIFY(!ui::parseGwconfigOptions({"--colour"}).error.empty());
  QVERIFY(ui::parseGwconfigOptions({"--help"}).help);
  QCOMPARE(ui::parseGwconfigOptions({"--palette", "dark"}).palette.value_or(""), std::string("dark"));
  QVERIFY(!ui::parseGwconfigOptions({"--palette", "blue"}).error.empty());

  // Either palette: our own colours follow it, so a marked field never shows light text on light red.
  ui::applyColorScheme(ui::ColorScheme::Dark);
  QVERIFY(ui::darkPalette());
  QVERIFY(ui::markedFieldStyle().contains(QStringLiteral("color: #ffffff")));
  ui::applyColorScheme(ui::ColorScheme::Light);
  QVERIFY(!ui::darkPalette());
  QVERIFY(ui::markedFieldStyle().contains(QStringLiteral("color: #000000")));

  QCOMPARE(ui::announcedPort("tcp 127.0.0.1:40123"), 40123);
  QCOMPARE(ui::announcedPort("tcp 127.0.0.1:0"), 0);
  QCOMPARE(ui::announcedPort("tcp 127.0.0.1:70000"), 0);
  QCOMPARE(ui::announcedPort("pty /tmp/ttyGW"), 0);
  QCOMPARE(ui::screenshotName("pSystem"), std::string("system"));
}

void PieceTests::demoFolderPointsAtTheSimulator() {
  QCOMPARE(ui::demoFolder(std::nullopt, std::string("/xdg"), std::string("/home/u")),
           std::string("/xdg/gwconfig/demo"));
  QCOMPARE(ui::demoFolder(std::nullopt, std::nullopt, std::string("/home/u")),
           std::string("/home/u/.local/share/gwconfig/demo"));
  QCOMPARE(ui::demoFolder(std::string("/h"), std::string("/xdg"), std::string("/home/u")), std::string("/h"));

  TempDir dir;
  const std::string folder = joinPath(dir.path(), "demo");
  dir.write("demo/settings.ini", "[main]\nLanguage=0\nCommType=1\n");
  std::string error;
  QVERIFY2(ui::prepareDemoFolder(folder, GW_BIN_DIR, kDemoPort, error), error.c_str());
  QVERIFY(fileExists(joinPath(folder, "languages.ini")));
  QVERIFY(fileExists(joinPath(folder, "defaults.ini")));
  const IniFile settings = IniFile::load(joinPath(folder, "settings.ini"));
  QCOMPARE(settings.readInt("main", "CommType", 0), kLanLink);
  QCOMPARE(settings.readString("main", "Gateway", ""), std::string("Demo"));
  QCOMPARE(settings.readInt("main", "Language", -1), 0);

  const std::string gateways = joinPath(folder, "gtws.ini");
  const IniFile raw = IniFile::load(gateways);
  QCOMPARE(raw.readString("Demo", "Host", ""), std::string("127.0.0.1"));
  QCOMPARE(raw.readString("Demo", "Port", ""), std::to_string(kDemoPort));
  QVERIFY(raw.readString("Demo", "Password", "") != "admin");  // stored scrambled
  const auto entry = GatewayFile(gateways).read("Demo");
  QVERIFY(entry.has_value());
  QCOMPARE(entry->user, std::string("admin"));
  QCOMPARE(entry->password, std::string("admin"));
  QCOMPARE(entry->file.value_or(""), joinPath(folder, "Demo/Demo.ini"));

  QVERIFY(ui::prepareDemoFolder(folder, GW_BIN_DIR, kDemoPort + 1, error));
  QCOMPARE(IniFile::load(gateways).readString("Demo", "Port", ""), std::to_string(kDemoPort + 1));
}

}  // namespace gw::test

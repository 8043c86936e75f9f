#include "shell/gateway_dialogs.h"

#include <gtest/gtest.h>

#include "base/files.h"
#include "base/recording_host.h"
#include "shell/comm_settings_dialog.h"
#include "support/temp_dir.h"

namespace gw {
namespace {

using test::readFile;
using test::TempDir;

CaptionList numberedCaptions() {
  CaptionList captions;
  for (int i = 0; i < 600; ++i) captions.set(i, "caption " + std::to_string(i));
  return captions;
}

struct GatewayFixture : ::testing::Test {
  TempDir dir;
  RecordingHost host;
  CaptionList captions = numberedCaptions();
  GatewaySelection selection{dir.path(), host, captions};
  NewGatewayDialog editor{selection, host, captions};
  GatewayListDialog list{selection, editor, host, captions};
  std::vector<std::string> hookCalls;

  void SetUp() override {
    selection.hooks.loadParameterFile = [this](const std::string& f) { hookCalls.push_back("load " + f); };
    selection.hooks.defaultSettings = [this] { hookCalls.push_back("defaults"); };
    selection.hooks.unnamedDefaults = [this] { hookCalls.push_back("unnamed defaults"); };
  }

  void fill(const std::string& name, const std::string& ip) {
    editor.nameChanged(name);
    editor.fields().host = ip;
    editor.fields().user = "admin";
    editor.fields().password = "secret";
  }
};

TEST_F(GatewayFixture, NewGatewayChecksRunInOrderAndEachShowsItsCaption) {
  list.newGateway();
  EXPECT_EQ(editor.captionIndex(), 98);
  EXPECT_EQ(editor.fields().name, "Gate");
  EXPECT_EQ(editor.fields().file, dir.path() + "/Gate/Gate.ini");

  struct Step {
    std::function<void(GatewayFields&)> change;
    int caption;
  };
  editor.fields() = GatewayFields{"unnamed", "", "", "", "", "", ""};
  const std::vector<Step> steps = {
      {[](GatewayFields& f) { f.name = "Gw1"; }, 409},
      {[](GatewayFields& f) { f.port = "23"; }, 416},
      {[](GatewayFields& f) { f.user = "u"; }, 411},
      {[](GatewayFields& f) { f.password = "p"; }, 412},
      {[](GatewayFields& f) { f.file = "/tmp/x.ini"; }, 525},
      {[](GatewayFields& f) { f.fwPort = "x"; }, 413},
      {[](GatewayFields& f) { f.host = "10.0.0.1"; }, 526},
  };
  EXPECT_FALSE(editor.ok());
  EXPECT_EQ(host.messages.back().textLabel, 410);
  for (const Step& s : steps) {
    s.change(editor.fields());
    EXPECT_FALSE(editor.ok());
    EXPECT_EQ(host.messages.back().textLabel, s.caption);
    EXPECT_EQ(host.messages.back().captionLabel, 47);
    EXPECT_EQ(host.messages.back().kind, MessageKind::Error);
  }
  EXPECT_FALSE(fileExists(dir.file("gtws.ini")));  // nothing written by a failed OK
  editor.fields().fwPort = "2222";
  EXPECT_TRUE(editor.ok());
  EXPECT_TRUE(folderExists(dir.file("Gw1")));

  list.newGateway();
  editor.fields() = GatewayFields{"gw1", "10.0.0.2", "23", "2222", "u", "p", "/tmp/y.ini"};
  EXPECT_FALSE(editor.ok());
  EXPECT_EQ(host.messages.back().textLabel, 415);  // names match without regard to case
}

TEST_F(GatewayFixture, TypingANameProposesItsFileUntilOneIsChosenByHand) {
  list.newGateway();
  editor.nameChanged("Gw1");
  EXPECT_EQ(editor.fields().file, dir.path() + "/Gw1/Gw1.ini");
  editor.fileChosenByHand();
  editor.fields().file = "/elsewhere/mine.ini";
  editor.nameChanged("Gw2");
  EXPECT_EQ(editor.fields().file, "/elsewhere/mine.ini");
}

// A name is a gtws.ini section and a folder: one that would read back as another gateway, or leave the
// program folder, is refused before anything is written.
TEST_F(GatewayFixture, NamesThatCannotBeASectionAndAFolderAreRefused) {
  list.newGateway();
  editor.fields() = GatewayFields{"", "10.0.0.1", "23", "2222", "u", "p", "/tmp/x.ini"};
  for (const char* name : {"Lab]2", "../up", "a/b", "a\\b", ".", "..", " Lab", "Lab ", "La\tb"}) {
    editor.fields().name = name;
    EXPECT_FALSE(editor.ok()) << name;
    EXPECT_EQ(host.messages.back().textLabel, 2935) << name;
  }
  EXPECT_FALSE(fileExists(dir.file("gtws.ini")));
  editor.fields().name = "Lab [2 .x";
  EXPECT_TRUE(editor.ok());
  EXPECT_TRUE(GatewayFile(dir.file("gtws.ini")).has("Lab [2 .x"));
}

TEST_F(GatewayFixture, LeavingAnInvalidAddressShowsCaption480) {
  list.newGateway();
  editor.fields().host = "256.1.1.1";
  EXPECT_FALSE(editor.leaveAddress());
  EXPECT_EQ(host.messageLabels(), (std::vector<int>{480}));
  editor.fields().host = "10.0.0.1";
  EXPECT_TRUE(editor.leaveAddress());
}

TEST_F(GatewayFixture, SelectLoadsTheParameterFileOrSetsDefaults) {
  list.newGateway();
  fill("Gw1", "10.0.0.7");
  ASSERT_TRUE(editor.ok());
  list.editorAccepted();
  ASSERT_EQ(list.items(), (std::vector<std::string>{"Gw1"}));
  EXPECT_EQ(list.selectedIndex(), 0);

  ASSERT_TRUE(list.selectGateway());
  EXPECT_EQ(selection.selected().name, "Gw1");
  EXPECT_EQ(selection.selected().host, "10.0.0.7");
  EXPECT_EQ(selection.selected().password, "secret");
  EXPECT_EQ(hookCalls, (std::vector<std::string>{"defaults"}));
  EXPECT_NE(readFile(dir.file("settings.ini")).find("Gateway=Gw1"), std::string::npos);
  EXPECT_EQ(selection.gatewayFolder(), dir.path() + "/Gw1");
  EXPECT_EQ(selection.toolFiles().log, dir.path() + "/Gw1/Log file.txt");

  dir.write("Gw1/Gw1.ini", "[Gateway]\nati3=QN\n");
  selection.selectGateway("GW1");
  EXPECT_EQ(hookCalls.back(), "load " + dir.path() + "/Gw1/Gw1.ini");
}

TEST_F(GatewayFixture, UnknownNamesFallBackToUnnamed) {
  selection.selectGateway("Nowhere");
  EXPECT_EQ(selection.selected().name, "unnamed");
  EXPECT_EQ(selection.selected().host, "__0.__0.__0.__0");
  EXPECT_EQ(selection.selected().parameterFile, dir.path() + "/unnamed.ini");
  EXPECT_EQ(host.status[1], "unnamed : caption 214");
  EXPECT_EQ(hookCalls, (std::vector<std::string>{"unnamed defaults"}));
  EXPECT_EQ(selection.toolFiles().tracing, dir.path() + "/Tacing.txt");
}

TEST_F(GatewayFixture, RemovingTheSelectedGatewaySelectsUnnamed) {
  for (const char* name : {"Gw1", "Gw2"}) {
    list.newGateway();
    fill(name, "10.0.0.1");
    ASSERT_TRUE(editor.ok());
  }
  list.activate();
  list.setSelectedIndex(1);
  ASSERT_TRUE(list.selectGateway());
  hookCalls.clear();

  list.setSelectedIndex(0);
  ASSERT_TRUE(list.removeGateway());  // not the selected one: nothing else changes
  EXPECT_EQ(selection.selected().name, "Gw2");
  EXPECT_TRUE(hookCalls.empty());

  list.setSelectedIndex(0);
  ASSERT_TRUE(list.removeGateway());
  EXPECT_EQ(selection.selected().name, "unnamed");
  EXPECT_EQ(hookCalls, (std::vector<std::string>{"unnamed defaults"}));
  EXPECT_TRUE(list.items().empty());
}

TEST_F(GatewayFixture, RemoveAllAsksFirstAndKeepsEverythingOnNo) {
  list.newGateway();
  fill("Gw1", "10.0.0.1");
  ASSERT_TRUE(editor.ok());
  selection.selectGateway("Gw1");
  list.activate();

  host.answers = {Answer::No};
  EXPECT_FALSE(list.removeAll());
  EXPECT_EQ(host.messageLabels(), (std::vector<int>{2910}));
  EXPECT_EQ(host.messages.back().kind, MessageKind::Question);
  EXPECT_TRUE(fileExists(dir.file("gtws.ini")));
  EXPECT_EQ(list.items().size(), 1u);
  EXPECT_EQ(selection.selected().name, "Gw1");

  host.answers = {Answer::Yes};
  EXPECT_TRUE(list.removeAll());
  EXPECT_FALSE(fileExists(dir.file("gtws.ini")));
  EXPECT_TRUE(list.items().empty());
  EXPECT_EQ(selection.selected().name, "unnamed");
}

TEST_F(GatewayFixture, EditingAnotherGatewayLeavesTheSelectedRecordAlone) {
  for (const char* name : {"Gw1", "Gw2"}) {
    list.newGateway();
    fill(name, std::string("10.0.0.") + name[2]);
    ASSERT_TRUE(editor.ok());
  }
  selection.selectGateway("Gw1");
  list.activate();
  list.setSelectedIndex(1);
  ASSERT_TRUE(list.editGateway());
  EXPECT_EQ(editor.captionIndex(), 99);
  EXPECT_EQ(editor.fields().password, "secret");
  editor.fields().host = "10.9.9.9";
  ASSERT_TRUE(editor.ok());
  EXPECT_EQ(selection.selected().host, "10.0.0.1");

  list.setSelectedIndex(0);
  ASSERT_TRUE(list.editGateway());
  editor.fields().host = "10.8.8.8";
  ASSERT_TRUE(editor.ok());
  EXPECT_TRUE(editor.changedSelected());
  EXPECT_EQ(selection.selected().host, "10.8.8.8");
}

TEST_F(GatewayFixture, RenamingInEditModeWritesANewSectionAndKeepsTheOld) {
  list.newGateway();
  fill("Gw1", "10.0.0.1");
  ASSERT_TRUE(editor.ok());
  list.activate();
  list.setSelectedIndex(0);
  ASSERT_TRUE(list.editGateway());
  editor.fields().name = "Gw9";
  ASSERT_TRUE(editor.ok());
  list.editorAccepted();
  EXPECT_EQ(list.items(), (std::vector<std::string>{"Gw1", "Gw9"}));
}

TEST_F(GatewayFixture, CommSettingsPutTheChosenPortFirst) {
  int linkType = 1;
  std::string portName;
  std::vector<std::string> portList;
  int timeout = 5000;
  bool appendLog = true;
  bool saveLog = true;
  const std::string gatewayName = "Gw1";
  std::string storedPort;
  CommSettingsTarget target{linkType, portName,    storedPort,
                            portList, timeout,     appendLog,
                            saveLog,  gatewayName, dir.file("settings.ini")};
  CommSettingsDialog dialog(host, captions);
  dialog.activate(target, {"ttyS0", "ttyS1", "ttyUSB0"});
  EXPECT_EQ(dialog.portIndex, 0);
  EXPECT_EQ(dialog.linkTypeView().groupCaption, 86);

  dialog.portIndex = 2;
  dialog.ok(target);  // untouched: the port choice does not change the link
  EXPECT_EQ(portName, "");

  dialog.portIndex = 2;
  dialog.touchPorts();
  dialog.responseTime = "3000";
  dialog.saveLog = false;
  ASSERT_TRUE(dialog.ok(target));
  EXPECT_EQ(portName, "ttyUSB0");
  EXPECT_EQ(portList, (std::vector<std::string>{"ttyUSB0", "ttyS0", "ttyS1"}));
  EXPECT_EQ(timeout, 3000);
  EXPECT_FALSE(saveLog);
  EXPECT_EQ(readFile(dir.file("settings.ini")),
            "[main]\nCommType=1\nGateway=Gw1\nComport=ttyUSB0\nSaveLog=0\nAppend=1\nTimeout=3000\n");

  dialog.activate(target, {"ttyS0", "ttyS1", "ttyUSB0"});
  EXPECT_EQ(dialog.portIndex, 2);
  EXPECT_EQ(portList.front(), "ttyUSB0");

  dialog.choosePort("/tmp/gwsim-pty");
  dialog.commTypeIndex = 1;
  EXPECT_FALSE(dialog.linkTypeView().portsVisible);
  dialog.responseTime = "abc";
  EXPECT_FALSE(dialog.ok(target));
  EXPECT_EQ(host.messages.back().kind, MessageKind::Error);
  EXPECT_EQ(linkType, 2);
  EXPECT_EQ(timeout, 3000);
}

TEST_F(GatewayFixture, CommSettingsKeepATypedPortAfterAFailedSearchForgotIt) {
  int linkType = 1;
  std::string portName;
  std::vector<std::string> portList;
  std::string storedPort = "/dev/pts/7";  // typed earlier; the search that failed on it emptied portName
  int timeout = 5000;
  bool appendLog = true;
  bool saveLog = true;
  const std::string gatewayName = "Gw1";
  CommSettingsTarget target{linkType, portName,    storedPort,
                            portList, timeout,     appendLog,
                            saveLog,  gatewayName, dir.file("settings.ini")};
  CommSettingsDialog dialog(host, captions);
  dialog.activate(target, {"ttyS0", "ttyUSB0"});
  ASSERT_EQ(dialog.portIndex, 2);
  EXPECT_EQ(dialog.ports[2], "/dev/pts/7");
  EXPECT_EQ(portList.front(), "/dev/pts/7");
  ASSERT_TRUE(dialog.ok(target));  // OK on what the dialog shows keeps it
  EXPECT_EQ(portName, "/dev/pts/7");
  EXPECT_NE(readFile(dir.file("settings.ini")).find("Comport=/dev/pts/7\n"), std::string::npos);
}

TEST(InsertIpDialog, RefusesAnInvalidAddressAndEmptiesIt) {
  RecordingHost host;
  CaptionList captions;
  InsertIpDialog dialog(host, captions);
  dialog.address = "1.2.3";
  EXPECT_FALSE(dialog.ok());
  EXPECT_EQ(dialog.address, "");
  EXPECT_EQ(host.messageLabels(), (std::vector<int>{480}));
  dialog.address = "1.2.3.4";
  EXPECT_TRUE(dialog.ok());
  EXPECT_TRUE(InsertIpDialog::acceptAddressKey('.'));
  EXPECT_FALSE(InsertIpDialog::acceptDigitsKey('.'));
  EXPECT_FALSE(InsertIpDialog::acceptAddressKey('a'));
}

}  // namespace
}  // namespace gw

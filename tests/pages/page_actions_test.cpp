#include "pages/page_actions.h"

#include <gtest/gtest.h>

#include "base/files.h"
#include "page_fixture.h"
#include "pages/system_page.h"

namespace gw {
namespace {

using test::PageFixture;
using test::readFile;
using Labels = std::vector<int>;

constexpr const char* kRead = "AT&V\r\n";
const std::string kDump =
    "S70=10.0.0.2\r\nS91=1,0\r\nS98=1234\r\nX30=*,#,#\r\nX31=7*,9#\r\nX32=*55,#55\r\nX33=*33,#33\r\nX24="
    "0\r\n";

class PageActions : public PageFixture {
 protected:
  SystemPage page{context};

  void SetUp() override { connectLan(); }
  const Message& lastMessage() const { return host.messages.back(); }
};

TEST_F(PageActions, LoadFromGateReportsSuccessAndMarksThePage) {
  peer.answer(kRead, dumpReply(kRead, kDump));
  page.sbSystemLoadClick();
  EXPECT_EQ(labels(), Labels{61});
  EXPECT_EQ(lastMessage().caption, "c54");
  EXPECT_EQ(lastMessage().kind, MessageKind::Information);
  EXPECT_TRUE(state.modified(PageId::System));
  EXPECT_EQ(page.edSystemIpAddress.text, "10.0.0.2");
  // The progress window showed while the page was read, and the main window is enabled again.
  ASSERT_GE(host.events.size(), 2u);
  EXPECT_EQ(host.events[0].what, "progress");
  EXPECT_EQ(host.events[0].text, "c114");
  EXPECT_FALSE(host.progressShown);
  EXPECT_TRUE(host.mainEnabled);
  EXPECT_FALSE(link.commBusy);
}

TEST_F(PageActions, LoadErrorsAreListedUnderTheirHeader) {
  peer.answer(kRead, dumpReply(kRead, "S91=1\r\nX30=*,#,#\r\nX31=7*,9#\r\nX32=*55,#55\r\nX33=*33,#33\r\n"));
  state.errorList = "left over\n";
  EXPECT_EQ(loadFromGate(page), PageResult::Failed);
  EXPECT_EQ(state.errorList, "System settings - Unit ID\n");
  EXPECT_TRUE(host.messages.empty());

  page.sbSystemLoadClick();
  EXPECT_EQ(labels(), Labels{218});
  EXPECT_EQ(lastMessage().text, "c218\nSystem settings - Unit ID\n");
  EXPECT_EQ(lastMessage().caption, "c45");
  EXPECT_EQ(lastMessage().kind, MessageKind::Warning);
}

TEST_F(PageActions, AnUnreadablePageIsOneLineAndStillMarked) {
  peer.answer(kRead, "\r\nERROR\r\n");
  page.sbSystemLoadClick();
  EXPECT_EQ(lastMessage().text, "c218\nSystem settings - All parametres\n");
  EXPECT_TRUE(state.modified(PageId::System));
}

TEST_F(PageActions, SaveToGateReportsAndLeavesTheFlag) {
  peer.answer("AT%S98=\r\n", "\r\nERROR\r\n");
  answerOthersOk();
  page.edSystemHold.text = page.edSystemHang.text = "1";
  page.edSystemStartDialing.text = page.edSystemEndDialing.text = "#";
  page.edSystemFollowActivation.text = page.edSystemFollowDeactivation.text = "2";
  page.edSystemSmsActivation.text = page.edSystemSmsDeactivation.text = "3";

  page.sbSystemSaveClick();
  EXPECT_EQ(labels(), Labels{219});
  EXPECT_EQ(lastMessage().text, "c219\nSystem settings - PIN\n");
  EXPECT_EQ(lastMessage().caption, "c45");
  EXPECT_EQ(host.events[0].text, "c112");
  EXPECT_FALSE(state.modified(PageId::System));

  page.edSystemPin.text = "1";
  EXPECT_EQ(saveToGate(page), PageResult::Succeeded);
  page.sbSystemSaveClick();
  EXPECT_EQ(labels(), (Labels{219, 66}));
  EXPECT_EQ(lastMessage().caption, "c54");
}

TEST_F(PageActions, AnInvalidPageIsNeitherSentNorWritten) {
  page.edSystemHold.text = "";
  state.setModified(PageId::System);
  page.sbSystemSaveClick();
  page.sbSystemSaveFileClick();
  EXPECT_EQ(labels(), (Labels{204, 204}));
  EXPECT_EQ(lastMessage().caption, "c47");
  EXPECT_EQ(lastMessage().kind, MessageKind::Error);
  EXPECT_EQ(peer.received, "");
  EXPECT_FALSE(fileExists(selection.selected().parameterFile));
  EXPECT_TRUE(state.modified(PageId::System));
  EXPECT_TRUE(page.edSystemHold.marked);
}

TEST_F(PageActions, WithoutALinkNothingHappensAndNothingIsSaid) {
  link.lanClose();
  link.comm.connected = false;
  page.sbSystemLoadClick();
  EXPECT_EQ(loadFromGate(page), PageResult::NotConnected);
  EXPECT_TRUE(host.messages.empty());
  EXPECT_FALSE(state.modified(PageId::System));
}

TEST_F(PageActions, DefaultsWithoutAFileAreTheBuiltInOnes) {
  page.edSystemPin.text = "9";
  page.sbSystemDefaultClick();
  EXPECT_EQ(page.edSystemPin.text, "4821");
  EXPECT_EQ(page.cbSystemCDRmode.index, 1);
  EXPECT_EQ(page.edSystemUnitId.text, "0");
  EXPECT_EQ(page.edSystemEndDialing.text, "#");
  EXPECT_EQ(page.edSystemHang.text, "9#");
  EXPECT_EQ(page.edSystemSmsDeactivation.text, "#33");
  EXPECT_FALSE(page.cbSystemUpgrade.checked);
  EXPECT_TRUE(state.modified(PageId::System));
  EXPECT_TRUE(host.messages.empty());
  EXPECT_EQ(peer.received, "");
}

TEST_F(PageActions, DefaultsComeFromDefaultsIniInTheProgramFolder) {
  dir.write("defaults.ini", "[System parametres]\r\nS98=\r\nX24=3000\r\nX32=*1,#1\r\n");
  page.sbSystemDefaultClick();
  EXPECT_EQ(page.edSystemPin.text, "");
  EXPECT_EQ(page.seSystemPort.value, 3000);
  EXPECT_TRUE(page.cbSystemUpgrade.checked);
  EXPECT_EQ(page.edSystemFollowActivation.text, "*1");
  EXPECT_EQ(page.edSystemHold.text, "7*");
  EXPECT_TRUE(host.messages.empty());

  // A section that cannot be read is reported once by the file loader.
  dir.write("defaults.ini", "[System parametres]\r\nX31=7*\r\n");
  page.sbSystemDefaultClick();
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(lastMessage().caption, "c47");
}

TEST_F(PageActions, SaveToFileWritesTheSectionAndClearsTheFlag) {
  peer.answer(kRead, dumpReply(kRead, kDump));
  page.sbSystemLoadClick();
  page.edSystemPin.text = "5678";
  page.sbSystemSaveFileClick();
  EXPECT_EQ(labels(), (Labels{61, 75}));
  EXPECT_EQ(lastMessage().caption, "c54");
  EXPECT_FALSE(state.modified(PageId::System));
  const std::string file = readFile(selection.selected().parameterFile);
  EXPECT_NE(file.find("[System parametres]"), std::string::npos);
  EXPECT_NE(file.find("S98=5678"), std::string::npos);
  EXPECT_NE(file.find("S70=10.0.0.2"), std::string::npos);
}

TEST_F(PageActions, AFileThatCannotBeWrittenKeepsTheFlag) {
  page.sbSystemDefaultClick();
  selection.selected().parameterFile = dir.path();  // a folder
  page.sbSystemSaveFileClick();
  EXPECT_EQ(labels(), Labels{60});
  EXPECT_EQ(lastMessage().caption, "c54");
  EXPECT_EQ(lastMessage().kind, MessageKind::Error);
  EXPECT_TRUE(state.modified(PageId::System));
}

TEST_F(PageActions, AnIpFieldIsCheckedWhenLeft) {
  EXPECT_TRUE(page.leaveField("edSystemIpAddress"));
  EXPECT_EQ(page.edSystemIpAddress.text, "0.0.0.0");
  for (const char* bad : {"192.168.1.256", "10.0.0.1.5", "10.0.1", "10..0.1", "a.b.c.d", "-1.0.0.0"}) {
    page.edSystemSubnetMask.text = bad;
    EXPECT_FALSE(page.leaveField("edSystemSubnetMask")) << bad;
  }
  EXPECT_EQ(labels(), Labels(6, 480));
  EXPECT_EQ(lastMessage().caption, "c47");
  page.edSystemSubnetMask.text = "255.255.255.0";
  EXPECT_TRUE(page.leaveField("edSystemSubnetMask"));
  // Other fields are not addresses.
  page.edSystemPin.text = "";
  EXPECT_TRUE(page.leaveField("edSystemPin"));
  EXPECT_EQ(page.edSystemPin.text, "");
}

TEST_F(PageActions, EditsFollowTheControls) {
  EXPECT_TRUE(page.editText("edSystemPin", "123456789"));
  EXPECT_EQ(page.edSystemPin.text, "1234567");
  EXPECT_FALSE(page.editText("edSystemNothing", "1"));
  EXPECT_FALSE(page.editText("cbSystemUpgrade", "1"));
  EXPECT_FALSE(page.editChoice("cbSystemCDRmode", 7));
  EXPECT_TRUE(page.editChoice("cbSystemCDRmode", 6));
  EXPECT_TRUE(page.edSystemIpAddress.accepts('.'));
  EXPECT_FALSE(page.edSystemIpAddress.accepts('a'));
  EXPECT_FALSE(page.edSystemUnitId.accepts('.'));
  EXPECT_TRUE(page.edSystemHold.accepts('*'));
}

}  // namespace
}  // namespace gw

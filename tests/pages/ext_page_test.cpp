#include "pages/ext_page.h"

#include <gtest/gtest.h>

#include "page_fixture.h"
#include "scripted_dialogs.h"

namespace gw {
namespace {

using test::PageFixture;
using Commands = std::vector<std::string>;
using Row = std::vector<std::string>;

const std::string kHeader =
    "AT&M\r\r\nidx name/user/password                                dial             cfgbits\r\n";

// A listing row as the gateway lays it out: columns at 4, 54 and 71, no blanks at the end.
std::string listed(const std::string& key, const std::string& names, const std::string& dial,
                   const std::string& bits) {
  std::string line = key + " " + names;
  line.resize(54, ' ');
  line += dial;
  if (!bits.empty()) line += std::string(71 - line.size(), ' ') + bits;
  return line + "\r\n";
}

class ExtPageTest : public PageFixture {
 protected:
  test::ScriptedDialogs dialogs;
  ExtPage page{[this] {
    PageContext c = context;
    c.dialogs = &dialogs;
    return c;
  }()};

  void SetUp() override { connectLan(); }

  void fill(std::size_t count) {
    page.lvExt.clear();
    for (std::size_t i = 0; i < count; ++i)
      page.lvExt.add({"n" + std::to_string(i), "u", "p", "+" + std::to_string(i), "1", "0", "1"});
  }
};

TEST_F(ExtPageTest, LoadReadsAPagedListingWithNamesWholeAndFlagsAsCodes) {
  peer.answerOnce("AT&M\r", kHeader + listed("M00", "Ann Lee/ann/secret", "+420601", "AR") +
                                listed("M01", "Bob/bob", "+420602", "") + "\r\n<SPACE>\r\n");
  peer.answerOnce(
      " ", "\r\n" + listed("M02", "C/c/c", "603", "S") + listed("M04", "D/d/d", "604", "") + "\r\nOK\r\n");
  EXPECT_TRUE(page.load());
  EXPECT_EQ(state.errorList, "");
  EXPECT_EQ(page.lvExt.items, (std::vector<Row>{{"Ann Lee", "ann", "secret", "+420601", "1", "0", "1"},
                                                {"Bob", "bob", "", "+420602", "0", "0", "0"},
                                                {"C", "c", "c", "603", "0", "1", "0"}}));
  EXPECT_EQ(page.extLoadedCount, 3);
  EXPECT_EQ(image.tables.extension[0], "Ann Lee,ann,secret,+420601,1,0,1");

  // A header without its columns keeps the table.
  peer.answerOnce("AT&M\r", "AT&M\r\r\nidx dial cfgbits\r\n\r\nOK\r\n");
  EXPECT_FALSE(page.load());
  EXPECT_EQ(page.lvExt.size(), 3U);
  EXPECT_EQ(state.errorList, "Mobility extension - All parametres\n");
}

TEST_F(ExtPageTest, SaveWritesRowsAndDeletesWhatTheLastLoadHadBeyondThem) {
  answerOthersOk();
  fill(5);
  page.extLoadedCount = 5;
  page.lvExt.items[0] = {
      std::string(15, 'a'), std::string(16, 'b'), std::string(16, 'c'), std::string(16, '9'), "1", "0", "0"};
  page.lvExt.items.resize(3);
  page.extSave();
  // The longest record goes out whole.
  EXPECT_EQ(lanCommands(),
            (Commands{"AT%M00=" + std::string(15, 'a') + "/" + std::string(16, 'b') + "/" +
                          std::string(16, 'c') + "," + std::string(16, '9') + ",1,0\r\n",
                      "AT%M01=n1/u/p,+1,1,0\r\n", "AT%M02=n2/u/p,+2,1,0\r\n", "AT%M03=\r\n", "AT%M04=\r\n"}));

  connection.kestrinEdition = true;
  peer.received.clear();
  page.extSave();
  EXPECT_EQ(lanCommands().size(), 32U);
  EXPECT_EQ(lanCommands()[9], "AT%M9=\r\n");
  EXPECT_EQ(state.errorList, "");
}

TEST_F(ExtPageTest, TheDialogRefusesEmptyLongAndDuplicateEntriesAndKeepsTheRegistration) {
  fill(2);
  ExtDialog& d = page.dialog();
  d.open(page.lvExt, kNoSelection);
  EXPECT_FALSE(d.accept());
  EXPECT_TRUE(d.edName.marked && d.edUser.marked && d.edPass.marked && d.edGsm.marked);
  d.editText("edName", "A,n/n");  // neither character could go to the gateway
  EXPECT_EQ(d.edName.text, "Ann");
  d.editText("edUser", std::string(22, 'u'));
  d.editText("edPass", std::string(23, 'p'));
  d.editText("edGsm", "+1");
  EXPECT_FALSE(d.accept());  // 48 characters together
  d.editText("edPass", std::string(22, 'p'));
  EXPECT_FALSE(d.accept());  // the number of row 1
  EXPECT_EQ(labels(), (std::vector<int>{kFillMarkedFieldsLabel, 455, 521}));
  d.editText("edGsm", "+7");
  d.editCheck("cbSms", true);
  EXPECT_TRUE(d.accept());
  EXPECT_EQ(d.record(), (Row{"Ann", std::string(22, 'u'), std::string(22, 'p'), "+7", "0", "1", "0"}));

  // Modifying a row may keep its own number and keeps its registration.
  dialogs.steps.push_back([](RecordDialog& r) { r.editCheck("cbFollow", false); });
  page.selectRow("lvExt", 1);
  page.sbExtEditClick();
  EXPECT_EQ(page.lvExt.items[1], (Row{"n1", "u", "p", "+1", "0", "0", "1"}));
}

TEST_F(ExtPageTest, TheFileGivesCodesAndIsCutToTheTableDefaultsEmptyIt) {
  image.tables.extension = Commands(33, "N,U,P,+1,1,x,1");
  page.extLoadFile();
  EXPECT_EQ(page.lvExt.size(), 32U);
  EXPECT_EQ(page.lvExt.items[0], (Row{"N", "U", "P", "+1", "1", "0", "1"}));
  EXPECT_EQ(page.extLoadedCount, 32);
  EXPECT_EQ(labels(), std::vector<int>{2014});

  page.loadDefaults();
  EXPECT_EQ(page.lvExt.size(), 0U);
  EXPECT_EQ(page.extLoadedCount, 32);  // a save still deletes what the gateway holds
  EXPECT_FALSE(state.modified(PageId::Ext));
}

}  // namespace
}  // namespace gw

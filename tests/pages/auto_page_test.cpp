#include "pages/auto_page.h"

#include <gtest/gtest.h>

#include "page_fixture.h"
#include "scripted_dialogs.h"

namespace gw {
namespace {

using test::PageFixture;
using Commands = std::vector<std::string>;
using Row = std::vector<std::string>;

constexpr const char* kList = "AT&A\r";
const std::string kPageEnd = "\r\n<SPACE>\r\n";
const std::string kOk = "\r\nOK\r\n";
const std::string kHeader = "idx gsm.dial (max 47)                               voip.dial (max 14) limit";

// A listing row as the gateway lays it out: columns at 4, 52 and 71, no blanks at the end.
std::string listed(const std::string& key, const std::string& gsm, const std::string& dial,
                   const std::string& limit) {
  std::string line = key + " " + gsm;
  line.resize(52, ' ');
  line += dial;
  if (!limit.empty()) {
    line.resize(71, ' ');
    line += limit;
  }
  while (line.back() == ' ') line.pop_back();
  return line + "\r\n";
}

class AutoPageTest : public PageFixture {
 protected:
  test::ScriptedDialogs dialogs;
  AutoPage page{[this] {
    PageContext c = context;
    c.dialogs = &dialogs;
    return c;
  }()};

  void SetUp() override { connectLan(); }

  void fill(std::size_t count) {
    page.lvAuto.clear();
    for (std::size_t i = 0; i < count; ++i)
      page.lvAuto.add({"+42060" + std::to_string(i), "100", "", kAutodial});
  }
};

TEST_F(AutoPageTest, LoadsAPagedListingIntoRowsAndTheImage) {
  peer.answerOnce(kList, "AT&A\r\r\n" + kHeader + "\r\n" + listed("A00", "+420601234567", "100", "") +
                             listed("A01", "+420601234568", "", "30") + kPageEnd);
  peer.answerOnce(" ", "\r\n" + listed("A02", "*99#", "555", "10000") + listed("A03", "123", "7", "x1") +
                           listed("A05", "999", "1", "") + kOk);
  EXPECT_TRUE(page.load());
  EXPECT_EQ(state.errorList, "");
  EXPECT_EQ(peer.received, "AT&A\r ");
  // A short row lends nothing from the row below it; a letter is no limit; the gap at A04 ends the table.
  const std::vector<Row> rows = {{"+420601234567", "100", "", "Autodial"},
                                 {"+420601234568", "", "30", "Autocallback"},
                                 {"*99#", "555", "10000", "Autodial/Autocallback"},
                                 {"123", "7", "", "Autodial"}};
  EXPECT_EQ(page.lvAuto.items, rows);
  EXPECT_EQ(image.tables.autorouting,
            (Commands{"+420601234567,100,,Autodial", "+420601234568,,30,Autocallback",
                      "*99#,555,10000,Autodial/Autocallback", "123,7,,Autodial"}));
}

TEST_F(AutoPageTest, AListingThatCannotBeReadKeepsTheTable) {
  const std::vector<std::string> answers = {
      "AT&A\r\r\n" + kHeader + "\r\n" + listed("A00", "1", "2", "") + kPageEnd,  // silent afterwards
      "AT&A\r\r\nidx gsm.dial (max 47) limit\r\n" + kOk,                         // a column missing
      "AT&A\r\r\n" + kHeader + "\r\n\r\nERROR\r\n",
  };
  for (const std::string& answer : answers) {
    fill(2);
    image.tables.autorouting = {"kept"};
    state.errorList.clear();
    peer.answerOnce(kList, answer);
    EXPECT_FALSE(page.load()) << answer;
    EXPECT_EQ(state.errorList, "Autorouting table - All parametres\n") << answer;
    EXPECT_EQ(page.lvAuto.size(), 2U) << answer;
    EXPECT_EQ(image.tables.autorouting, Commands{"kept"}) << answer;
  }
}

TEST_F(AutoPageTest, SaveWritesEachRowByItsTypeAndEndsTheTable) {
  fill(11);
  page.lvAuto.items[1] = {"+1", "", "30", "Autocallback"};
  page.lvAuto.items[2] = {"+2", "200", "5", "Autodial/Autocallback"};
  page.lvAuto.items[3] = {"+3", "300", "5", "Unknown"};
  // The longest record is written whole.
  page.lvAuto.items[10] = {std::string(47, '1'), std::string(14, '2'), "10000", "Autodial/Autocallback"};
  answerOthersOk();
  page.autoSave();
  const Commands heard = lanCommands();
  ASSERT_EQ(heard.size(), 12U);
  EXPECT_EQ(heard[0], "AT%A00=+420600,100\r\n");
  EXPECT_EQ(heard[1], "AT%A01=+1,,30\r\n");
  EXPECT_EQ(heard[2], "AT%A02=+2,200,5\r\n");
  EXPECT_EQ(heard[3], "AT%A03=\r\n");
  EXPECT_EQ(heard[8], "AT%A08=+420608,100\r\n");
  EXPECT_EQ(heard[9], "AT%A9=+420609,100\r\n");
  EXPECT_EQ(heard[10], "AT%A10=" + std::string(47, '1') + "," + std::string(14, '2') + ",10000\r\n");
  EXPECT_EQ(heard[11], "AT%A11=\r\n");
  EXPECT_EQ(state.errorList, "");
}

TEST_F(AutoPageTest, AFullTableHasNoEndAndKestrinDeletesEveryRecord) {
  fill(96);
  answerOthersOk();
  page.autoSave();
  Commands heard = lanCommands();
  ASSERT_EQ(heard.size(), 96U);
  EXPECT_EQ(heard.back(), "AT%A95=+4206095,100\r\n");

  peer.received.clear();
  connection.kestrinEdition = true;
  page.autoSave();
  heard = lanCommands();
  ASSERT_EQ(heard.size(), 96U);
  EXPECT_EQ(heard[0], "AT%A0=\r\n");
  EXPECT_EQ(heard[8], "AT%A8=\r\n");
  EXPECT_EQ(heard[95], "AT%A95=\r\n");
}

TEST_F(AutoPageTest, FailedWritesAreListedAtEachStepAndTheSaveGoesOn) {
  // Kestrin deletes list a refusal once.
  connection.kestrinEdition = true;
  peer.answer("=\r\n", "\r\nERROR\r\n");
  page.autoSave();
  EXPECT_EQ(lanCommands().size(), 96U);
  EXPECT_EQ(state.errorList, "Autorouting table\n");

  // Record writes list each failed step.
  connection.kestrinEdition = false;
  state.errorList.clear();
  peer.received.clear();
  fill(2);
  client->refused = {"AT%A01"};
  page.autoSave();
  EXPECT_EQ(lanCommands().size(), 2U);  // the refused send never reached the gateway
  EXPECT_EQ(state.errorList, "Autorouting table\nAutorouting table\nAutorouting table\nAutorouting table\n");
}

TEST_F(AutoPageTest, RecordsAreAddedModifiedAndRemovedThroughTheDialog) {
  dialogs.ok<AutoDialog>([](AutoDialog& d) {
    EXPECT_TRUE(d.adding());
    EXPECT_TRUE(d.cbAutodial.checked && !d.cbAutocallback.checked && !d.seLimit.enabled);
    d.editText("edGsm", "+420a601");  // the key filter drops the letter
    d.editText("edDial", "100");
  });
  page.sbAutoNewClick();
  ASSERT_EQ(page.lvAuto.items, std::vector<Row>{(Row{"+420601", "100", "", "Autodial"})});
  EXPECT_TRUE(state.modified(PageId::Auto));

  state.clearAllModified();
  page.selectRow("lvAuto", 0);
  dialogs.ok<AutoDialog>([](AutoDialog& d) {
    EXPECT_FALSE(d.adding());
    EXPECT_EQ(d.edDial.text, "100");
    d.editCheck("cbAutocallback", true);
    d.editNumber("seLimit", 30);
    d.editCheck("cbAutodial", false);
  });
  page.sbAutoEditClick();
  EXPECT_EQ(page.lvAuto.items[0], (Row{"+420601", "", "30", "Autocallback"}));
  EXPECT_TRUE(state.modified(PageId::Auto));

  page.sbAutoNewClick();  // cancelled: nothing changes
  EXPECT_EQ(page.lvAuto.size(), 1U);
  page.lvAuto.add({"+2", "2", "", "Autodial"});
  page.selectRow("lvAuto", 0);
  page.sbAutoRemoveClick();
  EXPECT_EQ(page.lvAuto.items[0][0], "+2");
  EXPECT_EQ(page.lvAuto.selected, 0);
  page.sbAutoRemoveAllClick();
  EXPECT_EQ(page.lvAuto.size(), 0U);

  // Add stops at 95 rows.
  fill(95);
  const int runs = dialogs.runs;
  page.sbAutoNewClick();
  EXPECT_EQ(dialogs.runs, runs);
  EXPECT_EQ(labels().back(), kTableFullLabel);
}

TEST_F(AutoPageTest, TheDialogKeepsOneFunctionTickedAndRefusesMissingNumbers) {
  AutoDialog& d = page.dialog();
  d.open(page.lvAuto, kNoSelection);
  d.editCheck("cbAutodial", false);  // clearing one ticks the other
  EXPECT_TRUE(d.cbAutocallback.checked && d.cbLimit.checked && d.seLimit.enabled && d.Label1.enabled);
  EXPECT_FALSE(d.edDial.enabled || d.lbDial.enabled || d.cbLimit.enabled);
  d.editCheck("cbAutocallback", false);
  EXPECT_TRUE(d.cbAutodial.checked && d.edDial.enabled);
  EXPECT_FALSE(d.cbLimit.checked || d.seLimit.enabled);

  EXPECT_FALSE(d.accept());  // both numbers missing for an autodial
  EXPECT_TRUE(d.edGsm.marked && d.edDial.marked);
  EXPECT_EQ(labels().back(), kFillMarkedFieldsLabel);
  d.editText("edGsm", "123");
  EXPECT_FALSE(d.edGsm.marked);
  d.editCheck("cbAutocallback", true);
  d.editCheck("cbAutodial", false);
  EXPECT_TRUE(d.accept());  // an autocallback needs no dial number
  EXPECT_EQ(d.record(), (Row{"123", "", "0", "Autocallback"}));

  // A row of an unknown type opens as an autodial.
  page.lvAuto.add({"1", "2", "", "?"});
  d.open(page.lvAuto, 0);
  EXPECT_TRUE(d.cbAutodial.checked);
  EXPECT_FALSE(d.cbAutocallback.checked);
}

TEST_F(AutoPageTest, ImageCopiesCutAnOverfullFileAndDefaultsEmptyTheTable) {
  fill(2);
  page.autoSaveFile();
  EXPECT_EQ(image.tables.autorouting, (Commands{"+420600,100,,Autodial", "+420601,100,,Autodial"}));

  image.tables.autorouting = Commands(97, "+1,,5,Autocallback");
  image.tables.autorouting.front() = "+9,9,,Autodial";
  page.autoLoadFile();
  EXPECT_EQ(page.lvAuto.size(), 96U);
  EXPECT_EQ(page.lvAuto.items[0], (Row{"+9", "9", "", "Autodial"}));
  EXPECT_EQ(labels(), std::vector<int>{1912});
  page.autoLoadFile();  // the message comes with every cut
  EXPECT_EQ(labels().size(), 2U);

  state.clearAllModified();
  page.loadDefaults();
  EXPECT_EQ(page.lvAuto.size(), 0U);
  EXPECT_FALSE(state.modified(PageId::Auto));
  EXPECT_EQ(page.buttons().size(), 7U);  // no "Defaults" button
}

}  // namespace
}  // namespace gw

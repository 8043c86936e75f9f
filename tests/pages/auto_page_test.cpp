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
const std::string kHeader =
    "AT&A\r\r\nidx gsm.dial (max 47)                               voip.dial (max 14) limit\r\n";

// A listing row as the gateway lays it out: columns at 4, 52 and 71, no blanks at the end.
std::string listed(const std::string& key, const std::string& gsm, const std::string& dial,
                   const std::string& limit) {
  std::string line = key + " " + gsm;
  line.resize(52, ' ');
  line += dial;
  if (!limit.empty()) line += std::string(71 - line.size(), ' ') + limit;
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
    for (std::size_t i = 0; i < count; ++i) page.lvAuto.add({"+" + std::to_string(i), "100", "", kAutodial});
  }
};

TEST_F(AutoPageTest, LoadsAPagedListingIntoRowsAndTheImage) {
  peer.answerOnce(
      kList, kHeader + listed("A00", "+420601", "100", "") + listed("A01", "+420602", "", "30") + kPageEnd);
  peer.answerOnce(" ", "\r\n" + listed("A02", "*99#", "555", "10000") + listed("A03", "123", "7", "x1") +
                           listed("A05", "999", "1", "") + "\r\nOK\r\n");
  EXPECT_TRUE(page.load());
  EXPECT_EQ(state.errorList, "");
  // A short row lends nothing from the row below it; a letter is no limit; the gap at A04 ends the table.
  EXPECT_EQ(page.lvAuto.items, (std::vector<Row>{{"+420601", "100", "", "Autodial"},
                                                 {"+420602", "", "30", "Autocallback"},
                                                 {"*99#", "555", "10000", "Autodial/Autocallback"},
                                                 {"123", "7", "", "Autodial"}}));
  EXPECT_EQ(image.tables.autorouting.front(), "+420601,100,,Autodial");
}

TEST_F(AutoPageTest, AListingThatCannotBeReadKeepsTheTable) {
  for (const std::string& answer : {kHeader + listed("A00", "1", "2", "") + kPageEnd,  // then silent
                                    std::string("AT&A\r\r\nidx gsm.dial (max 47) limit\r\n\r\nOK\r\n")}) {
    fill(2);
    state.errorList.clear();
    peer.answerOnce(kList, answer);
    EXPECT_FALSE(page.load()) << answer;
    EXPECT_EQ(state.errorList, "Autorouting table - All parametres\n") << answer;
    EXPECT_EQ(page.lvAuto.size(), 2U) << answer;
  }
}

TEST_F(AutoPageTest, SaveWritesRowsByTypeAndIndexRuleThenEndsTheTable) {
  fill(11);
  page.lvAuto.items[1] = {"+1", "", "30", "Autocallback"};
  page.lvAuto.items[2] = {"+2", "200", "5", "Autodial/Autocallback"};
  page.lvAuto.items[3] = {"+3", "300", "5", "Unknown"};
  // The longest record goes out whole.
  page.lvAuto.items[10] = {std::string(47, '1'), std::string(14, '2'), "10000", "Autodial/Autocallback"};
  answerOthersOk();
  page.autoSave();
  const Commands heard = lanCommands();
  ASSERT_EQ(heard.size(), 12U);
  EXPECT_EQ(Commands(heard.begin(), heard.begin() + 4),
            (Commands{"AT%A00=+0,100\r\n", "AT%A01=+1,,30\r\n", "AT%A02=+2,200,5\r\n", "AT%A03=\r\n"}));
  EXPECT_EQ(heard[8], "AT%A08=+8,100\r\n");
  EXPECT_EQ(heard[9], "AT%A9=+9,100\r\n");
  EXPECT_EQ(heard[10], "AT%A10=" + std::string(47, '1') + "," + std::string(14, '2') + ",10000\r\n");
  EXPECT_EQ(heard[11], "AT%A11=\r\n");

  // A full table has no end record; Kestrin deletes every record, without leading zeros.
  fill(96);
  peer.received.clear();
  page.autoSave();
  EXPECT_EQ(lanCommands().size(), 96U);
  connection.kestrinEdition = true;
  peer.received.clear();
  page.autoSave();
  EXPECT_EQ(lanCommands().size(), 96U);
  EXPECT_EQ(lanCommands()[8], "AT%A8=\r\n");
  EXPECT_EQ(state.errorList, "");
}

TEST_F(AutoPageTest, FailedWritesAreListedAtEachStepKestrinDeletesOnce) {
  connection.kestrinEdition = true;
  peer.answer("=\r\n", "\r\nERROR\r\n");
  page.autoSave();
  EXPECT_EQ(state.errorList, "Autorouting table\n");

  connection.kestrinEdition = false;
  state.errorList.clear();
  fill(1);
  client->refused = {"AT%A00"};
  page.autoSave();  // not sent and no OK, then the end record refused
  EXPECT_EQ(state.errorList, "Autorouting table\nAutorouting table\nAutorouting table\n");
}

TEST_F(AutoPageTest, AddStopsAt95RowsAndRemoveSelectsTheNextRow) {
  fill(95);
  page.sbAutoNewClick();
  EXPECT_EQ(dialogs.runs, 0);
  EXPECT_EQ(labels(), std::vector<int>{kTableFullLabel});
  page.selectRow("lvAuto", 3);
  page.sbAutoRemoveClick();
  EXPECT_EQ(page.lvAuto.items[3][0], "+4");
  EXPECT_EQ(page.lvAuto.selected, 3);
  EXPECT_TRUE(state.modified(PageId::Auto));

  // An accepted dialog replaces the selected row.
  dialogs.steps.push_back([](RecordDialog& d) { d.editText("edDial", "77"); });
  page.sbAutoEditClick();
  EXPECT_EQ(page.lvAuto.items[3], (Row{"+4", "77", "", "Autodial"}));
}

TEST_F(AutoPageTest, TheDialogKeepsOneFunctionTickedAndRefusesMissingNumbers) {
  AutoDialog& d = page.dialog();
  d.open(page.lvAuto, kNoSelection);
  d.editCheck("cbAutodial", false);  // clearing one ticks the other
  EXPECT_TRUE(d.cbAutocallback.checked && d.cbLimit.checked && d.seLimit.enabled && d.Label1.enabled);
  EXPECT_FALSE(d.edDial.enabled || d.lbDial.enabled || d.cbLimit.enabled);
  d.editCheck("cbAutocallback", false);
  EXPECT_TRUE(d.cbAutodial.checked && d.edDial.enabled && !d.seLimit.enabled);

  EXPECT_FALSE(d.accept());  // an autodial needs both numbers
  EXPECT_TRUE(d.edGsm.marked && d.edDial.marked);
  EXPECT_EQ(labels().back(), kFillMarkedFieldsLabel);
  d.editText("edGsm", "12a3");  // the key filter drops the letter
  d.editCheck("cbAutocallback", true);
  d.editCheck("cbAutodial", false);
  EXPECT_TRUE(d.accept());  // an autocallback needs no dial number
  EXPECT_EQ(d.record(), (Row{"123", "", "0", "Autocallback"}));
}

TEST_F(AutoPageTest, AnOverfullFileIsCutToTheTableAndDefaultsEmptyIt) {
  image.tables.autorouting = Commands(97, "+1,,5,Autocallback");
  page.autoLoadFile();
  EXPECT_EQ(page.lvAuto.size(), 96U);
  EXPECT_EQ(page.lvAuto.items[0], (Row{"+1", "", "5", "Autocallback"}));
  EXPECT_EQ(labels(), std::vector<int>{1912});
  page.autoSaveFile();
  EXPECT_EQ(image.tables.autorouting.size(), 96U);

  page.loadDefaults();
  EXPECT_EQ(page.lvAuto.size(), 0U);
  EXPECT_FALSE(state.modified(PageId::Auto));
}

}  // namespace
}  // namespace gw

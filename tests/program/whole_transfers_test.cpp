// The whole-configuration commands on the fake clock: the page order, the transfer window's steps, the
// summaries, the parameter file commands and their modified flags.
#include "program/whole_transfers.h"

#include <gtest/gtest.h>

#include "base/caption_ids.h"
#include "base/files.h"
#include "base/ini_file.h"
#include "base/text.h"
#include "paramfile/parameter_file.h"
#include "program/program_fixture.h"

namespace gw {
namespace {

class WholeTransfers : public test::ProgramFixture {
 protected:
  // Every step the transfer window showed, for `pages` pages.
  static std::vector<int> stepsFor(std::size_t pages) {
    std::vector<int> steps;
    for (std::size_t i = 1; i < pages; ++i) steps.push_back(static_cast<int>(i) * 10);
    return steps;
  }
};

TEST_F(WholeTransfers, LoadAllFromAGatewayRefusingEveryReadListsEveryPageOnce) {
  for (const char* read : {"AT&V\r\n", "AT&VE\r\n", "AT&V0\r\n", "AT&V1\r\n", "AT&V9\r\n", "AT&NALL\r\n",
                           "AT&R\r", "AT&A\r", "AT&M\r"}) {
    peer.answer(read, "\r\nERROR\r\n");
  }
  scriptGateway();
  tbLoadGateClick(*program);
  ASSERT_EQ(host.messages.size(), 1u);
  const Message& summary = host.messages.front();
  EXPECT_EQ(summary.textLabel, cap::kLoadErrorsHeader);
  EXPECT_EQ(summary.captionLabel, cap::kWarningTitle);
  EXPECT_EQ(host.transferSteps, stepsFor(program->pages().size()));
  // Every page was visited in page order though each failed: the summary is what each page says alone.
  std::string alone;
  for (Page* page : program->pages()) {
    program->pageState.errorList.clear();
    page->load();
    alone += program->pageState.errorList;
  }
  EXPECT_EQ(summary.text, captionOf(cap::kLoadErrorsHeader) + "\n" + alone);
  EXPECT_FALSE(host.transferShown);
  EXPECT_FALSE(program->link.commBusy);
  EXPECT_FALSE(program->pageState.anyModified());  // a whole load leaves the flags as they were
}

TEST_F(WholeTransfers, SaveAllVisitsThePagesInPageOrderAndSaysSoOnce) {
  // The outgoing page changes its own bit of E08 only: it reads the word first.
  peer.answer("AT&VE\r\n", "AT&VE\r\n\r\nE08=0,0\r\n\r\nOK\r\n");
  scriptGateway();
  ASSERT_TRUE(program->connection.commConnect(false));
  peer.received.clear();
  const WholeTransfer t = saveAllToGateway(*program);
  EXPECT_EQ(t.result, WholeResult::Succeeded) << program->pageState.errorList << peer.received;
  EXPECT_EQ(t.done.size(), program->pages().size());
  EXPECT_EQ(t.done, program->pages());  // page order is the registry's order
  tbSaveGateClick(*program);
  EXPECT_EQ(host.messageLabels().back(), cap::kSavedWithoutError);
  EXPECT_EQ(host.transferSteps, stepsFor(program->pages().size()));
}

TEST_F(WholeTransfers, SaveAsAppendsIniAndMakesTheFileTheGatewaysOwn) {
  home.write("gtws.ini", "[Gw1]\nHost=10.0.0.5\n");
  EXPECT_EQ(saveAsTarget("/x/conf"), "/x/conf.ini");
  EXPECT_EQ(saveAsTarget("/x/conf.ini"), "/x/conf.ini");
  host.files.push_back(home.file("chosen"));
  program->pageState.setModified(PageId::System);
  mSaveAsClick(*program);
  EXPECT_EQ(host.messageLabels(), std::vector<int>{cap::kSavedToFile});
  EXPECT_EQ(program->selection.selected().parameterFile, home.file("chosen.ini"));
  EXPECT_EQ(IniFile::load(home.file("gtws.ini")).readString("Gw1", "File", ""), home.file("chosen.ini"));
  EXPECT_FALSE(program->pageState.anyModified());
  // What was stored loads back and stores again byte for byte.
  TParametres back;
  EXPECT_TRUE(loadParameterFile(back, home.file("chosen.ini"), ParamSection::All));
  SectionMask sections;
  for (Page* page : program->pages()) sections = sections | page->traits().section;
  EXPECT_TRUE(saveParameterFile(back, home.file("again.ini"), sections));
  EXPECT_EQ(test::readFile(home.file("again.ini")), test::readFile(home.file("chosen.ini")));
}

TEST_F(WholeTransfers, LoadingTheGatewaysMissingFileSaysSoAndClearsTheFlags) {
  program->selection.selected().parameterFile = home.file("missing.ini");
  program->pageState.setModified(PageId::System);
  tbLoadClick(*program);
  EXPECT_EQ(host.messageLabels(), std::vector<int>{cap::kParameterFileMissing});
  EXPECT_FALSE(program->pageState.anyModified());
}

TEST_F(WholeTransfers, DefaultSettingsKeepTheGatewaysIdentificationInItsFile) {
  program->image.identification = {"ATI3, Velquin Orvale QN4", "ATI4, SNumber: Q2041-00017"};
  program->selection.selected().parameterFile = home.file("gw.ini");
  mDefaultClick(*program);
  tbSaveClick(*program);
  TParametres stored;
  ASSERT_TRUE(loadParameterFile(stored, home.file("gw.ini"), ParamSection::All));
  EXPECT_EQ(stored.identification.ati4, "ATI4, SNumber: Q2041-00017");
}

}  // namespace
}  // namespace gw

#include "pages/groups_page.h"

#include <gtest/gtest.h>

#include "page_fixture.h"

namespace gw {
namespace {

using test::PageFixture;
using Commands = std::vector<std::string>;

constexpr const char* kOutgoingRead = "AT&V0\r\n";
constexpr const char* kIncomingRead = "AT&V9\r\n";

class GroupsPageTest : public PageFixture {
 protected:
  GroupsPage page{context};

  void SetUp() override { connectLan(); }

  void gatewayHolds(const std::string& g00, const std::string& g90) {
    peer.answerOnce(kOutgoingRead, dumpReply(kOutgoingRead, "G00=" + g00 + "\r\nG02=4,0,0\r\n"));
    peer.answerOnce(kIncomingRead, dumpReply(kIncomingRead, "G90=" + g90 + "\r\nG91=0,3,3,10,1,,\r\n"));
  }
  std::vector<int> indexes() {
    std::vector<int> all;
    for (ChoiceField* f : {&page.cbGroupOut0, &page.cbGroupOut1, &page.cbGroupOut2, &page.cbGroupOut3,
                           &page.cbGroupIn0, &page.cbGroupIn1, &page.cbGroupIn2, &page.cbGroupIn3})
      all.push_back(f->index);
    return all;
  }
};

TEST_F(GroupsPageTest, LoadTakesADigitPerModuleAndListsWhatIsNotAGroup) {
  struct Case {
    std::string g00, g90;
    std::vector<int> indexes;
    std::string errors;
  };
  const std::vector<Case> cases = {
      {"2143", "4321", {1, 0, 3, 2, 3, 2, 1, 0}, ""},
      {"12",
       "1x04",
       {0, 1, 0, 0, 0, 0, 0, 3},
       "Groups assignment -  outgoing group 3\nGroups assignment -  outgoing group 4\n"
       "Groups assignment -  incoming group 2\nGroups assignment -  incoming group 3\n"},
  };
  for (const Case& c : cases) {
    for (ChoiceField* f : {&page.cbGroupOut2, &page.cbGroupIn1}) f->index = 2;
    state.errorList.clear();
    gatewayHolds(c.g00, c.g90);
    EXPECT_TRUE(page.groupLoad()) << c.g00;
    EXPECT_EQ(indexes(), c.indexes) << c.g00;
    EXPECT_EQ(state.errorList, c.errors) << c.g00;
    EXPECT_EQ(image.groups.outgoingGroup[0], c.indexes[0]);
    EXPECT_EQ(image.groups.incomingGroup[3], c.indexes[7]);
  }
}

TEST_F(GroupsPageTest, TheKestrinEditionReadsTwoModulesAndWritesGroupOne) {
  connection.kestrinEdition = true;
  page.cbGroupOut3.index = 2;
  gatewayHolds("11", "11");
  EXPECT_TRUE(page.groupLoad());
  EXPECT_EQ(state.errorList, "");
  EXPECT_EQ(page.cbGroupOut3.index, 2);  // a module this edition lacks keeps its list
  page.cbGroupOut1.index = 3;
  peer.received.clear();
  answerOthersOk();
  page.groupSave();
  EXPECT_EQ(lanCommands(), (Commands{"AT%G00=11\r\n", "AT%G90=11\r\n"}));
}

TEST_F(GroupsPageTest, AnUnreadIncomingDumpIsListedAndSaveWritesGroupNumbers) {
  peer.answerOnce(kOutgoingRead, dumpReply(kOutgoingRead, "G00=2111\r\n"));
  peer.answer(kIncomingRead, "\r\nERROR\r\n");
  page.cbGroupIn3.index = 3;
  EXPECT_FALSE(page.groupLoad());
  EXPECT_EQ(state.errorList, "Groups assignment - Incoming groups\n");
  peer.received.clear();
  answerOthersOk();
  page.groupSave();
  EXPECT_EQ(lanCommands(), (Commands{"AT%G00=2111\r\n", "AT%G90=1114\r\n"}));
}

TEST_F(GroupsPageTest, ImageCopiesKeepIndexesAndShowUnknownOnesAsTheFirstGroup) {
  image.groups.outgoingGroup = {3, 2, 1, 0};
  image.groups.incomingGroup = {0, 1, 7, 3};
  page.groupLoadFile();
  EXPECT_EQ(indexes(), (std::vector<int>{3, 2, 1, 0, 0, 1, 0, 3}));
  page.cbGroupIn2.index = 2;
  page.groupsSaveFile();
  EXPECT_EQ(image.groups.incomingGroup, (std::array<int, 4>{0, 1, 2, 3}));
}

}  // namespace
}  // namespace gw

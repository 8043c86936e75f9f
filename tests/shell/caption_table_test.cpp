#include "shell/caption_table.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <tuple>

#include "base/caption_ids.h"
#include "base/text.h"
#include "shell/captions_file.h"

namespace gw {
namespace {

const std::string kShippedFile = GW_SOURCE_DIR "/data/languages.ini";

std::string describe(const CaptionRow& row) {
  return std::string(row.form) + "." + row.control + " #" + std::to_string(row.index);
}

TEST(CaptionTable, EveryRowHasItsEnglishDefaultInTheShippedFile) {
  const CaptionList english = loadLabels(kShippedFile, kLanguageEnglish);
  for (const CaptionRow& row : captionTable()) {
    ASSERT_TRUE(row.index >= 0 && row.index < static_cast<int>(english.size())) << describe(row);
    const std::string& shipped = english.at(row.index);
    EXPECT_FALSE(shipped.empty()) << describe(row);
    if (row.englishDefault != nullptr) {
      EXPECT_EQ(shipped, trim(row.englishDefault)) << describe(row);
    }
  }
}

TEST(CaptionTable, NoControlPropertyIsSetTwiceInOneState) {
  std::set<std::tuple<std::string, std::string, CaptionProperty, int, CaptionState>> seen;
  for (const CaptionRow& row : captionTable()) {
    EXPECT_TRUE(seen.emplace(row.form, row.control, row.property, row.item, row.state).second)
        << describe(row);
  }
}

TEST(CaptionTable, RowsWithoutADefaultLeaveTheControlEmptyOthersFallBack) {
  CaptionList captions;  // nothing loaded
  const auto level = rowsFor("rbTracIpTcpTelnet");
  ASSERT_EQ(level.size(), 1u);
  EXPECT_EQ(captionText(level.front(), captions), "");
  const auto connect = rowsFor("mConnect");
  ASSERT_EQ(connect.size(), 1u);
  EXPECT_EQ(captionText(connect.front(), captions), "Connect gateway");
  captions.set(0, "P\xC5\x99ipojit br\xC3\xA1nu");
  EXPECT_EQ(captionText(connect.front(), captions), "P\xC5\x99ipojit br\xC3\xA1nu");
}

TEST(CaptionTable, TheLinkTypePicksTheCommunicationGroupAndLabel) {
  auto pick = [](const char* control, int linkType) {
    int index = -1;
    for (const CaptionRow& row : rowsFor("TfCommSettings", control)) {
      if (rowApplies(row, linkState(linkType))) {
        EXPECT_EQ(index, -1) << control << " has two rows for link type " << linkType;
        index = row.index;
      }
    }
    return index;
  };
  EXPECT_EQ(pick("gbCommLink", 1), cap::kSerialSettingsGroup);
  EXPECT_EQ(pick("lbCommLink", 1), cap::kSerialSettingsLabel);
  EXPECT_EQ(pick("gbCommLink", 2), cap::kLanSettingsGroup);
  EXPECT_EQ(pick("lbCommLink", 2), cap::kLanSettingsLabel);
}

TEST(CaptionTable, StatefulWindowsHaveOneTitlePerState) {
  auto titleFor = [](const char* form, CaptionState state) {
    std::vector<int> indices;
    for (const CaptionRow& row : rowsFor(form, form)) {
      if (row.property == CaptionProperty::WindowTitle && rowApplies(row, state))
        indices.push_back(row.index);
    }
    return indices;
  };
  EXPECT_EQ(titleFor("TfMain", editionState(false)), std::vector<int>{cap::kOrvaleProgramTitle});
  EXPECT_EQ(titleFor("TfMain", editionState(true)), std::vector<int>{cap::kKestrinProgramTitle});
  EXPECT_EQ(titleFor("TfNewGateway", CaptionState::NewGateway), std::vector<int>{cap::kNewGatewayTitle});
  EXPECT_EQ(titleFor("TfNewGateway", CaptionState::EditGateway), std::vector<int>{cap::kEditGatewayTitle});
  const int progressTitles[] = {cap::kSavingCaption, cap::kLoadingCaption, cap::kReadingCaption,
                                cap::kLoadingGatewayCaption};
  for (int kind = 0; kind < 4; ++kind) {
    EXPECT_EQ(titleFor("TfParam", progressState(kind)), std::vector<int>{progressTitles[kind]}) << kind;
  }
}

TEST(CaptionTable, ControlNamesSharedByDialogsAreToldApartByForm) {
  const auto anyOk = rowsFor("sbOk");
  ASSERT_FALSE(anyOk.empty());
  const auto commOk = rowsFor("TfCommSettings", "sbOk");
  ASSERT_EQ(commOk.size(), 1u);
  EXPECT_EQ(commOk.front().index, 89);
  EXPECT_TRUE(rowsFor("TfGatewayList", "sbOk").empty());
}

TEST(Topics, TheTreeRowsFollowTheTopicList) {
  // Node numbers count every node of the Orvale tree: each group node, then its topics.
  std::vector<int> expected;
  for (const TopicGroupNode& group : topicGroups()) {
    expected.push_back(group.caption);
    for (const Topic& topic : topicsOf(group.group, false)) expected.push_back(topic.caption);
  }
  std::vector<int> nodes(expected.size(), -1);
  for (const CaptionRow& row : rowsFor("tvTopic")) {
    ASSERT_EQ(row.property, CaptionProperty::TreeNode);
    ASSERT_TRUE(row.item >= 0 && row.item < static_cast<int>(nodes.size())) << describe(row);
    nodes[static_cast<std::size_t>(row.item)] = row.index;
  }
  EXPECT_EQ(nodes, expected);
  EXPECT_EQ(expected.size(), 27u);
  EXPECT_EQ(expected[5], cap::kTerminalTopic);  // the terminal button selects it by caption 21
}

TEST(Topics, OnlineTopicsShareTheCaptionsOfTheirMenuItems) {
  for (const Topic& topic : topicsOf(TopicGroup::Online, false)) {
    bool menuItem = false;
    for (const CaptionRow& row : captionTable()) {
      if (row.index == topic.caption && row.property == CaptionProperty::MenuItem) {
        menuItem = true;
        EXPECT_STREQ(row.englishDefault, topic.englishDefault) << row.control;
      }
    }
    EXPECT_TRUE(menuItem) << topic.englishDefault;
  }
}

TEST(Topics, TheKestrinEditionDropsTheToolsAndTablesItLacks) {
  std::set<int> dropped;
  for (const Topic& topic : topics()) {
    if (!topic.kestrin) dropped.insert(topic.caption);
  }
  // Terminal, log, call data, voice, statistics, actual and diagnostic calls, SIP registration; groups
  // assignment, LCR, autorouting, mobility extension.
  EXPECT_EQ(dropped, (std::set<int>{21, 22, 23, 25, 24, 27, 26, 540, 33, 37, 38, 39}));
  EXPECT_EQ(topicsOf(TopicGroup::Online, true).size(), 4u);  // tree nodes 1 to 4 get the online images
  EXPECT_EQ(topicsOf(TopicGroup::Online, false).size(), 12u);
  EXPECT_EQ(topicsOf(TopicGroup::Configuration, true).size(), 6u);
  EXPECT_EQ(topicsOf(TopicGroup::Reset, true).size(), 2u);
}

}  // namespace
}  // namespace gw

// A page's "Save to gate" with and without keeping the gateway's configuration first, on the fake clock.

#include <gtest/gtest.h>

#include <algorithm>

#include "base/caption_ids.h"
#include "paramfile/file_history.h"
#include "program/program_fixture.h"
#include "pages/page_actions.h"
#include "pages/system_page.h"

namespace gw {
namespace {

struct SnapshotCase {
  const char* name;
  bool keep;
  bool readsRefused;
  bool readsHeard;
  bool writesHeard;
  std::size_t entries;
  bool refused;  // the save said the configuration could not be kept
};

class Snapshot : public test::ProgramFixture, public ::testing::WithParamInterface<SnapshotCase> {};

TEST_P(Snapshot, OnlyWhenAskedAndAGatewayThatCannotBeReadIsNotWritten) {
  const SnapshotCase& c = GetParam();
  if (c.readsRefused) peer.answer("AT&V\r\n", "\r\nERROR\r\n");
  scriptGateway();
  program->snapshotBeforeSave = c.keep;
  ASSERT_TRUE(program->connection.commConnect(false));
  peer.received.clear();
  saveToGateClick(program->page<SystemPage>());
  EXPECT_EQ(peer.received.find("AT&V\r\n") != std::string::npos, c.readsHeard) << peer.received;
  EXPECT_EQ(peer.received.find("AT%S") != std::string::npos, c.writesHeard) << peer.received;
  EXPECT_EQ(historyEntries(program->selection.selected().parameterFile).size(), c.entries);
  const std::vector<int> labels = host.messageLabels();
  EXPECT_EQ(std::count(labels.begin(), labels.end(), cap::kSnapshotFailed), c.refused ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(
    SaveToGate, Snapshot,
    ::testing::Values(SnapshotCase{"SettingOffSendsNothingButTheWrites", false, false, false, true, 0, false},
                      SnapshotCase{"SettingOnReadsKeepsThenWrites", true, false, true, true, 1, false},
                      SnapshotCase{"UnreadableGatewayIsNotWritten", true, true, true, false, 0, true}),
    [](const ::testing::TestParamInfo<SnapshotCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace gw

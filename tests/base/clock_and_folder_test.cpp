#include <gtest/gtest.h>

#include "base/fake_clock.h"
#include "base/files.h"
#include "base/program_folder.h"
#include "base/recording_host.h"
#include "support/temp_dir.h"

namespace gw {
namespace {

TEST(FakeClock, SleepAdvancesTimeAndRunsPollersWithoutReentry) {
  FakeClock clock(1000, 900);
  int polls = 0;
  const auto id = clock.addPoller([&] {
    ++polls;
    clock.sleep(10);  // a poller that waits must not run the pollers again
  });
  clock.sleep(100);
  EXPECT_EQ(polls, 1);
  EXPECT_EQ(clock.nowMs(), 1010);
  EXPECT_EQ(clock.nowSeconds(), 1001);
  clock.removePoller(id);
  clock.sleep(1);
  EXPECT_EQ(polls, 1);
  EXPECT_EQ(clock.sleptMs(), 111);
}

TEST(FakeClock, APollerMayRemoveItself) {
  FakeClock clock;
  int runs = 0;
  Clock::PollerId id = 0;
  id = clock.addPoller([&] {
    ++runs;
    clock.removePoller(id);
  });
  clock.sleep(1);
  clock.sleep(1);
  EXPECT_EQ(runs, 1);
}

TEST(SystemClock, SleepWaitsAboutTheTimeAsked) {
  SystemClock clock;
  int polls = 0;
  clock.addPoller([&] { ++polls; });
  const auto start = clock.nowMs();
  clock.sleep(20);
  EXPECT_GE(clock.nowMs() - start, 20);
  EXPECT_GE(polls, 2);
}

TEST(RecordingHost, AnswersQuestionsFromTheScriptThenNo) {
  RecordingHost host;
  host.answers = {Answer::Yes};
  EXPECT_EQ(host.messageBox({"Reset?", "Question", MessageKind::Question, 55, 54}), Answer::Yes);
  EXPECT_EQ(host.messageBox({"Reset?", "Question", MessageKind::Question, 55, 54}), Answer::No);
  EXPECT_EQ(host.messageBox({"Done", "Information", MessageKind::Information, 57, 54}), Answer::Ok);
  EXPECT_EQ(host.messageLabels(), (std::vector<int>{55, 55, 57}));
}

TEST(ProgramFolder, ChoosesInTheDocumentedOrder) {
  test::TempDir dir;
  const std::string exe = dir.path() + "/bin";
  ProgramFolderInputs in;
  in.executableFolder = exe;
  in.userHome = "/home/op";
  EXPECT_EQ(chooseProgramFolder(in).path, "/home/op/.local/share/gwconfig");
  in.xdgDataHome = "/data";
  EXPECT_EQ(chooseProgramFolder(in).path, "/data/gwconfig");
  dir.write("bin/languages.ini", "[main]\n");
  EXPECT_EQ(chooseProgramFolder(in).path, exe);
  in.homeVariable = "/env/home";
  EXPECT_EQ(chooseProgramFolder(in).path, "/env/home");
  in.homeOption = "/opt/home";
  EXPECT_EQ(chooseProgramFolder(in).source, ProgramFolder::Source::HomeOption);
  EXPECT_EQ(chooseProgramFolder(in).path, "/opt/home");
}

TEST(ProgramFolder, SeedingCopiesMissingDataFilesOnly) {
  test::TempDir dir;
  dir.write("share/gwconfig/languages.ini", "[main]\nlabels_count=600\n");
  dir.write("share/gwconfig/defaults.ini", "[System parametres]\n");
  dir.write("user/gwconfig/defaults.ini", "mine");
  ASSERT_TRUE(seedProgramFolder(dir.file("user/gwconfig"), dir.file("share/gwconfig")));
  EXPECT_EQ(test::readFile(dir.file("user/gwconfig/languages.ini")), "[main]\nlabels_count=600\n");
  EXPECT_EQ(test::readFile(dir.file("user/gwconfig/defaults.ini")), "mine");
  EXPECT_TRUE(seedProgramFolder(dir.file("new/deep/gwconfig"), dir.file("share/gwconfig")));
  EXPECT_TRUE(fileExists(dir.file("new/deep/gwconfig/defaults.ini")));
}

}  // namespace
}  // namespace gw

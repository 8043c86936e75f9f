// The serial upgrade engine against a scripted gateway on the fake clock: its records, batches and answers,
// the two port modes and the limits of its waits.
#include <gtest/gtest.h>

#include "base/fake_clock.h"
#include "firmware/fw_upgrade_thread.h"
#include "support/scripted_serial.h"
#include "support/temp_dir.h"

namespace gw::test {
namespace {

constexpr const char* kPort = "ttyGW";
constexpr const char* kBatchEnd = ":00000005FB";

// Ten data records of one byte each and the end record.
std::string tenRecords() {
  std::string text;
  for (int i = 0; i < 10; ++i) {
    char record[32];
    std::snprintf(record, sizeof record, ":0100%02X00%02X%02X\n", i, i, (0x100 - (1 + i + i)) & 0xFF);
    text += record;
  }
  return text + ":00000001FF\n";
}

class SerialEngine : public ::testing::Test {
 protected:
  FakeClock clock;
  ScriptedSerialBus bus{clock};
  ScriptedSerialDevice& gateway = bus.device(kPort);
  TempDir dir;
  std::vector<std::pair<int, int>> stages;

  // A boot loader that takes every batch.
  void bootLoader() {
    gateway.answer(":00000012EE", "[ BOOT ]\r\n");
    gateway.answer(kBatchEnd, ".\r\n");
    gateway.answer(":00000001FF", ".\r\nBoot: OK\r\nInit: OK\r\n");
  }

  int run(const std::string& hex = tenRecords()) {
    CFWUpgradeThread engine(clock, bus.factory(), dir.file("Gwcp-com.log"), false);
    return engine.runHere(
        kPort, dir.write("image.hex", hex),
        [this](int stage, int value) { stages.emplace_back(stage, value); }, false);
  }

  std::vector<int> stageNumbers() const {
    std::vector<int> numbers;
    for (const auto& [stage, value] : stages) {
      if (numbers.empty() || numbers.back() != stage) numbers.push_back(stage);
    }
    return numbers;
  }
};

TEST_F(SerialEngine, ABootLoaderGetsBatchesOfEightThenTwoThenTheEndRecordAlone) {
  bootLoader();
  EXPECT_EQ(run(), CFWUpgradeThread::kSucceeded);
  // AT mode failed (1), so no erase (3) came: the gateway already waited in its boot loader.
  EXPECT_EQ(stageNumbers(), (std::vector<int>{0, 1, 2, 4, 5, 6, 7, 8}));
  EXPECT_EQ(gateway.written.find("at!K3WP"), std::string::npos);
  std::string expected;
  const std::string records = tenRecords();
  std::size_t at = 0;
  for (int i = 0; i < 10; ++i) {
    const std::size_t end = records.find('\n', at);
    expected += records.substr(at, end - at);
    at = end + 1;
    if (i == 7 || i == 9) expected += kBatchEnd;
  }
  expected += ":00000001FF";
  EXPECT_EQ(gateway.written.substr(gateway.written.find(":0100000000FF")), expected);
  EXPECT_EQ(stages[stages.size() - 5], std::make_pair(4, 100));
}

TEST_F(SerialEngine, RepeatAnswersResendTheBatchEndNotTheRecords) {
  gateway.answer(":00000012EE", "[ BOOT ]\r\n");
  gateway.answerOnce(kBatchEnd, "R\r\n");
  gateway.answerOnce(kBatchEnd, "R\r\n");
  gateway.answer(kBatchEnd, ".\r\n");
  gateway.answer(":00000001FF", ".\r\nBoot: OK\r\nInit: OK\r\n");
  EXPECT_EQ(run(), CFWUpgradeThread::kSucceeded);
  const std::string sent = gateway.written;
  const std::size_t first = sent.find(":0100000000FF");
  EXPECT_EQ(sent.find(":0100000000FF", first + 1), std::string::npos);
  EXPECT_NE(sent.find(std::string(kBatchEnd) + kBatchEnd + kBatchEnd), std::string::npos);
}

// A running firmware is told to erase its flash and restart into the boot loader; without the boot
// loader's report the erase failed.
TEST_F(SerialEngine, TheFirmwareErasesItsFlashFirst) {
  struct Case {
    const char* report;
    int result;
  };
  for (const Case& c : {Case{"\r\nIn-Flash: 8192 OK\r\nBoot: Ready\r\n", CFWUpgradeThread::kSucceeded},
                        Case{"\r\nIn-Flash: 81 OK\r\nBoot: Ready\r\n", CFWUpgradeThread::kEraseFailed}}) {
    FakeClock localClock;
    ScriptedSerialBus localBus(localClock);
    ScriptedSerialDevice& firmware = localBus.device(kPort);
    firmware.echoes = true;
    firmware.echoUntil = "at!K3WP\r";
    firmware.answer("at\r", "\n\r\nOK\r\n");
    firmware.answer("ati3\r",
                    "\n\r\nVelquin Orvale QN4 GSM-VoIP gateway\r\nB-01.05 V-03.00.05 \r\n\r\nOK\r\n");
    firmware.answer("at!K3WP\r", std::string("\n\r\nOK\r\n") + c.report);
    firmware.answer(kBatchEnd, ".\r\n");
    firmware.answer(":00000001FF", ".\r\nBoot: OK\r\nInit: OK\r\n");
    CFWUpgradeThread engine(localClock, localBus.factory(), "", false);
    std::vector<int> seen;
    EXPECT_EQ(
        engine.runHere(
            kPort, dir.write("image.hex", tenRecords()), [&seen](int s, int) { seen.push_back(s); }, false),
        c.result)
        << c.report;
    EXPECT_EQ(seen[1], CFWUpgradeThread::kPortOpened);  // AT mode answered at once
    EXPECT_EQ(seen[2], CFWUpgradeThread::kErasing);
  }
}

TEST_F(SerialEngine, FailuresEndWithTheirResultWithinTheirLimits) {
  struct Case {
    const char* name;
    bool bootAnswers;
    const char* batchAnswer;
    int result;
    std::int64_t maxMs;
  };
  // AT test: three echo waits of 5.5 s with 0.5 s pauses and two flush waits; BOOT test: one more.
  const Case cases[] = {
      {"silent port", false, "", CFWUpgradeThread::kNoGateway, 40'000},
      {"refused batch", true, "X\r\n", CFWUpgradeThread::kImageFailed, 40'000},
      {"silent boot loader", true, "", CFWUpgradeThread::kImageFailed, 40'000 + 32 * 5'600},
  };
  for (const Case& c : cases) {
    FakeClock localClock;
    ScriptedSerialBus localBus(localClock);
    ScriptedSerialDevice& device = localBus.device(kPort);
    if (c.bootAnswers) device.answer(":00000012EE", "[ BOOT ]\r\n");
    if (*c.batchAnswer != '\0') device.answer(kBatchEnd, c.batchAnswer);
    CFWUpgradeThread engine(localClock, localBus.factory(), dir.file("port.log"), false);
    const std::int64_t start = localClock.nowMs();
    int finished = -1;
    EXPECT_EQ(
        engine.runHere(
            kPort, dir.write("image.hex", tenRecords()), [&finished](int s, int) { finished = s; }, false),
        c.result)
        << c.name;
    EXPECT_LE(localClock.nowMs() - start, c.maxMs) << c.name;
    EXPECT_EQ(finished, CFWUpgradeThread::kFinished) << c.name;
  }
  // Every attempt at the refused batch is in the port log, the last with no attempts left.
  EXPECT_NE(readFile(dir.file("port.log")).find("rep:0\r\n"), std::string::npos);
}

// The image went in whole: a gateway that does not say it restarted still counts as upgraded, after the
// restart wait of 15 s.
TEST_F(SerialEngine, AMissingRestartReportStillSucceedsAfterItsWait) {
  gateway.answer(":00000012EE", "[ BOOT ]\r\n");
  gateway.answer(kBatchEnd, ".\r\n");
  gateway.answer(":00000001FF", ".\r\n");
  const std::int64_t start = clock.nowMs();
  EXPECT_EQ(run(), CFWUpgradeThread::kSucceeded);
  EXPECT_GE(clock.nowMs() - start, 15'000);
}

}  // namespace
}  // namespace gw::test

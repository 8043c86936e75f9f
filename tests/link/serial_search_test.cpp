// Finding the gateway's serial port and the fastest bit rate it answers at.

#include <gtest/gtest.h>

#include <functional>

#include "base/caption_ids.h"
#include "base/recording_host.h"
#include "link/serial_search.h"
#include "link_fixture.h"

namespace gw::test {
namespace {

constexpr const char* kAti3Reply = "\r\nQN-GSM B-1.02 V-03.00.05 \r\n\r\nOK\r\n";

class SerialSearch : public LinkFixture {
 protected:
  RecordingHost host;
  CaptionList captions{[] {
    CaptionList c;
    c.set(cap::kPortNoAnswer, "no answer");
    c.set(cap::kConnectingRate, "trying");
    c.set(cap::kConnecting, "connecting");
    c.set(cap::kPortOpenFailed, "cannot open");
    return c;
  }()};
  std::string errors;

  SerialSearch() { link.comm.linkType = kSerialLink; }

  ScriptedSerialDevice& gateway(const std::string& name, std::vector<int> rates = {}) {
    ScriptedSerialDevice& device = bus.device(name);
    device.answerOnlyAt(std::move(rates));
    device.answer("AT\r\n", "AT\r\n\r\nOK\r\n");
    device.answer("ATI3\r\n", kAti3Reply, 30);
    return device;
  }

  SerialSearchResult search() { return findSerialGateway(link, host, captions, errors); }
};

TEST_F(SerialSearch, KeepsTheFastestRateBeforeTheFirstSilentOne) {
  ScriptedSerialDevice& device = gateway("ttyUSB0", {57600, 115200, 460800});
  link.comm.portList = {"ttyUSB0"};
  const SerialSearchResult result = search();
  EXPECT_FALSE(result.notFound);
  EXPECT_FALSE(result.bootLoader);
  // 460800 would answer too, but the climb stops at the first silent rate.
  EXPECT_EQ(device.openRates, (std::vector<int>{57600, 115200, 230400, 115200}));
  ASSERT_TRUE(link.comm.portHandle);
  EXPECT_TRUE(device.isOpen());
  EXPECT_EQ(link.comm.baudRate, 115200);
  EXPECT_EQ(link.comm.portName, "ttyUSB0");
  EXPECT_EQ(errors, "");

  ScriptedSerialDevice& everyRate = gateway("ttyUSB1");
  link.closeSerial();
  link.comm.portName.clear();  // scan the list, no fixed port
  link.comm.portList = {"ttyUSB1"};
  search();
  EXPECT_EQ(everyRate.openRates, (std::vector<int>{57600, 115200, 230400, 460800, 921600, 921600}));
  EXPECT_EQ(link.comm.baudRate, 921600);
}

TEST_F(SerialSearch, ReportsTheBootLoaderAtTheFirstRateWithoutAnAtExchange) {
  ScriptedSerialDevice& device = bus.device("ttyACM0");
  device.answer(":020000050000F915", "?");
  device.answer(":00000012EE", "[ BOOT ] Boot: Ready");
  link.comm.portList = {"ttyUSB0", "ttyACM0"};
  const SerialSearchResult result = search();
  EXPECT_TRUE(result.bootLoader);
  EXPECT_EQ(device.written, "fff:020000050000F915:00000012EE");
  EXPECT_EQ(link.comm.baudRate, 57600);
  EXPECT_TRUE(device.isOpen());
  EXPECT_EQ(link.comm.portList, (std::vector<std::string>{"ttyACM0", "ttyUSB0"}));
  EXPECT_EQ(errors, "ttyUSB0 : cannot open\n");
}

TEST_F(SerialSearch, AFixedPortThatDoesNotExistFailsAfterOneOpen) {
  gateway("ttyUSB0");
  link.comm.portName = "ttyUSB9";
  link.comm.portList = {"ttyUSB0"};
  const SerialSearchResult result = search();
  EXPECT_TRUE(result.notFound);
  EXPECT_EQ(bus.openAttempts, (std::vector<std::string>{"ttyUSB9@57600"}));
  EXPECT_EQ(errors, "ttyUSB9 : cannot open\n");
  EXPECT_FALSE(link.comm.portHandle);
  EXPECT_EQ(link.comm.portName, "");
  EXPECT_EQ(link.comm.baudRate, 0);
}

TEST_F(SerialSearch, AFixedPortIsTheOneTriedWhereverTheListHasIt) {
  gateway("ttyUSB0");
  gateway("ttyUSB1", {115200});
  link.comm.portName = "ttyUSB1";
  link.comm.portList = {"ttyUSB0", "ttyUSB1"};
  search();
  EXPECT_EQ(link.comm.portName, "ttyUSB1");
  EXPECT_EQ(link.comm.baudRate, 115200);
  EXPECT_EQ(bus.openAttempts.front(), "ttyUSB1@57600");
  EXPECT_EQ(link.comm.portList.front(), "ttyUSB1");
}

TEST_F(SerialSearch, APortHeldByAnotherProgramSaysSo) {
  bus.device("ttyUSB0").failOpen(SerialOpenError::InUse);
  bus.device("ttyUSB1").failOpen(SerialOpenError::NoPermission);
  link.comm.portList = {"ttyUSB0", "ttyUSB1"};
  const SerialSearchResult result = search();
  EXPECT_FALSE(result.notFound);  // no port was fixed
  EXPECT_FALSE(link.comm.portHandle);
  EXPECT_EQ(errors,
            "ttyUSB0 : cannot open (in use by another program)\nttyUSB1 : cannot open (permission denied)\n");
}

TEST_F(SerialSearch, ScansOnPastASilentPortAndMovesTheAnsweringOneToTheFront) {
  bus.device("ttyS0");  // exists, never answers
  gateway("ttyUSB0", {57600});
  link.comm.portList = {"ttyS0", "ttyUSB0", "ttyACM0"};
  const auto start = clock.nowMs();
  const SerialSearchResult result = search();
  EXPECT_FALSE(result.notFound);
  EXPECT_EQ(errors, "ttyS0 : no answer\n");
  EXPECT_EQ(link.comm.portName, "ttyUSB0");
  EXPECT_EQ(link.comm.baudRate, 57600);
  EXPECT_EQ(link.comm.portList, (std::vector<std::string>{"ttyUSB0", "ttyS0", "ttyACM0"}));
  // Each silent rate gives up after more than two whole seconds of waiting for the ATI3 answer.
  EXPECT_GE(msSince(start), 6 * 2000);  // five rates of ttyS0 and 115200 on ttyUSB0
  EXPECT_LE(msSince(start), 6 * 4000 + 1000);
  EXPECT_FALSE(bus.device("ttyS0").isOpen());
}

TEST_F(SerialSearch, ShowsTheConnectingWindowPerRateAndRestoresTheMainWindow) {
  gateway("ttyUSB0", {57600});
  link.comm.portList = {"ttyUSB0"};
  search();
  ASSERT_GE(host.events.size(), 5u);
  EXPECT_EQ(host.events[0].what, "connecting");
  EXPECT_EQ(host.events[0].text, "connecting");  // caption 107, translated from the first moment
  EXPECT_EQ(host.events[1].what, "enabled");
  EXPECT_EQ(host.events[1].text, "0");
  EXPECT_EQ(host.events[2].text, "[ttyUSB0] : connecting");
  EXPECT_EQ(host.events[2].detail, "[ttyUSB0] : trying 57600 Bd/s");
  EXPECT_EQ(host.events[3].detail, "[ttyUSB0] : trying 115200 Bd/s");
  EXPECT_FALSE(host.connectingShown);
  EXPECT_TRUE(host.mainEnabled);
  EXPECT_EQ(host.events.back().what, "enabled");
}

TEST_F(SerialSearch, AnAnswerOfEndlessNoiseEndsAfterTwoSeconds) {
  ScriptedSerialDevice& device = bus.device("ttyUSB0");
  device.streamEndless(std::string("Q\0xN", 4));
  link.comm.portName = "ttyUSB0";
  link.comm.portList = {"ttyUSB0"};
  const SerialSearchResult result = search();
  EXPECT_TRUE(result.notFound);
  EXPECT_EQ(errors, "ttyUSB0 : no answer\n");
}

TEST(BootProbe, TellsEchoBootLoaderAndSilenceApart) {
  FakeClock clock;
  ScriptedSerialBus bus(clock);
  Link link(clock, bus.factory(), nullptr);
  link.comm.linkType = kSerialLink;
  int devices = 0;
  const auto probe = [&](const std::function<void(ScriptedSerialDevice&)>& script) {
    const std::string name = "ttyUSB" + std::to_string(devices++);
    ScriptedSerialDevice& device = bus.device(name);
    script(device);
    link.comm.portHandle = link.openSerialPort(name, 57600).port;
    const BootProbe result = bootProbe(link);
    link.closeSerial();
    return std::make_pair(result, device.written);
  };
  EXPECT_EQ(probe([](ScriptedSerialDevice&) {}),
            std::make_pair(BootProbe::Other, std::string("fff:020000050000F915")));
  EXPECT_EQ(probe([](ScriptedSerialDevice& d) { d.answer("F915", "ffff:020000050000F915"); }),
            std::make_pair(BootProbe::Echo, std::string("fff:020000050000F915\r\n")));
  EXPECT_EQ(probe([](ScriptedSerialDevice& d) {
              d.answer("F915", "ffff:020000050000F91");  // one byte short of the echo
              d.answer("12EE", "[ BOOT ]");
            }).first,
            BootProbe::BootLoader);
  EXPECT_EQ(probe([](ScriptedSerialDevice& d) {
              d.answer("F915", "garbage");
              d.answer("12EE", "[ BOO");
            }).first,
            BootProbe::Other);
}

}  // namespace
}  // namespace gw::test

#pragma once
// A link wired to a scripted serial bus and a scripted LAN peer on the fake clock.

#include <gtest/gtest.h>

#include <string>

#include "base/fake_clock.h"
#include "link/link.h"
#include "support/scripted_serial.h"
#include "support/scripted_tcp.h"
#include "support/temp_dir.h"

namespace gw::test {

inline constexpr std::size_t kReplyBuffer = 1024;

class LinkFixture : public ::testing::Test {
 protected:
  FakeClock clock;
  ScriptedSerialBus bus{clock};
  ScriptedTcpPeer peer{clock};
  Link link{clock, bus.factory(), peer.client()};
  TempDir folder;

  void connectLan() {
    link.comm.linkType = kLanLink;
    ASSERT_TRUE(link.lanOpenSocket("10.0.0.1", 23));
  }

  // Opens the serial device "ttyUSB0" as the link's port.
  ScriptedSerialDevice& openSerial(int rate = 115200) {
    ScriptedSerialDevice& device = bus.device("ttyUSB0");
    link.comm.linkType = kSerialLink;
    SerialOpenResult opened = link.openSerialPort("ttyUSB0", rate);
    EXPECT_TRUE(opened.port);
    link.comm.portHandle = std::move(opened.port);
    return device;
  }

  std::string startLog() {
    const std::string path = folder.file("log.txt");
    link.comm.saveLog = true;
    EXPECT_TRUE(link.openLog(path, false));
    return path;
  }

  // The send entry of the fake clock's start time (14.11.2023 22:13:20 UTC).
  static std::string sendEntry(const std::string& command) { return "->[14.11.2023 22:13:20]\r\n" + command; }

  std::int64_t msSince(std::int64_t startMs) { return clock.nowMs() - startMs; }
};

}  // namespace gw::test

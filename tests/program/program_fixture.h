#pragma once
// A Program on the fake clock, wired to a scripted LAN peer and scripted serial ports, in a program folder of
// its own with the shipped captions.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "base/fake_clock.h"
#include "base/recording_host.h"
#include "program/program.h"
#include "support/scripted_serial.h"
#include "support/scripted_tcp.h"
#include "support/temp_dir.h"

namespace gw::test {

class ProgramFixture : public ::testing::Test {
 protected:
  FakeClock clock;
  ScriptedSerialBus bus{clock};
  ScriptedTcpPeer peer{clock};
  TempDir home;
  RecordingHost host;
  std::unique_ptr<Program> program;

  void SetUp() override {
    home.write("languages.ini", readFile(std::string(GW_SOURCE_DIR) + "/data/languages.ini"));
    home.write("settings.ini", "[main]\nCommType=2\n");
    program = std::make_unique<Program>(clock, host, home.path(),
                                        std::make_unique<Link>(clock, bus.factory(), peer.client()));
    ASSERT_TRUE(program->start());
    TGateway& g = program->selection.selected();
    g.name = "Gw1";
    g.host = "10.0.0.5";
    g.userName = "admin";
    g.password = "admin";
    host.clear();
  }

  // A LAN gateway that logs in, identifies itself and answers every other command line with OK.
  void scriptGateway() {
    peer.answerOnce("\r\n", "\r\nQN login: ");
    peer.answerOnce("admin\r", "admin\r\nPassword: ");
    peer.answerOnce("admin\r", "\r\nOK\r\n");
    peer.answer("ATI4\r\n", "ATI4\r\n\r\nSNumber: Q2041-00017\r\n\r\nOK\r\n");
    peer.answer("ATI3\r\n", "ATI3\r\n\r\nVelquin Orvale QN4\r\nB-01.05 V-03.00.05 \r\n\r\nOK\r\n");
    peer.answer("\r\n", "\r\nOK\r\n");  // every other line, matched last
  }

  std::string captionOf(int index) const { return program->captions.at(index); }
};

}  // namespace gw::test

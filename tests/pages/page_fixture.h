#pragma once
// A page context on the fake clock: a link to a scripted LAN gateway or serial device, a connection that
// finds the link already open, a recording host and a temporary program folder.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "base/fake_clock.h"
#include "base/recording_host.h"
#include "link/link.h"
#include "pages/page_context.h"
#include "shell/connection.h"
#include "shell/gateway_dialogs.h"
#include "shell/gateway_selection.h"
#include "support/scripted_serial.h"
#include "support/scripted_tcp.h"
#include "support/temp_dir.h"

namespace gw::test {

// A LAN client that refuses to send the commands starting with one of the given texts, as a socket that
// fails in the middle of a save would.
class RefusingTcpClient : public TcpClient {
 public:
  explicit RefusingTcpClient(std::unique_ptr<TcpClient> inner) : inner_(std::move(inner)) {}
  std::vector<std::string> refused;

  bool connect(const std::string& host, int port) override { return inner_->connect(host, port); }
  TcpState state() override { return inner_->state(); }
  bool send(std::string_view bytes) override;
  TcpReceived receive(std::size_t maxBytes) override { return inner_->receive(maxBytes); }
  void close() override { inner_->close(); }
  int fd() const override { return inner_->fd(); }

 private:
  std::unique_ptr<TcpClient> inner_;
};

// Caption N reads "cN", so a message's text tells which caption it came from.
CaptionList numberedCaptions();

// The commands in the bytes a device heard, each up to and including its "\r\n".
std::vector<std::string> commandsIn(const std::string& bytes);

class PageFixture : public ::testing::Test {
 protected:
  PageFixture();

  FakeClock clock;
  ScriptedSerialBus bus{clock};
  ScriptedTcpPeer peer{clock};
  RefusingTcpClient* client = nullptr;  // owned by the link
  std::unique_ptr<Link> linkHolder;
  Link& link;
  TempDir dir;
  RecordingHost host;
  CaptionList captions = numberedCaptions();
  GatewaySelection selection{dir.path(), host, captions};
  NewGatewayDialog newGateway{selection, host, captions};
  Connection connection{link, selection, newGateway, host, captions};
  TParametres image;
  PageState state;
  PageContext context{link, connection, selection, host, captions, image, state};

  // An open, connected LAN link.
  void connectLan();
  // An open, connected serial link to "ttyUSB0".
  ScriptedSerialDevice& connectSerial();
  // From now on every command line no earlier answer covers gets "OK". Earlier answers win only when their
  // trigger ends where the command line ends, so they name the whole line up to its "\r\n".
  void answerOthersOk();
  // The scripted answer of a read command: its echo, the dump lines and "OK".
  static std::string dumpReply(const std::string& command, const std::string& lines);
  // What the LAN gateway heard, command by command.
  std::vector<std::string> lanCommands() const { return commandsIn(peer.received); }

  // Labels of the messages shown, in order.
  std::vector<int> labels() const { return host.messageLabels(); }

 private:
  static std::unique_ptr<Link> makeLink(FakeClock& clock, ScriptedSerialBus& bus, ScriptedTcpPeer& peer,
                                        RefusingTcpClient*& client);
};

}  // namespace gw::test

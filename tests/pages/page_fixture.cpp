#include "page_fixture.h"

#include "base/text.h"

namespace gw::test {

namespace {
constexpr int kCaptionCount = 600;
constexpr const char* kOkReply = "\r\nOK\r\n";
}  // namespace

bool RefusingTcpClient::send(std::string_view bytes) {
  for (const std::string& prefix : refused) {
    if (startsWith(bytes, prefix)) return false;
  }
  return inner_->send(bytes);
}

CaptionList numberedCaptions() {
  CaptionList captions;
  for (int i = 0; i < kCaptionCount; ++i) captions.set(i, "c" + std::to_string(i));
  return captions;
}

std::vector<std::string> commandsIn(const std::string& bytes) {
  std::vector<std::string> commands;
  std::size_t start = 0;
  for (std::size_t end = bytes.find("\r\n"); end != std::string::npos; end = bytes.find("\r\n", start)) {
    commands.push_back(bytes.substr(start, end + 2 - start));
    start = end + 2;
  }
  if (start < bytes.size()) commands.push_back(bytes.substr(start));
  return commands;
}

std::unique_ptr<Link> PageFixture::makeLink(FakeClock& clock, ScriptedSerialBus& bus, ScriptedTcpPeer& peer,
                                            RefusingTcpClient*& client) {
  auto refusing = std::make_unique<RefusingTcpClient>(peer.client());
  client = refusing.get();
  return std::make_unique<Link>(clock, bus.factory(), std::move(refusing));
}

PageFixture::PageFixture() : linkHolder(makeLink(clock, bus, peer, client)), link(*linkHolder) {
  selection.selected().name = "Gw1";
  selection.selected().parameterFile = dir.file("Gw1.ini");
}

void PageFixture::connectLan() {
  link.comm.linkType = kLanLink;
  ASSERT_TRUE(link.lanOpenSocket("10.0.0.1", 23));
  link.comm.connected = true;
}

ScriptedSerialDevice& PageFixture::connectSerial() {
  ScriptedSerialDevice& device = bus.device("ttyUSB0");
  link.comm.linkType = kSerialLink;
  link.comm.portName = "ttyUSB0";
  SerialOpenResult opened = link.openSerialPort("ttyUSB0", 115200);
  EXPECT_TRUE(opened.port);
  link.comm.portHandle = std::move(opened.port);
  link.setCommandTimeouts();
  link.comm.connected = true;
  return device;
}

void PageFixture::answerOthersOk() {
  peer.answer("\n", kOkReply);
  if (link.comm.linkType == kSerialLink) bus.device("ttyUSB0").answer("\n", kOkReply);
}

std::string PageFixture::dumpReply(const std::string& command, const std::string& lines) {
  // The gateway echoes the command up to its CR, then answers on a new line.
  return command.substr(0, command.find('\r')) + "\r\r\n" + lines + kOkReply;
}

}  // namespace gw::test

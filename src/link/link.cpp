#include "link/link.h"

#include "link/posix_serial_port.h"
#include "link/posix_tcp_client.h"

namespace gw {

Link::Link(Clock& clock) : Link(clock, &PosixSerialPort::open, std::make_unique<PosixTcpClient>()) {}

Link::Link(Clock& clock, SerialPortFactory openSerial, std::unique_ptr<TcpClient> tcp)
    : clock_(clock),
      openSerial_(std::move(openSerial)),
      tcp_(std::move(tcp)),
      lastActivity_(clock.nowSeconds()) {}

Link::~Link() {
  // The owner is going away too: tell it nothing more.
  onLanDisplay = nullptr;
  onLinkLost = nullptr;
  onLanSocket = nullptr;
  lanClose();
  closeSerial();
  closeLog();
}

bool Link::gatewayStoppedAnswering() {
  if (unanswered_) return true;
  if (comm.linkType == kSerialLink) return !comm.portHandle;
  return !tcpActive();
}

void Link::noteReply(const std::string& reply) {
  // A cancelled wait says nothing about the gateway.
  if (cancelRequested()) return;
  unanswered_ = reply.empty();
  if (!reply.empty()) heardSinceOpen_ = true;
}

void Link::linkOpened() {
  heardSinceOpen_ = false;
  unanswered_ = false;
}

void Link::touchActivity() {
  lastActivity_ = clock_.nowSeconds();
}

bool Link::openLog(const std::string& path, bool append) {
  return log_.open(path, append);
}

void Link::closeLog() {
  log_.close();
}

void Link::logSend(std::string_view command) {
  if (comm.saveLog) log_.writeSend(command, clock_.localTime());
}

void Link::logReceive(std::string_view text) {
  if (comm.saveLog) log_.writeReceive(text);
}

}  // namespace gw

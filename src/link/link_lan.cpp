// The LAN side of the link: the TCP client, the receive poll and the receive buffer.

#include "base/text.h"
#include "link/link.h"
#include "link/seconds_wait.h"
#include "link/telnet_filter.h"

namespace gw {

namespace {

// A new connection that is not up within this many whole seconds counts as failed.
constexpr int kConnectWaitS = 5;
constexpr int kConnectPollStepMs = 10;
// At most this many bytes are received per block.
constexpr std::size_t kLanBlockBytes = 512;
// One poll takes at most this many blocks, so a flooding peer cannot hold the program in the poll.
constexpr int kMaxBlocksPerPoll = 64;
// Received text nobody takes is kept up to this size; beyond it the oldest bytes go. No response the
// program reads comes near it; it only bounds a gateway that talks endlessly while nothing listens.
constexpr std::size_t kRxTextLimit = 1 << 20;

}  // namespace

bool Link::tcpActive() {
  return tcp_ && tcp_->active();
}

int Link::lanFd() const {
  return lanPoller_ && tcp_ ? tcp_->fd() : -1;
}

bool Link::lanOpenSocket(const std::string& host, int port) {
  if (tcpActive()) return true;
  if (!tcp_ || !tcp_->connect(host, port)) return false;
  const SecondsWait wait(clock_);
  while (tcp_->state() == TcpState::Connecting && !wait.moreThan(kConnectWaitS) && !cancelRequested())
    clock_.sleep(kConnectPollStepMs);
  if (tcp_->state() != TcpState::Connected) {
    tcp_->close();
    return false;
  }
  clearRxText();  // nothing of an earlier connection belongs to this one
  linkLostReported_ = false;
  linkOpened();
  lanPoller_ = clock_.addPoller([this] { pollLan(); });
  if (onLanSocket) onLanSocket(tcp_->fd());
  return true;
}

void Link::stopReceiving() {
  if (!lanPoller_) return;
  clock_.removePoller(*lanPoller_);
  lanPoller_.reset();
  if (onLanSocket) onLanSocket(-1);
}

void Link::lanClose() {
  stopReceiving();
  if (tcp_) tcp_->close();
}

int Link::lanSendText(std::string_view text) {
  const std::string_view line = untilNul(text);
  if (!tcpActive() || line.empty()) return 0;
  if (!tcp_->send(line)) return 0;
  return static_cast<int>(line.size());
}

bool Link::lanSendByte(char byte) {
  if (!tcpActive()) return false;
  if (!tcp_->send(std::string_view(&byte, 1))) return false;
  touchActivity();
  return true;
}

void Link::pollLan() {
  for (int block = 0; block < kMaxBlocksPerPoll; ++block) {
    if (!lanPoller_) return;  // not receiving, or closed by a handler of the previous block
    const TcpReceived received = tcp_->receive(kLanBlockBytes);
    if (received.status == TcpReceived::Status::Nothing) return;
    if (received.status == TcpReceived::Status::Closed) {
      stopReceiving();
      if (terminalActive || lanTracingActive) reportLinkLost();
      return;
    }
    telnetDataAvailable(filterTelnetBytes(received.bytes));
  }
}

void Link::telnetDataAvailable(const std::string& text) {
  touchActivity();
  if (terminalActive || lanTracingActive) {
    const LanDisplayTarget target = terminalActive ? LanDisplayTarget::Terminal : LanDisplayTarget::Tracing;
    if (!tcpActive()) reportLinkLost();
    if (onLanDisplay) onLanDisplay(target, text);
    return;
  }
  if (!text.empty()) appendRxText(text);
}

void Link::reportLinkLost() {
  if (linkLostReported_) return;
  linkLostReported_ = true;
  if (onLinkLost) onLinkLost();
}

bool Link::rxReady() const {
  std::lock_guard lock(rxLock_);
  return rxReady_;
}

void Link::clearRxText() {
  std::lock_guard lock(rxLock_);
  rxText_.clear();
  rxReady_ = false;
}

void Link::appendRxText(const std::string& text) {
  std::lock_guard lock(rxLock_);
  rxText_.append(text);
  if (rxText_.size() > kRxTextLimit) rxText_.erase(0, rxText_.size() - kRxTextLimit);
  rxReady_ = true;
}

std::string Link::takeReceivedText() {
  return takeRxText(std::string::npos);
}

std::string Link::takeRxText(std::size_t capacity) {
  std::lock_guard lock(rxLock_);
  std::string taken = rxText_.substr(0, capacity);
  rxText_.erase(0, taken.size());
  rxReady_ = !rxText_.empty();
  return taken;
}

}  // namespace gw

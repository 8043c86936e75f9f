#include "support/scripted_tcp.h"

#include "support/trigger_rules.h"

#include <algorithm>

namespace gw::test {

namespace {

class ScriptedTcpClient : public TcpClient {
 public:
  explicit ScriptedTcpClient(ScriptedTcpPeer& peer) : peer_(peer) {}
  bool connect(const std::string& host, int port) override { return peer_.startConnect(host, port); }
  TcpState state() override { return peer_.state(); }
  bool send(std::string_view bytes) override { return peer_.clientSends(bytes); }
  TcpReceived receive(std::size_t maxBytes) override { return peer_.clientReceives(maxBytes); }
  void close() override { peer_.clientCloses(); }
  int fd() const override { return -1; }

 private:
  ScriptedTcpPeer& peer_;
};

}  // namespace

std::unique_ptr<TcpClient> ScriptedTcpPeer::client() {
  return std::make_unique<ScriptedTcpClient>(*this);
}

void ScriptedTcpPeer::answer(std::string trigger, std::vector<std::string> blocks, int delayMs, int gapMs) {
  rules_.push_back({std::move(trigger), std::move(blocks), delayMs, gapMs, false});
}

void ScriptedTcpPeer::answerOnce(std::string trigger, std::string reply, int delayMs) {
  rules_.push_back({std::move(trigger), {std::move(reply)}, delayMs, 0, true});
}

void ScriptedTcpPeer::send(std::string block, int delayMs) {
  queue(std::move(block), false, delayMs);
}

void ScriptedTcpPeer::closeAfter(int delayMs) {
  queue({}, true, delayMs);
}

void ScriptedTcpPeer::queue(std::string bytes, bool close, int delayMs) {
  std::int64_t at = clock_.nowMs() + delayMs;
  if (!blocks_.empty()) at = std::max(at, blocks_.back().readyAtMs);
  blocks_.push_back({at, std::move(bytes), close});
}

bool ScriptedTcpPeer::startConnect(const std::string& toHost, int toPort) {
  host = toHost;
  port = toPort;
  if (refuseConnect) {
    state_ = TcpState::Closed;
    return false;
  }
  ++connects;
  state_ = TcpState::Connecting;
  connectedAtMs_ = clock_.nowMs() + connectDelayMs;
  return true;
}

TcpState ScriptedTcpPeer::state() {
  if (state_ == TcpState::Connecting && clock_.nowMs() >= connectedAtMs_) state_ = TcpState::Connected;
  return state_;
}

bool ScriptedTcpPeer::clientSends(std::string_view bytes) {
  if (state() != TcpState::Connected || failSends) return false;
  received.append(bytes);
  heard_.append(bytes);
  matchCommands();
  return true;
}

void ScriptedTcpPeer::matchCommands() {
  answerHeardCommands(rules_, heard_, [this](const Rule& rule) {
    int delay = rule.delayMs;
    for (const std::string& block : rule.blocks) {
      queue(block, false, delay);
      delay += rule.gapMs;
    }
  });
}

TcpReceived ScriptedTcpPeer::clientReceives(std::size_t maxBytes) {
  if (state() == TcpState::Closed) return {TcpReceived::Status::Closed, {}};
  if (state_ != TcpState::Connected || blocks_.empty() || blocks_.front().readyAtMs > clock_.nowMs())
    return {};
  Block& front = blocks_.front();
  if (front.close) {
    blocks_.pop_front();
    state_ = TcpState::Closed;
    return {TcpReceived::Status::Closed, {}};
  }
  TcpReceived got{TcpReceived::Status::Data, front.bytes.substr(0, maxBytes)};
  front.bytes.erase(0, got.bytes.size());
  if (front.bytes.empty()) blocks_.pop_front();
  return got;
}

void ScriptedTcpPeer::clientCloses() {
  state_ = TcpState::Closed;
}

}  // namespace gw::test

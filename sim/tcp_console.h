#pragma once
// The LAN console: a TCP listener on 127.0.0.1 serving one client at a time (later clients wait in the
// backlog until the current one leaves). A restart closes the client once its "OK" has left and refuses new
// connections (the listener is closed) for the reset time.

#include <cstdint>
#include <memory>
#include <optional>
#include <random>
#include <string>

#include "delivery.h"
#include "device.h"
#include "event_loop.h"
#include "recording_call.h"
#include "session.h"
#include "telnet.h"
#include "trace.h"

namespace gwsim {

struct TcpConsoleConfig {
  int port = 0;  // 0 picks a free port
  bool telnet = false;
  DeliveryPolicy policy;
  int traceRate = kDefaultTraceRate;  // trace lines per second
  CallConfig call;                    // how the recording call goes
};

class TcpConsole : public Pollable {
 public:
  // Empty with `error` set when the port cannot be opened.
  static std::unique_ptr<TcpConsole> open(const TcpConsoleConfig& config, Device& device, std::string& error);
  ~TcpConsole() override;
  TcpConsole(const TcpConsole&) = delete;
  TcpConsole& operator=(const TcpConsole&) = delete;

  int port() const { return port_; }

  void addPollFds(std::vector<pollfd>& fds, std::int64_t nowMs) override;
  std::optional<std::int64_t> deadlineMs(std::int64_t nowMs) const override;
  void onPolled(const std::vector<pollfd>& fds, std::int64_t nowMs) override;

 private:
  TcpConsole(const TcpConsoleConfig& config, Device& device);

  bool startListening(std::string& error);
  void stopListening();
  void noticeRestart(std::int64_t nowMs);
  void resumeListening(std::int64_t nowMs);
  void acceptClient();
  void readClient(std::int64_t nowMs);
  void queue(const std::vector<Emission>& emissions);
  void sendTrace(std::int64_t nowMs);
  void callOrder(CallOrder order, std::int64_t nowMs);
  void sendCall(std::int64_t nowMs);
  void deliverCall(const RecordingCall::Due& due);
  void queueChunk(Chunk chunk);
  void flushClient(std::int64_t nowMs);
  void closeClientWhenFlushed(std::int64_t nowMs);
  void closeClient();

  TcpConsoleConfig config_;
  Device& device_;
  int port_ = 0;
  int listenFd_ = -1;
  int clientFd_ = -1;
  std::optional<std::size_t> listenIndex_;
  std::optional<std::size_t> clientIndex_;
  std::optional<Session> session_;
  TelnetFilter telnet_;
  OutputQueue out_;
  TraceGenerator trace_;
  std::mt19937 random_;
  std::optional<std::int64_t> closeByMs_;  // set while the client is closed once its output has left
  std::optional<std::int64_t> relistenAtMs_;
  std::uint64_t restartsSeen_ = 0;
  RecordingCall call_;
};

}  // namespace gwsim

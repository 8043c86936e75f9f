#pragma once
// The LAN transport on a non-blocking POSIX socket.

#include "link/tcp_client.h"

namespace gw {

class PosixTcpClient : public TcpClient {
 public:
  PosixTcpClient() = default;
  ~PosixTcpClient() override;
  PosixTcpClient(const PosixTcpClient&) = delete;
  PosixTcpClient& operator=(const PosixTcpClient&) = delete;

  bool connect(const std::string& host, int port) override;
  TcpState state() override;
  bool send(std::string_view bytes) override;
  TcpReceived receive(std::size_t maxBytes) override;
  void close() override;
  int fd() const override { return fd_; }

 private:
  int fd_ = -1;
  TcpState state_ = TcpState::Closed;
};

}  // namespace gw

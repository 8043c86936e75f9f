// The POSIX TCP client against a tiny server on the loopback interface.

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "base/clock.h"
#include "link/link.h"
#include "link/posix_tcp_client.h"

namespace gw::test {
namespace {

constexpr int kWaitMs = 2000;

// A listening socket on a loopback address and the one connection it accepts.
class LoopbackServer {
 public:
  explicit LoopbackServer(const char* ip = "127.0.0.1") {
    listener_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    ::inet_pton(AF_INET, ip, &address.sin_addr);
    ::bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address);
    ::listen(listener_, 1);
    socklen_t length = sizeof address;
    ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length);
    port_ = ntohs(address.sin_port);
  }
  ~LoopbackServer() {
    closeConnection();
    ::close(listener_);
  }

  int port() const { return port_; }
  bool accept() {
    pollfd p{listener_, POLLIN, 0};
    if (::poll(&p, 1, kWaitMs) <= 0) return false;
    connection_ = ::accept(listener_, nullptr, nullptr);
    return connection_ >= 0;
  }
  void send(const std::string& bytes) { ::send(connection_, bytes.data(), bytes.size(), MSG_NOSIGNAL); }
  std::string receive(std::size_t count) {
    std::string got;
    while (got.size() < count) {
      pollfd p{connection_, POLLIN, 0};
      if (::poll(&p, 1, kWaitMs) <= 0) break;
      char buffer[512];
      const ssize_t n = ::recv(connection_, buffer, sizeof buffer, 0);
      if (n <= 0) break;
      got.append(buffer, static_cast<std::size_t>(n));
    }
    return got;
  }
  void closeConnection() {
    if (connection_ >= 0) ::close(connection_);
    connection_ = -1;
  }

 private:
  int listener_ = -1;
  int connection_ = -1;
  int port_ = 0;
};

// Waits in real time until the client leaves the connecting state.
TcpState settle(TcpClient& client) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kWaitMs);
  while (client.state() == TcpState::Connecting && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return client.state();
}

TcpReceived receiveSome(TcpClient& client) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kWaitMs);
  for (;;) {
    TcpReceived got = client.receive(512);
    if (got.status != TcpReceived::Status::Nothing || std::chrono::steady_clock::now() > deadline) return got;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
}

TEST(PosixTcpClient, ConnectsToAZeroPaddedAddressAsDecimalTalksAndNoticesTheClose) {
  LoopbackServer server("127.0.0.10");
  PosixTcpClient client;
  // Read as octal, "010" would be 8; the gateway list pads addresses with zeros.
  ASSERT_TRUE(client.connect("127.000.000.010", server.port()));
  ASSERT_TRUE(server.accept());
  EXPECT_EQ(settle(client), TcpState::Connected);
  EXPECT_GE(client.fd(), 0);
  EXPECT_TRUE(client.send("AT\r\n"));
  EXPECT_EQ(server.receive(4), "AT\r\n");
  server.send(std::string(600, 'z'));
  TcpReceived first = receiveSome(client);
  EXPECT_EQ(first.status, TcpReceived::Status::Data);
  EXPECT_LE(first.bytes.size(), 512u);

  server.closeConnection();
  TcpReceived last = receiveSome(client);
  while (last.status == TcpReceived::Status::Data) last = receiveSome(client);
  EXPECT_EQ(last.status, TcpReceived::Status::Closed);
  EXPECT_FALSE(client.active());
  EXPECT_EQ(client.fd(), -1);
  EXPECT_FALSE(client.send("AT\r\n"));  // and no SIGPIPE
}

TEST(PosixTcpClient, ARefusedOrImpossibleConnectionLeavesItClosed) {
  int freePort = 0;
  {
    LoopbackServer gone;
    freePort = gone.port();
  }
  PosixTcpClient client;
  if (client.connect("127.0.0.1", freePort)) {
    EXPECT_EQ(settle(client), TcpState::Closed);
  }
  EXPECT_FALSE(client.active());
  EXPECT_FALSE(client.connect("127.0.0.1", 0));
  EXPECT_FALSE(client.connect("127.0.0.1", 70000));
  EXPECT_FALSE(client.connect("", 23));
  EXPECT_FALSE(client.connect("no-such-host.invalid", 23));
}

TEST(PosixTcpClient, ServesALinkExchangeOnTheSystemClock) {
  LoopbackServer server;
  SystemClock clock;
  Link link(clock);
  link.comm.linkType = kLanLink;
  std::vector<int> sockets;  // what an event-driven receiver would watch
  link.onLanSocket = [&](int fd) { sockets.push_back(fd); };
  std::thread gateway([&] {
    if (!server.accept()) return;
    if (server.receive(6) == "ATI3\r\n") server.send("QN-GSM\r\n\xff\xfb\x01\r\nOK\r\n");
  });
  const bool opened = link.lanOpenSocket("127.0.0.1", server.port());
  EXPECT_TRUE(opened);
  EXPECT_GE(link.lanFd(), 0);
  if (opened) {
    EXPECT_EQ(link.commSend("ATI3\r\n"), 6);
    EXPECT_EQ(link.commReceive(1024), "QN-GSM\r\n\r\nOK\r\n");
  }
  gateway.join();
  link.lanClose();
  EXPECT_EQ(link.lanFd(), -1);
  ASSERT_EQ(sockets.size(), 2u);
  EXPECT_GE(sockets[0], 0);
  EXPECT_EQ(sockets[1], -1);
  EXPECT_FALSE(link.tcpActive());
}

}  // namespace
}  // namespace gw::test

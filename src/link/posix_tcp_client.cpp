#include "link/posix_tcp_client.h"

#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <memory>
#include <optional>
#include <vector>

#include "link/host_address.h"

namespace gw {

namespace {

// A send that makes no progress for this long gives up: the peer stopped reading.
constexpr int kSendStallMs = 1000;
constexpr int kMaxPort = 65535;

struct Address {
  sockaddr_storage storage{};
  socklen_t length = 0;
  int family = AF_INET;
};

std::optional<Address> ipv4Address(const std::string& dotted, int port) {
  Address a;
  auto* in = reinterpret_cast<sockaddr_in*>(&a.storage);
  in->sin_family = AF_INET;
  in->sin_port = htons(static_cast<std::uint16_t>(port));
  if (::inet_pton(AF_INET, dotted.c_str(), &in->sin_addr) != 1) return std::nullopt;
  a.length = sizeof(sockaddr_in);
  return a;
}

// Names resolve to IPv4 first (the gateway speaks IPv4); other families only when a name has no IPv4.
std::optional<Address> resolveName(const std::string& host, int port) {
  for (int family : {AF_INET, AF_UNSPEC}) {
    addrinfo hints{};
    hints.ai_family = family;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    const std::string service = std::to_string(port);
    if (::getaddrinfo(host.c_str(), service.c_str(), &hints, &found) != 0 || found == nullptr) continue;
    std::unique_ptr<addrinfo, decltype(&::freeaddrinfo)> owner(found, &::freeaddrinfo);
    Address a;
    std::memcpy(&a.storage, found->ai_addr, found->ai_addrlen);
    a.length = found->ai_addrlen;
    a.family = found->ai_family;
    return a;
  }
  return std::nullopt;
}

std::optional<Address> addressOf(const std::string& host, int port) {
  // Dotted quads never go through the resolver: inet_aton would read "010" as octal.
  if (const std::optional<std::string> dotted = normalizeDottedQuad(host)) return ipv4Address(*dotted, port);
  if (host.empty()) return std::nullopt;
  return resolveName(host, port);
}

}  // namespace

PosixTcpClient::~PosixTcpClient() {
  close();
}

void PosixTcpClient::close() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  state_ = TcpState::Closed;
}

bool PosixTcpClient::connect(const std::string& host, int port) {
  close();
  if (port < 1 || port > kMaxPort) return false;
  const std::optional<Address> address = addressOf(host, port);
  if (!address) return false;
  fd_ = ::socket(address->family, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
  if (fd_ < 0) return false;
  // Terminal keystrokes go one byte at a time and must not wait for the previous one's acknowledgement.
  const int on = 1;
  ::setsockopt(fd_, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
  if (::connect(fd_, reinterpret_cast<const sockaddr*>(&address->storage), address->length) == 0) {
    state_ = TcpState::Connected;
    return true;
  }
  if (errno != EINPROGRESS) {
    close();
    return false;
  }
  state_ = TcpState::Connecting;
  return true;
}

TcpState PosixTcpClient::state() {
  if (state_ != TcpState::Connecting) return state_;
  pollfd p{fd_, POLLOUT, 0};
  if (::poll(&p, 1, 0) <= 0) return state_;
  int error = 0;
  socklen_t length = sizeof error;
  if (::getsockopt(fd_, SOL_SOCKET, SO_ERROR, &error, &length) != 0 || error != 0) {
    close();
  } else {
    state_ = TcpState::Connected;
  }
  return state_;
}

bool PosixTcpClient::send(std::string_view bytes) {
  if (state() != TcpState::Connected) return false;
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::send(fd_, bytes.data() + done, bytes.size() - done, MSG_NOSIGNAL);
    if (n > 0) {
      done += static_cast<std::size_t>(n);
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && errno == EAGAIN) {
      pollfd p{fd_, POLLOUT, 0};
      if (::poll(&p, 1, kSendStallMs) > 0 && (p.revents & POLLOUT) != 0) continue;
      return false;
    }
    close();  // reset or broken pipe: the connection is gone
    return false;
  }
  return true;
}

TcpReceived PosixTcpClient::receive(std::size_t maxBytes) {
  const TcpState now = state();
  if (now == TcpState::Closed) return {TcpReceived::Status::Closed, {}};
  if (now == TcpState::Connecting || maxBytes == 0) return {};
  std::vector<char> block(maxBytes);
  const ssize_t n = ::recv(fd_, block.data(), block.size(), MSG_DONTWAIT);
  if (n > 0) return {TcpReceived::Status::Data, std::string(block.data(), static_cast<std::size_t>(n))};
  if (n < 0 && (errno == EAGAIN || errno == EINTR)) return {};
  close();  // orderly close by the peer, or a reset
  return {TcpReceived::Status::Closed, {}};
}

}  // namespace gw

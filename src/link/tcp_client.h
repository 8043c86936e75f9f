#pragma once
// The byte transport of the LAN link: a non-blocking TCP client, behind a small interface so that the
// exchange and the login run against a scripted peer as well as against a socket.

#include <cstddef>
#include <string>
#include <string_view>

namespace gw {

enum class TcpState { Closed, Connecting, Connected };

struct TcpReceived {
  enum class Status {
    Nothing,  // no data waiting
    Data,     // `bytes` holds one received block
    Closed,   // the peer closed the connection or it failed; the client is inactive now
  };
  Status status = Status::Nothing;
  std::string bytes;
};

class TcpClient {
 public:
  virtual ~TcpClient() = default;

  // Starts a non-blocking connect to a dotted IPv4 address or a host name. False when it cannot even start
  // (a name that does not resolve, a bad port, an at once refused connection); the client is then closed.
  virtual bool connect(const std::string& host, int port) = 0;
  // The connection's state; a pending connect is completed or failed here.
  virtual TcpState state() = 0;
  // Sends all bytes; false on a socket error or when not connected.
  virtual bool send(std::string_view bytes) = 0;
  // One block of at most `maxBytes` received bytes, without waiting.
  virtual TcpReceived receive(std::size_t maxBytes) = 0;
  virtual void close() = 0;
  // The socket, for event-driven receiving; -1 when there is none.
  virtual int fd() const = 0;

  // Active: connecting or connected.
  bool active() { return state() != TcpState::Closed; }
};

}  // namespace gw

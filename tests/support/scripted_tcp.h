#pragma once
// A gateway's LAN console as the TCP client sees it, on the fake clock: it records what the program sends and
// answers from a script, block by block, as a socket would hand the bytes over. It can split replies, close
// in the middle of one, refuse or delay the connection and fail sends. Byte-level: no parsing shared with the
// link.

#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "base/fake_clock.h"
#include "link/tcp_client.h"

namespace gw::test {

class ScriptedTcpPeer {
 public:
  explicit ScriptedTcpPeer(FakeClock& clock) : clock_(clock) {}

  // --- Script ---
  // Each time the bytes received since the last answer contain `trigger`, the blocks are sent, the first
  // `delayMs` later and each further one `gapMs` after the previous.
  void answer(std::string trigger, std::vector<std::string> blocks, int delayMs = 0, int gapMs = 0);
  void answer(std::string trigger, std::string reply, int delayMs = 0) {
    answer(std::move(trigger), std::vector<std::string>{std::move(reply)}, delayMs);
  }
  // As answer, for the first time only; one-time answers are matched before lasting ones.
  void answerOnce(std::string trigger, std::string reply, int delayMs = 0);
  // One block that arrives `delayMs` from now (after the blocks already queued).
  void send(std::string block, int delayMs = 0);
  // The peer closes the connection `delayMs` from now, after the blocks queued before.
  void closeAfter(int delayMs);
  // The next connects are refused.
  bool refuseConnect = false;
  // A connect completes this long after it starts.
  int connectDelayMs = 0;
  // Sends fail as on a socket error.
  bool failSends = false;

  // --- Record ---
  std::string received;  // every byte the program sent
  int connects = 0;
  std::string host;
  int port = 0;

  // The client the link owns; it talks to this peer.
  std::unique_ptr<TcpClient> client();

  // --- Client side ---
  bool startConnect(const std::string& toHost, int toPort);
  TcpState state();
  bool clientSends(std::string_view bytes);
  TcpReceived clientReceives(std::size_t maxBytes);
  void clientCloses();

 private:
  struct Block {
    std::int64_t readyAtMs;
    std::string bytes;
    bool close;
  };
  struct Rule {
    std::string trigger;
    std::vector<std::string> blocks;
    int delayMs;
    int gapMs;
    bool once;
  };

  void queue(std::string bytes, bool close, int delayMs);
  void matchCommands();

  FakeClock& clock_;
  std::vector<Rule> rules_;
  std::deque<Block> blocks_;
  std::string heard_;
  TcpState state_ = TcpState::Closed;
  std::int64_t connectedAtMs_ = 0;
};

}  // namespace gw::test

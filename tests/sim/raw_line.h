#pragma once
// A plain POSIX byte stream to a running gwsim: a TCP connection to its LAN console or the pseudo-terminal
// of its serial console. Reads wait with a bound, never longer.

#include <string>
#include <string_view>
#include <vector>

namespace gwsim::test {

inline constexpr int kReplyWaitMs = 3000;   // generous: a reply normally arrives in a millisecond
inline constexpr int kSilenceWaitMs = 300;  // how long "nothing arrives" is watched

class RawLine {
 public:
  static RawLine tcp(int port);
  // Opens the serial console raw, 8N1, at `bitsPerSecond`.
  static RawLine serial(const std::string& path, int bitsPerSecond);
  RawLine(RawLine&& other) noexcept;
  ~RawLine();
  RawLine(const RawLine&) = delete;
  RawLine& operator=(const RawLine&) = delete;
  RawLine& operator=(RawLine&&) = delete;

  bool open() const { return fd_ >= 0; }
  bool send(std::string_view bytes);
  bool setSpeed(int bitsPerSecond);
  // Everything up to and including `marker`; what was read so far when it does not come in time.
  std::string readUntil(std::string_view marker, int timeoutMs = kReplyWaitMs);
  // Each read() result separately, until `marker` has arrived or the time is up.
  std::vector<std::string> readBlocksUntil(std::string_view marker, int timeoutMs = kReplyWaitMs);
  // Everything that arrives within `ms`.
  std::string readFor(int ms);
  // True when the other side closes the stream within `timeoutMs` (bytes before the end are skipped).
  bool closedByPeer(int timeoutMs = kReplyWaitMs);

 private:
  explicit RawLine(int fd) : fd_(fd) {}
  // One read() of what is there, waiting up to `timeoutMs`; empty on time-out; sets eof_.
  std::string readBlock(int timeoutMs);

  int fd_ = -1;
  bool eof_ = false;
  std::string pending_;
};

// Logs in with admin:admin on a console that shows its prompt; true when "OK" came back.
bool logIn(RawLine& line, const std::string& user = "admin", const std::string& password = "admin");

}  // namespace gwsim::test

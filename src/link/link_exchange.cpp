// The command exchange: one command sent, one response collected, on either link type.

#include <algorithm>

#include "base/text.h"
#include "link/link.h"
#include "link/response.h"
#include "link/seconds_wait.h"

namespace gw {

namespace {

// Waits poll in steps of this many ms, processing pending events (and received LAN data) in between.
constexpr int kPollStepMs = 10;
// A LAN response is cut off when it has been arriving for more than this many whole seconds.
constexpr int kOverallReceiveLimitS = 15;
// The chunk readers wait this long for LAN data.
constexpr int kLanChunkWaitS = 5;
// Before a chunk is taken, the rest of a burst gets this long to arrive.
constexpr int kBurstPauseMs = 100;
// sendCheckOk gives the gateway this long before it collects the response.
constexpr int kCheckOkPauseMs = 100;
// sendCollectError gives the gateway this long before it collects the response.
constexpr int kCollectErrorPauseMs = 10;
// The longest LAN wait a chunk reader accepts; longer or nonsensical waits are cut to it.
constexpr double kLongestChunkWaitS = 3600;

constexpr std::string_view kCheckOkReply = "\r\nOK\r\n";
constexpr std::string_view kCollectOkReply = "OK";

}  // namespace

// Marks the link busy with an exchange for as long as one waits for the gateway.
class Link::ExchangeScope {
 public:
  explicit ExchangeScope(Link& link) : link_(link) { ++link_.exchangeDepth_; }
  ~ExchangeScope() { --link_.exchangeDepth_; }
  ExchangeScope(const ExchangeScope&) = delete;
  ExchangeScope& operator=(const ExchangeScope&) = delete;

 private:
  Link& link_;
};

int Link::commSend(std::string_view bytes) {
  // A cancelled exchange sends nothing more, so the step under way gives up at its first send.
  if (cancelRequested()) return 0;
  touchActivity();
  if (comm.linkType == kSerialLink) {
    logSend(bytes);
    const int written = serialWrite(bytes);
    touchActivity();
    if (written <= 0 && !bytes.empty()) unanswered_ = true;
    return written;
  }
  // Any other link type is the LAN. A command the socket never saw leaves no trace in the LOG.
  if (!tcpActive()) {
    unanswered_ = true;
    return 0;
  }
  logSend(bytes);
  const int sent = lanSendText(bytes);
  if (sent == 0) {
    unanswered_ = !untilNul(bytes).empty();
    return 0;
  }
  logSend(bytes);  // each LAN command stands twice: before and after the socket took it
  touchActivity();
  return sent;
}

std::string Link::commReceive(std::size_t capacity) {
  ExchangeScope exchange(*this);
  std::string reply = comm.linkType == kSerialLink ? serialRead(capacity) : lanReceive(capacity);
  noteReply(reply);
  return reply;
}

std::string Link::lanReceive(std::size_t capacity) {
  ResponseCollector response(capacity);
  const SecondsWait overall(clock_);
  for (;;) {
    const SecondsWait chunk(clock_);
    bool waitEnded = false;
    do {
      clock_.sleep(kPollStepMs);
      clock_.processEvents();
      if (chunk.moreThan(timeoutMs / 1000) || cancelRequested()) waitEnded = true;
    } while (!rxReady() && !waitEnded);
    clock_.sleep(kPollStepMs);
    const std::string piece = takeRxText(std::string::npos);
    response.add(piece);
    if (response.complete() || overall.moreThan(kOverallReceiveLimitS) || (waitEnded && piece.empty())) break;
  }
  touchActivity();
  logReceive(response.text());
  return response.text();
}

std::string Link::commReadChunk(std::size_t capacity) {
  ExchangeScope exchange(*this);
  std::string chunk =
      comm.linkType == kSerialLink ? serialRead(capacity) : lanReadChunk(capacity, kLanChunkWaitS);
  noteReply(chunk);
  return chunk;
}

std::optional<std::string> Link::commReadChunkTimed(std::size_t capacity, double seconds) {
  if (comm.linkType != kSerialLink && comm.linkType != kLanLink) return std::nullopt;
  ExchangeScope exchange(*this);
  if (!(seconds >= 0)) seconds = 0;  // negative or not a number
  std::string chunk = comm.linkType == kSerialLink
                          ? serialRead(capacity)
                          : lanReadChunk(capacity, std::min(seconds, kLongestChunkWaitS));
  noteReply(chunk);
  return chunk;
}

std::string Link::lanReadChunk(std::size_t capacity, double seconds) {
  waitForRxText(seconds);
  // The pause comes before the take, not under the lock: the rest of the burst arrives through the very
  // receive poll that needs the lock.
  clock_.sleep(kBurstPauseMs);
  std::string text = takeRxText(capacity);
  touchActivity();
  logReceive(text);
  return text;
}

void Link::waitForRxText(double seconds) {
  const SecondsWait wait(clock_);
  do {
    clock_.processEvents();
    clock_.sleep(kPollStepMs);
  } while (!rxReady() && !wait.moreThan(seconds) && !cancelRequested());
}

bool Link::sendCheckOk(std::string_view command, std::size_t capacity, std::string* response) {
  ExchangeScope exchange(*this);
  if (response) response->clear();
  const std::string_view text = untilNul(command);
  if (commSend(text) != static_cast<int>(text.size())) return false;
  clock_.sleep(kCheckOkPauseMs);
  const std::string reply = commReceive(capacity);
  if (response) *response = reply;
  return contains(reply, kCheckOkReply);
}

void Link::sendCollectError(std::string_view command, std::size_t capacity, std::string& errorText,
                            std::string_view label, std::string* response) {
  ExchangeScope exchange(*this);
  if (response) response->clear();
  const std::string_view text = untilNul(command);
  if (commSend(text) != static_cast<int>(text.size())) {
    errorText.append(label);
    return;
  }
  clock_.sleep(kCollectErrorPauseMs);
  const std::string reply = commReceive(capacity);
  if (response) *response = reply;
  if (contains(reply, kCollectOkReply)) return;
  if (!contains(errorText, label)) errorText.append(label);
}

}  // namespace gw

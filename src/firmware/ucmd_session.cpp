#include "firmware/ucmd_session.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netdb.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace gw {

namespace {

using namespace ucmd;

constexpr const char* kUserEscaped = "\n*** User escaped ***\n";
constexpr const char* kLoginRefused = "\nERROR: UCMD packet user:name\n\n";

class PosixUdpChannel : public UdpChannel {
 public:
  explicit PosixUdpChannel(int fd) : fd_(fd) {}
  ~PosixUdpChannel() override { ::close(fd_); }
  bool send(const std::vector<std::uint8_t>& datagram) override {
    return ::send(fd_, datagram.data(), datagram.size(), 0) == static_cast<ssize_t>(datagram.size());
  }
  std::optional<std::vector<std::uint8_t>> receive() override {
    std::vector<std::uint8_t> buffer(kReceiveBufferBytes);
    const ssize_t n = ::recv(fd_, buffer.data(), buffer.size(), MSG_DONTWAIT);
    if (n < 0) return std::nullopt;  // nothing waits (or the port refused: a silent gateway)
    buffer.resize(static_cast<std::size_t>(n));
    return buffer;
  }

 private:
  int fd_;
};

}  // namespace

std::unique_ptr<UdpChannel> openUdpChannel(const std::string& host, int port, std::string& error) {
  addrinfo hints{};
  hints.ai_family = AF_INET;
  hints.ai_socktype = SOCK_DGRAM;
  addrinfo* found = nullptr;
  if (::getaddrinfo(host.c_str(), std::to_string(port).c_str(), &hints, &found) != 0 || found == nullptr) {
    error = "\nERROR: init sockets\n\n";
    return nullptr;
  }
  const int fd = ::socket(AF_INET, SOCK_DGRAM, 0);
  if (fd < 0 || ::connect(fd, found->ai_addr, found->ai_addrlen) != 0) {
    error = "\nERROR: open socket (" + std::to_string(errno) + ")\n\n";
    if (fd >= 0) ::close(fd);
    ::freeaddrinfo(found);
    return nullptr;
  }
  ::freeaddrinfo(found);
  return std::make_unique<PosixUdpChannel>(fd);
}

UcmdSession::UcmdSession(Clock& clock, UdpChannel& channel, std::string credential, Memory memory,
                         UpgradeStatus& status, std::string& log)
    : clock_(clock),
      channel_(channel),
      credential_(std::move(credential)),
      memory_(memory),
      status_(status),
      log_(log) {}

bool UcmdSession::fail(std::string text) {
  error_ = std::move(text);
  log_ += error_;
  return false;
}

void UcmdSession::phaseLine(const char* text) {
  const LocalTime t = clock_.localTime();
  char stamp[32];
  std::snprintf(stamp, sizeof stamp, "[%2i:%02i:%02i] ", t.hour, t.minute, t.second);
  log_ += stamp;
  log_ += text;
}

namespace {

std::string packetLine(const Packet& p, bool sent) {
  char head[64];
  const std::string name(codeName(p.code));
  if (sent) {
    std::snprintf(head, sizeof head, "-->  %-6s  (   %3i)  ", name.c_str(), p.sequence);
  } else {
    std::snprintf(head, sizeof head, "<++  %-6s  (%3i   )  ", name.c_str(), p.sequence);
  }
  char fields[48];
  std::snprintf(fields, sizeof fields, "%8X  %8X  %8X  ", p.address, p.param1, p.param2);
  std::string line = std::string(head) + fields;
  constexpr std::size_t kLoggedDataBytes = 16;
  const std::size_t logged = std::min(p.data.size(), kLoggedDataBytes);
  for (std::size_t i = 0; i + 1 < logged; i += 2) {
    char word[8];
    std::snprintf(word, sizeof word, "%04X ", p.data[i] | p.data[i + 1] << 8);
    line += word;
  }
  return line + "\n";
}

}  // namespace

void UcmdSession::sendPacket(std::uint8_t code, std::uint32_t address, std::uint32_t param1,
                             std::uint32_t param2, std::vector<std::uint8_t> data) {
  lastSent_ = static_cast<std::uint8_t>(lastSent_ + 1);
  const Packet p{code, lastSent_, address, param1, param2, std::move(data)};
  ++sent_;
  log_ += packetLine(p, true);
  channel_.send(encode(p));
}

std::optional<Packet> UcmdSession::receivePacket() {
  const std::optional<std::vector<std::uint8_t>> datagram = channel_.receive();
  if (!datagram) return std::nullopt;
  std::optional<Packet> p = decode(datagram->data(), datagram->size());
  if (!p) return std::nullopt;
  ++received_;
  lastReceived_ = p->sequence;
  log_ += packetLine(*p, false);
  return p;
}

void UcmdSession::showStatus(std::uint32_t current, std::uint32_t acknowledged, std::uint32_t end) {
  char line[128];
  std::snprintf(line, sizeof line, "Send/Recv:  %i/%i (%3i/%3i),  Addr:  %X,  %X,  %X", sent_, received_,
                lastSent_, lastReceived_, current, acknowledged, end);
  status_.status(line);
}

bool UcmdSession::escapedOrStalled(std::int64_t lastProgressMs, int limitMs) {
  return status_.escaped() || clock_.nowMs() - lastProgressMs > limitMs;
}

bool UcmdSession::modeExchange(Operation operation) {
  std::vector<std::uint8_t> auth(kAuthBytes, 0);
  int modes = 0;
  int passwordErrors = 0;
  std::int64_t lastSendMs = 0;
  bool sendNow = true;
  while (true) {
    if (status_.escaped()) return fail(kUserEscaped);
    if (sendNow || clock_.nowMs() - lastSendMs >= kModeIntervalMs) {
      if (received_ == 0 && modes >= kMaxUnansweredModes) return fail(kUserEscaped);
      sendPacket(kMode, static_cast<std::uint32_t>(memory_), 0, static_cast<std::uint32_t>(operation), auth);
      ++modes;
      lastSendMs = clock_.nowMs();
      sendNow = false;
      showStatus(0, 0, 0);
    }
    const std::optional<Packet> reply = receivePacket();
    if (!reply) {
      clock_.sleep(kPollMs);
      continue;
    }
    showStatus(0, 0, 0);
    if (isErrorReply(reply->code) && reply->code != kPasswordError) return fail(errorReplyText(*reply));
    if (reply->sequence != lastSent_) continue;  // a late answer to an earlier MODE
    if (reply->code == kPasswordError) {
      if (++passwordErrors >= kMaxPasswordErrors) return fail(kLoginRefused);
      const auto answer = authentication(reply->data, credential_);
      auth.assign(answer.begin(), answer.end());
      sendNow = true;
      continue;
    }
    if (reply->code != kModeOk) continue;
    areaStart_ = reply->address;
    windowBytes_ = reply->param1;
    areaEnd_ = reply->param2;
    break;
  }
  if (operation == Operation::Reset) {
    const std::int64_t until = clock_.nowMs() + kResetWaitMs;
    int more = 0;
    while (more < kResetExtraModeOks && clock_.nowMs() < until) {
      const std::optional<Packet> reply = receivePacket();
      if (reply && reply->code == kModeOk) ++more;
      if (!reply) clock_.sleep(kPollMs);
    }
  }
  return true;
}

bool UcmdSession::erase() {
  phaseLine("*** Erasing flash ***\n\n");
  status_.title("*** Erasing flash ***");
  if (!modeExchange(Operation::Erase)) return false;
  std::uint32_t address = areaStart_;
  std::int64_t lastProgressMs = clock_.nowMs();
  std::int64_t lastSendMs = 0;
  bool sendNow = true;
  while (address < areaEnd_) {
    if (escapedOrStalled(lastProgressMs, kEraseStallMs)) return fail(kUserEscaped);
    if (sendNow || clock_.nowMs() - lastSendMs >= kEraseIntervalMs) {
      sendPacket(kErase, address, 0, 0);
      lastSendMs = clock_.nowMs();
      sendNow = false;
      showStatus(address, address, areaEnd_);
    }
    const std::optional<Packet> reply = receivePacket();
    if (!reply) {
      clock_.sleep(kPollMs);
      continue;
    }
    if (isErrorReply(reply->code)) return fail(errorReplyText(*reply));
    if (reply->code == kEraseOk && reply->address == address && reply->param1 > 0) {
      address += reply->param1;
      lastProgressMs = clock_.nowMs();
      sendNow = true;
    }
    showStatus(address, address, areaEnd_);
  }
  phaseLine("*** Erasing flash OK ***\n\n");
  status_.phaseDone();
  return true;
}

// Sends the blocks [from, to) under the gateway's window; a block without its WROK is sent again after a
// while, so a lost or late datagram costs a resend, not the image.
bool UcmdSession::writeBlocks(const std::vector<std::uint8_t>& image, std::uint32_t from, std::uint32_t to) {
  std::set<std::uint32_t> waiting;  // sent, not yet acknowledged
  std::uint32_t next = from;
  std::uint32_t limit = areaStart_ + windowBytes_;
  std::uint32_t acknowledged = from;
  std::int64_t lastProgressMs = clock_.nowMs();
  const auto block = [&](std::uint32_t address) {
    const std::size_t at = address - areaStart_;
    std::vector<std::uint8_t> data(kBlockBytes, 0xFF);
    if (at < image.size()) {
      std::copy_n(image.begin() + static_cast<std::ptrdiff_t>(at), std::min(kBlockBytes, image.size() - at),
                  data.begin());
    }
    return data;
  };
  std::vector<std::int64_t> sendTimes((to - from + kBlockBytes - 1) / kBlockBytes, 0);
  const auto indexOf = [&](std::uint32_t address) { return (address - from) / kBlockBytes; };
  while (next < to || !waiting.empty()) {
    if (escapedOrStalled(lastProgressMs, kWriteStallMs)) return fail(kUserEscaped);
    while (next < to && (next < limit || waiting.empty())) {
      sendPacket(kWrite, next, 0, 0, block(next));
      waiting.insert(next);
      sendTimes[indexOf(next)] = clock_.nowMs();
      next += kBlockBytes;
    }
    for (std::uint32_t address : waiting) {
      if (clock_.nowMs() - sendTimes[indexOf(address)] >= kResendAfterMs) {
        sendPacket(kWrite, address, 0, 0, block(address));
        sendTimes[indexOf(address)] = clock_.nowMs();
      }
    }
    showStatus(next, acknowledged, to);
    const std::optional<Packet> reply = receivePacket();
    if (!reply) {
      clock_.sleep(kPollMs);
      continue;
    }
    if (isErrorReply(reply->code)) return fail(errorReplyText(*reply));
    if (reply->code != kWriteOk || waiting.erase(reply->address) == 0) continue;
    acknowledged = std::max(acknowledged, reply->address + static_cast<std::uint32_t>(kBlockBytes));
    limit = std::max(limit, reply->param1);
    lastProgressMs = clock_.nowMs();
  }
  return true;
}

bool UcmdSession::write(std::vector<std::uint8_t> image, const std::string& fileName) {
  char title[64 + 1024];
  std::snprintf(title, sizeof title, "*** Writing file (%s) ***\n\n", fileName.c_str());
  phaseLine(title);
  status_.title("*** Writing file ***");
  if (!modeExchange(Operation::Write)) return false;
  const auto size = static_cast<std::uint32_t>(image.size());
  if (static_cast<std::uint64_t>(areaStart_) + size >= areaEnd_) {
    char text[80];
    std::snprintf(text, sizeof text, "\nERROR: file size (%u/%u)\n\n", size, areaEnd_ - areaStart_);
    return fail(text);
  }
  const std::uint32_t imageEnd = areaStart_ + size;
  if (!writeBlocks(image, areaStart_ + static_cast<std::uint32_t>(kBlockBytes), imageEnd)) return false;
  // The block the gateway checks last: the CPU image's checksum block, or the first block of another area.
  std::uint32_t last = areaStart_;
  if (memory_ == Memory::Cpu) {
    stampChecksum(image);
    last = areaStart_ + static_cast<std::uint32_t>(kChecksumAt);
  }
  if (!writeBlocks(image, last, last + static_cast<std::uint32_t>(kBlockBytes))) return false;
  phaseLine("*** Writing file OK ***\n\n");
  status_.phaseDone();
  return true;
}

bool UcmdSession::reset() {
  phaseLine("*** Reseting system ***\n\n");
  status_.title("*** Reseting system ***\n");
  return modeExchange(Operation::Reset);
}

}  // namespace gw

#include "tcp_console.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "reply.h"

namespace gwsim {
namespace {

constexpr int kListenBacklog = 8;
constexpr std::size_t kReadBlockBytes = 4096;
// A client that does not take its last reply is closed anyway after this long.
constexpr std::int64_t kCloseFlushLimitMs = 2000;
constexpr std::int64_t kRelistenRetryMs = 100;
constexpr unsigned kRandomSeed = 1;

long sendSome(int fd, std::string_view bytes) {
  const ssize_t n = ::send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL);
  if (n >= 0) return static_cast<long>(n);
  if (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR) return OutputQueue::kWouldBlock;
  return OutputQueue::kWriteFailed;
}

bool has(const std::vector<pollfd>& fds, const std::optional<std::size_t>& index, short events) {
  return index && *index < fds.size() && (fds[*index].revents & events) != 0;
}

}  // namespace

TcpConsole::TcpConsole(const TcpConsoleConfig& config, Device& device)
    : config_(config),
      device_(device),
      port_(config.port),
      trace_(config.traceRate),
      random_(kRandomSeed),
      call_(config.call) {}

std::unique_ptr<TcpConsole> TcpConsole::open(const TcpConsoleConfig& config, Device& device,
                                             std::string& error) {
  std::unique_ptr<TcpConsole> console(new TcpConsole(config, device));
  if (!console->startListening(error)) return nullptr;
  return console;
}

TcpConsole::~TcpConsole() {
  closeClient();
  stopListening();
}

bool TcpConsole::startListening(std::string& error) {
  const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
  if (fd < 0) {
    error = std::string("socket: ") + std::strerror(errno);
    return false;
  }
  const int on = 1;
  ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = htons(static_cast<std::uint16_t>(port_));
  socklen_t length = sizeof address;
  if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
      ::listen(fd, kListenBacklog) != 0 ||
      ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
    error = "port " + std::to_string(port_) + ": " + std::strerror(errno);
    ::close(fd);
    return false;
  }
  port_ = ntohs(address.sin_port);  // later restarts listen on the same port
  listenFd_ = fd;
  return true;
}

void TcpConsole::stopListening() {
  if (listenFd_ >= 0) ::close(listenFd_);
  listenFd_ = -1;
}

void TcpConsole::addPollFds(std::vector<pollfd>& fds, std::int64_t nowMs) {
  listenIndex_.reset();
  clientIndex_.reset();
  if (clientFd_ >= 0) {
    short events = closeByMs_ ? 0 : POLLIN;
    const std::optional<std::int64_t> readyAt = out_.readyAtMs();
    if (readyAt && *readyAt <= nowMs) events |= POLLOUT;
    clientIndex_ = fds.size();
    fds.push_back({clientFd_, events, 0});
  } else if (listenFd_ >= 0) {
    listenIndex_ = fds.size();
    fds.push_back({listenFd_, POLLIN, 0});
  }
}

std::optional<std::int64_t> TcpConsole::deadlineMs(std::int64_t nowMs) const {
  std::optional<std::int64_t> deadline;
  const auto consider = [&deadline](std::optional<std::int64_t> time) {
    if (time && (!deadline || *time < *deadline)) deadline = time;
  };
  const std::optional<std::int64_t> readyAt = out_.readyAtMs();
  if (clientFd_ >= 0 && readyAt && *readyAt > nowMs) consider(readyAt);
  consider(closeByMs_);
  consider(relistenAtMs_);
  if (clientFd_ >= 0 && !closeByMs_) consider(trace_.nextDueMs());
  if (clientFd_ >= 0 && !closeByMs_) consider(call_.nextDueMs());
  return deadline;
}

void TcpConsole::onPolled(const std::vector<pollfd>& fds, std::int64_t nowMs) {
  noticeRestart(nowMs);
  resumeListening(nowMs);
  if (clientFd_ >= 0 && !closeByMs_ && has(fds, clientIndex_, POLLIN | POLLHUP | POLLERR)) readClient(nowMs);
  if (clientFd_ >= 0 && closeByMs_ && has(fds, clientIndex_, POLLHUP | POLLERR)) closeClient();
  if (clientFd_ < 0 && has(fds, listenIndex_, POLLIN)) acceptClient();
  sendTrace(nowMs);
  sendCall(nowMs);
  flushClient(nowMs);
  closeClientWhenFlushed(nowMs);
}

void TcpConsole::noticeRestart(std::int64_t nowMs) {
  if (device_.restarts() == restartsSeen_) return;
  restartsSeen_ = device_.restarts();
  if (clientFd_ >= 0 && !closeByMs_) closeByMs_ = nowMs + kCloseFlushLimitMs;
  stopListening();
  relistenAtMs_ = device_.restartEndsMs().value_or(nowMs);
}

void TcpConsole::resumeListening(std::int64_t nowMs) {
  if (!relistenAtMs_ || nowMs < *relistenAtMs_) return;
  std::string error;
  if (startListening(error)) {
    relistenAtMs_.reset();
  } else {
    std::fprintf(stderr, "gwsim: cannot listen again on %s; retrying\n", error.c_str());
    relistenAtMs_ = nowMs + kRelistenRetryMs;
  }
}

void TcpConsole::acceptClient() {
  const int fd = ::accept4(listenFd_, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
  if (fd < 0) return;
  const int on = 1;
  ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);  // split replies leave as separate segments
  clientFd_ = fd;
  session_.emplace(device_);
  trace_.stop();
  call_.stop();
  telnet_ = TelnetFilter();
  out_.clear();
  closeByMs_.reset();
  if (config_.telnet && !device_.muted()) queueChunk({telnetNegotiation(), 0});
  queue(session_->greeting());
}

void TcpConsole::readClient(std::int64_t nowMs) {
  char block[kReadBlockBytes];
  const ssize_t n = ::recv(clientFd_, block, sizeof block, 0);
  if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR)) return;
  if (n <= 0) {
    closeClient();
    return;
  }
  const FeedResult result =
      session_->feed(telnet_.filter(std::string_view(block, static_cast<std::size_t>(n))));
  queue(result.out);
  if (result.trace && result.trace->start) trace_.start(result.trace->settings, nowMs);
  if (result.trace && !result.trace->start) trace_.stop();
  if (result.call) callOrder(*result.call, nowMs);
  if (result.drop && !closeByMs_) closeByMs_ = nowMs + kCloseFlushLimitMs;
  if (result.restart) {
    device_.startRestart(nowMs);
    noticeRestart(nowMs);
  }
}

void TcpConsole::queue(const std::vector<Emission>& emissions) {
  for (const Emission& emission : emissions) {
    if (emission.kind == Emission::Kind::Echo) {
      queueChunk({emission.bytes, 0});
      continue;
    }
    for (Chunk& chunk : planReply(emission.bytes, config_.policy, random_)) queueChunk(std::move(chunk));
  }
}

void TcpConsole::sendTrace(std::int64_t nowMs) {
  if (clientFd_ < 0 || closeByMs_) return;
  const std::vector<std::string> lines = trace_.due(nowMs);
  if (device_.muted()) return;
  for (Chunk& chunk : planTrace(lines, config_.policy, random_)) queueChunk(std::move(chunk));
}

void TcpConsole::callOrder(CallOrder order, std::int64_t nowMs) {
  deliverCall(call_.carryOut(order, nowMs));
}

void TcpConsole::sendCall(std::int64_t nowMs) {
  if (clientFd_ < 0 || closeByMs_) return;
  deliverCall(call_.due(nowMs));
}

void TcpConsole::deliverCall(const RecordingCall::Due& due) {
  if (due.recordedMs) device_.voiceRecorded(*due.recordedMs);
  if (!due.text.empty() && !device_.muted()) queue({{Emission::Kind::Reply, due.text}});
}

void TcpConsole::queueChunk(Chunk chunk) {
  if (clientFd_ >= 0 && !out_.push(std::move(chunk))) {
    std::fprintf(stderr, "gwsim: LAN client does not read its replies; closing it\n");
    closeClient();
  }
}

void TcpConsole::flushClient(std::int64_t nowMs) {
  if (clientFd_ < 0) return;
  const int fd = clientFd_;
  if (out_.flush(nowMs, [fd](std::string_view bytes) { return sendSome(fd, bytes); }) ==
      OutputQueue::Flush::Failed) {
    closeClient();
  }
}

void TcpConsole::closeClientWhenFlushed(std::int64_t nowMs) {
  if (clientFd_ >= 0 && closeByMs_ && (out_.empty() || nowMs >= *closeByMs_)) closeClient();
}

void TcpConsole::closeClient() {
  if (clientFd_ >= 0) ::close(clientFd_);
  clientFd_ = -1;
  session_.reset();
  out_.clear();
  trace_.stop();
  call_.stop();  // the call ends with the client that made it
  closeByMs_.reset();
}

}  // namespace gwsim

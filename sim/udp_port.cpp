#include "udp_port.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <openssl/evp.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>

namespace gwsim {

namespace {

constexpr std::size_t kHeader = 16;
constexpr std::size_t kAuth = 16;
constexpr std::size_t kBlock = 1024;
constexpr std::size_t kBufferBytes = 1600;
constexpr std::uint8_t kWrite = 0x33;
constexpr std::uint8_t kErase = 0x36;
constexpr std::uint8_t kMode = 0x39;
constexpr std::uint8_t kWriteOk = 0x93;
constexpr std::uint8_t kEraseOk = 0x96;
constexpr std::uint8_t kModeOk = 0x99;
constexpr std::uint8_t kModeError = 0xA9;
constexpr std::uint8_t kCodeError = 0xC3;
constexpr std::uint8_t kAddressError = 0xC5;
constexpr std::uint8_t kPasswordError = 0xC9;
constexpr std::uint32_t kResetOperation = 4;
constexpr int kResetModeOks = 5;
constexpr unsigned kRandomSeed = 2222;
constexpr int kPercent = 100;

std::uint32_t get32(const std::vector<std::uint8_t>& b, std::size_t at) {
  return static_cast<std::uint32_t>(b[at]) | static_cast<std::uint32_t>(b[at + 1]) << 8 |
         static_cast<std::uint32_t>(b[at + 2]) << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24;
}

void put32(std::vector<std::uint8_t>& b, std::size_t at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}

std::vector<std::uint8_t> md5(const std::vector<std::uint8_t>& bytes) {
  std::vector<std::uint8_t> digest(kAuth);
  unsigned length = 0;
  EVP_Digest(bytes.data(), bytes.size(), digest.data(), &length, EVP_md5(), nullptr);
  return digest;
}

}  // namespace

UdpPort::UdpPort(const UdpPortConfig& config, Flash& flash)
    : config_(config), flash_(flash), random_(kRandomSeed) {}

UdpPort::~UdpPort() {
  if (fd_ >= 0) ::close(fd_);
}

std::unique_ptr<UdpPort> UdpPort::open(const UdpPortConfig& config, Flash& flash, std::string& error) {
  auto port = std::make_unique<UdpPort>(config, flash);
  port->fd_ = ::socket(AF_INET, SOCK_DGRAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = htons(static_cast<std::uint16_t>(config.port));
  socklen_t length = sizeof address;
  if (port->fd_ < 0 || ::bind(port->fd_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
      ::getsockname(port->fd_, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
    error = "cannot open UDP port " + std::to_string(config.port);
    return nullptr;
  }
  port->port_ = ntohs(address.sin_port);
  return port;
}

void UdpPort::addPollFds(std::vector<pollfd>& fds, std::int64_t) {
  index_ = fds.size();
  fds.push_back({fd_, POLLIN, 0});
}

std::optional<std::int64_t> UdpPort::deadlineMs(std::int64_t) const {
  std::optional<std::int64_t> deadline;
  if (heldBack_) deadline = heldBackUntilMs_;
  if (pendingErase_ && (!deadline || pendingErase_->doneAtMs < *deadline)) deadline = pendingErase_->doneAtMs;
  return deadline;
}

void UdpPort::finishErase(std::int64_t nowMs) {
  if (!pendingErase_ || nowMs < pendingErase_->doneAtMs) return;
  const PendingErase done = *pendingErase_;
  pendingErase_.reset();
  const AreaShape shape = Flash::shape(area_);
  flash_.erase(area_, done.address - shape.start, done.step);
  send(reply(kEraseOk, done.sequence, done.address, done.step, 0), nowMs);
}

void UdpPort::sendOut(const std::vector<std::uint8_t>& datagram) {
  ::sendto(fd_, datagram.data(), datagram.size(), 0, reinterpret_cast<sockaddr*>(&peer_), peerLength_);
}

void UdpPort::send(std::vector<std::uint8_t> datagram, std::int64_t nowMs) {
  if (lost()) return;
  if (config_.reorder && !heldBack_) {
    heldBack_ = std::move(datagram);
    heldBackUntilMs_ = nowMs + kHoldBackMs;
    return;
  }
  sendOut(datagram);
  if (heldBack_) {
    sendOut(*heldBack_);
    heldBack_.reset();
  }
}

bool UdpPort::lost() {
  return config_.lossPercent > 0 && static_cast<int>(random_() % kPercent) < config_.lossPercent;
}

void UdpPort::onPolled(const std::vector<pollfd>& fds, std::int64_t nowMs) {
  if (heldBack_ && nowMs >= heldBackUntilMs_) {
    sendOut(*heldBack_);
    heldBack_.reset();
  }
  finishErase(nowMs);
  if (!index_ || *index_ >= fds.size() || (fds[*index_].revents & POLLIN) == 0) return;
  std::vector<std::uint8_t> buffer(kBufferBytes);
  socklen_t length = sizeof peer_;
  const ssize_t n = ::recvfrom(fd_, buffer.data(), buffer.size(), MSG_DONTWAIT,
                               reinterpret_cast<sockaddr*>(&peer_), &length);
  if (n < 0) return;
  peerLength_ = length;
  buffer.resize(static_cast<std::size_t>(n));
  if (lost()) return;
  for (std::vector<std::uint8_t>& out : answer(buffer, nowMs)) send(std::move(out), nowMs);
}

std::vector<std::uint8_t> UdpPort::reply(std::uint8_t code, std::uint8_t sequence, std::uint32_t address,
                                         std::uint32_t param1, std::uint32_t param2,
                                         const std::vector<std::uint8_t>& data) const {
  std::vector<std::uint8_t> out(kHeader + data.size(), 0);
  out[0] = code;
  out[1] = sequence;
  put32(out, 4, address);
  put32(out, 8, param1);
  put32(out, 12, param2);
  for (std::size_t i = 0; i < data.size(); ++i) out[kHeader + i] = data[i];
  return out;
}

FlashArea UdpPort::areaOf(std::uint32_t memory) const {
  return memory == static_cast<std::uint32_t>(FlashArea::Cdr) ? FlashArea::Cdr : FlashArea::Cpu;
}

std::vector<std::vector<std::uint8_t>> UdpPort::answer(const std::vector<std::uint8_t>& in,
                                                       std::int64_t nowMs) {
  if (in.size() != kHeader && in.size() != kHeader + kAuth && in.size() != kHeader + kBlock) return {};
  const std::uint8_t code = in[0];
  const std::uint8_t seq = in[1];
  const std::uint32_t address = get32(in, 4);
  const std::uint32_t param2 = get32(in, 12);
  if (code == kMode) {
    if (address != 1 && address != 2) return {reply(kModeError, seq, address, 0, param2)};
    std::vector<std::uint8_t> expected = challenge_;
    expected.insert(expected.end(), config_.user.begin(), config_.user.end());
    expected.push_back('/');
    expected.insert(expected.end(), config_.password.begin(), config_.password.end());
    const bool answered = !challenge_.empty() && in.size() == kHeader + kAuth &&
                          std::equal(in.begin() + kHeader, in.end(), md5(expected).begin());
    if (!answered) {
      challenge_.resize(kAuth);
      for (std::uint8_t& b : challenge_) b = static_cast<std::uint8_t>(random_());
      granted_ = false;
      return {reply(kPasswordError, seq, 0, 0, 0, challenge_)};
    }
    challenge_.clear();
    granted_ = true;
    area_ = areaOf(address);
    const AreaShape shape = Flash::shape(area_);
    if (param2 == kResetOperation) {
      granted_ = false;
      std::string error;
      if (!config_.flashPath.empty() && !flash_.save(config_.flashPath, error)) {
        std::fprintf(stderr, "gwsim: %s\n", error.c_str());
      }
      return std::vector<std::vector<std::uint8_t>>(
          kResetModeOks, reply(kModeOk, seq, shape.start, kWindowBytes, shape.start + shape.size));
    }
    if (param2 == 2) {
      written_.assign(shape.size / kBlock, false);
      contiguous_ = kBlock;
    }
    eraseStartedMs_ = -1;
    return {reply(kModeOk, seq, shape.start, kWindowBytes, shape.start + shape.size)};
  }
  if (!granted_) return {reply(kPasswordError, seq, 0, 0, 0, std::vector<std::uint8_t>(kAuth, 0))};
  const AreaShape shape = Flash::shape(area_);
  if (address < shape.start || address >= shape.start + shape.size)
    return {reply(kAddressError, seq, address, 0, 0)};
  const std::uint32_t offset = address - shape.start;
  if (code == kErase) {
    // The whole area takes --erase-ms from the first ERASE on; each step is answered when its share of that
    // time has passed.
    if (eraseStartedMs_ < 0) eraseStartedMs_ = nowMs;
    const std::uint32_t step = std::min(kEraseStepBytes, shape.size - offset);
    const std::int64_t doneAt =
        eraseStartedMs_ + static_cast<std::int64_t>(config_.eraseMs) * (offset + step) / shape.size;
    // A repeated ERASE of the step under way is the same request: its answer comes when the step is done.
    pendingErase_ = PendingErase{seq, address, step, std::max(doneAt, nowMs)};
    finishErase(nowMs);
    return {};
  }
  if (code == kWrite && in.size() == kHeader + kBlock && offset + kBlock <= shape.size) {
    flash_.write(area_, offset, in.data() + kHeader, kBlock);
    if (offset / kBlock < written_.size()) written_[offset / kBlock] = true;
    while (contiguous_ / kBlock < written_.size() && written_[contiguous_ / kBlock]) contiguous_ += kBlock;
    return {reply(kWriteOk, seq, address, shape.start + contiguous_ + kWindowBytes, 0)};
  }
  return {reply(kCodeError, seq, 0, 0, 0)};
}

}  // namespace gwsim

#include "pty_console.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "reply.h"
#include "serial_speed.h"

namespace gwsim {
namespace {

constexpr std::size_t kReadBlockBytes = 4096;
constexpr std::size_t kPtyNameBytes = 128;
constexpr unsigned kRandomSeed = 2;
constexpr std::size_t kFlashReportSize = 40;
constexpr std::string_view kBootOk = "Boot: OK\r\n";

long writeSome(int fd, std::string_view bytes) {
  const ssize_t n = ::write(fd, bytes.data(), bytes.size());
  if (n >= 0) return static_cast<long>(n);
  if (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR) return OutputQueue::kWouldBlock;
  return OutputQueue::kWriteFailed;
}

bool setFlags(int fd, int flags) {
  const int current = ::fcntl(fd, F_GETFL);
  return current >= 0 && ::fcntl(fd, F_SETFL, current | flags) == 0;
}

}  // namespace

PtyConsole::PtyConsole(const PtyConsoleConfig& config, Device& device, Transcript& transcript)
    : config_(config),
      rates_(config.rates.begin(), config.rates.end()),
      device_(device),
      ownFlash_(config.flash != nullptr ? nullptr : std::make_unique<Flash>()),
      flash_(config.flash != nullptr ? *config.flash : *ownFlash_),
      bootLoader_(transcript, flash_, config.bootOptions),
      trace_(config.traceRate),
      random_(kRandomSeed),
      bootMode_(config.boot),
      call_(config.call) {
  session_.emplace(device_, false, true);
}

std::unique_ptr<PtyConsole> PtyConsole::open(const PtyConsoleConfig& config, Device& device,
                                             Transcript& transcript, std::string& error) {
  std::unique_ptr<PtyConsole> console(new PtyConsole(config, device, transcript));
  if (!console->openTerminal(error) || !console->createLink(error)) return nullptr;
  return console;
}

PtyConsole::~PtyConsole() {
  if (linkCreated_) {
    char target[PATH_MAX];
    const ssize_t n = ::readlink(config_.linkPath.c_str(), target, sizeof target - 1);
    if (n >= 0 && std::string(target, static_cast<std::size_t>(n)) == slavePath_) {
      ::unlink(config_.linkPath.c_str());
    }
  }
  if (slaveFd_ >= 0) ::close(slaveFd_);
  if (masterFd_ >= 0) ::close(masterFd_);
}

bool PtyConsole::openTerminal(std::string& error) {
  masterFd_ = ::posix_openpt(O_RDWR | O_NOCTTY);
  char name[kPtyNameBytes];
  if (masterFd_ < 0 || ::fcntl(masterFd_, F_SETFD, FD_CLOEXEC) != 0 || !setFlags(masterFd_, O_NONBLOCK) ||
      ::grantpt(masterFd_) != 0 || ::unlockpt(masterFd_) != 0 ||
      ::ptsname_r(masterFd_, name, sizeof name) != 0) {
    error = std::string("pseudo-terminal: ") + std::strerror(errno);
    return false;
  }
  slavePath_ = name;
  slaveFd_ = ::open(name, O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  termios line{};
  if (slaveFd_ < 0 || ::tcgetattr(slaveFd_, &line) != 0) {
    error = slavePath_ + ": " + std::strerror(errno);
    return false;
  }
  // Raw until the client sets its own line: the terminal must never echo the gateway's output back to it.
  ::cfmakeraw(&line);
  if (::tcsetattr(slaveFd_, TCSANOW, &line) != 0) {
    error = slavePath_ + ": " + std::strerror(errno);
    return false;
  }
  return true;
}

bool PtyConsole::createLink(std::string& error) {
  const char* link = config_.linkPath.c_str();
  struct stat status {};
  if (::lstat(link, &status) == 0) {
    if (!S_ISLNK(status.st_mode)) {
      error = config_.linkPath + " exists and is not a symbolic link";
      return false;
    }
    ::unlink(link);  // left behind by a simulator that was killed
  }
  if (::symlink(slavePath_.c_str(), link) != 0) {
    error = config_.linkPath + ": " + std::strerror(errno);
    return false;
  }
  linkCreated_ = true;
  return true;
}

void PtyConsole::addPollFds(std::vector<pollfd>& fds, std::int64_t nowMs) {
  masterIndex_.reset();
  short events = broken_ ? 0 : POLLIN;
  const std::optional<std::int64_t> readyAt = out_.readyAtMs();
  if (readyAt && *readyAt <= nowMs) events |= POLLOUT;
  if (events == 0) return;
  masterIndex_ = fds.size();
  fds.push_back({masterFd_, events, 0});
}

std::optional<std::int64_t> PtyConsole::deadlineMs(std::int64_t nowMs) const {
  std::optional<std::int64_t> deadline = initAtMs_;
  const auto consider = [&deadline](std::optional<std::int64_t> time) {
    if (time && (!deadline || *time < *deadline)) deadline = time;
  };
  const std::optional<std::int64_t> readyAt = out_.readyAtMs();
  if (readyAt && *readyAt > nowMs) consider(readyAt);
  consider(trace_.nextDueMs());
  if (xmodem_) consider(xmodem_->nextDueMs());
  consider(call_.nextDueMs());
  consider(bootReadyAtMs_);
  return deadline;
}

void PtyConsole::onPolled(const std::vector<pollfd>& fds, std::int64_t nowMs) {
  noticeRestart();
  finishRestart(nowMs);
  bootLoaderReady(nowMs);
  if (masterIndex_ && *masterIndex_ < fds.size() &&
      (fds[*masterIndex_].revents & (POLLIN | POLLHUP | POLLERR))) {
    readMaster(nowMs);
  }
  serviceTransfer(nowMs);
  sendTrace(nowMs);
  sendCall(nowMs);
  flush(nowMs);
}

void PtyConsole::sendTrace(std::int64_t nowMs) {
  const std::vector<std::string> lines = trace_.due(nowMs);
  if (device_.muted() || broken_) return;
  for (Chunk& chunk : planTrace(lines, config_.policy, random_)) out_.push(std::move(chunk));
}

void PtyConsole::noticeRestart() {
  if (device_.restarts() == restartsSeen_) return;
  restartsSeen_ = device_.restarts();
  initAtMs_ = device_.restartEndsMs();
  trace_.stop();  // a restarted gateway traces nothing, transfers nothing and has no call
  xmodem_.reset();
  call_.stop();
}

void PtyConsole::finishRestart(std::int64_t nowMs) {
  if (!initAtMs_ || nowMs < *initAtMs_) return;
  initAtMs_.reset();
  // After "Init: OK" the serial console takes commands at once: a client that reset the gateway over the
  // serial line goes on with its next command, it does not log in again.
  session_.emplace(device_, true, true);
  if (!device_.muted()) out_.push({initNotice(), 0});
}

std::optional<int> PtyConsole::lineSpeed() const {
  termios line{};
  if (::tcgetattr(slaveFd_, &line) != 0) return std::nullopt;
  return speedValue(::cfgetospeed(&line));
}

bool PtyConsole::speedAnswered(std::int64_t nowMs) {
  const std::optional<int> speed = lineSpeed();
  if (speedSeen_ && speed != lastSpeed_) {
    // Whatever the client has not read yet left at the old speed; a real line would garble it.
    ::tcflush(slaveFd_, TCIFLUSH);
    out_.clear();
    session_->dropPartialLine();
    bootLoader_.dropPartialRecord();
  }
  speedSeen_ = true;
  lastSpeed_ = speed;
  return speed && rates_.count(*speed) != 0 && !device_.restarting(nowMs);
}

void PtyConsole::readMaster(std::int64_t nowMs) {
  char block[kReadBlockBytes];
  const ssize_t n = ::read(masterFd_, block, sizeof block);
  if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR)) return;
  if (n <= 0) {
    std::fprintf(stderr, "gwsim: serial console stopped: %s\n", n < 0 ? std::strerror(errno) : "end of file");
    broken_ = true;
    return;
  }
  if (speedAnswered(nowMs)) take(std::string_view(block, static_cast<std::size_t>(n)), nowMs);
}

void PtyConsole::take(std::string_view bytes, std::int64_t nowMs) {
  if (bootReadyAtMs_) return;  // erasing: nothing is taken
  if (bootMode_) {
    out_.push({bootLoader_.feed(bytes), 0});
    if (bootLoader_.takeFinished()) upgradeFinished(nowMs);
    return;
  }
  if (xmodem_) return feedTransfer(bytes, nowMs);
  const FeedResult result = session_->feed(bytes);
  queue(result.out);
  if (result.trace && result.trace->start) trace_.start(result.trace->settings, nowMs);
  if (result.trace && !result.trace->start) trace_.stop();
  if (result.call) callOrder(*result.call, nowMs);
  if (result.transfer) startTransfer(*result.transfer, nowMs);
  if (result.restart) {
    device_.startRestart(nowMs);
    noticeRestart();
  }
  if (result.bootLoader) enterBootLoader(nowMs);
}

// "at!K3WP": the firmware erases its flash and restarts into the boot loader, which reports the flash.
void PtyConsole::enterBootLoader(std::int64_t nowMs) {
  trace_.stop();
  flash_.eraseAll(FlashArea::Cpu);
  bootMode_ = true;
  bootReadyAtMs_ = nowMs + config_.eraseMs;
}

void PtyConsole::bootLoaderReady(std::int64_t nowMs) {
  if (!bootReadyAtMs_ || nowMs < *bootReadyAtMs_) return;
  bootReadyAtMs_.reset();
  bootLoader_.startAttempt();
  char report[kFlashReportSize];
  std::snprintf(report, sizeof report, "\r\nIn-Flash: %04u OK\r\nBoot: Ready\r\n",
                static_cast<unsigned>(Flash::shape(FlashArea::Cpu).size >> 10));
  if (!device_.muted()) out_.push({report, 0});
}

// The end record: the new firmware starts (unless the loader stays, --boot-stay), and the gateway reports
// the version the image carries.
void PtyConsole::upgradeFinished(std::int64_t nowMs) {
  if (bootLoader_.stays()) return;
  if (const std::optional<std::string> version = flash_.imageVersion()) device_.setFirmwareVersion(*version);
  std::string error;
  if (!config_.flashPath.empty() && !flash_.save(config_.flashPath, error)) {
    std::fprintf(stderr, "gwsim: %s\n", error.c_str());
  }
  out_.push({std::string(kBootOk), 0});
  bootMode_ = false;
  device_.startRestart(nowMs);
  noticeRestart();
}

void PtyConsole::queue(const std::vector<Emission>& emissions) {
  for (const Emission& emission : emissions) {
    if (emission.kind == Emission::Kind::Echo) {
      out_.push({emission.bytes, 0});
      continue;
    }
    for (Chunk& chunk : planReply(emission.bytes, config_.policy, random_)) out_.push(std::move(chunk));
  }
}

void PtyConsole::pushChunks(std::vector<Chunk> chunks) {
  for (Chunk& chunk : chunks) out_.push(std::move(chunk));
}

void PtyConsole::startTransfer(const VoiceTransfer& transfer, std::int64_t nowMs) {
  transfer_ = transfer;
  const std::optional<std::string>& file = device_.voices().data(transfer.message);
  const XmodemPeer::Role role =
      transfer.gatewaySends ? XmodemPeer::Role::Sending : XmodemPeer::Role::Receiving;
  xmodem_.emplace(role, transfer.gatewaySends && file ? *file : std::string(), config_.xmodem, nowMs);
  pushChunks(xmodem_->start());
}

void PtyConsole::feedTransfer(std::string_view bytes, std::int64_t nowMs) {
  pushChunks(xmodem_->feed(bytes, nowMs));
  serviceTransfer(nowMs);
}

// Time-outs of the transfer, and its end: the file it took is kept and the console takes commands again.
void PtyConsole::serviceTransfer(std::int64_t nowMs) {
  if (!xmodem_) return;
  pushChunks(xmodem_->onTime(nowMs));
  if (!xmodem_->finished()) return;
  if (std::optional<std::string> file = xmodem_->received()) device_.voiceReceived(transfer_.message, *file);
  xmodem_.reset();
}

void PtyConsole::callOrder(CallOrder order, std::int64_t nowMs) {
  deliverCall(call_.carryOut(order, nowMs));
}

void PtyConsole::sendCall(std::int64_t nowMs) {
  deliverCall(call_.due(nowMs));
}

void PtyConsole::deliverCall(const RecordingCall::Due& due) {
  if (due.recordedMs) device_.voiceRecorded(*due.recordedMs);
  if (!due.text.empty() && !device_.muted() && !broken_) queue({{Emission::Kind::Reply, due.text}});
}

void PtyConsole::flush(std::int64_t nowMs) {
  const int fd = masterFd_;
  if (out_.flush(nowMs, [fd](std::string_view bytes) { return writeSome(fd, bytes); }) ==
      OutputQueue::Flush::Failed) {
    out_.clear();  // like a line nobody listens on: the bytes are lost
  }
}

}  // namespace gwsim

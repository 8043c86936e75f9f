#pragma once
// The firmware port (--udp PORT): the device's side of UCMD. Each MODE first draws a challenge (PSWERR with
// 16 random bytes) and is granted (MODOK with the area, the window and the area's end) once its
// authentication bytes are MD5(challenge + "user/password"); ERASE erases 64 KiB steps of the area taking
// --erase-ms for the whole area and answers ERAOK as soon as its step is done; WRITE puts 1024 bytes into the
// flash at the area's offset and answers WROK with the next window limit; a reset MODE answers MODOK five
// times and the gateway restarts. --udp-loss drops that percentage of datagrams either way, --udp-reorder
// holds every other reply back behind the next (or for a few milliseconds when no next comes).

#include <sys/socket.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "event_loop.h"
#include "flash.h"

namespace gwsim {

struct UdpPortConfig {
  int port = 0;  // 0 picks a free one
  std::string user;
  std::string password;
  int eraseMs = 0;
  int lossPercent = 0;
  bool reorder = false;
  std::string flashPath;  // written after each completed write, when set
};

class UdpPort : public Pollable {
 public:
  static std::unique_ptr<UdpPort> open(const UdpPortConfig& config, Flash& flash, std::string& error);
  ~UdpPort() override;
  int port() const { return port_; }

  void addPollFds(std::vector<pollfd>& fds, std::int64_t nowMs) override;
  std::optional<std::int64_t> deadlineMs(std::int64_t nowMs) const override;
  void onPolled(const std::vector<pollfd>& fds, std::int64_t nowMs) override;

  // The device's answers to one datagram (also for tests, without a socket).
  std::vector<std::vector<std::uint8_t>> answer(const std::vector<std::uint8_t>& datagram,
                                                std::int64_t nowMs);

  static constexpr std::uint32_t kWindowBytes = 16 * 1024;
  static constexpr std::uint32_t kEraseStepBytes = 64 * 1024;

  UdpPort(const UdpPortConfig& config, Flash& flash);
  // A reply held back for reordering leaves at the latest after this.
  static constexpr int kHoldBackMs = 20;

 private:
  std::vector<std::uint8_t> reply(std::uint8_t code, std::uint8_t sequence, std::uint32_t address,
                                  std::uint32_t param1, std::uint32_t param2,
                                  const std::vector<std::uint8_t>& data = {}) const;
  FlashArea areaOf(std::uint32_t memory) const;
  void sendOut(const std::vector<std::uint8_t>& datagram);
  void send(std::vector<std::uint8_t> datagram, std::int64_t nowMs);
  void finishErase(std::int64_t nowMs);
  bool lost();

  UdpPortConfig config_;
  Flash& flash_;
  int fd_ = -1;
  int port_ = 0;
  std::optional<std::size_t> index_;
  std::mt19937 random_;
  std::vector<std::uint8_t> challenge_;
  FlashArea area_ = FlashArea::Cpu;
  bool granted_ = false;
  std::int64_t eraseStartedMs_ = -1;
  std::uint32_t contiguous_ = 0;  // offset up to which every block has come (the first block aside)
  std::vector<bool> written_;
  std::optional<std::vector<std::uint8_t>> heldBack_;
  std::int64_t heldBackUntilMs_ = 0;
  // An erase step under way: its ERAOK leaves when the step's time has passed.
  struct PendingErase {
    std::uint8_t sequence;
    std::uint32_t address;
    std::uint32_t step;
    std::int64_t doneAtMs;
  };
  std::optional<PendingErase> pendingErase_;
  sockaddr_storage peer_{};
  unsigned peerLength_ = 0;
};

}  // namespace gwsim

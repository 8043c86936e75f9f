#pragma once
// A LAN upgrade run over UCMD: the mode exchange with its MD5 login before each operation, the erase of the
// memory area, the windowed write of the image in 1024-byte blocks and the reset. It runs on the caller's
// thread; the clock's sleeps between packets keep the program responsive. Every packet goes to the log.

#include <cstdint>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "base/clock.h"
#include "firmware/ucmd.h"

namespace gw {

// The datagram socket towards the gateway's firmware port.
class UdpChannel {
 public:
  virtual ~UdpChannel() = default;
  virtual bool send(const std::vector<std::uint8_t>& datagram) = 0;
  // The next datagram waiting, or nothing (at once, without waiting).
  virtual std::optional<std::vector<std::uint8_t>> receive() = 0;
};

// A UDP socket to host:port; nothing (and `error` says why) when it cannot be opened.
std::unique_ptr<UdpChannel> openUdpChannel(const std::string& host, int port, std::string& error);

// What the status window shows, and the user's escape (its Close button).
class UpgradeStatus {
 public:
  virtual ~UpgradeStatus() = default;
  virtual void title(const std::string& line) = 0;
  virtual void status(const std::string& line) = 0;
  virtual void phaseDone() = 0;
  virtual bool escaped() = 0;
};

class UcmdSession {
 public:
  static constexpr int kModeIntervalMs = 1000;
  static constexpr int kMaxUnansweredModes = 6;
  static constexpr int kMaxPasswordErrors = 11;
  static constexpr int kEraseIntervalMs = 1000;
  static constexpr int kEraseStallMs = 60'000;
  static constexpr int kWriteStallMs = 3000;
  // A block without its WROK this long is sent again (a datagram lost on the way or its reply).
  static constexpr int kResendAfterMs = 300;
  static constexpr int kResetWaitMs = 1000;
  static constexpr int kResetExtraModeOks = 4;
  static constexpr int kPollMs = 5;

  UcmdSession(Clock& clock, UdpChannel& channel, std::string credential, ucmd::Memory memory,
              UpgradeStatus& status, std::string& log);

  bool erase();
  bool write(std::vector<std::uint8_t> image, const std::string& fileName);
  bool reset();
  // The console text of the failure ("\nERROR: …\n\n", "\n*** User escaped ***\n").
  const std::string& error() const { return error_; }

 private:
  bool modeExchange(ucmd::Operation operation);
  void sendPacket(std::uint8_t code, std::uint32_t address, std::uint32_t param1, std::uint32_t param2,
                  std::vector<std::uint8_t> data = {});
  std::optional<ucmd::Packet> receivePacket();
  bool fail(std::string text);
  bool escapedOrStalled(std::int64_t lastProgressMs, int limitMs);
  void phaseLine(const char* text);
  void showStatus(std::uint32_t current, std::uint32_t acknowledged, std::uint32_t end);
  bool writeBlocks(const std::vector<std::uint8_t>& image, std::uint32_t from, std::uint32_t to);

  Clock& clock_;
  UdpChannel& channel_;
  std::string credential_;
  ucmd::Memory memory_;
  UpgradeStatus& status_;
  std::string& log_;
  std::string error_;
  int sent_ = 0;
  int received_ = 0;
  std::uint8_t lastSent_ = 0;
  std::uint8_t lastReceived_ = 0;
  std::uint32_t areaStart_ = 0;
  std::uint32_t windowBytes_ = 0;
  std::uint32_t areaEnd_ = 0;
};

}  // namespace gw

#pragma once
// The serial console on a pseudo-terminal. The simulator keeps the slave open itself: its termios is the
// line the client set (so its speed tells whether the client talks at a rate the gateway answers), and the
// master never sees a hang-up when a client closes. Bytes received while the speed is not one of the rates
// are dropped without echo or answer. The speed is read for every block of bytes received; when it differs
// from the speed of the previous block, the replies the client has not read yet are dropped, as a real line
// would garble them.

#include <cstdint>
#include <memory>
#include <optional>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "boot_loader.h"
#include "delivery.h"
#include "device.h"
#include "event_loop.h"
#include "recording_call.h"
#include "session.h"
#include "trace.h"
#include "xmodem_peer.h"

namespace gwsim {

struct PtyConsoleConfig {
  std::string linkPath;  // symbolic link to the slave, created and removed by the console
  std::vector<int> rates;
  bool boot = false;
  // The flash the boot loader writes (nullptr: one of the console's own), where its image is kept after an
  // upgrade (empty: nowhere), how long erasing it takes and the boot loader's failure modes.
  Flash* flash = nullptr;
  std::string flashPath;
  int eraseMs = 0;
  BootOptions bootOptions;
  DeliveryPolicy policy;
  int traceRate = kDefaultTraceRate;  // trace lines per second
  XmodemFaults xmodem;                // the failure modes of the voice message transfers
  CallConfig call;                    // how the recording call goes
};

class PtyConsole : public Pollable {
 public:
  static std::unique_ptr<PtyConsole> open(const PtyConsoleConfig& config, Device& device,
                                          Transcript& transcript, std::string& error);
  // Removes the link when it still points at this console's slave.
  ~PtyConsole() override;
  PtyConsole(const PtyConsole&) = delete;
  PtyConsole& operator=(const PtyConsole&) = delete;

  const std::string& linkPath() const { return config_.linkPath; }

  void addPollFds(std::vector<pollfd>& fds, std::int64_t nowMs) override;
  std::optional<std::int64_t> deadlineMs(std::int64_t nowMs) const override;
  void onPolled(const std::vector<pollfd>& fds, std::int64_t nowMs) override;

 private:
  PtyConsole(const PtyConsoleConfig& config, Device& device, Transcript& transcript);

  bool openTerminal(std::string& error);
  bool createLink(std::string& error);
  std::optional<int> lineSpeed() const;
  bool speedAnswered(std::int64_t nowMs);
  void noticeRestart();
  void finishRestart(std::int64_t nowMs);
  void readMaster(std::int64_t nowMs);
  void take(std::string_view bytes, std::int64_t nowMs);
  void queue(const std::vector<Emission>& emissions);
  void sendTrace(std::int64_t nowMs);
  void flush(std::int64_t nowMs);
  void startTransfer(const VoiceTransfer& transfer, std::int64_t nowMs);
  void feedTransfer(std::string_view bytes, std::int64_t nowMs);
  void serviceTransfer(std::int64_t nowMs);
  void pushChunks(std::vector<Chunk> chunks);
  void callOrder(CallOrder order, std::int64_t nowMs);
  void sendCall(std::int64_t nowMs);
  void deliverCall(const RecordingCall::Due& due);
  void enterBootLoader(std::int64_t nowMs);
  void bootLoaderReady(std::int64_t nowMs);
  void upgradeFinished(std::int64_t nowMs);

  PtyConsoleConfig config_;
  std::set<int> rates_;
  Device& device_;
  int masterFd_ = -1;
  int slaveFd_ = -1;
  std::string slavePath_;
  bool linkCreated_ = false;
  bool broken_ = false;
  std::optional<std::size_t> masterIndex_;
  std::optional<Session> session_;
  std::unique_ptr<Flash> ownFlash_;
  Flash& flash_;
  BootLoader bootLoader_;
  OutputQueue out_;
  TraceGenerator trace_;
  std::mt19937 random_;
  bool bootMode_ = false;
  std::optional<std::int64_t> bootReadyAtMs_;  // erasing the flash before the boot loader starts
  bool speedSeen_ = false;
  std::optional<int> lastSpeed_;  // of the last bytes received, answered or not
  std::optional<std::int64_t> initAtMs_;
  std::uint64_t restartsSeen_ = 0;
  std::optional<XmodemPeer> xmodem_;  // a voice message on its way; the console takes no commands meanwhile
  VoiceTransfer transfer_;
  RecordingCall call_;
};

}  // namespace gwsim

#pragma once
// The gateway behind the consoles: its identity, login account, registers and the failure modes a test asked
// for. Both consoles share one device, so a write on one shows in a dump on the other and a reset restarts
// both.

#include <cstdint>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <string_view>

#include "command.h"
#include "identity.h"
#include "register_store.h"
#include "transcript.h"

namespace gwsim {

struct DeviceConfig {
  Identity identity;
  bool loginEnabled = true;
  std::string user;
  std::string password;
  std::set<std::string> refused;  // register keys whose writes answer ERROR
  std::optional<long> silentAfter;
  std::optional<long> dropAfter;
  int resetTimeMs = 0;
};

enum class CommandEffect { None, Restart };

struct CommandOutcome {
  std::string reply;
  CommandEffect effect = CommandEffect::None;
};

enum class LineVerdict { Answer, CutAndDrop };

class Device {
 public:
  // Called after every change of the registers (to keep the --state file current).
  using StoreListener = std::function<void(const RegisterStore&)>;

  Device(DeviceConfig config, RegisterStore store, Transcript& transcript, StoreListener onStoreChanged = {});

  const Identity& identity() const { return config_.identity; }
  bool loginEnabled() const { return config_.loginEnabled; }
  bool acceptsLogin(std::string_view user, std::string_view password) const;
  const RegisterStore& store() const { return store_; }

  void record(std::string_view line) { transcript_.line(line); }

  // Every command line after login counts; --silent-after and --drop-after are measured in these lines.
  LineVerdict countCommandLine();
  // True once --silent-after lines have been answered: from then on nothing at all is sent.
  bool muted() const;

  CommandOutcome execute(const Command& command);

  // A restart ("AT&BSYS=RESET", "AT&FRES") takes the device away for the reset time.
  void startRestart(std::int64_t nowMs);
  bool restarting(std::int64_t nowMs) const { return restartEndsMs_ && nowMs < *restartEndsMs_; }
  std::optional<std::int64_t> restartEndsMs() const { return restartEndsMs_; }
  // Grows by one at every restart; consoles compare it with the count they last saw.
  std::uint64_t restarts() const { return restarts_; }

 private:
  CommandOutcome writeRegister(const std::string& key, std::string value);
  void storeChanged();

  DeviceConfig config_;
  RegisterStore store_;
  Transcript& transcript_;
  StoreListener onStoreChanged_;
  long commandLines_ = 0;
  bool dropped_ = false;
  std::optional<std::int64_t> restartEndsMs_;
  std::uint64_t restarts_ = 0;
};

}  // namespace gwsim

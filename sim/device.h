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
#include <vector>

#include "command.h"
#include "gateway_clock.h"
#include "identity.h"
#include "live_state.h"
#include "register_store.h"
#include "reports.h"
#include "sip_registration.h"
#include "trace.h"
#include "transcript.h"
#include "voice_orders.h"
#include "voice_store.h"

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
  int pageLines = kDefaultPageLines;  // lines per page of a listing
  bool pageNetworkLists = false;      // "AT&NALL" leaves in pages like a listing
  std::int64_t sipChurnMs = 0;        // 0: every extension stays registered
  ReportConfig reports;               // the log, call data records and statistics
  // --stall-reports: a report sends this many pages (or records) whole, then half of the next and nothing
  // more; empty: reports leave whole.
  std::optional<std::size_t> stallReportsAfter;
  // Seconds of the host's local time for the gateway's clock; empty: the real one. Tests give a fake.
  std::function<std::int64_t()> localClock;
  // Milliseconds of a monotonic clock; empty: the real one. Tests give a fake.
  std::function<std::int64_t()> clock;
  // The modules' states and signal levels and the calls in progress (its edition is the device's).
  LiveConfig live;
};

// Restart: the gateway reboots (its consoles ask for the login again). VoiceRestart: it re-initialises its
// voice processing after a codec change that adds or removes G.723; it is away as long, but the serial
// console stays logged in.
// BootLoader: the firmware erases its flash and restarts into the boot loader (on the serial console).
enum class CommandEffect { None, Restart, VoiceRestart, BootLoader };

struct CommandOutcome {
  CommandOutcome() = default;
  CommandOutcome(std::string reply, CommandEffect effect = CommandEffect::None)
      : reply(std::move(reply)), effect(effect) {}

  std::string reply;  // the whole reply, or the first page of a listing
  CommandEffect effect = CommandEffect::None;
  std::vector<std::string> laterPages;  // each sent when the client answers a page with a space
  char pageKey = ' ';               // the key that asks for the next page ("#" for one record after another)
  bool pagesDeleteRecords = false;  // each page key confirms a call data record, which is then deleted
  bool stalls = false;              // after the last page the listing hangs: page keys go unanswered
  std::optional<TraceOrder> trace;  // the command started or stopped tracing on its console
  std::optional<VoiceTransfer> transfer;  // an XMODEM transfer follows the reply on the serial line
  std::optional<CallOrder> call;          // a step of the recording call on its console
};

enum class LineVerdict { Answer, CutAndDrop };

class Device {
 public:
  // Called after every change of the registers, the reports or the clock (to keep the --state file current).
  using StoreListener = std::function<void(const RegisterStore&)>;

  Device(DeviceConfig config, RegisterStore store, Transcript& transcript, StoreListener onStoreChanged = {});

  const Identity& identity() const { return config_.identity; }
  // After an upgrade the gateway reports the version its new image carries.
  void setFirmwareVersion(std::string version) { config_.identity.firmwareVersion = std::move(version); }
  bool loginEnabled() const { return config_.loginEnabled; }
  bool acceptsLogin(std::string_view user, std::string_view password) const;
  const RegisterStore& store() const { return store_; }

  void record(std::string_view line) { transcript_.line(line); }

  // Every command line after login counts; --silent-after and --drop-after are measured in these lines.
  LineVerdict countCommandLine();
  // True once --silent-after lines have been answered: from then on nothing at all is sent.
  bool muted() const;

  CommandOutcome execute(const Command& command);
  // A page key of a record-by-record transfer: the record it confirms is deleted.
  void recordTaken();

  // The reports' and the clock's part of the state file.
  std::string reportState() const { return reports_.formatState(clock_); }
  std::vector<std::string> applyReportState(std::string_view stateText) {
    return reports_.applyState(stateText, clock_);
  }

  // The voice messages: their files, a message a client wrote, a recording of `ms` milliseconds in
  // message 0, and their part of the state file.
  const VoiceStore& voices() const { return voices_; }
  void voiceReceived(int message, std::string data);
  void voiceRecorded(int ms);
  std::string voiceState() const { return voices_.formatState(); }
  std::vector<std::string> applyVoiceState(std::string_view stateText) {
    return voices_.applyState(stateText);
  }

  // A restart ("AT&BSYS=RESET", "AT&FRES", a G.723 codec change) takes the device away for the reset time.
  void startRestart(std::int64_t nowMs);
  bool restarting(std::int64_t nowMs) const { return restartEndsMs_ && nowMs < *restartEndsMs_; }
  std::optional<std::int64_t> restartEndsMs() const { return restartEndsMs_; }
  // Grows by one at every restart; consoles compare it with the count they last saw.
  std::uint64_t restarts() const { return restarts_; }

 private:
  CommandOutcome writeRegister(const std::string& key, std::string value);
  CommandOutcome dump(const Command& command) const;
  CommandOutcome listing(TableId table) const;
  CommandOutcome paged(const std::vector<std::string>& lines) const;
  CommandOutcome report(ReportId id) const;
  CommandOutcome setCounters(const Command& command);
  CommandOutcome live(const Command& command) const;
  // "AT%X80=user/password" sets the login account, "AT%X80=" removes it; new logins see the change.
  CommandOutcome setLoginAccount(const std::string& value);
  CommandOutcome voice(const Command& command);
  std::int64_t clockMs() const;
  void storeChanged();
  // The details register S92 as a number (0 when it holds none).
  int traceDetails() const;

  DeviceConfig config_;
  RegisterStore store_;
  Transcript& transcript_;
  StoreListener onStoreChanged_;
  long commandLines_ = 0;
  bool dropped_ = false;
  std::optional<std::int64_t> restartEndsMs_;
  std::uint64_t restarts_ = 0;
  CommandEffect lastEffect_ = CommandEffect::None;
  SipRegistrations registrations_;
  Reports reports_;
  GatewayClock clock_;
  LiveState live_;
  VoiceStore voices_;
};

}  // namespace gwsim

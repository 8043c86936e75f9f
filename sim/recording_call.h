#pragma once
// The recording call as the gateway runs it: "AT!SG00=<number>" dials, and the call's indications follow
// one step apart ("proc.ind", "alert.ind", then "setup.conf" when the called party answers, or a cause);
// "AT!M0=record" during the answered call announces "Recording message..." and ends the recording with OK
// after the recording time; "AT!D" hangs up. --call chooses how the called party behaves.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "voice_orders.h"

namespace gwsim {

enum class CallMode {
  Answer,    // proceeding, alerting, answered; recorded on request
  Busy,      // proceeding, then the user is busy
  NoAnswer,  // proceeding, alerting, then a time-out cause
  HangUp,    // answered, then the called party hangs up two steps later
  Silent,    // the gateway reports nothing at all
};

struct CallConfig {
  CallMode mode = CallMode::Answer;
  int stepMs = 500;     // between two indications
  int recordMs = 3000;  // how long a recording lasts
};

class RecordingCall {
 public:
  explicit RecordingCall(const CallConfig& config) : config_(config) {}

  void dial(std::int64_t nowMs);
  // "AT!M0=record": the reply, or nothing when no answered call is there to record.
  std::optional<std::string> record(std::int64_t nowMs);
  // "AT!D": the call ends; the milliseconds recorded when a recording ran.
  std::optional<int> hangUp(std::int64_t nowMs);
  void stop() { reset(); }

  struct Due {
    std::string text;               // indications (and the recording's closing OK) due by now
    std::optional<int> recordedMs;  // a recording ended: message 0 holds this many milliseconds
  };
  Due due(std::int64_t nowMs);
  // A console's call order carried out: the reply it owes ("AT!M0=record" only: its reply, or ERROR with no
  // answered call to record) and the length of a recording that a hang-up ended.
  Due carryOut(CallOrder order, std::int64_t nowMs);
  std::optional<std::int64_t> nextDueMs() const;

 private:
  struct Event {
    std::int64_t atMs;
    std::string text;
    bool answers = false;  // the called party answered
    bool ends = false;     // the call is over
  };

  void reset();

  CallConfig config_;
  std::vector<Event> events_;
  bool answered_ = false;
  std::optional<std::int64_t> recordingFromMs_;
  std::optional<std::int64_t> recordingEndsMs_;
};

}  // namespace gwsim

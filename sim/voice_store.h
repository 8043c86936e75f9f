#pragma once
// The gateway's nine voice messages: WAV files made at start (a short tone each, 8 kHz A-law), or what a
// client wrote or recorded in their place, and what "AT!M<n>=view" tells of one. Messages that differ from
// the ones made at start are part of the state file (section [voice]).

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace gwsim {

inline constexpr int kVoiceMessages = 9;

class VoiceStore {
 public:
  VoiceStore();

  static bool valid(int message) { return message >= 0 && message < kVoiceMessages; }
  // The message's file; nothing when it is not in the gateway (erased).
  const std::optional<std::string>& data(int message) const;
  // "File length: N", "Data Codec: …", "Samples/sec: …", "Data length: …", "Data duration: …"; each value
  // empty for a message that is not in the gateway.
  std::vector<std::string> viewLines(int message) const;
  void erase(int message);
  // A file written by a client: a RIFF file is cut to its own length (the transfer padded its last block).
  void store(int message, std::string data);

  // "[voice]" with "m<n>=<base64>" or "m<n>=erased" for each message that differs from the one made at
  // start; empty when none does.
  std::string formatState() const;
  // One warning per line it could not use.
  std::vector<std::string> applyState(std::string_view stateText);

 private:
  std::array<std::optional<std::string>, kVoiceMessages> messages_;
};

// The WAV file of message `message` as the gateway has it at start.
std::string madeMessage(int message);
// A recording of `ms` milliseconds, as a call leaves it in message 0.
std::string recordedMessage(int ms);

}  // namespace gwsim

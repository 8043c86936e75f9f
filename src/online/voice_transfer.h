#pragma once
// A voice message between the gateway and a WAV file on the PC, by XMODEM over the serial link, and the
// properties of all nine messages. Each operation shows its own messages; its outcome tells the page and
// gwctl how it ended, and `memo` gets what the page's memo shows.

#include <array>
#include <string>
#include <vector>

#include "online/online_context.h"
#include "online/voice_messages.h"

namespace gw {

enum class VoiceOutcome {
  NotConnected,  // the link did not come up; nothing was sent
  Declined,      // the user kept the file that exists; nothing was sent
  Refused,       // the LAN link, or a message that is not in the gateway: the message said why
  FileError,     // the file could not be read, created or put in place: the message said so
  Failed,        // the gateway did not take a command or the transfer failed (message 56)
  Done,
};

// The message into the WAV file `path`. The data goes to a temporary file beside it, which takes the
// file's place only once the whole message has arrived: a failed transfer leaves no file that looks whole.
VoiceOutcome readVoiceMessage(OnlineContext& context, int message, const std::string& path,
                              std::vector<std::string>& memo);
// The WAV file `path` into the message.
VoiceOutcome writeVoiceMessage(OnlineContext& context, int message, const std::string& path,
                               std::vector<std::string>& memo);

using VoiceOverview = std::array<VoiceProperties, kVoiceMessageCount>;
// The properties of every message, asked one after another under the progress window.
VoiceOutcome readVoiceOverview(OnlineContext& context, VoiceOverview& overview);

}  // namespace gw

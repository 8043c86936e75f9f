#pragma once
// The gateway's nine voice messages: their numbers and names, the commands that view, read and write one,
// and the properties the gateway reports for one ("File length: ", "Data Codec: ", ...).

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "base/captions.h"

namespace gw {

inline constexpr int kVoiceMessageCount = 9;

struct VoiceMessageType {
  int itemCaption;   // the message type as cbVoiceType lists it
  const char* item;  // its English text
  int nameCaption;   // the message's name in a file name
  const char* name;
};

// By message number: 0 the GSM voice message, then the prompts.
extern const std::array<VoiceMessageType, kVoiceMessageCount> kVoiceMessageTypes;

// The message's type as cbVoiceType shows it, and the default file of a message: `folder`, its name, ".wav".
std::string voiceMessageItem(const CaptionList& captions, int message);
std::string voiceMessageFile(const CaptionList& captions, const std::string& folder, int message);

// "AT!M%d=view\r\n", "AT!M%d=READ\r\n", "AT!M%d=WRITE\r\n".
std::string voiceViewCommand(int message);
std::string voiceReadCommand(int message);
std::string voiceWriteCommand(int message);

// The reply to the view command, each value as the gateway wrote it (up to its CR, the spaces after the key
// skipped); a key the reply lacks gives an empty value.
struct VoiceProperties {
  std::string fileLength;
  std::string codec;
  std::string samplesPerSecond;
  std::string dataLength;
  std::string duration;

  // An empty "File length:" means the message is not in the gateway.
  bool present() const { return !fileLength.empty(); }
  // The file length as a byte count; nothing when it is not a decimal number.
  std::optional<std::int64_t> length() const;
};

VoiceProperties parseVoiceProperties(std::string_view reply);

// The five properties as the memo and the overview show them: caption 179 … 183, a space, the value.
std::array<std::string, 5> voicePropertyLines(const CaptionList& captions, const VoiceProperties& properties);

}  // namespace gw

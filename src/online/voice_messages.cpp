#include "online/voice_messages.h"

#include "base/cformat.h"
#include "base/files.h"

namespace gw {

const std::array<VoiceMessageType, kVoiceMessageCount> kVoiceMessageTypes = {{
    {2500, "Gsm voice message", 185, "Disa"},
    {2501, "Voice message \"hello\"", 186, "Hello"},
    {2502, "Voice message \"mobility extension\"", 187, "Mobility extension"},
    {2503, "Voice message \"dial number\"", 176, "Dial number"},
    {2504, "Voice message \"text message\"", 189, "Text message"},
    {2505, "Voice message \"activated\"", 190, "Activated"},
    {2506, "Voice message \"deactivated\"", 191, "Deactivated"},
    {2507, "Voice message \"hold\"", 192, "Hold"},
    {2508, "Voice message \"back\"", 193, "Back"},
}};

namespace {

constexpr int kFirstPropertyCaption = 179;  // "File length:" … "Data duration:"
constexpr std::int64_t kMaxLengthDigits = 15;

const VoiceMessageType& typeOf(int message) {
  return kVoiceMessageTypes.at(static_cast<std::size_t>(message));
}

// The value after `key`: leading spaces skipped, up to the line's end.
std::string valueAfter(std::string_view reply, std::string_view key) {
  const std::size_t at = reply.find(key);
  if (at == std::string_view::npos) return {};
  std::size_t start = at + key.size();
  while (start < reply.size() && reply[start] == ' ') ++start;
  const std::size_t end = reply.find_first_of("\r\n", start);
  return std::string(reply.substr(start, end == std::string_view::npos ? end : end - start));
}

}  // namespace

std::string voiceMessageItem(const CaptionList& captions, int message) {
  return captions.labelOr(typeOf(message).itemCaption, typeOf(message).item);
}

std::string voiceMessageFile(const CaptionList& captions, const std::string& folder, int message) {
  return joinPath(folder, captions.labelOr(typeOf(message).nameCaption, typeOf(message).name) + ".wav");
}

std::string voiceViewCommand(int message) {
  return cformat(kCommandBufferSize, "AT!M%d=view\r\n", message);
}

std::string voiceReadCommand(int message) {
  return cformat(kCommandBufferSize, "AT!M%d=READ\r\n", message);
}

std::string voiceWriteCommand(int message) {
  return cformat(kCommandBufferSize, "AT!M%d=WRITE\r\n", message);
}

std::optional<std::int64_t> VoiceProperties::length() const {
  if (fileLength.empty() || std::ssize(fileLength) > kMaxLengthDigits) return std::nullopt;
  std::int64_t bytes = 0;
  for (char c : fileLength) {
    if (c < '0' || c > '9') return std::nullopt;
    bytes = bytes * 10 + (c - '0');
  }
  return bytes;
}

VoiceProperties parseVoiceProperties(std::string_view reply) {
  return {valueAfter(reply, "File length:"), valueAfter(reply, "Data Codec:"),
          valueAfter(reply, "Samples/sec:"), valueAfter(reply, "Data length:"),
          valueAfter(reply, "Data duration:")};
}

std::array<std::string, 5> voicePropertyLines(const CaptionList& captions, const VoiceProperties& p) {
  const std::array<const std::string*, 5> values = {&p.fileLength, &p.codec, &p.samplesPerSecond,
                                                    &p.dataLength, &p.duration};
  const std::array<const char*, 5> english = {
      "File length:", "Data codec:", "Samples/sec:", "Data length:", "Data duration:"};
  std::array<std::string, 5> lines;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    lines[i] = captions.labelOr(kFirstPropertyCaption + static_cast<int>(i), english[i]) + " " + *values[i];
  }
  return lines;
}

}  // namespace gw

#include "voice_store.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <string>

namespace gwsim {
namespace {

constexpr int kSampleRate = 8000;
constexpr int kAlawFormat = 6;
constexpr int kPcmFormat = 1;
constexpr int kUlawFormat = 7;
constexpr int kFirstMessageMs = 500;
constexpr int kMessageStepMs = 250;
constexpr int kFirstToneHz = 350;
constexpr int kToneStepHz = 50;
constexpr int kRecordingToneHz = 440;
constexpr double kAmplitude = 8000;
constexpr double kTwoPi = 6.283185307179586;
constexpr std::size_t kHeaderBytes = 44;
constexpr std::size_t kRiffHeaderBytes = 8;
constexpr const char* kSection = "voice";
constexpr const char* kErased = "erased";

void putLe(std::string& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

std::uint32_t getLe(std::string_view in, std::size_t at, int bytes) {
  std::uint32_t value = 0;
  for (int i = bytes - 1; i >= 0; --i) value = (value << 8) | static_cast<unsigned char>(in[at + i]);
  return value;
}

// G.711 A-law of a 16-bit sample.
char alaw(int sample) {
  static const int kSegmentEnds[] = {0x1F, 0x3F, 0x7F, 0xFF, 0x1FF, 0x3FF, 0x7FF, 0xFFF};
  int value = sample >> 3;
  int mask = 0xD5;
  if (value < 0) {
    mask = 0x55;
    value = -value - 1;
  }
  int segment = 0;
  while (segment < 8 && value > kSegmentEnds[segment]) ++segment;
  if (segment >= 8) return static_cast<char>(0x7F ^ mask);
  const int quantised = segment < 2 ? (value >> 1) & 0xF : (value >> segment) & 0xF;
  return static_cast<char>(((segment << 4) | quantised) ^ mask);
}

std::string wavFile(int ms, int hz) {
  const std::uint32_t samples = static_cast<std::uint32_t>(ms) * kSampleRate / 1000;
  std::string file = "RIFF";
  putLe(file, static_cast<std::uint32_t>(kHeaderBytes - kRiffHeaderBytes) + samples, 4);
  file += "WAVEfmt ";
  putLe(file, 16, 4);
  putLe(file, kAlawFormat, 2);
  putLe(file, 1, 2);  // mono
  putLe(file, kSampleRate, 4);
  putLe(file, kSampleRate, 4);  // bytes per second
  putLe(file, 1, 2);            // bytes per sample
  putLe(file, 8, 2);            // bits per sample
  file += "data";
  putLe(file, samples, 4);
  for (std::uint32_t i = 0; i < samples; ++i) {
    file.push_back(alaw(static_cast<int>(kAmplitude * std::sin(kTwoPi * hz * i / kSampleRate))));
  }
  return file;
}

// What the RIFF header says of a file: codec, rate, data length and duration; nothing for another file.
struct WaveFacts {
  std::string codec;
  std::uint32_t rate = 0;
  std::uint32_t dataBytes = 0;
  std::uint32_t bytesPerSecond = 0;
};

std::optional<WaveFacts> waveFacts(std::string_view file) {
  if (file.size() < kHeaderBytes || file.substr(0, 4) != "RIFF" || file.substr(8, 4) != "WAVE")
    return std::nullopt;
  WaveFacts facts;
  std::optional<std::uint32_t> format;
  for (std::size_t at = 12; at + kRiffHeaderBytes <= file.size();) {
    const std::string_view id = file.substr(at, 4);
    const std::uint32_t size = getLe(file, at + 4, 4);
    if (id == "fmt " && size >= 16 && at + 24 <= file.size()) {
      format = getLe(file, at + 8, 2);
      facts.rate = getLe(file, at + 12, 4);
      facts.bytesPerSecond = getLe(file, at + 16, 4);
    } else if (id == "data") {
      facts.dataBytes = size;
      break;
    }
    at += kRiffHeaderBytes + size + (size & 1);
  }
  if (!format) return std::nullopt;
  facts.codec = *format == kAlawFormat   ? "G.711 A-law"
                : *format == kUlawFormat ? "G.711 u-law"
                : *format == kPcmFormat  ? "PCM"
                                         : "format " + std::to_string(*format);
  return facts;
}

constexpr char kBase64[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

std::string toBase64(std::string_view bytes) {
  std::string out;
  for (std::size_t i = 0; i < bytes.size(); i += 3) {
    std::uint32_t group = 0;
    const std::size_t n = std::min<std::size_t>(3, bytes.size() - i);
    for (std::size_t k = 0; k < 3; ++k)
      group = (group << 8) | (k < n ? static_cast<unsigned char>(bytes[i + k]) : 0);
    for (std::size_t k = 0; k < 4; ++k) out += k <= n ? kBase64[(group >> (18 - 6 * k)) & 0x3F] : '=';
  }
  return out;
}

std::optional<std::string> fromBase64(std::string_view text) {
  std::string out;
  std::uint32_t group = 0;
  int bits = 0;
  for (char c : text) {
    if (c == '=') break;
    const char* at = std::char_traits<char>::find(kBase64, 64, c);
    if (at == nullptr) return std::nullopt;
    group = (group << 6) | static_cast<std::uint32_t>(at - kBase64);
    bits += 6;
    if (bits >= 8) {
      bits -= 8;
      out.push_back(static_cast<char>((group >> bits) & 0xFF));
    }
  }
  return out;
}

std::string_view trim(std::string_view text) {
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front()))) text.remove_prefix(1);
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) text.remove_suffix(1);
  return text;
}

}  // namespace

std::string madeMessage(int message) {
  return wavFile(kFirstMessageMs + kMessageStepMs * message, kFirstToneHz + kToneStepHz * message);
}

std::string recordedMessage(int ms) {
  return wavFile(ms, kRecordingToneHz);
}

VoiceStore::VoiceStore() {
  for (int m = 0; m < kVoiceMessages; ++m) messages_[static_cast<std::size_t>(m)] = madeMessage(m);
}

const std::optional<std::string>& VoiceStore::data(int message) const {
  return messages_.at(static_cast<std::size_t>(message));
}

std::vector<std::string> VoiceStore::viewLines(int message) const {
  const std::optional<std::string>& file = data(message);
  if (!file) return {"File length: ", "Data Codec: ", "Samples/sec: ", "Data length: ", "Data duration: "};
  const std::optional<WaveFacts> facts = waveFacts(*file);
  const WaveFacts shown =
      facts.value_or(WaveFacts{"unknown", 0, static_cast<std::uint32_t>(file->size()), 0});
  const std::uint64_t ms =
      shown.bytesPerSecond == 0 ? 0 : std::uint64_t{shown.dataBytes} * 1000 / shown.bytesPerSecond;
  return {"File length: " + std::to_string(file->size()), "Data Codec: " + shown.codec,
          "Samples/sec: " + std::to_string(shown.rate), "Data length: " + std::to_string(shown.dataBytes),
          "Data duration: " + std::to_string(ms) + " ms"};
}

void VoiceStore::erase(int message) {
  messages_.at(static_cast<std::size_t>(message)).reset();
}

void VoiceStore::store(int message, std::string data) {
  if (data.size() >= kRiffHeaderBytes && data.compare(0, 4, "RIFF") == 0) {
    const std::size_t riffLength = getLe(data, 4, 4) + kRiffHeaderBytes;
    if (riffLength <= data.size()) data.resize(riffLength);
  }
  messages_.at(static_cast<std::size_t>(message)) = std::move(data);
}

std::string VoiceStore::formatState() const {
  std::string text;
  for (int m = 0; m < kVoiceMessages; ++m) {
    const std::optional<std::string>& file = data(m);
    if (file && *file == madeMessage(m)) continue;
    text += "m" + std::to_string(m) + "=" + (file ? toBase64(*file) : std::string(kErased)) + "\n";
  }
  return text.empty() ? text : "[" + std::string(kSection) + "]\n" + text;
}

std::vector<std::string> VoiceStore::applyState(std::string_view stateText) {
  std::vector<std::string> warnings;
  bool inSection = false;
  while (!stateText.empty()) {
    const std::size_t end = stateText.find('\n');
    const std::string_view line = trim(stateText.substr(0, end));
    stateText.remove_prefix(end == std::string_view::npos ? stateText.size() : end + 1);
    if (line.empty() || line.front() == ';' || line.front() == '#') continue;
    if (line.front() == '[') {
      inSection = line == "[" + std::string(kSection) + "]";
      continue;
    }
    if (!inSection) continue;
    const std::size_t equals = line.find('=');
    const std::string_view key = trim(line.substr(0, equals));
    const std::string_view value = equals == std::string_view::npos ? "" : trim(line.substr(equals + 1));
    const int message = key.size() == 2 && (key[0] == 'm' || key[0] == 'M') ? key[1] - '0' : -1;
    const std::optional<std::string> file = value == kErased ? std::nullopt : fromBase64(value);
    if (!valid(message) || (value != kErased && !file)) {
      warnings.push_back("voice state line ignored: " + std::string(line));
    } else if (value == kErased) {
      erase(message);
    } else {
      store(message, *file);
    }
  }
  return warnings;
}

}  // namespace gwsim

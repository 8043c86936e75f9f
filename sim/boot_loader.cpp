#include "boot_loader.h"

#include <cctype>
#include <optional>

namespace gwsim {
namespace {

constexpr std::string_view kBootTestRecord = ":00000012EE";
constexpr std::string_view kBootAnswer = "[ BOOT ]\r\n";
constexpr std::string_view kRefusedAnswer = "X\r\n";
// ':' + byte count + address + type + checksum, before the data bytes.
constexpr std::size_t kRecordOverhead = 11;
constexpr std::size_t kCountDigits = 2;

std::optional<std::size_t> hexByte(std::string_view two) {
  std::size_t value = 0;
  for (char c : two) {
    if (!std::isxdigit(static_cast<unsigned char>(c))) return std::nullopt;
    value =
        value * 16 + static_cast<std::size_t>(std::isdigit(static_cast<unsigned char>(c))
                                                  ? c - '0'
                                                  : std::toupper(static_cast<unsigned char>(c)) - 'A' + 10);
  }
  return value;
}

// The full length of the record once its byte count has arrived.
std::optional<std::size_t> recordLength(const std::string& record) {
  if (record.size() < 1 + kCountDigits) return std::nullopt;
  const std::optional<std::size_t> count = hexByte(std::string_view(record).substr(1, kCountDigits));
  if (!count) return std::nullopt;
  return kRecordOverhead + 2 * *count;
}

}  // namespace

std::string BootLoader::feed(std::string_view bytes) {
  std::string answers;
  for (char c : bytes) {
    if (c == ':') {
      record_.assign(1, ':');  // a new record abandons an unfinished one
      continue;
    }
    if (record_.empty()) continue;
    if (!std::isxdigit(static_cast<unsigned char>(c))) {
      transcript_.line(record_);
      record_.clear();
      answers += kRefusedAnswer;
      continue;
    }
    record_ += c;
    const std::optional<std::size_t> length = recordLength(record_);
    if (length && record_.size() == *length) {
      transcript_.line(record_);
      answers += answer(record_);
      record_.clear();
    }
  }
  return answers;
}

std::string BootLoader::answer(const std::string& record) const {
  return std::string(record == kBootTestRecord ? kBootAnswer : kRefusedAnswer);
}

}  // namespace gwsim

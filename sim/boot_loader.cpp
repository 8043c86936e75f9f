#include "boot_loader.h"

#include <cctype>
#include <optional>

namespace gwsim {
namespace {

constexpr std::string_view kBootTestRecord = ":00000012EE";
constexpr std::string_view kBootAnswer = "[ BOOT ]\r\n";
constexpr std::string_view kAccepted = ".\r\n";
constexpr std::string_view kRefusedAnswer = "X\r\n";
// ':' + byte count + address + type + checksum, before the data bytes.
constexpr std::size_t kRecordOverhead = 11;
constexpr std::size_t kCountDigits = 2;
constexpr std::uint8_t kData = 0x00;
constexpr std::uint8_t kEnd = 0x01;
constexpr std::uint8_t kSegmentBase = 0x02;
constexpr std::uint8_t kLinearBase = 0x04;
constexpr std::uint8_t kBatchEnd = 0x05;
constexpr std::uint8_t kDeviceBase = 0x09;
constexpr int kSegmentShift = 4;
constexpr int kLinearShift = 16;

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

std::uint32_t word(const std::vector<std::uint8_t>& data) {
  return data.size() < 2 ? 0 : (static_cast<std::uint32_t>(data[0]) << 8 | data[1]);
}

}  // namespace

void BootLoader::startAttempt() {
  batch_.clear();
  batchBroken_ = false;
  base_ = 0;
  dataCommitted_ = 0;
  if (refusalStruck_) refusalDone_ = true;
}

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
      bool finished = false;
      answers += answer(record_, finished);
      finished_ = finished_ || finished;
      record_.clear();
    }
  }
  return answers;
}

std::string BootLoader::answer(const std::string& text, bool& finished) {
  if (text == kBootTestRecord) {
    startAttempt();
    return std::string(kBootAnswer);
  }
  std::uint8_t sum = 0;
  Record record;
  for (std::size_t i = 1; i + 1 < text.size(); i += 2) {
    const auto byte = static_cast<std::uint8_t>(*hexByte(std::string_view(text).substr(i, 2)));
    sum = static_cast<std::uint8_t>(sum + byte);
    if (i == 3 || i == 5) record.address = static_cast<std::uint16_t>(record.address << 8 | byte);
    if (i == 7) record.type = byte;
    if (i >= 9 && i + 2 < text.size()) record.data.push_back(byte);
  }
  const bool valid = sum == 0;
  switch (record.type) {
    case kData:
    case kSegmentBase:
    case kLinearBase:
      if (!valid) batchBroken_ = true;
      batch_.push_back(std::move(record));
      return {};
    case kBatchEnd:
      if (valid && record.data.empty()) return endBatch();
      break;
    case kDeviceBase:
      if (!valid) break;
      base_ = static_cast<std::uint32_t>(record.address) << kLinearShift;
      return std::string(kAccepted);
    case kEnd:
      if (!valid) break;
      finished = true;
      return std::string(kAccepted);
    default:
      break;
  }
  return std::string(kRefusedAnswer);
}

std::string BootLoader::endBatch() {
  ++batchEnds_;
  long dataInBatch = 0;
  for (const Record& record : batch_) dataInBatch += record.type == kData ? 1 : 0;
  const bool refused = options_.refuseRecord && !refusalDone_ && *options_.refuseRecord > dataCommitted_ &&
                       *options_.refuseRecord <= dataCommitted_ + dataInBatch;
  if (batchBroken_ || refused) {
    refusalStruck_ = refusalStruck_ || refused;
    batch_.clear();
    batchBroken_ = false;
    return std::string(kRefusedAnswer);
  }
  for (const Record& record : batch_) commit(record);
  dataCommitted_ += dataInBatch;
  batch_.clear();
  if (options_.loseAnswer && *options_.loseAnswer == batchEnds_) return {};
  return std::string(kAccepted);
}

void BootLoader::commit(const Record& record) {
  switch (record.type) {
    case kSegmentBase:
      base_ = word(record.data) << kSegmentShift;
      break;
    case kLinearBase:
      base_ = word(record.data) << kLinearShift;
      break;
    default:
      flash_.write(FlashArea::Cpu, base_ + record.address, record.data.data(), record.data.size());
      break;
  }
}

}  // namespace gwsim

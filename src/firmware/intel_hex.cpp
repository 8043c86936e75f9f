#include "firmware/intel_hex.h"

#include <fstream>
#include <iterator>

#include "base/text.h"

namespace gw {

namespace {

// ':' + count (2) + address (4) + type (2) + checksum (2), before the data digits.
constexpr std::size_t kRecordOverheadDigits = 10;
constexpr std::size_t kCountDigits = 2;
constexpr std::size_t kAddressAt = 3;
constexpr std::size_t kTypeAt = 7;
constexpr std::size_t kDataAt = 9;
constexpr std::uint8_t kFillByte = 0xFF;
constexpr int kSegmentShift = 4;
constexpr int kLinearShift = 16;

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

std::uint8_t byteAt(std::string_view digits, std::size_t at) {
  return static_cast<std::uint8_t>(hexDigit(digits[at]) * 16 + hexDigit(digits[at + 1]));
}

std::string_view withoutLineEnd(std::string_view line) {
  while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) line.remove_suffix(1);
  return line;
}

bool blank(std::string_view line) {
  return trim(withoutLineEnd(line)).empty();
}

std::uint32_t baseWord(const HexRecord& record) {
  if (record.data.size() < 2) return 0;
  return (static_cast<std::uint32_t>(record.data[0]) << 8) | record.data[1];
}

}  // namespace

std::optional<HexRecord> parseHexRecord(std::string_view line, HexFault* fault) {
  const auto fail = [fault](HexFault why) {
    if (fault != nullptr) *fault = why;
    return std::nullopt;
  };
  line = withoutLineEnd(line);
  if (line.empty() || line.front() != ':') return fail(HexFault::NotRecord);
  for (std::size_t i = 1; i < line.size(); ++i) {
    if (hexDigit(line[i]) < 0) return fail(HexFault::BadCharacters);
  }
  if (line.size() < 1 + kRecordOverheadDigits || (line.size() - 1) % 2 != 0) return fail(HexFault::BadLength);
  const std::size_t count = byteAt(line, 1);
  if (line.size() != 1 + kRecordOverheadDigits + 2 * count) return fail(HexFault::BadLength);
  std::uint8_t sum = 0;
  for (std::size_t i = 1; i < line.size(); i += 2) sum = static_cast<std::uint8_t>(sum + byteAt(line, i));
  if (sum != 0) return fail(HexFault::BadChecksum);

  HexRecord record;
  record.address = static_cast<std::uint16_t>(byteAt(line, kAddressAt) << 8 | byteAt(line, kAddressAt + 2));
  record.type = byteAt(line, kTypeAt);
  for (std::size_t i = 0; i < count; ++i) record.data.push_back(byteAt(line, kDataAt + 2 * i));
  if (fault != nullptr) *fault = HexFault::None;
  return record;
}

HexFile readIntelHex(std::string_view text) {
  HexFile file;
  bool ended = false;
  bool seenRecord = false;
  int lineNo = 0;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view line = text.substr(start, end - start);
    start = end + 1;
    ++lineNo;
    if (blank(line)) continue;
    if (ended) {
      file.fault = HexFault::AfterEnd;
      file.faultLine = lineNo;
      return file;
    }
    HexFault fault = HexFault::None;
    std::optional<HexRecord> record = parseHexRecord(line, &fault);
    if (!record) {
      // A file whose first line is no record at all is some other kind of file, not a damaged one.
      file.notIntelHex = !seenRecord && fault == HexFault::NotRecord;
      file.fault = fault;
      file.faultLine = lineNo;
      return file;
    }
    seenRecord = true;
    record->line = lineNo;
    ended = record->type == static_cast<std::uint8_t>(HexRecordType::End);
    file.records.push_back(std::move(*record));
  }
  if (!seenRecord) {
    file.notIntelHex = true;
    file.fault = HexFault::NotRecord;
  } else if (!ended) {
    file.fault = HexFault::NoEnd;
    file.faultLine = lineNo + 1;
  }
  return file;
}

HexImage hexImage(const std::vector<HexRecord>& records, std::size_t limit) {
  HexImage image;
  std::uint64_t base = 0;
  for (const HexRecord& record : records) {
    switch (static_cast<HexRecordType>(record.type)) {
      case HexRecordType::Data: {
        const std::uint64_t at = base + record.address;
        const std::uint64_t end = at + record.data.size();
        if (end > limit) {
          image.tooLarge = true;
          image.bytes.clear();
          return image;
        }
        if (end > image.bytes.size()) image.bytes.resize(static_cast<std::size_t>(end), kFillByte);
        std::copy(record.data.begin(), record.data.end(),
                  image.bytes.begin() + static_cast<std::ptrdiff_t>(at));
        break;
      }
      case HexRecordType::SegmentBase:
        base = static_cast<std::uint64_t>(baseWord(record)) << kSegmentShift;
        break;
      case HexRecordType::LinearBase:
        base = static_cast<std::uint64_t>(baseWord(record)) << kLinearShift;
        break;
      case HexRecordType::DeviceBase:
        base = static_cast<std::uint64_t>(record.address) << kLinearShift;
        break;
      case HexRecordType::End:
        return image;
      default:
        break;
    }
  }
  return image;
}

std::optional<std::string> readFirmwareFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  in.seekg(0, std::ios::end);
  const std::streamoff size = in.tellg();
  if (size < 0 || static_cast<std::size_t>(size) > kMaxFirmwareFileBytes) return std::nullopt;
  in.seekg(0);
  std::string text(static_cast<std::size_t>(size), '\0');
  if (!in.read(text.data(), size)) return std::nullopt;
  return text;
}

}  // namespace gw

#pragma once
// Intel-HEX firmware files: one reader for both upgrades. A record line is ":" + byte count + address + type
// + data + checksum, all in hex digit pairs. Type 00 carries data, 01 ends the file, 02 and 04 set the
// segment and linear base of the addresses that follow (the standard extended-address records), and 09 is
// the gateway's own base record: its address field shifted left by 16 bits. Other types carry nothing the
// image needs and are passed over.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace gw {

enum class HexRecordType : std::uint8_t {
  Data = 0x00,
  End = 0x01,
  SegmentBase = 0x02,
  StartSegment = 0x03,
  LinearBase = 0x04,
  StartLinear = 0x05,
  DeviceBase = 0x09,
};

struct HexRecord {
  int line = 0;  // 1-based line of the file
  std::uint8_t type = 0;
  std::uint16_t address = 0;
  std::vector<std::uint8_t> data;
};

// Why a line is not a record.
enum class HexFault { None, NotRecord, BadCharacters, BadLength, BadChecksum, AfterEnd, NoEnd };

// One line (without its line end; a CR at its end is allowed) as a record, or why it is none.
std::optional<HexRecord> parseHexRecord(std::string_view line, HexFault* fault = nullptr);

struct HexFile {
  std::vector<HexRecord> records;  // the end record included
  // Nothing found that looks like Intel-HEX at all: the first line that is not blank is no record.
  bool notIntelHex = false;
  HexFault fault = HexFault::None;
  int faultLine = 0;  // the line of `fault`

  bool ok() const { return !notIntelHex && fault == HexFault::None; }
};

// Checks a whole file before anything of it is sent: every line that is not blank must be a valid record,
// the end record must come and nothing but blank lines may follow it. A file of any record type first is
// Intel-HEX (objcopy starts with a data record).
HexFile readIntelHex(std::string_view text);

// The bytes of the records at their absolute addresses, the gaps filled with 0xFF, from address 0 up to the
// highest byte written. Nothing when a byte would lie at or beyond `limit` (the image is too large).
struct HexImage {
  std::vector<std::uint8_t> bytes;
  bool tooLarge = false;
};
HexImage hexImage(const std::vector<HexRecord>& records, std::size_t limit);

// A firmware file is read whole; nothing when it cannot be read or is larger than any image could be.
inline constexpr std::size_t kMaxFirmwareFileBytes = 64u << 20;
std::optional<std::string> readFirmwareFile(const std::string& path);

}  // namespace gw

#include "register_table.h"

#include <array>
#include <cctype>
#include <cstdio>

namespace gwsim {
namespace {

constexpr int kLcrRecords = 64;        // R00..R63
constexpr int kExtensionRecords = 32;  // M00..M31
constexpr std::size_t kMaxRegisterDigits = 3;
constexpr std::size_t kRecordKeySize = 16;  // a letter and any int

struct DumpCommand {
  std::string_view tail;
  DumpId dump;
};

constexpr std::array<DumpCommand, 1> kDumpCommands{{
    {"&V", DumpId::System},
}};

bool isRecordLetter(char letter) {
  return letter == 'R' || letter == 'M';
}

std::string recordKey(char letter, int index) {
  char key[kRecordKeySize];
  std::snprintf(key, sizeof key, "%c%02d", letter, index);
  return key;
}

std::vector<RegisterDef> buildTable() {
  std::vector<RegisterDef> table{
      {"S70", "192.168.1.100", DumpId::System},  // IP address
      {"S71", "255.255.255.0", DumpId::System},  // subnet mask
      {"S72", "192.168.1.1", DumpId::System},    // IP router
      {"S91", "1,0", DumpId::System},            // CDR mode, unit ID
      {"S98", "", DumpId::System},               // SIM PIN
      {"X30", "#,#,#", DumpId::System},          // quick call forwarding start, end; end of dialling
      {"X31", "7*,9#", DumpId::System},          // hold, hang up
      {"X32", "*55,#55", DumpId::System},        // follow-me on, off
      {"X33", "*33,#33", DumpId::System},        // SMS at no answer on, off
      {"X24", "2222", DumpId::System},           // firmware upgrade port over Ethernet
  };
  for (int i = 0; i < kLcrRecords; ++i) table.push_back({recordKey('R', i), "", DumpId::None});
  for (int i = 0; i < kExtensionRecords; ++i) table.push_back({recordKey('M', i), "", DumpId::None});
  return table;
}

bool equalsNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (std::toupper(static_cast<unsigned char>(a[i])) != std::toupper(static_cast<unsigned char>(b[i])))
      return false;
  }
  return true;
}

}  // namespace

const std::vector<RegisterDef>& registerTable() {
  static const std::vector<RegisterDef> table = buildTable();
  return table;
}

std::optional<DumpId> dumpForCommand(std::string_view tail) {
  for (const DumpCommand& command : kDumpCommands) {
    if (equalsNoCase(command.tail, tail)) return command.dump;
  }
  return std::nullopt;
}

std::optional<std::string> normalizeRegisterKey(std::string_view text) {
  if (text.size() < 2 || text.size() > 1 + kMaxRegisterDigits) return std::nullopt;
  if (!std::isalpha(static_cast<unsigned char>(text[0]))) return std::nullopt;
  int number = 0;
  for (char c : text.substr(1)) {
    if (!std::isdigit(static_cast<unsigned char>(c))) return std::nullopt;
    number = number * 10 + (c - '0');
  }
  const char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(text[0])));
  if (isRecordLetter(letter)) return recordKey(letter, number);
  return std::string(1, letter) + std::string(text.substr(1));
}

}  // namespace gwsim

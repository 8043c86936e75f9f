#pragma once
// The registers the simulated gateway knows, per edition: each key, its factory default, the read command
// whose dump lists it (or the table listing that shows it), and what a write must look like. The read
// commands are tables here too. A page that grows the simulator adds rows.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "edition.h"
#include "value_check.h"

namespace gwsim {

// The "KEY=value" dumps: "AT&V", "AT&VE", "AT&V0", "AT&V1", "AT&V9", "AT&NALL" (and "AT&N1".."AT&N8").
enum class DumpId { None, System, Ethernet, Gsm, Outgoing, Incoming, Networks };
// The paged table listings: "AT&R", "AT&A", "AT&M".
enum class TableId { None, Lcr, Autorouting, Extension };

struct RegisterDef {
  std::string key;  // "S70", "G191", "R05"
  std::string defaultValue;
  DumpId dump = DumpId::None;  // the dump that lists the register, in table order
  int networkList = 0;         // 1..8: the network list the register belongs to ("AT&N3" lists list 3)
  TableId table = TableId::None;
  ValueCheck check;
  // A write with fewer fields than the register holds leaves the trailing fields as they were (registers that
  // older clients write shorter).
  bool keepsUnsentFields = false;
};

inline constexpr int kNetworkLists = 8;
inline constexpr int kPrefixRegisters = 7;  // N11..N17: the prefixes of list 1
inline constexpr int kMaxEntriesPerNetworkRegister = 15;
inline constexpr int kMaxHolidaysPerRegister = 12;  // G06, G07
inline constexpr int kMaxCausePairs = 9;
// Texts the gateway keeps, in characters. The SMS texts hold three SMS of 160 characters.
inline constexpr std::size_t kSmsTextLength = 480;
inline constexpr std::size_t kCalledNumbersLength = 246;
inline constexpr std::size_t kRegisterDomainLength = 54;

// Every register of the edition in dump order; the table records (R00..R63, A00..A95, M00..M31) come last.
const std::vector<RegisterDef>& registerTable(Edition edition = Edition::Orvale);

struct DumpRequest {
  DumpId dump = DumpId::None;
  int networkList = 0;  // 0: every list of a Networks dump
};

// The dump a command's tail names ("&V" for "AT&V", "&N3" for "AT&N3"), matched without regard to case.
std::optional<DumpRequest> dumpForCommand(std::string_view tail);
// The table listing a command's tail names ("&R" for "AT&R").
std::optional<TableId> listingForCommand(std::string_view tail);

char recordLetter(TableId table);  // 'R', 'A', 'M'
int recordCount(TableId table);    // 64, 96, 32
// "R05" for record 5 of the LCR table: the form dumps and the store use.
std::string recordKey(TableId table, int index);

// A register key from a letter and its decimal digits as a command or the user writes them ("s70" -> "S70").
// Table records are numbered with two digits whatever the command sent ("R5" and "R05" -> "R05"). Empty when
// the text is not a letter followed by one to three digits.
std::optional<std::string> normalizeRegisterKey(std::string_view text);

}  // namespace gwsim

#include "register_table.h"

#include <array>
#include <cctype>
#include <cstdio>

namespace gwsim {
namespace {

constexpr int kLcrRecords = 64;          // R00..R63
constexpr int kAutoroutingRecords = 96;  // A00..A95
constexpr int kExtensionRecords = 32;    // M00..M31
constexpr std::size_t kMaxRegisterDigits = 3;
constexpr std::size_t kRecordKeySize = 16;  // a letter and any int

// Texts the gateway keeps, in characters.
constexpr std::size_t kModificationLength = 15;  // CLIP to GSM / to VoIP modification
constexpr std::size_t kSipAccountLength = 53;    // user "/" password
constexpr std::size_t kSipNameLength = 15;
constexpr std::size_t kRoamingNetworkLength = 5;
constexpr std::size_t kDisaPrefixLength = 15;
constexpr std::size_t kClipLength = 7;
constexpr std::size_t kNetworkIdLength = 5;

constexpr long kMaxFlags = 65535;
constexpr long kMaxPort = 65535;
constexpr long kMaxTone = 4;               // None, European, Czech, Hungarian, English
constexpr long kMaxCount = 65535;          // called numbers, SMS messages
constexpr long kMaxDigitsAndSeconds = 20;  // digits, DTMF digits, waits in seconds

struct DumpCommand {
  std::string_view tail;
  DumpRequest request;
};

constexpr std::array<DumpCommand, 14> kDumpCommands{{
    {"&V", {DumpId::System}},
    {"&VE", {DumpId::Ethernet}},
    {"&V0", {DumpId::Gsm}},
    {"&V1", {DumpId::Outgoing}},
    {"&V9", {DumpId::Incoming}},
    {"&NALL", {DumpId::Networks}},
    {"&N1", {DumpId::Networks, 1}},
    {"&N2", {DumpId::Networks, 2}},
    {"&N3", {DumpId::Networks, 3}},
    {"&N4", {DumpId::Networks, 4}},
    {"&N5", {DumpId::Networks, 5}},
    {"&N6", {DumpId::Networks, 6}},
    {"&N7", {DumpId::Networks, 7}},
    {"&N8", {DumpId::Networks, 8}},
}};

struct TableTraits {
  TableId table;
  std::string_view listCommandTail;
  char letter;
  int records;
};

constexpr std::array<TableTraits, 3> kTables{{
    {TableId::Lcr, "&R", 'R', kLcrRecords},
    {TableId::Autorouting, "&A", 'A', kAutoroutingRecords},
    {TableId::Extension, "&M", 'M', kExtensionRecords},
}};

const TableTraits* traitsOf(TableId table) {
  for (const TableTraits& traits : kTables) {
    if (traits.table == table) return &traits;
  }
  return nullptr;
}

const TableTraits* traitsOfLetter(char letter) {
  for (const TableTraits& traits : kTables) {
    if (traits.letter == letter) return &traits;
  }
  return nullptr;
}

bool equalsNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (std::toupper(static_cast<unsigned char>(a[i])) != std::toupper(static_cast<unsigned char>(b[i])))
      return false;
  }
  return true;
}

struct EditionShape {
  int groups;   // GSM groups
  int modules;  // GSM modules
};

EditionShape shapeOf(Edition edition) {
  return edition == Edition::Kestrin ? EditionShape{1, 2} : EditionShape{4, 4};
}

using Table = std::vector<RegisterDef>;

void add(Table& table, DumpId dump, std::string key, std::string defaultValue, ValueCheck check,
         bool keepsUnsentFields = false) {
  table.push_back(
      {std::move(key), std::move(defaultValue), dump, 0, TableId::None, std::move(check), keepsUnsentFields});
}

// Group assignment: one digit per module, the group 1..4 (Kestrin: its one group).
ValueCheck groupDigits(const EditionShape& shape) {
  return fields({characters(shape.groups == 1 ? "1" : "1234", static_cast<std::size_t>(shape.modules),
                            static_cast<std::size_t>(shape.modules))});
}

std::string repeated(std::string_view text, int times) {
  std::string out;
  for (int i = 0; i < times; ++i) out += text;
  return out;
}

// S70..X24 are kept byte for byte as they always were; the rest is checked.
void addSystem(Table& table) {
  const DumpId d = DumpId::System;
  add(table, d, "S70", "192.168.1.100", anything());                    // IP address
  add(table, d, "S71", "255.255.255.0", anything());                    // subnet mask
  add(table, d, "S72", "192.168.1.1", anything());                      // IP router
  add(table, d, "S85", "", text(kSmsTextLength));                       // text of "SMS at no answer"
  add(table, d, "S86", "", text(kSmsTextLength));                       // text of the SMS for all calls
  add(table, d, "S91", "1,0", anything());                              // CDR mode, unit ID
  add(table, DumpId::None, "S92", "0", fields({number(0, 31)}));        // trace details; in no dump
  add(table, d, "S98", "", anything());                                 // SIM PIN
  add(table, d, "X20", "0000,0000", fields({monthDay(), monthDay()}));  // winter time, summer time (MMDD)
  add(table, d, "X30", "#,#,#", anything());    // quick call forwarding start, end; end of dialling
  add(table, d, "X31", "7*,9#", anything());    // hold, hang up
  add(table, d, "X32", "*55,#55", anything());  // follow-me on, off
  add(table, d, "X33", "*33,#33", anything());  // SMS at no answer on, off
  add(table, d, "X24", "2222", anything());     // firmware upgrade port over Ethernet
}

void addEthernet(Table& table, Edition edition) {
  const DumpId d = DumpId::Ethernet;
  const bool kestrin = edition == Edition::Kestrin;
  // Codec payload types in priority order; the Kestrin edition has G.711 only, in two lists.
  if (kestrin) {
    add(table, d, "E01", "0,8", fields({oneOf({0, 8}), oneOf({0, 8})}));
  } else {
    const FieldCheck codec = oneOf({0, 4, 8, 18});
    add(table, d, "E01", "18,0,8", fields({codec, codec, codec}));
  }
  add(table, d, "E02", "600,10,600",  // registration expires, reattempt, next STUN request
      fields({number(0, kMaxPort), number(0, kMaxPort), number(0, kMaxPort)}));
  add(table, d, "E03", "8000,8998", fields({number(0, kMaxPort), number(0, kMaxPort)}));  // RTP ports
  add(table, d, "E04", "32,32", fields({number(0, 63), number(0, 63)}));  // output, input audio level
  // SIP flags, ring tone for calls from VoIP and (not on Kestrin) the second flags word, SIM client 0x8.
  if (kestrin) {
    add(table, d, "E08", "0,0", fields({number(0, kMaxFlags), number(0, kMaxTone)}));
  } else {
    add(table, d, "E08", "0,0,0",
        fields(2, {number(0, kMaxFlags), number(0, kMaxTone), number(0, kMaxFlags)}), true);
  }
  add(table, d, "E09", "0", fields({number(0, 31)}));                  // day of deleting statistics
  add(table, d, "E10", "0.0.0.0:5060", fields({ipv4WithPort()}));      // SIP proxy IP -> GSM
  add(table, d, "E11", "0.0.0.0:5060", fields({ipv4WithPort()}));      // SIP proxy GSM -> IP
  add(table, d, "E14", "0.0.0.0:5060", fields({ipv4WithPort()}));      // SIP register
  add(table, d, "E16", "0.0.0.0", fields({ipv4()}));                   // NAT firewall
  add(table, d, "E17", "0.0.0.0:3478", fields({ipv4WithPort()}));      // STUN server
  add(table, d, "E20", "4,0", fields({number(1, 20), number(0, 1)}));  // G.711 blocks, VAD
  add(table, d, "E23", "1,0", fields({number(1, 4), number(0, 3)}));   // G.723 blocks, VAD + 2 for 5.3 kbps
  add(table, d, "E29", "2,0", fields({number(1, 10), number(0, 1)}));  // G.729 blocks, VAD
  // The SIP account "user/password": taken, never shown in a dump.
  add(table, DumpId::None, "E80", "", [](std::string_view value) {
    const std::size_t slash = value.find('/');
    return value.size() <= kSipAccountLength && slash != std::string_view::npos && slash > 0 &&
           slash + 1 < value.size();
  });
  add(table, d, "E81", "", text(kRegisterDomainLength));  // register domain
  add(table, d, "E82", "", text(kSipNameLength));         // name for calls to SIP
}

void addGsm(Table& table, Edition edition) {
  const DumpId d = DumpId::Gsm;
  const EditionShape shape = shapeOf(edition);
  add(table, d, "G00", repeated("1", shape.modules), groupDigits(shape));  // outgoing group of each module
  add(table, d, "G02", "4,0,0", fields({oneOf({2, 4}), number(0, 4), number(0, 4)}));  // Siemens tone, levels
  add(table, d, "G04", "0,0,0", fields({number(0, 2), number(0, 6), number(0, 6)}));   // Wavecom echo, levels
  add(table, d, "G06", "", listOf(kMaxHolidaysPerRegister, emptyOr(monthDay())));      // holidays 1..12
  add(table, d, "G07", "", listOf(kMaxHolidaysPerRegister, emptyOr(monthDay())));      // holidays 13..24
  add(table, d, "G08", "2,9,9,3",  // call delay, min and max numbers from VoIP, wait for next digit
      fields({number(0, 10), number(0, kMaxDigitsAndSeconds), number(0, kMaxDigitsAndSeconds),
              number(0, kMaxDigitsAndSeconds)}));
  // Flags (0x1 SCID, 0x20 SMS to module, 0x40 RFC2833), dial, ring and busy tone, termination flags.
  add(table, d, "G09", "0,0,0,0,0",
      fields(4, {number(0, kMaxFlags), number(0, kMaxTone), number(0, kMaxTone), number(0, kMaxTone),
                 number(0, kMaxFlags)}),
      true);
  const FieldCheck cause = number(0, 255);
  add(table, d, "G100", "102,21,41,42", fields({cause, cause, cause, cause}));  // causes of own refusals
  add(table, d, "G101", "", listOf(kMaxCausePairs, emptyOr(causePair())));      // cause transfer
  add(table, d, "G103", "0,0,0,2,0",  // Sierra Wireless: levels, networks used, searching priority
      fields({number(0, 255), number(0, 4), number(0, 4), oneOf({2, 13, 14}), number(0, 2)}));
  add(table, d, "G109", "", text(kModificationLength));  // CLIP to GSM modification
}

void addOutgoing(Table& table, Edition edition) {
  const DumpId d = DumpId::Outgoing;
  for (int g = 1; g <= shapeOf(edition).groups; ++g) {
    const std::string group = std::to_string(g);
    // Roaming network, CLIR, max called numbers, SMS number, stats day, minimal length, precision, tariff.
    add(table, d, "G" + group + "1", ",2,0,0,1,1,1,0",
        fields({characters("0123456789Xx", 0, kRoamingNetworkLength), number(0, 2), number(0, kMaxCount),
                number(0, kMaxCount), number(0, 99), number(1, 250), number(1, 250), number(0, 8)}));
    // Delay ALERTING, delay CONNECT, disconnect mode, group stats day, flags, SMS delay, CLIP separator.
    add(table, d, "G" + group + "9", "0,1,0,1,0,0,",
        fields({number(0, 20), number(0, 20), number(0, 2), number(0, 32), number(0, kMaxFlags),
                number(0, 31), separatorCharacter()}));
  }
}

void addIncoming(Table& table, Edition edition) {
  const DumpId d = DumpId::Incoming;
  const EditionShape shape = shapeOf(edition);
  const bool kestrin = edition == Edition::Kestrin;
  add(table, d, "G90", repeated("1", shape.modules), groupDigits(shape));  // incoming group of each module
  // Mode (Kestrin: reject or dial tone), min and max DTMF digits, DTMF time, stats day, DISA prefix, clip.
  const FieldCheck mode = kestrin ? oneOf({0, 3}) : number(0, 7);
  for (int g = 1; g <= shape.groups; ++g) {
    add(table, d, "G9" + std::to_string(g), "0,3,3,10,1,,",
        fields({mode, number(0, kMaxDigitsAndSeconds), number(0, kMaxDigitsAndSeconds),
                number(0, kMaxDigitsAndSeconds), number(0, 32), characters("", 0, kDisaPrefixLength),
                characters("", 0, kClipLength)}));
  }
  for (int g = 1; g <= shape.groups; ++g) {
    add(table, d, "G9" + std::to_string(g + 4), "", text(kCalledNumbersLength));  // called numbers
  }
  add(table, d, "G99", "0,0", fields({number(0, 240), number(0, 3)}));  // CLIP keep hours, record rules
  for (int g = 1; g <= shape.groups; ++g) {
    add(table, d, "G19" + std::to_string(g), "0,", fields({number(0, 255), separatorCharacter()}));
  }
  add(table, d, "G199", "", text(kModificationLength));  // CLIP to VoIP modification
}

void addNetworks(Table& table) {
  for (int n = 1; n <= kNetworkLists; ++n) {
    const std::string list = "N" + std::to_string(n);
    const auto addList = [&](const std::string& key, std::string defaultValue, ValueCheck check) {
      table.push_back({key, std::move(defaultValue), DumpId::Networks, n, TableId::None, std::move(check)});
    };
    addList(list + "0", "/", listOf(kMaxEntriesPerNetworkRegister, replacedPrefixEntry()));
    for (int r = 1; r <= kPrefixRegisters; ++r) {
      addList(list + std::to_string(r), r == 1 ? "0,1,2,3,4,5,6,7,8,9" : "",
              listOf(kMaxEntriesPerNetworkRegister, prefixEntry()));
    }
    addList(list + "9", ",9", fields({characters("", 0, kNetworkIdLength), number(0, kMaxDigitsAndSeconds)}));
  }
}

// One all-day route over network 1 and group 1: what a fresh gateway holds in record 0.
constexpr const char* kDefaultLcrRecord = "1,0:00/24:00,1,0";

void addTables(Table& table) {
  const ValueCheck lcr =
      emptyOr(fields({number(1, kNetworkLists), usingTime(), characters("1234", 1, 7), number(0, 99)}));
  const ValueCheck checks[] = {lcr, emptyOr(autoroutingRecord()), emptyOr(extensionRecord())};
  for (std::size_t t = 0; t < kTables.size(); ++t) {
    for (int i = 0; i < kTables[t].records; ++i) {
      const bool firstLcr = kTables[t].table == TableId::Lcr && i == 0;
      table.push_back({recordKey(kTables[t].table, i), firstLcr ? kDefaultLcrRecord : "", DumpId::None, 0,
                       kTables[t].table, checks[t]});
    }
  }
}

Table buildTable(Edition edition) {
  Table table;
  addSystem(table);
  addEthernet(table, edition);
  addGsm(table, edition);
  addOutgoing(table, edition);
  addIncoming(table, edition);
  addNetworks(table);
  addTables(table);
  return table;
}

}  // namespace

const std::vector<RegisterDef>& registerTable(Edition edition) {
  static const Table orvale = buildTable(Edition::Orvale);
  static const Table kestrin = buildTable(Edition::Kestrin);
  return edition == Edition::Kestrin ? kestrin : orvale;
}

std::optional<DumpRequest> dumpForCommand(std::string_view tail) {
  for (const DumpCommand& command : kDumpCommands) {
    if (equalsNoCase(command.tail, tail)) return command.request;
  }
  return std::nullopt;
}

std::optional<TableId> listingForCommand(std::string_view tail) {
  for (const TableTraits& traits : kTables) {
    if (equalsNoCase(traits.listCommandTail, tail)) return traits.table;
  }
  return std::nullopt;
}

char recordLetter(TableId table) {
  const TableTraits* traits = traitsOf(table);
  return traits ? traits->letter : '?';
}

int recordCount(TableId table) {
  const TableTraits* traits = traitsOf(table);
  return traits ? traits->records : 0;
}

std::string recordKey(TableId table, int index) {
  char key[kRecordKeySize];
  std::snprintf(key, sizeof key, "%c%02d", recordLetter(table), index);
  return key;
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
  if (const TableTraits* traits = traitsOfLetter(letter)) return recordKey(traits->table, number);
  return std::string(1, letter) + std::string(text.substr(1));
}

}  // namespace gwsim

#include "command.h"

#include <array>
#include <cctype>
#include <optional>
#include <string>
#include <utility>

namespace gwsim {
namespace {

struct FixedCommand {
  std::string_view tail;  // after "AT"
  CommandKind kind;
};

constexpr std::array<FixedCommand, 8> kFixedCommands{{
    {"", CommandKind::Attention},
    {"I3", CommandKind::Identify3},
    {"I4", CommandKind::Identify4},
    {"&M0", CommandKind::ModeZero},
    {"&M=REG", CommandKind::RegisterAgain},
    {"&BSYS=RESET", CommandKind::Reset},
    {"&FRES", CommandKind::FactoryReset},
    {"!K3WP", CommandKind::EraseFlash},
}};

bool equalsNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (std::toupper(static_cast<unsigned char>(a[i])) != std::toupper(static_cast<unsigned char>(b[i])))
      return false;
  }
  return true;
}

// "%S70=value" -> key "S70", value "value".
std::optional<Command> parseWrite(std::string_view tail) {
  if (tail.size() < 2 || tail.front() != '%') return std::nullopt;
  const std::size_t equals = tail.find('=');
  if (equals == std::string_view::npos) return std::nullopt;
  const std::optional<std::string> key = normalizeRegisterKey(tail.substr(1, equals - 1));
  if (!key) return std::nullopt;
  Command command;
  command.kind = CommandKind::WriteRegister;
  command.key = *key;
  command.value = std::string(tail.substr(equals + 1));
  return command;
}

// "%TGALL=0,0,0,0" -> the group counters and their new values.
std::optional<Command> parseCounterWrite(std::string_view tail) {
  const std::size_t equals = tail.find('=');
  if (tail.empty() || tail.front() != '%' || equals == std::string_view::npos) return std::nullopt;
  const std::optional<CounterSet> set = counterSetNamed(tail.substr(1, equals - 1));
  if (!set) return std::nullopt;
  Command command;
  command.kind = CommandKind::SetCounters;
  command.counters = *set;
  command.value = std::string(tail.substr(equals + 1));
  return command;
}

constexpr std::string_view kTraceStop = "!RX";
constexpr char kLowestTraceLevel = '2';
constexpr char kHighestTraceLevel = '4';

// "!L3" -> start LAN and Telnet tracing at level 3; "!RX" -> stop.
std::optional<Command> parseTrace(std::string_view tail) {
  Command command;
  if (equalsNoCase(tail, kTraceStop)) {
    command.kind = CommandKind::TraceStop;
    return command;
  }
  if (tail.size() != 3 || tail[0] != '!') return std::nullopt;
  const char type = static_cast<char>(std::toupper(static_cast<unsigned char>(tail[1])));
  if ((type != 'L' && type != 'R') || tail[2] < kLowestTraceLevel || tail[2] > kHighestTraceLevel)
    return std::nullopt;
  command.kind = CommandKind::TraceStart;
  command.traceType = type;
  command.traceLevel = tail[2] - '0';
  return command;
}

constexpr std::string_view kModuleStateTail = "&S0";
constexpr std::string_view kSignalTail = "&Q";
constexpr std::string_view kActualCallsTail = "&X";

// "&S02" -> the state of module 2; "&Q2" -> its signal. One digit names the slot; the device refuses a slot
// it lacks.
std::optional<Command> parseLive(std::string_view tail) {
  Command command;
  if (equalsNoCase(tail, kActualCallsTail)) {
    command.kind = CommandKind::ActualCalls;
    return command;
  }
  for (const auto& [prefix, kind] :
       {std::pair{kModuleStateTail, CommandKind::ModuleState}, std::pair{kSignalTail, CommandKind::Signal}}) {
    if (tail.size() != prefix.size() + 1 || !equalsNoCase(tail.substr(0, prefix.size()), prefix)) continue;
    const char digit = tail.back();
    if (digit < '0' || digit > '9') return std::nullopt;
    command.kind = kind;
    command.module = digit - '0';
    return command;
  }
  return std::nullopt;
}

struct VoiceAction {
  std::string_view word;
  CommandKind kind;
};
constexpr VoiceAction kVoiceActions[] = {{"VIEW", CommandKind::VoiceView},
                                         {"READ", CommandKind::VoiceRead},
                                         {"WRITE", CommandKind::VoiceWrite},
                                         {"ERASE", CommandKind::VoiceErase},
                                         {"RECORD", CommandKind::VoiceRecord}};
constexpr std::size_t kMaxMessageDigits = 2;

// "!M1=view", "!SG00=603123456", "!D": the voice messages and the recording call.
std::optional<Command> parseVoice(std::string_view tail) {
  Command command;
  if (equalsNoCase(tail, "!D")) {
    command.kind = CommandKind::CallHangUp;
    return command;
  }
  const std::size_t equals = tail.find('=');
  if (equals == std::string_view::npos || tail.size() < 3 || tail[0] != '!') return std::nullopt;
  const std::string_view name = tail.substr(1, equals - 1);
  const std::string_view value = tail.substr(equals + 1);
  if (name.size() == 4 && equalsNoCase(name.substr(0, 2), "SG")) {
    command.kind = CommandKind::CallDial;
    command.value = std::string(value);
    return command;
  }
  const std::string_view digits = name.substr(1);
  if (!equalsNoCase(name.substr(0, 1), "M") || digits.empty() || digits.size() > kMaxMessageDigits)
    return std::nullopt;
  for (char c : digits) {
    if (c < '0' || c > '9') return std::nullopt;
  }
  for (const VoiceAction& action : kVoiceActions) {
    if (!equalsNoCase(value, action.word)) continue;
    command.kind = action.kind;
    command.voiceMessage = std::stoi(std::string(digits));
    return command;
  }
  return std::nullopt;
}

}  // namespace

Command parseCommand(std::string_view line) {
  Command command;
  if (line.empty()) {
    command.kind = CommandKind::Empty;
    return command;
  }
  if (line.size() < 2 || !equalsNoCase(line.substr(0, 2), "AT")) return command;
  const std::string_view tail = line.substr(2);
  for (const FixedCommand& fixed : kFixedCommands) {
    if (equalsNoCase(fixed.tail, tail)) {
      command.kind = fixed.kind;
      return command;
    }
  }
  if (const std::optional<DumpRequest> dump = dumpForCommand(tail)) {
    command.kind = CommandKind::Dump;
    command.dump = dump->dump;
    command.networkList = dump->networkList;
    return command;
  }
  if (const std::optional<TableId> table = listingForCommand(tail)) {
    command.kind = CommandKind::Listing;
    command.table = *table;
    return command;
  }
  if (const std::optional<ReportId> report = reportForCommand(tail)) {
    command.kind = CommandKind::Report;
    command.report = *report;
    return command;
  }
  if (std::optional<Command> counters = parseCounterWrite(tail)) return *counters;
  if (std::optional<Command> write = parseWrite(tail)) return *write;
  if (std::optional<Command> trace = parseTrace(tail)) return *trace;
  if (std::optional<Command> live = parseLive(tail)) return *live;
  if (std::optional<Command> voice = parseVoice(tail)) return *voice;
  return command;
}

}  // namespace gwsim

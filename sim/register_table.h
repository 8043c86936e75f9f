#pragma once
// The registers the simulated gateway knows: each key, its factory default, and the dump that lists it.
// A page that grows the simulator adds its registers here and, for a new read command, a row to the dump
// command table.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace gwsim {

enum class DumpId { None, System };

struct RegisterDef {
  std::string key;  // "S70", "X30", "R05"
  std::string defaultValue;
  DumpId dump;  // the read command whose reply lists the register, in table order
};

// Every register in dump order; table records (R00..R63, M00..M31) follow the named registers.
const std::vector<RegisterDef>& registerTable();

// The dump a command's tail names ("&V" for "AT&V"), matched without regard to case.
std::optional<DumpId> dumpForCommand(std::string_view tail);

// A register key from a letter and its decimal digits as a command or the user writes them ("s70" -> "S70").
// Table records are numbered with two digits whatever the command sent ("R5" and "R05" -> "R05"). Empty when
// the text is not a letter followed by one to three digits.
std::optional<std::string> normalizeRegisterKey(std::string_view text);

}  // namespace gwsim

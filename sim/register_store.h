#pragma once
// The gateway's register values: what a write stores and what a later dump or listing shows.

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "register_table.h"

namespace gwsim {

enum class WriteResult { Stored, UnknownRegister, Refused };

class RegisterStore {
 public:
  explicit RegisterStore(Edition edition = Edition::Orvale);  // factory defaults

  Edition edition() const { return edition_; }
  bool has(std::string_view key) const { return indexOf(key).has_value(); }
  std::optional<std::string> value(std::string_view key) const;
  // Stores the value of a known register as it stands (keys as the table spells them); false for an unknown
  // key. For the state file, which holds what the gateway once took.
  bool set(std::string_view key, std::string value);
  // A register write from a console: checked against the register's shape; a register that keeps unsent
  // fields gets its trailing fields back when the write has fewer.
  WriteResult write(std::string_view key, std::string value);
  void restoreDefaults();
  // "AT&FRES": every register returns to its factory default except the LCR and mobility-extension records,
  // which the gateway keeps (a client clears them record by record before it sends the command).
  void factoryReset();

  // "KEY=value" lines of the registers the dump lists, in table order; `networkList` 1..8 narrows a Networks
  // dump to one list.
  std::vector<std::string> dumpLines(DumpId dump, int networkList = 0) const;
  // The records of a table that hold a value, with their index, in index order.
  std::vector<std::pair<int, std::string>> records(TableId table) const;
  // The registers whose value differs from the factory default, in table order.
  std::vector<std::pair<std::string, std::string>> changedFromDefaults() const;

 private:
  std::optional<std::size_t> indexOf(std::string_view key) const;
  const std::vector<RegisterDef>& table() const { return registerTable(edition_); }

  Edition edition_;
  std::vector<std::string> values_;  // parallel to the edition's register table
};

}  // namespace gwsim

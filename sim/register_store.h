#pragma once
// The gateway's register values: what a write stores and what a later dump shows.

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "register_table.h"

namespace gwsim {

class RegisterStore {
 public:
  RegisterStore();  // factory defaults

  bool has(std::string_view key) const { return indexOf(key).has_value(); }
  std::optional<std::string> value(std::string_view key) const;
  // Stores the value of a known register (keys as the table spells them); false for an unknown key.
  bool set(std::string_view key, std::string value);
  void restoreDefaults();

  // "KEY=value" lines of the registers the dump lists, in table order.
  std::vector<std::string> dumpLines(DumpId dump) const;
  // The registers whose value differs from the factory default, in table order.
  std::vector<std::pair<std::string, std::string>> changedFromDefaults() const;

 private:
  std::optional<std::size_t> indexOf(std::string_view key) const;

  std::vector<std::string> values_;  // parallel to registerTable()
};

}  // namespace gwsim

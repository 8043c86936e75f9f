#include "register_store.h"

namespace gwsim {

RegisterStore::RegisterStore() {
  restoreDefaults();
}

std::optional<std::size_t> RegisterStore::indexOf(std::string_view key) const {
  const std::vector<RegisterDef>& table = registerTable();
  for (std::size_t i = 0; i < table.size(); ++i) {
    if (table[i].key == key) return i;
  }
  return std::nullopt;
}

std::optional<std::string> RegisterStore::value(std::string_view key) const {
  const std::optional<std::size_t> index = indexOf(key);
  if (!index) return std::nullopt;
  return values_[*index];
}

bool RegisterStore::set(std::string_view key, std::string value) {
  const std::optional<std::size_t> index = indexOf(key);
  if (!index) return false;
  values_[*index] = std::move(value);
  return true;
}

void RegisterStore::restoreDefaults() {
  values_.clear();
  for (const RegisterDef& def : registerTable()) values_.push_back(def.defaultValue);
}

std::vector<std::string> RegisterStore::dumpLines(DumpId dump) const {
  std::vector<std::string> lines;
  const std::vector<RegisterDef>& table = registerTable();
  for (std::size_t i = 0; i < table.size(); ++i) {
    if (dump != DumpId::None && table[i].dump == dump) lines.push_back(table[i].key + "=" + values_[i]);
  }
  return lines;
}

std::vector<std::pair<std::string, std::string>> RegisterStore::changedFromDefaults() const {
  std::vector<std::pair<std::string, std::string>> changed;
  const std::vector<RegisterDef>& table = registerTable();
  for (std::size_t i = 0; i < table.size(); ++i) {
    if (values_[i] != table[i].defaultValue) changed.emplace_back(table[i].key, values_[i]);
  }
  return changed;
}

}  // namespace gwsim

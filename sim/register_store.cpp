#include "register_store.h"

namespace gwsim {
namespace {

// The written value, followed by the stored fields it leaves off at the end.
std::string withUnsentFields(const std::string& written, const std::string& stored) {
  const std::vector<std::string_view> sent = splitFields(written);
  const std::vector<std::string_view> kept = splitFields(stored);
  std::string merged = written;
  for (std::size_t i = sent.size(); i < kept.size(); ++i) merged += "," + std::string(kept[i]);
  return merged;
}

}  // namespace

RegisterStore::RegisterStore(Edition edition) : edition_(edition) {
  restoreDefaults();
}

std::optional<std::size_t> RegisterStore::indexOf(std::string_view key) const {
  for (std::size_t i = 0; i < table().size(); ++i) {
    if (table()[i].key == key) return i;
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

WriteResult RegisterStore::write(std::string_view key, std::string value) {
  const std::optional<std::size_t> index = indexOf(key);
  if (!index) return WriteResult::UnknownRegister;
  const RegisterDef& def = table()[*index];
  if (!def.check(value)) return WriteResult::Refused;
  values_[*index] = def.keepsUnsentFields ? withUnsentFields(value, values_[*index]) : std::move(value);
  return WriteResult::Stored;
}

void RegisterStore::restoreDefaults() {
  values_.clear();
  for (const RegisterDef& def : table()) values_.push_back(def.defaultValue);
}

void RegisterStore::factoryReset() {
  for (std::size_t i = 0; i < table().size(); ++i) {
    const TableId kept = table()[i].table;
    if (kept != TableId::Lcr && kept != TableId::Extension) values_[i] = table()[i].defaultValue;
  }
}

std::vector<std::string> RegisterStore::dumpLines(DumpId dump, int networkList) const {
  std::vector<std::string> lines;
  for (std::size_t i = 0; i < table().size(); ++i) {
    const RegisterDef& def = table()[i];
    if (dump == DumpId::None || def.dump != dump) continue;
    if (networkList != 0 && def.networkList != networkList) continue;
    lines.push_back(def.key + "=" + values_[i]);
  }
  return lines;
}

std::vector<std::pair<int, std::string>> RegisterStore::records(TableId table) const {
  std::vector<std::pair<int, std::string>> found;
  for (int i = 0; i < recordCount(table); ++i) {
    const std::optional<std::string> record = value(recordKey(table, i));
    if (record && !record->empty()) found.emplace_back(i, *record);
  }
  return found;
}

std::vector<std::pair<std::string, std::string>> RegisterStore::changedFromDefaults() const {
  std::vector<std::pair<std::string, std::string>> changed;
  for (std::size_t i = 0; i < table().size(); ++i) {
    if (values_[i] != table()[i].defaultValue) changed.emplace_back(table()[i].key, values_[i]);
  }
  return changed;
}

}  // namespace gwsim

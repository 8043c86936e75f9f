// INI profile files: read, write a key, read back. Input: a section name, a key and a value (each up to a
// NUL), then the file's bytes.
//
// Checks: the file reads back byte for byte; every lookup of the index agrees with a plain scan of the lines;
// a write changes only its own line (or adds its lines) and leaves every other key's value as it was; the
// written value reads back, or nothing was written.

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "base/ini_file.h"
#include "base/text.h"
#include "fuzz_support.h"

namespace {

using gw::IniFile;

struct Key {
  std::string section;
  std::string key;
};

// The lookup rule spelt out plainly: the first section of the name, the first key of the name in it.
std::optional<std::string> scanValue(std::string_view bytes, std::string_view section, std::string_view key) {
  if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
  bool seen = false;
  bool inside = false;
  while (!bytes.empty()) {
    const std::string_view line = gw::iniNextLine(bytes).content;
    if (const auto name = gw::iniSectionName(line)) {
      if (inside) return std::nullopt;
      inside = !seen && gw::equalsNoCase(*name, section);
      seen = seen || inside;
      continue;
    }
    if (!inside) continue;
    if (auto kv = gw::iniKeyValue(line); kv && gw::equalsNoCase(kv->first, key)) return kv->second;
  }
  return std::nullopt;
}

// Every key line of the file with its section (at most `limit`).
std::vector<Key> keysOf(std::string_view bytes, std::size_t limit) {
  std::vector<Key> keys;
  std::string section;
  bool inSection = false;
  while (!bytes.empty() && keys.size() < limit) {
    const std::string_view line = gw::iniNextLine(bytes).content;
    if (auto name = gw::iniSectionName(line)) {
      section = std::move(*name);
      inSection = true;
    } else if (auto kv = gw::iniKeyValue(line); kv && inSection) {
      keys.push_back({section, kv->first});
    }
  }
  return keys;
}

std::string withoutLineBreaks(std::string_view text) {
  std::string clean;
  for (char c : text) {
    if (c != '\r' && c != '\n') clean += c;
  }
  return clean;
}

// Names a write can give that read back as themselves.
bool plainName(std::string_view name) {
  if (name.empty() || name.size() > 32) return false;
  for (char c : name) {
    if (!(std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '.')) return false;
  }
  return true;
}

void checkLookups(const IniFile& ini, std::string_view bytes, const std::vector<Key>& keys) {
  for (const Key& k : keys) FUZZ_CHECK(ini.value(k.section, k.key) == scanValue(bytes, k.section, k.key));
}

// Lines (with their endings) that a write left: a common head and tail, and at most one old line between.
void checkOtherLinesKept(std::string_view before, std::string_view after) {
  const auto split = [](std::string_view bytes) {
    std::vector<std::string_view> lines;
    while (!bytes.empty()) {
      const std::size_t lf = bytes.find('\n');
      const std::size_t end = lf == std::string_view::npos ? bytes.size() : lf + 1;
      lines.push_back(bytes.substr(0, end));
      bytes.remove_prefix(end);
    }
    return lines;
  };
  const auto a = split(before);
  const auto b = split(after);
  std::size_t head = 0;
  while (head < a.size() && head < b.size() && a[head] == b[head]) ++head;
  std::size_t tail = 0;
  while (tail < a.size() - head && tail < b.size() - head && a[a.size() - 1 - tail] == b[b.size() - 1 - tail])
    ++tail;
  FUZZ_CHECK(a.size() - head - tail <= 1);
  FUZZ_CHECK(b.size() - head - tail <= 4);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  gw::fuzz::Input in(data, size);
  const std::string rawSection(in.until('\0'));
  const std::string rawKey(in.until('\0'));
  const std::string value(in.until('\0'));
  const std::string bytes(in.rest());
  constexpr std::size_t kKeysChecked = 16;

  IniFile ini = IniFile::fromText(bytes);
  FUZZ_CHECK(ini.text() == bytes);
  std::vector<Key> keys = keysOf(bytes, kKeysChecked);
  keys.push_back({withoutLineBreaks(rawSection), withoutLineBreaks(rawKey)});
  checkLookups(ini, bytes, keys);

  ini.writeString(rawSection, rawKey, value);
  const std::string written = ini.text();
  // The names as the write takes them: line breaks cannot be part of a line, and blanks around them are not
  // part of a name.
  const std::string section = gw::trim(withoutLineBreaks(rawSection));
  const std::string key = gw::trim(withoutLineBreaks(rawKey));
  checkOtherLinesKept(bytes, written);
  // The index kept up by the write answers as one built afresh from the new text.
  checkLookups(ini, written, keys);
  for (const Key& k : keys) {
    if (gw::equalsNoCase(k.section, section) && gw::equalsNoCase(k.key, key)) continue;
    FUZZ_CHECK(scanValue(written, k.section, k.key) == scanValue(bytes, k.section, k.key));
  }
  // A write either reads back, or was not made at all because its names would read back as others.
  const std::string expected = gw::trim(withoutLineBreaks(value));
  const std::optional<std::string> readBack = IniFile::fromText(written).value(section, key);
  FUZZ_CHECK(readBack == expected || written == bytes);
  if (plainName(section) && plainName(key)) {
    FUZZ_CHECK(readBack == expected);
    ini.writeString(key, section, value);  // a second write, into what may be a new section
    checkLookups(ini, ini.text(), keys);
  }
  return 0;
}

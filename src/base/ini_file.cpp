#include "base/ini_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "base/text.h"

namespace gw {

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

bool isCommentLine(std::string_view trimmed) { return !trimmed.empty() && (trimmed[0] == ';' || trimmed[0] == '#'); }

bool writeAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

std::string folderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

unsigned defaultCreateMode() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666u & ~static_cast<unsigned>(mask);
}

}  // namespace

std::optional<std::string> iniSectionName(std::string_view line) {
  const std::string t = trim(line);
  if (t.size() < 2 || t[0] != '[') return std::nullopt;
  const std::size_t close = t.find(']');
  if (close == std::string::npos) return std::nullopt;
  return trim(std::string_view(t).substr(1, close - 1));
}

std::optional<std::pair<std::string, std::string>> iniKeyValue(std::string_view line) {
  const std::string t = trim(line);
  if (t.empty() || t[0] == '[' || isCommentLine(t)) return std::nullopt;
  const std::size_t eq = t.find('=');
  if (eq == std::string::npos) return std::nullopt;
  std::string key = trim(std::string_view(t).substr(0, eq));
  if (key.empty()) return std::nullopt;
  return std::make_pair(std::move(key), trim(std::string_view(t).substr(eq + 1)));
}

IniFile::IniFile(std::string path) : path_(std::move(path)) {}

IniFile IniFile::load(const std::string& path) {
  IniFile ini(path);
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    struct stat st {};
    ini.ok_ = ::stat(path.c_str(), &st) != 0 && errno == ENOENT;
    return ini;
  }
  std::ostringstream bytes;
  bytes << in.rdbuf();
  if (in.bad()) {
    ini.ok_ = false;
    return ini;
  }
  ini.existed_ = true;
  ini.parse(bytes.str());
  return ini;
}

void IniFile::parse(std::string_view bytes) {
  if (startsWith(bytes, kUtf8Bom)) {
    bom_ = true;
    bytes.remove_prefix(kUtf8Bom.size());
  }
  bool styleKnown = false;
  std::size_t start = 0;
  while (start < bytes.size()) {
    const std::size_t lf = bytes.find('\n', start);
    if (lf == std::string_view::npos) {
      lines_.push_back({std::string(bytes.substr(start)), ""});
      break;
    }
    const bool cr = lf > start && bytes[lf - 1] == '\r';
    const std::size_t contentEnd = cr ? lf - 1 : lf;
    lines_.push_back({std::string(bytes.substr(start, contentEnd - start)), cr ? "\r\n" : "\n"});
    if (!styleKnown) {
      crlf_ = cr;
      styleKnown = true;
    }
    start = lf + 1;
  }
}

std::optional<IniFile::Span> IniFile::findSection(std::string_view section) const {
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    const auto name = iniSectionName(lines_[i].content);
    if (!name || !equalsNoCase(*name, section)) continue;
    std::size_t end = i + 1;
    while (end < lines_.size() && !iniSectionName(lines_[end].content)) ++end;
    return Span{i, end};
  }
  return std::nullopt;
}

std::optional<std::size_t> IniFile::findKey(const Span& span, std::string_view key) const {
  for (std::size_t i = span.header + 1; i < span.end; ++i) {
    const auto kv = iniKeyValue(lines_[i].content);
    if (kv && equalsNoCase(kv->first, key)) return i;
  }
  return std::nullopt;
}

bool IniFile::hasSection(std::string_view section) const { return findSection(section).has_value(); }

bool IniFile::hasKey(std::string_view section, std::string_view key) const { return value(section, key).has_value(); }

std::optional<std::string> IniFile::value(std::string_view section, std::string_view key) const {
  const auto span = findSection(section);
  if (!span) return std::nullopt;
  const auto line = findKey(*span, key);
  if (!line) return std::nullopt;
  return iniKeyValue(lines_[*line].content)->second;
}

std::string IniFile::readString(std::string_view section, std::string_view key, std::string_view def) const {
  auto v = value(section, key);
  return v ? *v : std::string(def);
}

int IniFile::readInt(std::string_view section, std::string_view key, int def) const {
  const auto v = value(section, key);
  if (!v) return def;
  return toInt(*v).value_or(def);
}

std::vector<std::string> IniFile::sections() const {
  std::vector<std::string> names;
  for (const Line& line : lines_) {
    if (auto name = iniSectionName(line.content)) names.push_back(*name);
  }
  return names;
}

std::vector<std::string> IniFile::keys(std::string_view section) const {
  std::vector<std::string> names;
  const auto span = findSection(section);
  if (!span) return names;
  for (std::size_t i = span->header + 1; i < span->end; ++i) {
    if (auto kv = iniKeyValue(lines_[i].content)) names.push_back(kv->first);
  }
  return names;
}

void IniFile::writeString(std::string_view section, std::string_view key, std::string_view value) {
  std::string clean;
  clean.reserve(value.size());
  for (char c : value) {
    if (c != '\r' && c != '\n') clean += c;
  }
  const std::string line = std::string(key) + "=" + clean;

  if (const auto span = findSection(section)) {
    if (const auto at = findKey(*span, key)) {
      lines_[*at].content = line;
      return;
    }
    // A new key goes after the section's last non-blank line, before any blank lines that part it from the next.
    std::size_t insertAt = span->end;
    while (insertAt > span->header + 1 && trim(lines_[insertAt - 1].content).empty()) --insertAt;
    if (lines_[insertAt - 1].ending.empty()) lines_[insertAt - 1].ending = newline();
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(insertAt), Line{line, newline()});
    return;
  }

  if (!lines_.empty()) {
    if (lines_.back().ending.empty()) lines_.back().ending = newline();
    if (!trim(lines_.back().content).empty()) lines_.push_back({"", newline()});
  }
  lines_.push_back({"[" + std::string(section) + "]", newline()});
  lines_.push_back({line, newline()});
}

void IniFile::writeInt(std::string_view section, std::string_view key, int value) {
  writeString(section, key, std::to_string(value));
}

void IniFile::writeBool(std::string_view section, std::string_view key, bool value) {
  writeString(section, key, value ? "1" : "0");
}

void IniFile::eraseSection(std::string_view section) {
  while (const auto span = findSection(section)) {
    lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(span->header),
                 lines_.begin() + static_cast<std::ptrdiff_t>(span->end));
  }
}

std::string IniFile::text() const {
  std::string out;
  if (bom_) out += kUtf8Bom;
  for (const Line& line : lines_) {
    out += line.content;
    out += line.ending;
  }
  return out;
}

bool IniFile::save() {
  if (path_.empty()) return false;
  unsigned mode = forcedMode_.value_or(0);
  if (!forcedMode_) {
    struct stat st {};
    mode = ::stat(path_.c_str(), &st) == 0 ? (st.st_mode & 07777u) : defaultCreateMode();
  }

  std::string temp = folderOf(path_) + "/.";
  const std::size_t slash = path_.rfind('/');
  temp += (slash == std::string::npos ? path_ : path_.substr(slash + 1)) + ".XXXXXX";
  const int fd = ::mkstemp(temp.data());
  if (fd < 0) return false;

  const bool written = writeAll(fd, text()) && ::fchmod(fd, static_cast<mode_t>(mode)) == 0 && ::fsync(fd) == 0;
  const bool closed = ::close(fd) == 0;
  if (!written || !closed || ::rename(temp.c_str(), path_.c_str()) != 0) {
    ::unlink(temp.c_str());
    return false;
  }
  existed_ = true;
  return true;
}

bool IniFile::writeKey(const std::string& path, std::string_view section, std::string_view key,
                       std::string_view value) {
  IniFile ini = load(path);
  if (!ini.ok()) return false;
  ini.writeString(section, key, value);
  return ini.save();
}

}  // namespace gw

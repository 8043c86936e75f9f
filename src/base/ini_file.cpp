#include "base/ini_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <fstream>

#include "base/text.h"

namespace gw {

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

bool isCommentLine(std::string_view trimmed) {
  return !trimmed.empty() && (trimmed[0] == ';' || trimmed[0] == '#');
}

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

// CR and LF would start another line of the file.
std::string withoutLineBreaks(std::string_view text) {
  std::string clean;
  clean.reserve(text.size());
  for (char c : text) {
    if (c != '\r' && c != '\n') clean += c;
  }
  return clean;
}

bool isBlankLine(std::string_view line) {
  for (char c : line) {
    if (c != ' ' && c != '\t') return false;
  }
  return true;
}

std::string_view lineEndBytes(IniLineEnd ending) {
  switch (ending) {
    case IniLineEnd::Lf:
      return "\n";
    case IniLineEnd::CrLf:
      return "\r\n";
    case IniLineEnd::Cr:
      return "\r";
    case IniLineEnd::None:
      break;
  }
  return "";
}

// A line that gets another after it needs a whole line ending: a lone CR at the end of the file gets its LF.
void endLine(IniLineEnd& ending, IniLineEnd style) {
  if (ending == IniLineEnd::None) ending = style;
  if (ending == IniLineEnd::Cr) ending = IniLineEnd::CrLf;
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

IniLine iniNextLine(std::string_view& bytes) {
  const std::size_t lf = bytes.find('\n');
  std::string_view content = bytes.substr(0, lf);
  bytes.remove_prefix(lf == std::string_view::npos ? bytes.size() : lf + 1);
  const bool cr = !content.empty() && content.back() == '\r';
  if (cr) content.remove_suffix(1);
  if (lf == std::string_view::npos) return {content, cr ? IniLineEnd::Cr : IniLineEnd::None};
  return {content, cr ? IniLineEnd::CrLf : IniLineEnd::Lf};
}

IniFile::IniFile(std::string path) : path_(std::move(path)) {}

IniFile IniFile::load(const std::string& path) {
  IniFile ini(path);
  std::ifstream in(path, std::ios::binary | std::ios::ate);
  if (!in) {
    struct stat st {};
    ini.ok_ = ::stat(path.c_str(), &st) != 0 && errno == ENOENT;
    return ini;
  }
  ini.existed_ = true;
  const std::streamoff size = in.tellg();
  if (size < 0 || static_cast<std::uintmax_t>(size) > kMaxIniFileBytes) {
    ini.ok_ = false;
    ini.tooLarge_ = size >= 0;
    return ini;
  }
  std::string bytes(static_cast<std::size_t>(size), '\0');
  in.seekg(0);
  in.read(bytes.data(), size);
  if (in.gcount() != size) {
    ini.ok_ = false;
    return ini;
  }
  ini.parse(bytes);
  return ini;
}

IniFile IniFile::fromText(std::string_view bytes) {
  IniFile ini;
  ini.parse(bytes);
  return ini;
}

void IniFile::parse(std::string_view bytes) {
  if (startsWith(bytes, kUtf8Bom)) {
    bom_ = true;
    bytes.remove_prefix(kUtf8Bom.size());
  }
  bool styleKnown = false;
  while (!bytes.empty()) {
    const IniLine line = iniNextLine(bytes);
    lines_.push_back({std::string(line.content), line.ending});
    if (!styleKnown && line.ending != IniLineEnd::None && line.ending != IniLineEnd::Cr) {
      crlf_ = line.ending == IniLineEnd::CrLf;
      styleKnown = true;
    }
  }
}

const IniFile::Index& IniFile::index() const {
  if (index_) return *index_;
  Index& built = index_.emplace();
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    const std::string& content = lines_[i].content;
    if (const auto name = iniSectionName(content)) {
      if (!built.sections.empty()) built.sections.back().end = i;
      built.byName.try_emplace(toLowerAscii(*name), built.sections.size());
      built.sections.push_back(Section{i, lines_.size(), i, {}});
      continue;
    }
    if (built.sections.empty() || isBlankLine(content)) continue;
    Section& section = built.sections.back();
    section.lastFilled = i;
    if (const auto kv = iniKeyValue(content))
      section.keys.try_emplace(toLowerAscii(kv->first), i - section.header);
  }
  return built;
}

const IniFile::Section* IniFile::findSection(std::string_view section) const {
  const Index& idx = index();
  const auto found = idx.byName.find(toLowerAscii(section));
  return found == idx.byName.end() ? nullptr : &idx.sections[found->second];
}

std::optional<std::size_t> IniFile::findKey(const Section& section, std::string_view key) const {
  const auto found = section.keys.find(toLowerAscii(key));
  if (found == section.keys.end()) return std::nullopt;
  return section.header + found->second;
}

bool IniFile::hasSection(std::string_view section) const {
  return findSection(section) != nullptr;
}

bool IniFile::hasKey(std::string_view section, std::string_view key) const {
  return value(section, key).has_value();
}

std::optional<std::string> IniFile::value(std::string_view section, std::string_view key) const {
  const Section* found = findSection(section);
  if (!found) return std::nullopt;
  const auto line = findKey(*found, key);
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
  for (const Section& section : index().sections)
    names.push_back(*iniSectionName(lines_[section.header].content));
  return names;
}

std::vector<std::string> IniFile::keys(std::string_view section) const {
  std::vector<std::string> names;
  const Section* found = findSection(section);
  if (!found) return names;
  for (std::size_t i = found->header + 1; i < found->end; ++i) {
    if (auto kv = iniKeyValue(lines_[i].content)) names.push_back(kv->first);
  }
  return names;
}

void IniFile::writeString(std::string_view rawSection, std::string_view rawKey, std::string_view value) {
  // Names as a read sees them: without line breaks and the blanks around them.
  const std::string section = trim(withoutLineBreaks(rawSection));
  const std::string key = trim(withoutLineBreaks(rawKey));
  std::string line = key + "=" + withoutLineBreaks(value);
  // A key that does not read back as itself is not written: one starting with "[" would read as a section
  // header and move every key after it into another section, one holding "=" would overwrite another key.
  const auto written = iniKeyValue(line);
  if (!written || written->first != key) return;
  // Nor is a section whose header would read back as another one ("Lab]2" reads as "Lab").
  if (iniSectionName("[" + section + "]") != section) return;

  if (const Section* found = findSection(section)) {
    if (const auto at = findKey(*found, key)) {
      lines_[*at].content = std::move(line);
      return;
    }
    insertKeyLine(section, key, std::move(line));
  } else {
    appendSection(section, std::move(line));
  }
}

// A new key goes after the section's last non-blank line, before any blank lines that part it from the next.
void IniFile::insertKeyLine(std::string_view section, std::string_view key, std::string line) {
  Index& idx = *index_;
  const std::size_t which = idx.byName.at(toLowerAscii(section));
  const std::size_t at = idx.sections[which].lastFilled + 1;
  endLine(lines_[at - 1].ending, newline());
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), Line{std::move(line), newline()});

  Section& target = idx.sections[which];
  target.keys.try_emplace(toLowerAscii(key), at - target.header);
  target.lastFilled = at;
  ++target.end;
  for (std::size_t later = which + 1; later < idx.sections.size(); ++later) {
    ++idx.sections[later].header;
    ++idx.sections[later].end;
    ++idx.sections[later].lastFilled;
  }
}

void IniFile::appendSection(std::string_view section, std::string line) {
  if (!lines_.empty()) {
    endLine(lines_.back().ending, newline());
    if (!isBlankLine(lines_.back().content)) lines_.push_back({"", newline()});
  }
  lines_.push_back({"[" + std::string(section) + "]", newline()});
  lines_.push_back({std::move(line), newline()});
  index_.reset();
}

void IniFile::writeInt(std::string_view section, std::string_view key, int value) {
  writeString(section, key, std::to_string(value));
}

void IniFile::writeBool(std::string_view section, std::string_view key, bool value) {
  writeString(section, key, value ? "1" : "0");
}

void IniFile::eraseSection(std::string_view section) {
  while (const Section* found = findSection(section)) {
    lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(found->header),
                 lines_.begin() + static_cast<std::ptrdiff_t>(found->end));
    index_.reset();
  }
}

std::string IniFile::text() const {
  std::string out;
  if (bom_) out += kUtf8Bom;
  for (const Line& line : lines_) {
    out += line.content;
    out += lineEndBytes(line.ending);
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

  const bool written =
      writeAll(fd, text()) && ::fchmod(fd, static_cast<mode_t>(mode)) == 0 && ::fsync(fd) == 0;
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

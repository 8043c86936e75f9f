#pragma once
// INI profile files: settings.ini, languages.ini, gtws.ini, defaults.ini and the gateway parameter files.
//
// Section and key names match without regard to case; a missing key reads as its default. Writing a key
// replaces its value in place, or adds the key (and its section) when absent, and leaves every other line of
// the file exactly as it was. Values are plain text, never quoted or escaped. A file is changed in memory and
// written once with save(), through a temporary file renamed over the old one, so a failed write never loses
// the previous file.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace gw {

class IniFile {
 public:
  // An empty profile that will be saved to `path`.
  explicit IniFile(std::string path = {});

  // Reads `path`. A missing file gives an empty profile (ok() stays true); a file that exists but cannot be
  // read gives an empty profile with ok() false.
  static IniFile load(const std::string& path);

  const std::string& path() const { return path_; }
  bool ok() const { return ok_; }
  bool existed() const { return existed_; }

  bool hasSection(std::string_view section) const;
  bool hasKey(std::string_view section, std::string_view key) const;
  std::optional<std::string> value(std::string_view section, std::string_view key) const;
  std::string readString(std::string_view section, std::string_view key, std::string_view def) const;
  // A missing key, or a value that is not a decimal integer, reads as `def`.
  int readInt(std::string_view section, std::string_view key, int def) const;
  std::vector<std::string> sections() const;
  std::vector<std::string> keys(std::string_view section) const;

  // CR and LF are dropped from the value so that the file stays one key per line.
  void writeString(std::string_view section, std::string_view key, std::string_view value);
  void writeInt(std::string_view section, std::string_view key, int value);
  void writeBool(std::string_view section, std::string_view key, bool value);
  void eraseSection(std::string_view section);

  // Gives the file this mode on every save (gtws.ini holds passwords: 0600). Without it a rewritten file
  // keeps its mode and a new file gets 0666 less the umask.
  void setFileMode(unsigned mode) { forcedMode_ = mode; }

  // Writes the whole file atomically. False when it could not be written; the previous file is then intact.
  bool save();

  // The file's bytes as save() would write them.
  std::string text() const;

  // One-shot convenience for a single key: load, write, save.
  static bool writeKey(const std::string& path, std::string_view section, std::string_view key,
                       std::string_view value);

 private:
  struct Line {
    std::string content;  // without its line ending
    std::string ending;   // "\n", "\r\n" or "" for a last line without one
  };
  struct Span {
    std::size_t header;  // index of the section's header line
    std::size_t end;     // one past the section's last line
  };

  void parse(std::string_view bytes);
  std::optional<Span> findSection(std::string_view section) const;
  std::optional<std::size_t> findKey(const Span& span, std::string_view key) const;
  std::string newline() const { return crlf_ ? "\r\n" : "\n"; }

  std::string path_;
  std::vector<Line> lines_;
  bool bom_ = false;
  bool crlf_ = false;
  bool ok_ = true;
  bool existed_ = false;
  std::optional<unsigned> forcedMode_;
};

// The parts of an INI line, exposed for tests and for readers that scan a file themselves.
std::optional<std::string> iniSectionName(std::string_view line);
// Key and value of a "key=value" line (both trimmed); nullopt for headers, comments and other lines.
std::optional<std::pair<std::string, std::string>> iniKeyValue(std::string_view line);

}  // namespace gw

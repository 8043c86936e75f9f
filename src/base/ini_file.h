#pragma once
// INI profile files: settings.ini, languages.ini, gtws.ini, defaults.ini and the gateway parameter files.
//
// Section and key names match without regard to case; a missing key reads as its default. Writing a key
// replaces its value in place, or adds the key (and its section) when absent, and leaves every other line of
// the file exactly as it was. Values are plain text, never quoted or escaped. A file is changed in memory and
// written once with save(), through a temporary file renamed over the old one, so a failed write never loses
// the previous file.
//
// A line ends at LF; one CR before it, or at the very end of the file, belongs to the line ending, never to
// the line (iniNextLine is that one rule for every reader of INI text). Sections and keys are indexed once
// per load, so a lookup costs the same whatever the file's size.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace gw {

// A larger file is not read at all (ok() false, tooLarge() true): none of the program's INI files comes near
// it, and reading only a part of it would lose the rest on the next save.
inline constexpr std::size_t kMaxIniFileBytes = 1024u * 1024u;
inline constexpr const char* kIniFileTooLargeText =
    "The file is larger than 1 MiB and is not read as an INI file.";

enum class IniLineEnd : std::uint8_t { None, Lf, CrLf, Cr };

struct IniLine {
  std::string_view content;  // without its line ending
  IniLineEnd ending = IniLineEnd::None;
};

// Takes the next line off the front of `bytes`; `bytes` must not be empty.
IniLine iniNextLine(std::string_view& bytes);

class IniFile {
 public:
  // An empty profile that will be saved to `path`.
  explicit IniFile(std::string path = {});

  // Reads `path`. A missing file gives an empty profile (ok() stays true); a file that exists but cannot be
  // read, or is larger than kMaxIniFileBytes, gives an empty profile with ok() false.
  static IniFile load(const std::string& path);
  // A profile of these bytes, as load() would read them from a file (no size cap).
  static IniFile fromText(std::string_view bytes);

  const std::string& path() const { return path_; }
  bool ok() const { return ok_; }
  bool existed() const { return existed_; }
  bool tooLarge() const { return tooLarge_; }

  bool hasSection(std::string_view section) const;
  bool hasKey(std::string_view section, std::string_view key) const;
  std::optional<std::string> value(std::string_view section, std::string_view key) const;
  std::string readString(std::string_view section, std::string_view key, std::string_view def) const;
  // A missing key, or a value that is not a decimal integer, reads as `def`.
  int readInt(std::string_view section, std::string_view key, int def) const;
  std::vector<std::string> sections() const;
  std::vector<std::string> keys(std::string_view section) const;

  // CR and LF are dropped from the section, the key and the value so that the file stays one key per line,
  // and the names are trimmed as a read trims them. A key that would not read back as itself (empty,
  // starting with "[" or a comment mark, or holding "=") is not written, nor a section holding "]".
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
    IniLineEnd ending = IniLineEnd::Lf;
  };
  struct Section {
    std::size_t header;      // index of the section's header line
    std::size_t end;         // one past the section's last line
    std::size_t lastFilled;  // the last line that is not blank (the header when all are)
    std::unordered_map<std::string, std::size_t> keys;  // lower-cased key -> line offset from the header
  };
  struct Index {
    std::vector<Section> sections;                        // every header, in file order
    std::unordered_map<std::string, std::size_t> byName;  // lower-cased name -> its first section
  };

  void parse(std::string_view bytes);
  const Index& index() const;
  const Section* findSection(std::string_view section) const;
  std::optional<std::size_t> findKey(const Section& section, std::string_view key) const;
  void insertKeyLine(std::string_view section, std::string_view key, std::string line);
  void appendSection(std::string_view section, std::string line);
  IniLineEnd newline() const { return crlf_ ? IniLineEnd::CrLf : IniLineEnd::Lf; }

  std::string path_;
  std::vector<Line> lines_;
  mutable std::optional<Index> index_;  // built on first use, kept up to date by writes or dropped
  bool bom_ = false;
  bool crlf_ = false;
  bool ok_ = true;
  bool existed_ = false;
  bool tooLarge_ = false;
  std::optional<unsigned> forcedMode_;
};

// The parts of an INI line, exposed for tests and for readers that scan a file themselves.
std::optional<std::string> iniSectionName(std::string_view line);
// Key and value of a "key=value" line (both trimmed); nullopt for headers, comments and other lines.
std::optional<std::pair<std::string, std::string>> iniKeyValue(std::string_view line);

}  // namespace gw

#include "shell/captions_file.h"

#include <algorithm>
#include <fstream>
#include <optional>
#include <unordered_map>
#include <vector>

#include "base/files.h"
#include "base/ini_file.h"
#include "base/program_folder.h"
#include "base/text.h"
#include "shell/text_encoding.h"

namespace gw {

namespace {

constexpr std::string_view kMainSection = "main";
constexpr std::string_view kCountKey = "labels_count";
constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

// At most `limit` bytes from the start of the file; empty when it cannot be read.
std::string readPrefix(const std::string& path, std::size_t limit) {
  std::ifstream in(path, std::ios::binary | std::ios::ate);
  if (!in) return {};
  const std::streamoff size = in.tellg();
  if (size <= 0) return {};
  std::string bytes(std::min(static_cast<std::size_t>(size), limit), '\0');
  in.seekg(0);
  in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  bytes.resize(static_cast<std::size_t>(in.gcount()));
  return bytes;
}

// The keys of one language section (lower-cased, first occurrence wins, as the profile functions find the
// first) and labels_count of section "main", gathered in one pass over the file.
struct LanguageSection {
  std::unordered_map<std::string, std::string> values;
  std::optional<std::string> labelsCount;
};

LanguageSection scanFile(std::string_view bytes, const std::string& languageSection) {
  if (bytes.substr(0, kUtf8Bom.size()) == kUtf8Bom) bytes.remove_prefix(kUtf8Bom.size());
  LanguageSection result;
  enum class In { Other, Main, Language } in = In::Other;
  bool seenMain = false;
  bool seenLanguage = false;
  while (!bytes.empty()) {
    const std::string_view line = iniNextLine(bytes).content;

    if (const auto section = iniSectionName(line)) {
      // Only the first section of a name counts, as with the key lookups of the profile functions.
      in = In::Other;
      if (equalsNoCase(*section, kMainSection) && !seenMain) {
        in = In::Main;
        seenMain = true;
      } else if (equalsNoCase(*section, languageSection) && !seenLanguage) {
        in = In::Language;
        seenLanguage = true;
      }
      continue;
    }
    if (in == In::Other) continue;
    const auto keyValue = iniKeyValue(line);
    if (!keyValue) continue;
    if (in == In::Main) {
      if (equalsNoCase(keyValue->first, kCountKey) && !result.labelsCount) {
        result.labelsCount = keyValue->second;
      }
    } else {
      result.values.try_emplace(toLowerAscii(keyValue->first), keyValue->second);
    }
  }
  return result;
}

int labelsCountOf(const std::optional<std::string>& text) {
  const std::optional<int> count = text ? toInt(*text) : std::nullopt;
  if (!count || *count < kMinLabelsCount) return kMinLabelsCount;
  return std::min(*count, kMaxLabelsCount);
}

}  // namespace

bool languagesFileExists(const std::string& programFolder) {
  return fileExists(joinPath(programFolder, kLanguagesFile));
}

std::string decodeCaptionValue(std::string_view bytes, int language) {
  if (isValidUtf8(bytes)) return std::string(bytes);
  return language == kLanguageCzech ? windows1250ToUtf8(bytes) : windows1252ToUtf8(bytes);
}

CaptionList loadLabels(const std::string& languagesPath, int language) {
  return labelsFromText(readPrefix(languagesPath, kMaxLanguagesFileBytes), language);
}

CaptionList labelsFromText(std::string_view bytes, int language) {
  const LanguageSection section = scanFile(bytes, std::to_string(language));
  const int count = labelsCountOf(section.labelsCount);
  std::vector<std::string> captions(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) {
    const auto found = section.values.find("s" + std::to_string(i));
    if (found != section.values.end())
      captions[static_cast<std::size_t>(i)] = decodeCaptionValue(found->second, language);
  }
  return CaptionList(std::move(captions));
}

}  // namespace gw

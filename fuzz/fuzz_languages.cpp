// languages.ini: the caption list of each language over any file. Input: the file's bytes.
//
// Checks: the list has between the least and the most captions; every caption is valid UTF-8 (whatever code
// page an old file was written in) and holds no line break; reading is deterministic.

#include <string>

#include "fuzz_support.h"
#include "shell/captions_file.h"
#include "shell/text_encoding.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  for (const int language : {gw::kLanguageCzech, gw::kLanguageEnglish, gw::kLanguageSpanish}) {
    const gw::CaptionList captions = gw::labelsFromText(bytes, language);
    FUZZ_CHECK(captions.size() >= static_cast<std::size_t>(gw::kMinLabelsCount));
    FUZZ_CHECK(captions.size() <= static_cast<std::size_t>(gw::kMaxLabelsCount));
    const gw::CaptionList again = gw::labelsFromText(bytes, language);
    FUZZ_CHECK(again.size() == captions.size());
    for (int i = 0; i < static_cast<int>(captions.size()); ++i) {
      const std::string& caption = captions.at(i);
      FUZZ_CHECK(gw::isValidUtf8(caption));
      FUZZ_CHECK(caption.find('\n') == std::string::npos);
      FUZZ_CHECK(caption == again.at(i));
    }
  }
  const std::string decoded = gw::decodeCaptionValue(bytes, gw::kLanguageCzech);
  FUZZ_CHECK(gw::isValidUtf8(decoded));
  return 0;
}

// Register dumps: dumpValue, dumpWord, dumpFields and firstWord over any bytes a gateway may send.
// Input: a key up to the first NUL, a separator byte, a length byte, then the dump.

#include <string>

#include "fuzz_support.h"
#include "pages/dump.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  gw::fuzz::Input in(data, size);
  const std::string_view key = in.until('\0');
  const char separator = static_cast<char>(in.byte());
  const std::size_t maxLength = in.byte();
  const std::string dump(in.rest());  // its own allocation, so ASan sees a read past its end

  const std::string value = gw::dumpValue(key, dump, maxLength);
  FUZZ_CHECK(value.size() <= maxLength);
  FUZZ_CHECK(value.find('\r') == std::string::npos);
  FUZZ_CHECK(value == gw::dumpValue(key, dump, maxLength));
  FUZZ_CHECK(key.empty() || dump.find(key) != std::string::npos || value.empty());

  const std::string longValue = gw::dumpValue(key, dump);
  const std::string word = gw::dumpWord(key, dump);
  FUZZ_CHECK(word.find(' ') == std::string::npos);
  FUZZ_CHECK(longValue.compare(0, word.size(), word) == 0);

  const std::vector<std::string> fields = gw::dumpFields(key, dump, separator, maxLength);
  for (const std::string& field : fields) {
    FUZZ_CHECK(field.size() <= maxLength);
    FUZZ_CHECK(field.find('\r') == std::string::npos);
    FUZZ_CHECK(separator == '\r' || field.find(separator) == std::string::npos);
  }
  FUZZ_CHECK(fields == gw::dumpFields(key, dump, separator, maxLength));

  const std::string first = gw::firstWord(dump);
  FUZZ_CHECK(first.size() <= dump.size() && dump.compare(0, first.size(), first) == 0);
  return 0;
}

// Intel-HEX image files: the whole-file check, each line on its own, and the image the records make.
// Input: the file's bytes.

#include <string>

#include "firmware/intel_hex.h"
#include "fuzz_support.h"

namespace {
// Small enough that a fuzzed base address cannot ask for gigabytes; large enough to cross 64 KiB.
constexpr std::size_t kImageLimit = 256 * 1024;
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const gw::HexFile file = gw::readIntelHex(text);
  const gw::HexFile again = gw::readIntelHex(text);
  FUZZ_CHECK(file.ok() == again.ok() && file.records.size() == again.records.size());
  FUZZ_CHECK(file.ok() || file.notIntelHex || file.faultLine > 0);
  for (const gw::HexRecord& record : file.records) {
    FUZZ_CHECK(record.line >= 1 && record.data.size() <= 255);
  }
  if (file.ok()) {
    FUZZ_CHECK(!file.records.empty() && file.records.back().type == 0x01);
    const gw::HexImage image = gw::hexImage(file.records, kImageLimit);
    FUZZ_CHECK(image.tooLarge || image.bytes.size() <= kImageLimit);
  }
  return 0;
}

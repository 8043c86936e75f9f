// The identification replies ("ATI3", "ATI4"): lines, serial number, versions, the old-firmware check and the
// edition. Input: the reply's bytes.

#include <string>

#include "fuzz_support.h"
#include "shell/edition.h"
#include "shell/identification.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string reply(reinterpret_cast<const char*>(data), size);

  const std::vector<std::string> lines = gw::identificationLines(reply);
  std::size_t total = 0;
  for (const std::string& line : lines) {
    FUZZ_CHECK(reply.find(line) != std::string::npos);
    total += line.size() + 2;
  }
  FUZZ_CHECK(total <= reply.size());
  FUZZ_CHECK(gw::joinIdentificationLines(reply).size() == total);

  const std::string serial = gw::serialNumberOf(reply);
  FUZZ_CHECK(serial.size() <= 99 && reply.find(serial) != std::string::npos);

  for (const std::string_view marker : {"B-", "V-"}) {
    const std::string version = gw::versionAfter(reply, marker);
    FUZZ_CHECK(reply.find(version) != std::string::npos);
    FUZZ_CHECK(gw::firmwareNeedsWarning(version, reply) == gw::firmwareNeedsWarning(version, reply));
  }
  FUZZ_CHECK(gw::firmwareNeedsWarning(reply, "") == gw::firmwareNeedsWarning(reply, ""));
  FUZZ_CHECK(gw::kestrinFromAti3(reply) == gw::kestrinFromAti3(reply));
  return 0;
}

// UCMD datagrams of the LAN upgrade as the firmware port sends them: decoded, named, and encoded again.
// Input: one datagram's bytes.

#include <vector>

#include "firmware/ucmd.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::optional<gw::ucmd::Packet> packet = gw::ucmd::decode(data, size);
  if (!packet) return 0;
  FUZZ_CHECK(size == 16 || size == 32 || size == 1040);
  (void)gw::ucmd::codeName(packet->code);
  if (gw::ucmd::isErrorReply(packet->code)) (void)gw::ucmd::errorReplyText(*packet);
  // A packet read from the line and written again decodes to the same fields.
  const std::vector<std::uint8_t> bytes = gw::ucmd::encode(*packet);
  const std::optional<gw::ucmd::Packet> again = gw::ucmd::decode(bytes.data(), bytes.size());
  FUZZ_CHECK(again && again->code == packet->code && again->sequence == packet->sequence &&
             again->address == packet->address && again->param1 == packet->param1 &&
             again->param2 == packet->param2 && again->data == packet->data);
  return 0;
}

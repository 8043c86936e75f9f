#pragma once
// The gateway's side of XMODEM on a scripted serial device, for the transfers' tests: it sends a file
// ("C" and NAK bring the current block, ACK the next one) or takes one (acknowledging every intact block and
// the end), and a fault strikes block 2. Byte-level: it builds and reads frames itself.

#include <string>
#include <vector>

#include "support/scripted_serial.h"

namespace gw::test {

enum class XmodemFault {
  None,
  PauseInside,    // sending: block 2 stops after 70 bytes for a second, once
  Corrupt,        // block 2 damaged (sending) or refused (taking), once
  LostAck,        // sending: the ACK of block 2 never arrives, once; taking: block 2 is never answered
  Repeats,        // sending: block 1 again, 300 ms after each ACK, for ever
  AlwaysCorrupt,  // sending: block 2 damaged every time
  Cancel,         // CAN in place of block 2 or of its acknowledgement
  RefuseEnd,      // taking: the end frame is refused once (a receiver that wants EOT alone, then silence)
};

class ScriptedXmodemPeer {
 public:
  explicit ScriptedXmodemPeer(ScriptedSerialDevice& device) : device_(device) {}

  void sendFile(const std::string& data, XmodemFault fault);
  // `asks`: sends its "C" now (otherwise the script sends it).
  void takeFile(XmodemFault fault, bool asks = true);

  std::string received;  // what the peer took: whole blocks, padding included

 private:
  void deliver(XmodemFault fault);

  ScriptedSerialDevice& device_;
  std::vector<std::string> frames_;
  std::size_t next_ = 0;
  bool struck_ = false;
  std::string inbound_;
};

}  // namespace gw::test

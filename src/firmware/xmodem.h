#pragma once
// XMODEM-CRC over an open serial port: voice messages travel this way between the PC and the gateway, in
// 128-byte blocks with a CRC-16 each. The receiver asks with "C", acknowledges every intact block and
// refuses a damaged one (NAK), until EOT; the sender waits for the "C", sends block after block as each is
// acknowledged, then the end frame and DC1. Bytes are read with the port's read time-out; every limit is
// measured on the injected clock.

#include <cstdint>
#include <functional>
#include <iosfwd>

#include "base/clock.h"
#include "link/serial_port.h"

namespace gw {

struct XmodemLine {
  SerialPort& port;
  Clock& clock;
  // The user asked to stop: the transfer ends at its next step and tells the peer with CAN CAN.
  std::function<bool()> stopRequested;
  // Each block taken (receiving) or acknowledged (sending): how many blocks so far, and their data bytes.
  std::function<void(int blocks, std::int64_t bytes)> progress;
};

enum class XmodemEnd {
  Done,
  NoStart,        // receiving: no intact first block in three attempts
  TimedOut,       // receiving: no good block for 9 s (CAN sent); sending: no acknowledgement for 10 s
  TooManyErrors,  // receiving: more than 9 bad frames in a row (CAN sent); sending: a frame refused too often
  BadEnd,         // receiving: the end came straight after a damaged frame
  Incomplete,     // receiving: the sender ended before the expected length had arrived
  Cancelled,      // the peer sent CAN
  Stopped,        // the user stopped the transfer (CAN CAN sent)
  FileError,      // the file could not be read or written (CAN CAN sent)
  LineLost,       // the port no longer takes bytes
};

// Receives into `target`, cutting the data to `expectedLength` bytes (the sender pads its last block).
XmodemEnd receiveXmodem(XmodemLine& line, std::ostream& target, std::int64_t expectedLength);
// Sends all of `source`.
XmodemEnd sendXmodem(XmodemLine& line, std::istream& source);

// How a transfer ended, in a few English words ("no answer within 10 s").
const char* xmodemEndText(XmodemEnd end);

}  // namespace gw

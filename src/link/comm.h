#pragma once
// TComm: the one link of the program — which transport, the serial port and its rate, the LOG options.
// The LAN client, the receive buffer and the LOG file live beside it in Link.

#include <memory>
#include <string>
#include <vector>

#include "link/serial_port.h"

namespace gw {

inline constexpr int kSerialLink = 1;
inline constexpr int kLanLink = 2;

struct TComm {
  std::string portName;                    // "ttyUSB0" or a device path; serial link only
  int linkType = 0;                        // kSerialLink, kLanLink; any other value: no link type
  std::vector<std::string> portList;       // candidate serial ports, the first one tried first
  std::unique_ptr<SerialPort> portHandle;  // the open serial port, or none
  int baudRate = 0;                        // bit rate found when the serial link was opened
  bool connected = false;                  // set after a successful connect and identification
  bool appendLog = false;                  // one LOG per gateway, appended to (else one per connection)
  bool saveLog = false;                    // write the communication LOG
};

}  // namespace gw

#pragma once
// Finding the gateway on the serial ports: which port, at which bit rate, and whether its boot loader
// rather than its firmware answers.

#include <string>

#include "base/captions.h"
#include "base/host.h"
#include "link/link.h"

namespace gw {

enum class BootProbe {
  Echo = 0,        // the port echoed the probe ("ffff:020000050000F915"): a firmware console
  BootLoader = 1,  // "[ BOOT ]": the boot loader waits for firmware
  Other = 2,       // anything else, silence included
};

// Sends the boot loader's wake-up records on the open port of `link` and tells who answered.
BootProbe bootProbe(Link& link);

struct SerialSearchResult {
  bool notFound = false;    // the fixed port did not answer (or could not be opened)
  bool bootLoader = false;  // the boot loader answered; the port is open at that rate
  bool cancelled = false;   // the user stopped the search; no port is open
};

// Tries the ports of link.comm.portList in order (only the first when link.comm.portName is set: a fixed
// port), climbing the bit rates from 57600 and keeping the fastest rate at which the gateway still answers.
// On success the port is open in link.comm.portHandle at link.comm.baudRate, link.comm.portName names it and
// it has moved to the front of the port list. Each failed port appends "<port> : <reason>\n" to
// `connectionErrors`. The "Connecting..." window shows meanwhile and the main window is disabled; both are
// restored before it returns.
SerialSearchResult findSerialGateway(Link& link, Host& host, const CaptionList& captions,
                                     std::string& connectionErrors);

}  // namespace gw

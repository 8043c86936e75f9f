#pragma once
// How the serial terminal shows what it reads: line feeds are dropped and every CR ends a display line,
// except that a CR closing a status line ("OK", "BUSY", "ERROR") is held back, so the output after a reply
// starts on a line of its own.

#include <string>
#include <string_view>

#include "link/text_display.h"

namespace gw {

// What the serial terminal remembers from one block to the next.
struct SerialTerminalState {
  std::string lastStatusLine;  // the characters since the last CR
  bool afterStatus = false;    // the last character was a CR closing a status line
};

// Shows one block read from the port. False when it was dropped: empty, or the gateway's echo of an erased
// character (BS, space, BS at its start).
bool showSerialTerminalBlock(std::string_view block, SerialTerminalState& state, TextDisplay& display);

}  // namespace gw

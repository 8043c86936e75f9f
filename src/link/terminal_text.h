#pragma once
// How the serial terminal shows what it reads: line feeds are dropped and every CR ends a display line. The
// CR that closes a status line ("OK", "BUSY", "ERROR") gives its line break only once the status line is
// over — before the next character, or at the end of the read — so the output after a reply starts on a
// line of its own however the reply was cut into reads.

#include <string>
#include <string_view>

#include "link/text_display.h"

namespace gw {

// What the serial terminal remembers from one block to the next.
struct SerialTerminalState {
  std::string lastStatusLine;  // the characters since the last CR
  // A line break is owed: the last character was a CR that closed a status line, or the terminal was left
  // (the next output starts on a new line).
  bool afterStatus = false;
};

// Shows one block read from the port, without the gateway's erase echoes at its start (afterEraseEchoes).
// False when nothing was left to show.
bool showSerialTerminalBlock(std::string_view block, SerialTerminalState& state, TextDisplay& display);

}  // namespace gw

#pragma once
// The LAN display: received text shown in the terminal or the tracing view while either owns the LAN data.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "link/text_display.h"

namespace gw {

// Which view owns the LAN data: the terminal when it is active, else LAN tracing.
enum class LanDisplayTarget { Terminal, Tracing };

// A line-oriented view as the terminal and tracing pages keep it.
struct LineDisplay {
  std::vector<std::string> lines;
  // One Up-arrow key is sent to the view per line feed shown (it keeps the caret on the new text).
  int upArrowKeys = 0;
};

// A received block without the gateway's echoes of erased characters (BS, space, BS each) at its start. The
// display erased the character when the key was typed, so the echo is not shown; what the gateway sent after
// it in the same block (the echo of the next keys, a reply) is.
std::string_view afterEraseEchoes(std::string_view text);

// Shows one received text. Leading erase echoes are dropped (not shown, not written to the trace file); when
// nothing is left, false is returned. Otherwise the rest goes unchanged to `traceFile` when given, and is
// appended to the last line, a new line starting at each line feed; the line feed right after a line feed is
// skipped, so LF LF makes one new line. CRs stay in the lines.
bool routeLanDisplay(std::string_view text, LineDisplay& display,
                     const std::function<void(std::string_view)>& traceFile = {});
// The same into the terminal display or the trace view.
bool routeLanDisplay(std::string_view text, TextDisplay& display,
                     const std::function<void(std::string_view)>& traceFile = {});

}  // namespace gw

#include "link/terminal_text.h"

#include "base/text.h"
#include "link/lan_display.h"

namespace gw {

namespace {

constexpr std::string_view kLineBreak = "\r\n";

bool isStatusLine(std::string_view line) {
  return line == "OK" || line == "BUSY" || line == "ERROR";
}

}  // namespace

bool showSerialTerminalBlock(std::string_view block, SerialTerminalState& state, TextDisplay& display) {
  if (block.empty() || isEraseEcho(block)) return false;
  std::string text;
  for (char c : block) {
    if (c == '\n') continue;
    if (c == '\r') {
      if (isStatusLine(state.lastStatusLine)) {
        state.afterStatus = true;
      } else {
        text.append(kLineBreak);
        state.afterStatus = false;
      }
      state.lastStatusLine.clear();
      continue;
    }
    state.afterStatus = false;
    state.lastStatusLine.push_back(c);
    text.push_back(c);
  }
  if (!state.afterStatus) {
    display.append(text);
    return true;
  }
  // A new line of its own, the reply on it without its leading line break, and a line break after it.
  if (!display.lines().empty()) display.append("\n");
  if (startsWith(text, kLineBreak)) text.erase(0, kLineBreak.size());
  display.append(text + std::string(kLineBreak));
  return true;
}

}  // namespace gw

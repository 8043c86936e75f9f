#include "link/terminal_text.h"

#include "link/lan_display.h"

namespace gw {

namespace {

constexpr std::string_view kLineBreak = "\r\n";

bool isStatusLine(std::string_view line) {
  return line == "OK" || line == "BUSY" || line == "ERROR";
}

void payOwedLineBreak(SerialTerminalState& state, std::string& text) {
  if (!state.afterStatus) return;
  text.append(kLineBreak);
  state.afterStatus = false;
}

}  // namespace

bool showSerialTerminalBlock(std::string_view received, SerialTerminalState& state, TextDisplay& display) {
  const std::string_view block = afterEraseEchoes(received);
  if (block.empty()) return false;
  std::string text;
  for (char c : block) {
    if (c == '\n') continue;
    if (c == '\r') {
      if (isStatusLine(state.lastStatusLine)) {
        state.afterStatus = true;
      } else {
        payOwedLineBreak(state, text);
        text.append(kLineBreak);
      }
      state.lastStatusLine.clear();
      continue;
    }
    payOwedLineBreak(state, text);
    state.lastStatusLine.push_back(c);
    text.push_back(c);
  }
  // The read ends after a status line: the line is over.
  payOwedLineBreak(state, text);
  display.append(text);
  return true;
}

}  // namespace gw

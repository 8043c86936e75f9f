#include "link/lan_display.h"

#include "base/text.h"

namespace gw {

bool isEraseEcho(std::string_view text) {
  return startsWith(text, "\b \b");
}

bool routeLanDisplay(std::string_view text, LineDisplay& display,
                     const std::function<void(std::string_view)>& traceFile) {
  if (isEraseEcho(text)) return false;
  if (traceFile) traceFile(text);
  if (display.lines.empty()) display.lines.emplace_back();
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t lf = text.find('\n', start);
    if (lf == std::string_view::npos) {
      display.lines.back().append(text.substr(start));
      break;
    }
    display.lines.back().append(text.substr(start, lf - start));
    display.lines.emplace_back();
    ++display.upArrowKeys;
    start = lf + 1;
    if (start < text.size() && text[start] == '\n') ++start;
  }
  return true;
}

}  // namespace gw

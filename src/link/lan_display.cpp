#include "link/lan_display.h"

#include "base/text.h"

namespace gw {

namespace {

// The text as the display shows it: a line feed right after a line feed is skipped.
std::string withoutDoubledLineFeeds(std::string_view text) {
  std::string shown;
  shown.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    shown.push_back(text[i]);
    if (text[i] == '\n' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
  }
  return shown;
}

}  // namespace

std::string_view afterEraseEchoes(std::string_view text) {
  constexpr std::string_view kEraseEcho = "\b \b";
  while (startsWith(text, kEraseEcho)) text.remove_prefix(kEraseEcho.size());
  return text;
}

bool routeLanDisplay(std::string_view received, LineDisplay& display,
                     const std::function<void(std::string_view)>& traceFile) {
  const std::string_view text = afterEraseEchoes(received);
  if (text.size() < received.size() && text.empty()) return false;
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

bool routeLanDisplay(std::string_view received, TextDisplay& display,
                     const std::function<void(std::string_view)>& traceFile) {
  const std::string_view text = afterEraseEchoes(received);
  if (text.size() < received.size() && text.empty()) return false;
  if (traceFile) traceFile(text);
  display.append(withoutDoubledLineFeeds(text));
  return true;
}

}  // namespace gw

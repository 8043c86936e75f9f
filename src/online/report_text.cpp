#include "online/report_text.h"

#include "base/text.h"

namespace gw {

namespace {

constexpr std::string_view kOkLine = "OK\r\n";
constexpr std::string_view kErrorLine = "ERROR\r\n";
constexpr std::string_view kLineBreak = "\r\n";
constexpr std::size_t kLongBlankRun = 10;
constexpr std::size_t kUntouchedTail = 11;
constexpr std::string_view kShrunkRun = "  ";

std::optional<std::size_t> closingLineAt(std::string_view text, std::string_view line) {
  if (text == line) return 0;
  if (!endsWith(text, line) || !endsWith(text.substr(0, text.size() - line.size()), kLineBreak))
    return std::nullopt;
  return text.size() - line.size() - kLineBreak.size();
}

}  // namespace

std::optional<std::size_t> closingOkAt(std::string_view text) {
  return closingLineAt(text, kOkLine);
}

std::optional<std::size_t> closingErrorAt(std::string_view text) {
  return closingLineAt(text, kErrorLine);
}

std::optional<std::size_t> firstMarkAt(std::string_view text, std::span<const std::string_view> marks) {
  std::optional<std::size_t> first;
  for (std::string_view mark : marks) {
    const std::size_t at = text.find(mark);
    if (at != std::string_view::npos && (!first || at < *first)) first = at;
  }
  return first;
}

std::string shrinkBlankRuns(std::string_view text) {
  std::string out;
  std::size_t i = 0;
  while (i < text.size()) {
    if (text[i] != ' ') {
      out += text[i++];
      continue;
    }
    std::size_t end = i;
    while (end < text.size() && text[end] == ' ') ++end;
    const bool shrinks = end - i >= kLongBlankRun && i + kUntouchedTail < text.size();
    out += shrinks ? kShrunkRun : text.substr(i, end - i);
    i = end;
  }
  return out;
}

void addMemoText(std::vector<std::string>& lines, std::string_view text) {
  std::string line;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n') {
      lines.push_back(line);
      line.clear();
    } else if (text[i] != '\r') {
      line += text[i];
    }
  }
  lines.push_back(line);
}

std::string memoText(const std::vector<std::string>& lines) {
  std::string text;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) text += '\n';
    text += lines[i];
  }
  return text;
}

std::vector<std::string> memoLines(std::string_view text) {
  if (text.empty()) return {};
  return splitFields(text, '\n');
}

}  // namespace gw

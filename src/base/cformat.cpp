#include "base/cformat.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <vector>

#include "base/text.h"

namespace gw {

std::string cformat(std::size_t bufferSize, const char* format, ...) {
  if (bufferSize == 0) return {};
  std::vector<char> buffer(bufferSize, '\0');
  va_list args;
  va_start(args, format);
  const int wanted = std::vsnprintf(buffer.data(), bufferSize, format, args);
  va_end(args);
  if (wanted < 0) return {};
  const std::size_t kept =
      static_cast<std::size_t>(wanted) < bufferSize ? static_cast<std::size_t>(wanted) : bufferSize - 1;
  return std::string(buffer.data(), kept);
}

FormatArg FormatArg::ofText(std::string t) {
  const int n = toInt(t).value_or(0);
  return FormatArg{std::move(t), n, false};
}

FormatArg FormatArg::ofNumber(int n) {
  return FormatArg{std::to_string(n), n, true};
}

namespace {

constexpr std::string_view kConversionChars = "diuxXcs";
constexpr std::string_view kSpecChars = "-+ #0123456789.hl";

// The conversion at `format[start]` (just after the '%'): its flags, width and length with its conversion
// character, or nothing when they do not end in a conversion this formatter knows.
struct Conversion {
  std::string spec;  // "%-3d"
  char kind = 0;
  std::size_t end = 0;  // index after the conversion character
};

Conversion readConversion(std::string_view format, std::size_t start) {
  Conversion c;
  std::size_t i = start;
  while (i < format.size() && kSpecChars.find(format[i]) != std::string_view::npos) ++i;
  if (i >= format.size() || kConversionChars.find(format[i]) == std::string_view::npos) return c;
  std::string spec = "%";
  for (std::size_t k = start; k < i; ++k) {
    if (format[k] != 'h' && format[k] != 'l') spec += format[k];  // every argument is an int or a text
  }
  c.kind = format[i];
  c.spec = spec + format[i];
  c.end = i + 1;
  return c;
}

std::string formatOne(const Conversion& c, const FormatArg& arg) {
  char piece[256];
  int n = 0;
  if (c.kind == 's') {
    n = std::snprintf(piece, sizeof piece, c.spec.c_str(), arg.text.c_str());
    // A long text is never cut here: the command buffer cuts the whole command.
    if (n >= 0 && static_cast<std::size_t>(n) >= sizeof piece) return arg.text;
  } else if (c.kind == 'c') {
    const int ch = arg.numeric || arg.text.empty() ? arg.number : static_cast<unsigned char>(arg.text[0]);
    n = std::snprintf(piece, sizeof piece, c.spec.c_str(), ch);
  } else {
    n = std::snprintf(piece, sizeof piece, c.spec.c_str(), arg.number);
  }
  if (n < 0) return {};
  return std::string(piece, std::min<std::size_t>(static_cast<std::size_t>(n), sizeof piece - 1));
}

}  // namespace

std::string cformatList(std::size_t bufferSize, std::string_view format, const std::vector<FormatArg>& args) {
  if (bufferSize == 0) return {};
  std::string out;
  std::size_t next = 0;
  for (std::size_t i = 0; i < format.size(); ++i) {
    if (format[i] != '%') {
      out += format[i];
      continue;
    }
    if (i + 1 < format.size() && format[i + 1] == '%') {
      out += '%';
      ++i;
      continue;
    }
    const Conversion c = readConversion(format, i + 1);
    if (c.kind == 0) {
      out += format[i];
      continue;
    }
    out += formatOne(c, next < args.size() ? args[next] : FormatArg{});
    ++next;
    i = c.end - 1;
  }
  if (out.size() > bufferSize - 1) out.resize(bufferSize - 1);
  return out;
}

std::size_t formatArgCount(std::string_view format) {
  std::size_t count = 0;
  for (std::size_t i = 0; i < format.size(); ++i) {
    if (format[i] != '%') continue;
    if (i + 1 < format.size() && format[i + 1] == '%') {
      ++i;
      continue;
    }
    const Conversion c = readConversion(format, i + 1);
    if (c.kind == 0) continue;
    ++count;
    i = c.end - 1;
  }
  return count;
}

}  // namespace gw

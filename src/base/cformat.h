#pragma once
// printf-style formatting of gateway commands into fixed-size buffers. The gateway's command formats were
// made for C buffers of a stated size (64 bytes unless a page says otherwise): a command that does not fit is
// cut exactly where such a buffer would cut it, never written past it.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace gw {

// The buffer size of most command formats.
inline constexpr std::size_t kCommandBufferSize = 64;

// Formats into a buffer of `bufferSize` bytes, its terminating NUL included: the result keeps at most
// bufferSize - 1 bytes. A bufferSize of 0 gives the empty text.
std::string cformat(std::size_t bufferSize, const char* format, ...) __attribute__((format(printf, 2, 3)));

// One argument of a command whose fields come from a table: the text a "%s" takes and the number a "%d"
// (or "%c") takes. A text field gives its number by converting (0 when it does not convert).
struct FormatArg {
  std::string text;
  int number = 0;
  bool numeric = false;  // made from a number: "%c" takes the number as a character code

  static FormatArg ofText(std::string t);
  static FormatArg ofNumber(int n);
};

// As cformat, with the arguments in a list: "%s" takes the next argument's text, "%d", "%i", "%u", "%x" its
// number, "%c" a number argument as a character code and a text argument's first character; flags and widths are
// honoured, "%%" is one percent sign. A conversion without an argument left takes the empty text or 0.
std::string cformatList(std::size_t bufferSize, std::string_view format, const std::vector<FormatArg>& args);

// How many arguments a format takes.
std::size_t formatArgCount(std::string_view format);

}  // namespace gw

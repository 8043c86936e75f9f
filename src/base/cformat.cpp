#include "base/cformat.h"

#include <cstdarg>
#include <cstdio>
#include <vector>

namespace gw {

std::string cformat(std::size_t bufferSize, const char* format, ...) {
  if (bufferSize == 0) return {};
  std::vector<char> buffer(bufferSize, '\0');
  va_list args;
  va_start(args, format);
  const int wanted = std::vsnprintf(buffer.data(), bufferSize, format, args);
  va_end(args);
  if (wanted < 0) return {};
  const std::size_t kept = static_cast<std::size_t>(wanted) < bufferSize ? static_cast<std::size_t>(wanted)
                                                                          : bufferSize - 1;
  return std::string(buffer.data(), kept);
}

}  // namespace gw

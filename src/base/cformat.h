#pragma once
// printf-style formatting of gateway commands into fixed-size buffers. The gateway's command formats were
// made for C buffers of a stated size (64 bytes unless a page says otherwise): a command that does not fit is
// cut exactly where such a buffer would cut it, never written past it.

#include <cstddef>
#include <string>

namespace gw {

// The buffer size of most command formats.
inline constexpr std::size_t kCommandBufferSize = 64;

// Formats into a buffer of `bufferSize` bytes, its terminating NUL included: the result keeps at most
// bufferSize - 1 bytes. A bufferSize of 0 gives the empty text.
std::string cformat(std::size_t bufferSize, const char* format, ...) __attribute__((format(printf, 2, 3)));

}  // namespace gw

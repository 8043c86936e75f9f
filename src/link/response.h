#pragma once
// When a LAN response is complete: the gateway ends every reply with one of eight terminators.

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace gw {

// In the order they are tested; exact bytes, searched anywhere in the text, case-sensitive.
inline constexpr std::array<std::string_view, 8> kResponseTerminators = {
    "\r\nOK\r\n",       // command accepted
    "\r\nBUSY\r\n",     // gateway busy
    "\r\nERROR\r\n",    // command refused
    "\r\n<SPACE>\r\n",  // end of one page of a long listing
    "\r\n\x7f|",        // prompt of the gateway's own command line
    "QN login:",        // login prompts of the three models
    "QNK login:",      "QNC login:",
};

// True when the text holds any of the terminators.
bool responseComplete(std::string_view text);

// Collects the pieces of one response into a caller's buffer of `capacity` bytes. Bytes beyond the capacity
// are not kept, but a terminator among them still completes the response.
class ResponseCollector {
 public:
  explicit ResponseCollector(std::size_t capacity) : capacity_(capacity) {}

  void add(std::string_view piece);
  bool complete() const { return complete_; }
  // The first `capacity` bytes of the response.
  const std::string& text() const { return text_; }

 private:
  std::size_t capacity_;
  std::string text_;
  std::string tail_;  // the last bytes seen, enough to find a terminator split between two pieces
  bool complete_ = false;
};

}  // namespace gw

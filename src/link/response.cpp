#include "link/response.h"

#include <algorithm>

#include "base/text.h"

namespace gw {

namespace {

constexpr std::size_t longestTerminator() {
  std::size_t longest = 0;
  for (std::string_view t : kResponseTerminators) longest = std::max(longest, t.size());
  return longest;
}

// A terminator that reaches into a new piece starts at most this many bytes before it.
constexpr std::size_t kTailBytes = longestTerminator() - 1;

}  // namespace

bool responseComplete(std::string_view text) {
  for (std::string_view terminator : kResponseTerminators) {
    if (contains(text, terminator)) return true;
  }
  return false;
}

void ResponseCollector::add(std::string_view piece) {
  if (piece.empty()) return;
  if (text_.size() < capacity_) text_.append(piece.substr(0, capacity_ - text_.size()));
  std::string window = tail_;
  window.append(piece);
  if (!complete_) complete_ = responseComplete(window);
  tail_ = window.substr(window.size() > kTailBytes ? window.size() - kTailBytes : 0);
}

}  // namespace gw

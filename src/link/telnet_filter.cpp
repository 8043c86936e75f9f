#include "link/telnet_filter.h"

namespace gw {

namespace {
bool kept(unsigned char c) {
  return (c >= 0x20 && c <= 0x7E) || c == '\r' || c == '\n' || c == '\b' || c == '\t';
}
}  // namespace

std::string filterTelnetBytes(std::string_view block) {
  std::string text;
  text.reserve(block.size());
  for (char c : block) {
    if (kept(static_cast<unsigned char>(c))) text.push_back(c);
  }
  return text;
}

}  // namespace gw

#include "link/host_address.h"

#include "base/text.h"

namespace gw {

namespace {

constexpr int kOctets = 4;
constexpr int kMaxOctet = 255;

bool isPadding(char c) {
  return c == ' ' || c == '_';
}

std::optional<int> decimalOctet(std::string_view field) {
  while (!field.empty() && isPadding(field.front())) field.remove_prefix(1);
  while (!field.empty() && isPadding(field.back())) field.remove_suffix(1);
  if (field.empty()) return std::nullopt;
  int value = 0;
  for (char c : field) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
    if (value > kMaxOctet) return std::nullopt;
  }
  return value;
}

}  // namespace

std::optional<std::string> normalizeDottedQuad(std::string_view host) {
  const std::vector<std::string> fields = splitFields(host, '.');
  if (fields.size() != kOctets) return std::nullopt;
  std::string plain;
  for (const std::string& field : fields) {
    const std::optional<int> octet = decimalOctet(field);
    if (!octet) return std::nullopt;
    if (!plain.empty()) plain += '.';
    plain += std::to_string(*octet);
  }
  return plain;
}

}  // namespace gw

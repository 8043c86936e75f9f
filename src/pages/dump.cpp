#include "pages/dump.h"

namespace gw {

namespace {

constexpr char kCr = '\r';
constexpr char kSpace = ' ';

std::string limited(std::string_view value, std::size_t maxLength) {
  return std::string(value.substr(0, maxLength));
}

// Where the key's value starts (spaces skipped), or npos when the key is missing.
std::size_t valueStart(std::string_view key, std::string_view dump) {
  std::size_t at = dump.find(key);
  if (at == std::string_view::npos) return at;
  at += key.size();
  while (at < dump.size() && dump[at] == kSpace) ++at;
  return at;
}

// The dump without its last character: a value never takes it, whatever it is.
std::string_view valueRange(std::string_view dump) {
  return dump.substr(0, dump.empty() ? 0 : dump.size() - 1);
}

// The characters from `start` up to (not including) one of `stops` or the end of the value range.
std::string takeUntil(std::string_view dump, std::size_t start, std::string_view stops,
                      std::size_t maxLength = kMaxValueLength) {
  const std::string_view range = valueRange(dump);
  if (start >= range.size()) return {};
  const std::string_view rest = range.substr(start);
  return limited(rest.substr(0, rest.find_first_of(stops)), maxLength);
}

}  // namespace

std::string dumpValue(std::string_view key, std::string_view dump, std::size_t maxLength) {
  const std::size_t start = valueStart(key, dump);
  if (start == std::string_view::npos) return {};
  return takeUntil(dump, start, std::string_view(&kCr, 1), maxLength);
}

std::string dumpWord(std::string_view key, std::string_view dump) {
  const std::size_t start = valueStart(key, dump);
  if (start == std::string_view::npos) return {};
  constexpr char kStops[] = {kCr, kSpace};
  return takeUntil(dump, start, std::string_view(kStops, sizeof kStops));
}

std::vector<std::string> dumpFields(std::string_view key, std::string_view dump, char separator,
                                    std::size_t maxLength) {
  std::vector<std::string> fields;
  const std::size_t start = valueStart(key, dump);
  if (start == std::string_view::npos) return fields;
  const std::string_view range = valueRange(dump);
  std::size_t fieldStart = start;
  for (std::size_t i = start; i < range.size(); ++i) {
    const char c = range[i];
    if (c != separator && c != kCr) continue;
    fields.push_back(limited(range.substr(fieldStart, i - fieldStart), maxLength));
    if (c == kCr) return fields;
    fieldStart = i + 1;
  }
  // The line ran into the end of the dump: its unterminated last field is lost.
  return fields;
}

std::string firstWord(std::string_view text) {
  constexpr char kStops[] = {kCr, kSpace};
  return std::string(text.substr(0, text.find_first_of(std::string_view(kStops, sizeof kStops))));
}

}  // namespace gw

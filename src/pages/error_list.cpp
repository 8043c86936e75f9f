#include "pages/error_list.h"

#include "base/text.h"

namespace gw {

namespace {
void appendDescription(std::string& errorList, std::string_view description, Repeat repeat) {
  std::string line(description);
  line += '\n';
  appendError(errorList, line, repeat);
}
}  // namespace

void appendError(std::string& errorList, std::string_view line, Repeat repeat) {
  if (repeat == Repeat::Once && contains(errorList, line)) return;
  errorList.append(line);
}

std::string fieldOrDefault(const std::vector<std::string>& fields, std::size_t i,
                           std::string_view description, std::string_view fallback, std::string& errorList,
                           Repeat repeat) {
  if (i < fields.size()) return fields[i];
  appendDescription(errorList, description, repeat);
  return std::string(fallback);
}

std::optional<int> fieldNumber(const std::vector<std::string>& fields, std::size_t i) {
  if (i >= fields.size()) return std::nullopt;
  return toInt(fields[i]);
}

int numberOrDefault(const std::vector<std::string>& fields, std::size_t i, std::string_view description,
                    int fallback, std::string& errorList, Repeat repeat) {
  if (const auto n = fieldNumber(fields, i)) return *n;
  appendDescription(errorList, description, repeat);
  return fallback;
}

}  // namespace gw

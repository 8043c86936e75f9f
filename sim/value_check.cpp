#include "value_check.h"

#include <algorithm>
#include <optional>

namespace gwsim {
namespace {

constexpr std::size_t kMaxNumberDigits = 9;  // fits a long on every platform
constexpr long kMaxOctet = 255;
constexpr long kMaxPort = 65535;
constexpr long kMaxCause = 127;
constexpr long kMaxHour = 24;
constexpr long kMaxMinute = 59;
constexpr long kMaxMonth = 12;
constexpr long kMaxDay = 31;
constexpr std::size_t kIpv4Parts = 4;
constexpr std::size_t kMaxPrefixLength = 10;
constexpr std::size_t kMaxDigitsLength = 10;
constexpr std::size_t kMaxAutoGsmLength = 47;
constexpr std::size_t kMaxAutoDialLength = 14;
constexpr long kMaxAutoLimit = 10000;
constexpr std::size_t kExtensionNameParts = 3;
constexpr std::size_t kMaxExtensionNameLength = 49;  // 47 characters and the two slashes
constexpr std::size_t kMaxExtensionGsmLength = 16;

bool isDigits(std::string_view text) {
  return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::optional<long> toNumber(std::string_view text) {
  if (!isDigits(text) || text.size() > kMaxNumberDigits) return std::nullopt;
  long value = 0;
  for (char c : text) value = value * 10 + (c - '0');
  return value;
}

bool inRange(std::string_view text, long min, long max) {
  const std::optional<long> value = toNumber(text);
  return value && *value >= min && *value <= max;
}

// "a/b/c" -> "a", "b", "c".
std::vector<std::string_view> splitAt(std::string_view text, char separator) {
  std::vector<std::string_view> parts;
  for (;;) {
    const std::size_t at = text.find(separator);
    parts.push_back(text.substr(0, at));
    if (at == std::string_view::npos) return parts;
    text.remove_prefix(at + 1);
  }
}

// "7:00" or "07:00".
bool isClockTime(std::string_view text) {
  const std::size_t colon = text.find(':');
  if (colon == std::string_view::npos || colon == 0 || colon > 2 || text.size() - colon - 1 != 2)
    return false;
  return inRange(text.substr(0, colon), 0, kMaxHour) && inRange(text.substr(colon + 1), 0, kMaxMinute);
}

bool fieldsPass(const std::vector<std::string_view>& values, const std::vector<FieldCheck>& checks) {
  for (std::size_t i = 0; i < values.size(); ++i) {
    if (!checks[i](values[i])) return false;
  }
  return true;
}

}  // namespace

std::vector<std::string_view> splitFields(std::string_view value) {
  if (value.empty()) return {};
  return splitAt(value, ',');
}

FieldCheck number(long min, long max) {
  return [min, max](std::string_view field) { return inRange(field, min, max); };
}

FieldCheck oneOf(std::initializer_list<long> values) {
  return [allowed = std::vector<long>(values)](std::string_view field) {
    const std::optional<long> value = toNumber(field);
    return value && std::find(allowed.begin(), allowed.end(), *value) != allowed.end();
  };
}

FieldCheck characters(std::string_view allowed, std::size_t minLength, std::size_t maxLength) {
  return [allowed, minLength, maxLength](std::string_view field) {
    if (field.size() < minLength || field.size() > maxLength) return false;
    return allowed.empty() || std::all_of(field.begin(), field.end(),
                                          [allowed](char c) { return allowed.find(c) != allowed.npos; });
  };
}

FieldCheck separatorCharacter() {
  return [](std::string_view field) {
    return field.empty() || (field.size() == 1 && static_cast<unsigned char>(field[0]) > ' ');
  };
}

FieldCheck monthDay() {
  return [](std::string_view field) {
    if (field == "0") return true;
    return field.size() == 4 && inRange(field.substr(0, 2), 0, kMaxMonth) &&
           inRange(field.substr(2), 0, kMaxDay);
  };
}

FieldCheck ipv4() {
  return [](std::string_view field) {
    const std::vector<std::string_view> parts = splitAt(field, '.');
    return parts.size() == kIpv4Parts && std::all_of(parts.begin(), parts.end(), [](std::string_view part) {
             return part.size() <= 3 && inRange(part, 0, kMaxOctet);
           });
  };
}

FieldCheck ipv4WithPort() {
  return [address = ipv4()](std::string_view field) {
    const std::size_t colon = field.find(':');
    return colon != std::string_view::npos && address(field.substr(0, colon)) &&
           inRange(field.substr(colon + 1), 0, kMaxPort);
  };
}

FieldCheck causePair() {
  return [](std::string_view field) {
    const std::vector<std::string_view> parts = splitAt(field, '/');
    return parts.size() == 2 && inRange(parts[0], 1, kMaxCause) && inRange(parts[1], 1, kMaxCause);
  };
}

FieldCheck prefixEntry() {
  return [prefix = characters(kDialCharacters, 1, kMaxPrefixLength)](std::string_view field) {
    const std::vector<std::string_view> parts = splitAt(field, '/');
    if (parts.size() > 2 || !prefix(parts[0])) return false;
    return parts.size() == 1 || (isDigits(parts[1]) && parts[1].size() <= kMaxDigitsLength);
  };
}

FieldCheck replacedPrefixEntry() {
  return [part = characters(kDialCharacters, 0, kMaxPrefixLength)](std::string_view field) {
    const std::vector<std::string_view> parts = splitAt(field, '/');
    return parts.size() == 2 && part(parts[0]) && part(parts[1]);
  };
}

FieldCheck usingTime() {
  return [](std::string_view field) {
    const std::vector<std::string_view> parts = splitAt(field, '/');
    if (parts.size() < 2 || parts.size() > 3) return false;
    if (parts.size() == 3 && parts[2] != "w-" && parts[2] != "w+") return false;
    return isClockTime(parts[0]) && isClockTime(parts[1]);
  };
}

FieldCheck emptyOr(FieldCheck check) {
  return [check = std::move(check)](std::string_view field) { return field.empty() || check(field); };
}

ValueCheck anything() {
  return [](std::string_view) { return true; };
}

ValueCheck text(std::size_t maxLength) {
  return [maxLength](std::string_view value) { return value.size() <= maxLength; };
}

ValueCheck fields(std::vector<FieldCheck> checks) {
  const std::size_t count = checks.size();
  return fields(count, std::move(checks));
}

ValueCheck fields(std::size_t required, std::vector<FieldCheck> checks) {
  return [required, checks = std::move(checks)](std::string_view value) {
    const std::vector<std::string_view> values = splitFields(value);
    return values.size() >= required && values.size() <= checks.size() && fieldsPass(values, checks);
  };
}

ValueCheck listOf(std::size_t maxCount, FieldCheck each) {
  return [maxCount, each = std::move(each)](std::string_view value) {
    const std::vector<std::string_view> values = splitFields(value);
    return values.size() <= maxCount && std::all_of(values.begin(), values.end(), each);
  };
}

ValueCheck autoroutingRecord() {
  return [gsm = characters(kDialCharacters, 1, kMaxAutoGsmLength),
          dial = characters(kDialCharacters, 0, kMaxAutoDialLength),
          limit = number(0, kMaxAutoLimit)](std::string_view value) {
    const std::vector<std::string_view> values = splitFields(value);
    if (values.size() < 2 || values.size() > 3 || !gsm(values[0]) || !dial(values[1])) return false;
    if (values.size() == 2) return !values[1].empty();  // autodial
    return limit(values[2]);                            // autocallback, with or without autodial
  };
}

ValueCheck extensionRecord() {
  return [gsm = characters(kDialCharacters, 1, kMaxExtensionGsmLength),
          flag = number(0, 1)](std::string_view value) {
    const std::vector<std::string_view> values = splitFields(value);
    if (values.size() != 4 || values[0].size() > kMaxExtensionNameLength) return false;
    const std::vector<std::string_view> names = splitAt(values[0], '/');
    const bool namesFilled =
        names.size() == kExtensionNameParts &&
        std::none_of(names.begin(), names.end(), [](std::string_view n) { return n.empty(); });
    return namesFilled && gsm(values[1]) && flag(values[2]) && flag(values[3]);
  };
}

}  // namespace gwsim

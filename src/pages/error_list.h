#pragma once
// errorList: the one text every page operation fills with a line per failed item (the page's prefix, the
// field names and a line feed). These helpers append to it under the two rules the pages use.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace gw {

// How often one error text may stand in the list.
enum class Repeat {
  EveryFailure,  // appended at each failed step, so a register failing twice is listed twice
  Once,          // appended only when the list does not hold the text yet
};

void appendError(std::string& errorList, std::string_view line, Repeat repeat = Repeat::EveryFailure);

// Field i (from 0) when the list has it; otherwise `description` and a line feed go to the list and the
// default is returned.
std::string fieldOrDefault(const std::vector<std::string>& fields, std::size_t i,
                           std::string_view description, std::string_view fallback, std::string& errorList,
                           Repeat repeat = Repeat::EveryFailure);

// Field i as a decimal integer (optional sign), or nothing when it is missing or does not convert.
std::optional<int> fieldNumber(const std::vector<std::string>& fields, std::size_t i);

// Field i as a number; a missing or bad field gives the default and appends `description` and a line feed.
int numberOrDefault(const std::vector<std::string>& fields, std::size_t i, std::string_view description,
                    int fallback, std::string& errorList, Repeat repeat = Repeat::EveryFailure);

}  // namespace gw

#pragma once
// "Did you mean …?" for a mistyped command, option or page name.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace gw {

// The name `typed` most likely meant: the closest of `names` by edits (a letter left out, added, changed,
// or two letters swapped), when it is close enough to be a typing slip; nullopt otherwise.
std::optional<std::string> closestName(std::string_view typed, const std::vector<std::string>& names);

// "; did you mean X?" when there is a close name, else "".
std::string didYouMean(std::string_view typed, const std::vector<std::string>& names);

}  // namespace gw

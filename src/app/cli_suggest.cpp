#include "app/cli_suggest.h"

#include <algorithm>

namespace gw {

namespace {

// Two slips at most, and never more than a third of the word: "lod" is "load", "xyz" is nothing.
constexpr std::size_t kMostEdits = 2;
constexpr std::size_t kLettersPerEdit = 3;

// Edits from a to b, a swap of two neighbours counting as one (optimal string alignment distance).
std::size_t editDistance(std::string_view a, std::string_view b) {
  const std::size_t n = a.size();
  const std::size_t m = b.size();
  std::vector<std::vector<std::size_t>> d(n + 1, std::vector<std::size_t>(m + 1));
  for (std::size_t i = 0; i <= n; ++i) d[i][0] = i;
  for (std::size_t j = 0; j <= m; ++j) d[0][j] = j;
  for (std::size_t i = 1; i <= n; ++i) {
    for (std::size_t j = 1; j <= m; ++j) {
      const std::size_t change = a[i - 1] == b[j - 1] ? 0 : 1;
      d[i][j] = std::min({d[i - 1][j] + 1, d[i][j - 1] + 1, d[i - 1][j - 1] + change});
      if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1]) {
        d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
      }
    }
  }
  return d[n][m];
}

}  // namespace

std::optional<std::string> closestName(std::string_view typed, const std::vector<std::string>& names) {
  const std::size_t allowed = std::min(kMostEdits, std::max<std::size_t>(1, typed.size() / kLettersPerEdit));
  std::optional<std::string> best;
  std::size_t bestDistance = allowed + 1;
  for (const std::string& name : names) {
    const std::size_t distance = editDistance(typed, name);
    if (distance < bestDistance) {
      bestDistance = distance;
      best = name;
    }
  }
  return best;
}

std::string didYouMean(std::string_view typed, const std::vector<std::string>& names) {
  const auto name = closestName(typed, names);
  return name ? "; did you mean " + *name + "?" : std::string();
}

}  // namespace gw

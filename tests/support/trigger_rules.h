#pragma once
// How the scripted devices decide which scripted answer a command gets: the rule whose trigger ends earliest
// in what was heard since the last answer; between rules ending at the same place a one-time rule wins, then
// the rule scripted first.

#include <string>
#include <vector>

namespace gw::test {

// Takes the matched rule's trigger (and everything before it) out of `heard` and hands the rule to `answer`;
// one-time rules are then dropped. Repeats while rules match, since one write may hold several commands.
template <typename Rule, typename Answer>
void answerHeardCommands(std::vector<Rule>& rules, std::string& heard, Answer answer) {
  for (;;) {
    auto best = rules.end();
    std::size_t bestEnd = std::string::npos;
    for (auto it = rules.begin(); it != rules.end(); ++it) {
      const std::size_t at = heard.find(it->trigger);
      if (at == std::string::npos) continue;
      const std::size_t end = at + it->trigger.size();
      if (end < bestEnd || (end == bestEnd && it->once && !best->once)) {
        best = it;
        bestEnd = end;
      }
    }
    if (best == rules.end()) return;
    heard.erase(0, bestEnd);
    answer(*best);
    if (best->once) rules.erase(best);
  }
}

}  // namespace gw::test

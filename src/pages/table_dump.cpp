#include "pages/table_dump.h"

#include <string>

#include "base/text.h"
#include "link/link.h"
#include "pages/dump.h"

namespace gw {

namespace {

constexpr std::string_view kPageEnd = "<SPACE>";
constexpr std::string_view kListingEnd = "OK";
constexpr std::string_view kNextPage = " ";
constexpr std::string_view kIndexWord = "idx";
constexpr int kTwoDigitIndexes = 10;
constexpr int kLeadingZeroWrites = 9;

bool sendWhole(Link& link, std::string_view bytes) {
  return link.commSend(bytes) == static_cast<int>(bytes.size());
}

std::string receivePage(Link& link) {
  link.clock().sleep(kTablePagePauseMs);
  return link.commReceive(kTablePageBufferSize);
}

// Appends as much of `page` as the collected text still has room for; false once it is full.
bool appendPage(std::string& text, std::string_view page) {
  constexpr std::size_t kRoom = kTableTextBufferSize - 1;
  text.append(page.substr(0, kRoom - text.size()));
  return text.size() < kRoom;
}

}  // namespace

TableDump collectTableDump(Link& link, std::string_view command) {
  TableDump dump;
  if (!sendWhole(link, untilNul(command))) {
    dump.failure = TableReadFailure::CommandNotSent;
    return dump;
  }
  std::string answer = receivePage(link);
  if (!contains(answer, kPageEnd)) {
    appendPage(dump.text, answer);
  } else {
    for (;;) {
      const bool room = appendPage(dump.text, answer);
      if (contains(answer, kListingEnd) || answer.empty() || !room) break;
      if (!sendWhole(link, kNextPage)) {
        dump.failure = TableReadFailure::SpaceNotSent;
        return dump;
      }
      answer = receivePage(link);
    }
  }
  if (!contains(dump.text, kListingEnd)) dump.failure = TableReadFailure::NoOk;
  return dump;
}

std::optional<std::ptrdiff_t> columnOffset(std::string_view text, std::string_view word) {
  const std::size_t idx = text.find(kIndexWord);
  const std::size_t at = text.find(word);
  if (idx == std::string_view::npos || at == std::string_view::npos) return std::nullopt;
  return static_cast<std::ptrdiff_t>(at) - static_cast<std::ptrdiff_t>(idx);
}

std::string tableDumpKey(char letter, int index) {
  std::string key(1, letter);
  if (index >= 0 && index < kTwoDigitIndexes) key += '0';
  return key + std::to_string(index);
}

std::string tableWriteKey(char letter, int index) {
  std::string key(1, letter);
  if (index >= 0 && index < kLeadingZeroWrites) key += '0';
  return key + std::to_string(index);
}

std::optional<std::size_t> findTableRow(std::string_view text, char letter, int index) {
  const std::size_t at = text.find(tableDumpKey(letter, index));
  if (at == std::string_view::npos) return std::nullopt;
  return at;
}

std::string wordAt(std::string_view text, std::ptrdiff_t position) {
  if (position < 0 || static_cast<std::size_t>(position) >= text.size()) return {};
  const std::string word = firstWord(text.substr(static_cast<std::size_t>(position)));
  return word.substr(0, kMaxValueLength);
}

}  // namespace gw

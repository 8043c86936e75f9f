#include "pages/table_dump.h"

#include <string>

#include "base/text.h"
#include "link/link.h"
#include "pages/dump.h"
#include "pages/register_access.h"

namespace gw {

namespace {

constexpr std::string_view kPageEnd = "\r\n<SPACE>\r\n";
constexpr std::string_view kListingEnd = "\r\nOK\r\n";
constexpr std::string_view kNextPage = " ";
constexpr std::string_view kIndexWord = "idx";
constexpr int kTwoDigitIndexes = 10;
constexpr int kLeadingZeroWrites = 9;
// A paged register dump gives the gateway as long as sendCheckOk does before its answer.
constexpr int kPagedDumpPauseMs = 100;
// The collected text leaves room for its closing NUL.
constexpr std::size_t kTableTextRoom = kTableTextBufferSize - 1;

bool sendWhole(Link& link, std::string_view bytes) {
  return link.commSend(bytes) == static_cast<int>(bytes.size());
}

// The next answer, received into the room the collected text has left.
std::string receivePage(Link& link, int pauseMs, std::size_t room) {
  link.clock().sleep(pauseMs);
  return link.commReceive(room);
}

}  // namespace

TableDump collectTableDump(Link& link, std::string_view command, int pauseMs) {
  TableDump dump;
  if (!sendWhole(link, untilNul(command))) {
    dump.failure = TableReadFailure::CommandNotSent;
    return dump;
  }
  for (;;) {
    const std::string answer = receivePage(link, pauseMs, kTableTextRoom - dump.text.size());
    dump.text += answer;
    const bool asksForMore = contains(answer, kPageEnd) && !contains(answer, kListingEnd);
    if (!asksForMore || dump.text.size() >= kTableTextRoom) break;
    if (!sendWhole(link, kNextPage)) {
      dump.failure = TableReadFailure::SpaceNotSent;
      return dump;
    }
  }
  if (!contains(dump.text, kListingEnd)) dump.failure = TableReadFailure::NoOk;
  return dump;
}

bool readPagedDump(Link& link, std::string_view command, std::string& dump) {
  for (int attempt = 0; attempt < kDumpAttempts; ++attempt) {
    TableDump listing = collectTableDump(link, command, kPagedDumpPauseMs);
    dump = std::move(listing.text);
    if (listing.failure == TableReadFailure::None) return true;
  }
  return false;
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

std::string_view rowLine(std::string_view text, std::size_t position) {
  if (position >= text.size()) return {};
  const std::string_view rest = text.substr(position);
  return rest.substr(0, rest.find('\r'));
}

std::string wordAt(std::string_view text, std::ptrdiff_t position) {
  if (position < 0 || static_cast<std::size_t>(position) >= text.size()) return {};
  const std::string word = firstWord(text.substr(static_cast<std::size_t>(position)));
  return word.substr(0, kMaxValueLength);
}

}  // namespace gw

#pragma once
// The table listings of the LCR, autorouting and mobility extension pages ("AT&R\r", "AT&A\r", "AT&M\r"): a
// header line naming the columns, one row per record that starts with the table letter and a two-digit index
// ("R00" ... "R63"), sent in pages closed by "<SPACE>" until the last page brings "OK".

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace gw {

class Link;

// Each page of a listing is received into a buffer of this size.
inline constexpr std::size_t kTablePageBufferSize = 4096;
// The collected listing lives in a zero-filled buffer of this size, its closing NUL included.
inline constexpr std::size_t kTableTextBufferSize = 65535;
// Between a command (or the space that asks for the next page) and its answer.
inline constexpr int kTablePagePauseMs = 10;

enum class TableReadFailure {
  None,
  CommandNotSent,  // the listing command was not taken whole
  SpaceNotSent,    // the space asking for the next page was not taken
  NoOk,            // the collected text holds no "OK"
};

struct TableDump {
  TableReadFailure failure = TableReadFailure::None;
  std::string text;  // everything collected, at most kTableTextBufferSize - 1 bytes
};

// Sends `command` and collects its pages. An answer that arrives empty, or a full buffer, ends the
// collecting, so a gateway that stops in the middle of a listing cannot hold the program.
TableDump collectTableDump(Link& link, std::string_view command);

// The distance of a header word from the header word "idx": the column of that word within a row. Nothing
// when either word is missing.
std::optional<std::ptrdiff_t> columnOffset(std::string_view text, std::string_view word);

// The key of row `index` in a listing: the letter and two digits below 10 ("R05"), the letter and the
// number from 10 on ("R12").
std::string tableDumpKey(char letter, int index);
// The key a write uses: a leading zero for the indexes 0 to 8 only ("R08", then "R9", "R10").
std::string tableWriteKey(char letter, int index);

// Where row `index` starts in the text; nothing when it is missing.
std::optional<std::size_t> findTableRow(std::string_view text, char letter, int index);

// The word at `position` (up to the next space, CR or the end); empty when the position is outside the text.
std::string wordAt(std::string_view text, std::ptrdiff_t position);

}  // namespace gw

#pragma once
// The paged listings of the gateway: the tables of the LCR, autorouting and mobility extension pages
// ("AT&R\r", "AT&A\r", "AT&M\r"), and any dump the gateway chooses to send in pages. A listing has a header
// line naming the columns and one row per record that starts with the table letter and a two-digit index
// ("R00" ... "R63"); it leaves in pages closed by "<SPACE>", each further page asked for with one space,
// until the last page closes with "OK". This is the one reader of such answers.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace gw {

class Link;

// The collected listing lives in a zero-filled buffer of this size, its closing NUL included; each page is
// received into the room left in it.
inline constexpr std::size_t kTableTextBufferSize = 65535;
// Between a command (or the space that asks for the next page) and its answer.
inline constexpr int kTablePagePauseMs = 10;

enum class TableReadFailure {
  None,
  CommandNotSent,  // the listing command was not taken whole
  SpaceNotSent,    // the space asking for the next page was not taken
  NoOk,            // the collected text holds no closing "OK"
};

struct TableDump {
  TableReadFailure failure = TableReadFailure::None;
  std::string text;  // everything collected, at most kTableTextBufferSize - 1 bytes
};

// Sends `command` and collects its pages, `pauseMs` before each answer. The next page is asked for only when
// an answer ends a page with "<SPACE>"; the listing is complete when an answer closes it with "\r\nOK\r\n"
// (the letters OK inside a row end nothing). An answer with neither, an empty one (a gateway that fell
// silent) or a full buffer ends the collecting, so no gateway can hold the program in a listing.
TableDump collectTableDump(Link& link, std::string_view command, int pauseMs = kTablePagePauseMs);

// A register dump that the gateway may send in pages, read as readRegisterDump reads a dump: at most
// kDumpAttempts attempts, each given the sendCheckOk pause before its answer, each collecting every page.
// `dump` gets the last attempt's text. False when no attempt brought the closing "OK".
bool readPagedDump(Link& link, std::string_view command, std::string& dump);

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

// The line of the row that starts at `position`: up to its CR (or the end of the text). Columns are read
// within it, so a short row never lends a value from the row below it.
std::string_view rowLine(std::string_view text, std::size_t position);

// The word at `position` (up to the next space, CR or the end); empty when the position is outside the text.
std::string wordAt(std::string_view text, std::ptrdiff_t position);

}  // namespace gw

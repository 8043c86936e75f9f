#pragma once
// Taking the gateway's reports apart: the marks of their pages and their end, the blank runs of the call data
// records, and the memo a report is shown in. Pure functions over the received bytes.

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace gw {

// The header line of the log and of the call data records begins with this; what comes before it is the
// command's echo.
inline constexpr std::string_view kReportHeaderMark = "   date";
// The end of one page: the gateway waits for a key.
inline constexpr std::string_view kPageMark = "<SPACE>";
// The gateway's own command-line prompt, which can also end the log.
inline constexpr std::string_view kPromptMark = "\r\n\x7f|";

// Where the report's closing "OK" line starts: the position of the CR LF before a final "OK\r\n", or 0 for a
// text that is just "OK\r\n". The letters "OK" inside a record ("GSM2: Init: OK") never close a report.
std::optional<std::size_t> closingOkAt(std::string_view text);
// The same for a final "ERROR" line: the gateway refused the command.
std::optional<std::size_t> closingErrorAt(std::string_view text);

// The position of the first of `marks` in the text, whichever comes first; nothing when none is there.
std::optional<std::size_t> firstMarkAt(std::string_view text, std::span<const std::string_view> marks);

// Every run of 10 or more blanks that starts before the last 11 characters becomes exactly two blanks.
std::string shrinkBlankRuns(std::string_view text);

// Adds a text to a memo as one addition: CR LF and LF end lines, a lone CR is dropped, and a line break at
// the end leaves an empty last line.
void addMemoText(std::vector<std::string>& lines, std::string_view text);
// The memo's text as the window holds it (lines joined by LF), and its lines back.
std::string memoText(const std::vector<std::string>& lines);
std::vector<std::string> memoLines(std::string_view text);

}  // namespace gw

#include "online/report_readers.h"

#include <array>
#include <optional>
#include <span>

#include "base/caption_ids.h"
#include "base/text.h"
#include "link/seconds_wait.h"
#include "online/report_text.h"

namespace gw {

namespace {

constexpr std::size_t kChunkCapacity = 4096;
// Shorter pieces before the header are noise of the echo and are ignored.
constexpr std::size_t kShortPiece = 3;
constexpr std::string_view kNextPage = " ";
constexpr std::string_view kPageEndLine = "<SPACE>\r\n";

// The log: a wake-up line first, then one read every pass; over the LAN each pass waits a second first.
constexpr std::string_view kWakeUp = "\r\n";
constexpr int kWakeUpPauseMs = 10;
constexpr std::size_t kWakeUpReplyCapacity = 1024;
constexpr std::string_view kLogCommand = "AT&L\r";
constexpr int kLanPassPauseMs = 1000;
constexpr double kLogChunkWaitS = 2;
// The log fails when nothing has arrived for more than this many seconds.
constexpr int kLogSilenceLimitS = 5;

// The call data records page by page: a page is read in steps until it ends, for at most 10 s.
constexpr std::string_view kCallCommand = "AT&C\r";
constexpr int kPageStepPauseMs = 100;
constexpr int kPageLimitS = 10;
// After the listing the console gets empty lines and their answers are read and dropped.
constexpr std::string_view kCallClose = "\r\n\r\n";
constexpr std::size_t kCallCloseReplyCapacity = 1024;
constexpr std::string_view kLineEnd = "\r\n";
constexpr std::size_t kCallTailCapacity = 128;
constexpr double kCallTailLanWaitS = 1.2;

// The call data records one by one: "#" asks for the next record and confirms the one before.
constexpr std::string_view kCallDeletingCommand = "AT&CR\r";
constexpr std::string_view kNextRecord = "#";
constexpr std::string_view kNoMoreRecords = "#";
constexpr std::string_view kEchoLine = "AT&CR\r\n";
constexpr std::string_view kEcho = "AT&CR";
constexpr std::size_t kRecordLineEnd = 2;
constexpr std::string_view kRefused = "ERROR";
constexpr int kLanRecordPauseMs = 20;
constexpr std::size_t kRecordTailCapacity = 10;
constexpr std::size_t kRuleWidth = 78;

// The statistics: two parts, each within 5 s of its command.
constexpr std::string_view kIncomingCommand = "AT&TIN\r";
constexpr std::string_view kOutgoingCommand = "AT&TOUT\r";
constexpr int kStatisticsPartLimitS = 5;
// Where the statistics text starts: the first of these; clearing recognises the LAN part only.
constexpr std::array<std::string_view, 2> kStatisticsMarks = {"network", "lan"};
constexpr std::array<std::string_view, 1> kClearingMarks = {"lan"};
constexpr std::array<std::string_view, 3> kClearCommands = {"at%tgall=0,0,0,0\r\n", "at%tiall=0,0\r\n",
                                                            "at%tmall=0,0,0,0,0,0\r\n"};
constexpr std::size_t kClearReplyCapacity = 256;
constexpr std::string_view kClearedReply = "OK";

// Counts a read against kMaxReportBytes; false once the report has outgrown it.
bool withinCap(ReportTransfer& t, std::string_view piece) {
  t.received += piece.size();
  return t.received <= kMaxReportBytes;
}

// The gateway's refusal of the command, as what is left of it once the echo and the line end are gone.
bool isRefusal(std::string_view text) {
  while (!text.empty() && (text.front() == '\r' || text.front() == '\n')) text.remove_prefix(1);
  return text == kRefused;
}

bool sendAll(Link& link, std::string_view command) {
  return link.commSend(command) == static_cast<int>(command.size());
}

ReportTransfer& failed(ReportTransfer& transfer, int errorText) {
  transfer.done = false;
  transfer.errorText = errorText;
  return transfer;
}

ReportTransfer& finished(ReportTransfer& transfer) {
  transfer.done = true;
  transfer.errorText = 0;
  return transfer;
}

// The text before a page mark, less the one character that stands before the mark.
std::string_view beforePageMark(std::string_view text, std::size_t mark) {
  return text.substr(0, mark > 0 ? mark - 1 : 0);
}

// --- Log ---

ReportTransfer logPasses(Link& link, Clock& clock, ReportTransfer& t) {
  const bool lan = link.comm.linkType == kLanLink;
  std::string page;  // the current page, from the header on
  bool beforeHeader = true;
  std::optional<SecondsWait> silence(std::in_place, clock);
  while (!silence->moreThan(kLogSilenceLimitS) && !link.cancelRequested()) {
    if (lan) clock.sleep(kLanPassPauseMs);
    std::string piece = link.commReadChunkTimed(kChunkCapacity, kLogChunkWaitS).value_or("");
    ++t.reads;
    if (!withinCap(t, piece)) break;
    if (!piece.empty()) silence.emplace(clock);
    if (beforeHeader) {
      if (closingOkAt(piece)) return finished(t);  // a log without a single entry
      if (piece.size() < kShortPiece) continue;
      const std::size_t header = piece.find(kReportHeaderMark);
      if (header == std::string::npos) {
        if (closingErrorAt(piece)) break;
        continue;
      }
      piece.erase(0, header);
      beforeHeader = false;
    }
    page += piece;
    if (const std::size_t mark = page.find(kPageMark); mark != std::string::npos) {
      addMemoText(t.lines, beforePageMark(page, mark));
      page.clear();
      if (!sendAll(link, kNextPage)) return failed(t, cap::kResetFailed);
      ++t.spaces;
      continue;
    }
    if (const std::optional<std::size_t> closing = closingOkAt(page)) {
      addMemoText(t.lines, page.substr(0, *closing));
      return finished(t);
    }
    if (const std::size_t prompt = page.find(kPromptMark); prompt != std::string::npos) {
      addMemoText(t.lines, page.substr(0, prompt));
      return finished(t);
    }
    if (const std::optional<std::size_t> refused = closingErrorAt(page)) {
      page.resize(*refused);
      break;
    }
  }
  // Cut short: what arrived of the page stays.
  if (!page.empty()) addMemoText(t.lines, page);
  return failed(t, cap::kResetFailed);
}

// --- Call data records, page by page ---

struct PageRead {
  std::string text;
  bool complete = false;
};

bool pageComplete(std::string_view text) {
  return contains(text, kPageEndLine) || closingOkAt(text) || closingErrorAt(text);
}

PageRead collectPage(Link& link, Clock& clock, ReportTransfer& t) {
  PageRead page;
  const SecondsWait limit(clock);
  while (!link.cancelRequested()) {
    clock.sleep(kPageStepPauseMs);
    const std::string piece = link.commReadChunk(kChunkCapacity);
    ++t.reads;
    if (!withinCap(t, piece)) break;
    page.text += piece;
    if (pageComplete(page.text)) {
      page.complete = true;
      break;
    }
    if (limit.moreThan(kPageLimitS)) break;
  }
  return page;
}

void closeCallListing(Link& link) {
  link.commSend(kCallClose);
  link.commReceive(kCallCloseReplyCapacity);
  link.commSend(kLineEnd);
  if (link.comm.linkType == kSerialLink) {
    link.commReadChunk(kCallTailCapacity);
  } else {
    link.commReadChunkTimed(kCallTailCapacity, kCallTailLanWaitS);
  }
}

// One page of the listing taken into the memo; true when it was the last.
struct CallPages {
  std::vector<std::string>& lines;
  std::string accumulator;
  bool beforeHeader = true;

  // The page's text from the header on, its long blank runs shrunk.
  std::string shown(std::string page) {
    if (beforeHeader) {
      const std::size_t header = page.find(kReportHeaderMark);
      if (header == std::string::npos) return {};
      page.erase(0, header);
      beforeHeader = false;
    }
    return shrinkBlankRuns(page);
  }

  void take(const std::string& raw) {
    const std::string page = shown(raw);
    std::optional<std::string> last;
    if (const std::size_t mark = page.find(kPageMark); contains(raw, kPageMark)) {
      accumulator += mark == std::string::npos ? page : std::string(beforePageMark(page, mark));
    } else if (closingOkAt(raw)) {
      const std::optional<std::size_t> closing = closingOkAt(page);
      last = closing ? page.substr(0, *closing) : page;
    } else if (const std::optional<std::size_t> refused = closingErrorAt(page)) {
      accumulator += page.substr(0, *refused);
    } else {
      accumulator += page;
    }
    if (endsWith(raw, "\n")) flush();
    if (last && !last->empty()) addMemoText(lines, *last);
  }

  void flush() {
    if (!accumulator.empty()) addMemoText(lines, accumulator);
    accumulator.clear();
  }
};

// --- Statistics ---

// One part: its command, then pieces from the first of `marks` on until the closing OK, within 5 s.
bool statisticsPart(Link& link, Clock& clock, std::string_view command,
                    std::span<const std::string_view> marks, bool wholeResponses, ReportTransfer& t) {
  if (!sendAll(link, command)) {
    failed(t, cap::kResetFailed);
    return false;
  }
  const SecondsWait limit(clock);
  bool beforeHeader = true;
  std::string text;
  while (!limit.moreThan(kStatisticsPartLimitS) && !link.cancelRequested()) {
    std::string piece =
        wholeResponses ? link.commReceive(kChunkCapacity) : link.commReadChunk(kChunkCapacity);
    ++t.reads;
    if (!withinCap(t, piece)) break;
    if (beforeHeader) {
      if (piece.size() < kShortPiece) continue;
      const std::optional<std::size_t> start = firstMarkAt(piece, marks);
      if (!start) {
        addMemoText(t.lines, "");  // the echo's empty line
        if (closingOkAt(piece)) return true;
        if (closingErrorAt(piece)) break;
        continue;
      }
      piece.erase(0, *start);
      beforeHeader = false;
    }
    text += piece;
    if (const std::optional<std::size_t> closing = closingOkAt(text)) {
      addMemoText(t.lines, text.substr(0, *closing));
      return true;
    }
    if (const std::optional<std::size_t> refused = closingErrorAt(text)) {
      text.resize(*refused);
      break;
    }
  }
  if (!text.empty()) addMemoText(t.lines, text);
  failed(t, cap::kTransferFailed);
  return false;
}

bool clearCounters(Link& link) {
  for (std::string_view command : kClearCommands) {
    if (!sendAll(link, command)) return false;
    if (!contains(link.commReceive(kClearReplyCapacity), kClearedReply)) return false;
  }
  return true;
}

}  // namespace

ReportTransfer readLog(Link& link, Clock& clock) {
  ReportTransfer t;
  link.commSend(kWakeUp);
  clock.sleep(kWakeUpPauseMs);
  link.commReceive(kWakeUpReplyCapacity);
  if (!sendAll(link, kLogCommand)) return failed(t, cap::kResetFailed);
  return logPasses(link, clock, t);
}

ReportTransfer readCallRecords(Link& link, Clock& clock) {
  ReportTransfer t;
  if (!sendAll(link, kCallCommand)) return failed(t, cap::kResetFailed);
  CallPages pages{t.lines, {}};
  for (;;) {
    const PageRead read = collectPage(link, clock, t);
    if (!read.complete) {
      // Time-out: what arrived of the page stays.
      pages.take(read.text);
      pages.flush();
      failed(t, cap::kTransferFailed);
      break;
    }
    if (read.text == kPageEndLine) {
      pages.flush();
      finished(t);
      break;
    }
    pages.take(read.text);
    if (closingOkAt(read.text)) {
      finished(t);
      break;
    }
    if (closingErrorAt(read.text)) {
      pages.flush();
      failed(t, cap::kTransferFailed);
      break;
    }
    if (!sendAll(link, kNextPage)) {
      pages.flush();
      failed(t, cap::kResetFailed);
      break;
    }
    ++t.spaces;
  }
  closeCallListing(link);
  return t;
}

ReportTransfer readCallRecordsDeleting(Link& link, Clock& clock) {
  ReportTransfer t;
  if (!sendAll(link, kCallDeletingCommand)) return failed(t, cap::kResetFailed);
  t.lines = {kCallRecordsHeader, std::string(kRuleWidth, '-')};
  const bool lan = link.comm.linkType == kLanLink;
  for (;;) {
    std::string text = link.commReadChunk(kChunkCapacity);
    ++t.reads;
    // Silence before the gateway said it has no more records, or more than any gateway holds: the transfer
    // was cut short.
    if (text.empty() || link.cancelRequested() || !withinCap(t, text)) {
      failed(t, cap::kTransferFailed);
      break;
    }
    if (closingOkAt(text) || text == kNoMoreRecords) {
      finished(t);
      break;
    }
    if (text.size() >= kShortPiece) text.resize(text.size() - kRecordLineEnd);
    if (contains(text, kEchoLine)) {
      text.erase(0, kEchoLine.size());
    } else if (contains(text, kEcho)) {
      text.erase(0, kEcho.size());
    }
    if (isRefusal(text)) {
      failed(t, cap::kTransferFailed);
      break;
    }
    if (!text.empty() && text != kLineEnd) addMemoText(t.lines, text);
    if (!sendAll(link, kNextRecord)) {
      failed(t, cap::kResetFailed);
      break;
    }
    if (lan) clock.sleep(kLanRecordPauseMs);
  }
  link.commSend(kLineEnd);
  link.commReadChunk(kRecordTailCapacity);
  return t;
}

ReportTransfer readStatistics(Link& link, Clock& clock, bool clear) {
  ReportTransfer t;
  const std::span<const std::string_view> marks = clear ? std::span<const std::string_view>(kClearingMarks)
                                                        : std::span<const std::string_view>(kStatisticsMarks);
  if (!statisticsPart(link, clock, kIncomingCommand, marks, true, t)) return t;
  if (!statisticsPart(link, clock, kOutgoingCommand, marks, false, t)) return t;
  // Counters are cleared only when everything they held has arrived.
  if (clear && !clearCounters(link)) return failed(t, cap::kResetFailed);
  return finished(t);
}

}  // namespace gw

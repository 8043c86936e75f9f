#pragma once
// The transfers of the three reports over a connected link: the event log ("AT&L\r"), the call data records
// page by page ("AT&C\r") or record by record with deletion ("AT&CR\r"), and the statistics ("AT&TIN\r",
// "AT&TOUT\r", optionally cleared afterwards). Each returns the lines for the memo and how it ended; what
// arrived before a failure is kept. The caller connects, shows the progress window and the message.

#include <cstddef>
#include <string>
#include <vector>

#include "base/clock.h"
#include "link/link.h"

namespace gw {

struct ReportTransfer {
  bool done = false;
  // The error text of a failed transfer: caption 56 (a command not taken, the log's time-out) or 62 (the
  // call data records' and statistics' time-outs, a report cut short).
  int errorText = 0;
  std::vector<std::string> lines;
  int reads = 0;             // chunks read
  int spaces = 0;            // pages asked for with a space
  std::size_t received = 0;  // bytes read, held against kMaxReportBytes
};

// No gateway's report comes near this: a transfer that has read more stops as cut short (the report's
// failure text), so an endless listing or a page that never ends cannot take the program's memory.
inline constexpr std::size_t kMaxReportBytes = 8u * 1024u * 1024u;

ReportTransfer readLog(Link& link, Clock& clock);
ReportTransfer readCallRecords(Link& link, Clock& clock);
// The gateway sends one record per "#" and deletes each record the next "#" confirms.
ReportTransfer readCallRecordsDeleting(Link& link, Clock& clock);
// Incoming, then outgoing traffic; `clear`: the counters are cleared once both parts have arrived whole.
ReportTransfer readStatistics(Link& link, Clock& clock, bool clear);

// The header the record-by-record transfer puts above the records.
inline constexpr const char* kCallRecordsHeader =
    "   date     time     type  cause   from/to groups  conn. durat.  aoc-info  gid";

}  // namespace gw

#pragma once
// The gateway's reports: its event log ("AT&L"), its call data records ("AT&C" in pages, "AT&CR" one by one
// with deletion) and its traffic statistics ("AT&TIN", "AT&TOUT", cleared with "AT%TGALL=", "AT%TIALL=",
// "AT%TMALL="). The contents are generated, the same on every run for the same options: long enough to span
// several pages, with the edition's modules and groups. What a client changes (records deleted, counters
// cleared, the clock set) is part of the state file.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "edition.h"
#include "gateway_clock.h"

namespace gwsim {

inline constexpr int kDefaultLogLines = 120;
inline constexpr int kDefaultCallRecords = 40;

struct ReportConfig {
  Edition edition = Edition::Orvale;
  int logLines = kDefaultLogLines;
  int callRecords = kDefaultCallRecords;
  // Records, log lines and statistics that hold the letters "OK" ("GSM2: Init: OK").
  bool okInRecords = false;
};

enum class ReportId { None, Log, CallRecords, CallRecordsDeleting, IncomingTraffic, OutgoingTraffic };
// The counter sets a client sets (clears) as a whole.
enum class CounterSet { None, Groups, Incoming, Modules };

// The report a command's tail names ("&L" for "AT&L"), without regard to case.
std::optional<ReportId> reportForCommand(std::string_view tail);
// The counter set of "TGALL", "TIALL", "TMALL", without regard to case.
std::optional<CounterSet> counterSetNamed(std::string_view name);

class Reports {
 public:
  static constexpr std::size_t kGroupCounters = 4;
  static constexpr std::size_t kIncomingCounters = 2;
  static constexpr std::size_t kModuleCounters = 6;

  explicit Reports(ReportConfig config);

  // The lines of a report, header included (the record-by-record transfer: the records left, no header).
  std::vector<std::string> lines(ReportId report) const;
  // "AT&CR": the record a "#" confirms is deleted.
  void deleteFirstCallRecord();
  // Sets a counter set from "a,b,…" with exactly its number of decimal fields; false when it has not.
  bool setCounters(CounterSet set, std::string_view values);

  // The [reports] section of the state file; empty while nothing differs from a fresh gateway.
  std::string formatState(const GatewayClock& clock) const;
  // Applies a [reports] section found in `stateText`; one warning per line it cannot use.
  std::vector<std::string> applyState(std::string_view stateText, GatewayClock& clock);

 private:
  std::vector<std::string> logLines() const;
  std::vector<std::string> callRecordLines(bool withHeader) const;
  std::vector<std::string> incomingLines() const;
  std::vector<std::string> outgoingLines() const;
  std::vector<std::uint64_t>* counters(CounterSet set);

  ReportConfig config_;
  int deletedRecords_ = 0;
  std::vector<std::uint64_t> groups_;
  std::vector<std::uint64_t> incoming_;
  std::vector<std::uint64_t> modules_;
};

// The lines cut into pages of at most `linesPerPage`, as a report leaves the console: every line ends in CR
// LF, a page more pages follow ends in "<SPACE>\r\n", the last one in "OK\r\n".
std::vector<std::string> reportPages(const std::vector<std::string>& lines, std::size_t linesPerPage);

// The record-by-record transfer: each record and its CR LF a page of its own, then "#" when none is left;
// without records at all the answer is "\r\nOK\r\n".
std::vector<std::string> recordPages(const std::vector<std::string>& records);

// --stall-reports: the pages after the first `whole` leave only the first half of the next one. True when the
// pages were cut.
bool stallPages(std::vector<std::string>& pages, std::size_t whole);

}  // namespace gwsim

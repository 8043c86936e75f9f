#include "reports.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdio>

namespace gwsim {
namespace {

constexpr std::string_view kLogHeader = "   date     time     event";
constexpr std::string_view kCallHeader =
    "   date     time     type  cause   from/to groups  conn. durat.  aoc-info  gid";
constexpr std::string_view kPageEnd = "<SPACE>\r\n";
constexpr std::string_view kLastPageEnd = "OK\r\n";
constexpr std::string_view kNoRecords = "\r\nOK\r\n";
constexpr std::string_view kNoMoreRecords = "#";
constexpr std::string_view kLineEnd = "\r\n";
constexpr std::string_view kSection = "reports";

// The log starts on 1 March 2026 at 08:00 and has an event every 97 s; a call record every 11 minutes.
constexpr int kFirstYear = 2026;
constexpr int kFirstMonth = 3;
constexpr int kFirstDay = 1;
constexpr int kFirstHour = 8;
constexpr std::int64_t kSecondsPerDay = 86400;
constexpr int kLogStepS = 97;
constexpr int kCallStepS = 660;
constexpr int kLogEvents = 7;
constexpr int kOkEveryLines = 5;    // with okInRecords: a "GSM n: Init: OK" line among every five
constexpr int kOkEveryRecords = 4;  // and an "OK" advice of charge in every fourth record
constexpr int kChargeEveryRecords = 3;

constexpr std::array<std::uint64_t, Reports::kGroupCounters> kGroupMinutes = {4312, 2210, 987, 45};
constexpr std::array<std::uint64_t, Reports::kIncomingCounters> kIncomingCalls = {1523, 877};
constexpr std::array<std::uint64_t, Reports::kModuleCounters> kModuleTotals = {2841, 2203, 7554, 312, 138, 7};
constexpr std::array<const char*, Reports::kModuleCounters> kModuleCounterNames = {
    "calls", "answered", "minutes", "sms", "failed", "network losses"};

struct NamedReport {
  std::string_view tail;
  ReportId report;
};
constexpr std::array<NamedReport, 5> kReportCommands{{
    {"&L", ReportId::Log},
    {"&C", ReportId::CallRecords},
    {"&CR", ReportId::CallRecordsDeleting},
    {"&TIN", ReportId::IncomingTraffic},
    {"&TOUT", ReportId::OutgoingTraffic},
}};

struct NamedCounters {
  std::string_view name;
  CounterSet set;
};
constexpr std::array<NamedCounters, 3> kCounterSets{{
    {"TGALL", CounterSet::Groups},
    {"TIALL", CounterSet::Incoming},
    {"TMALL", CounterSet::Modules},
}};

bool equalsNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (std::toupper(static_cast<unsigned char>(a[i])) != std::toupper(static_cast<unsigned char>(b[i])))
      return false;
  }
  return true;
}

template <class... Args>
std::string format(const char* pattern, Args... args) {
  char text[160];
  std::snprintf(text, sizeof text, pattern, args...);
  return text;
}

int modulesOf(Edition edition) {
  return edition == Edition::Kestrin ? 2 : 4;
}

int groupsOf(Edition edition) {
  return edition == Edition::Kestrin ? 1 : 4;
}

// "01.03.26 08:00:00" of a moment `offsetS` after the first entry.
std::string stamp(std::int64_t offsetS) {
  const std::int64_t at =
      daysFromCivil(kFirstYear, kFirstMonth, kFirstDay) * kSecondsPerDay + kFirstHour * 3600 + offsetS;
  const CivilDate date = civilFromDays(at / kSecondsPerDay);
  const std::int64_t ofDay = at % kSecondsPerDay;
  return format("%02d.%02d.%02d %02d:%02d:%02d", date.day, date.month, date.year % 100,
                static_cast<int>(ofDay / 3600), static_cast<int>(ofDay / 60 % 60),
                static_cast<int>(ofDay % 60));
}

std::string logEvent(int i, int modules, bool okInRecords) {
  const int module = i % modules + 1;
  if (okInRecords && i % kOkEveryLines == 2) return format("GSM%d: Init: OK", module);
  switch (i % kLogEvents) {
    case 0:
      return format("GSM%d: registered in network 230 0%d", module, module);
    case 1:
      return format("Call out: LAN 10%02d -> GSM%d +420601%06d, %d s", i % 40, module, 100000 + i,
                    20 + i % 300);
    case 2:
      return "SIP: registered at sip.provider.net";
    case 3:
      return format("Call in: GSM%d +420731%06d -> LAN 10%02d, %d s", module, 200000 + i, i % 40,
                    5 + i % 200);
    case 4:
      return format("SMS sent: GSM%d -> +420602%06d", module, 300000 + i);
    case 5:
      return format("GSM%d: signal -%d dBm", module, 60 + i % 40);
    default:
      return "LAN: link up, 100 Mbit/s";
  }
}

std::string callRecord(int i, int modules, bool okInRecords) {
  const bool out = i % 2 == 0;
  const std::string party = out ? format("10%02d/+420601%06d", i % 40, 400000 + i)
                                : format("+420731%06d/10%02d", 500000 + i, i % 40);
  std::string charge;
  if (okInRecords && i % kOkEveryRecords == 1) {
    charge = "OK";
  } else if (i % kChargeEveryRecords == 0) {
    charge = format("%d.%02d EUR", i % 3, (i * 7) % 100);
  }
  const int seconds = 15 + (i * 37) % 900;
  // An empty advice of charge leaves a gap of twelve blanks; the other columns are closer.
  return format("%s %-5s %-7d %-24s %-6d %-6s %-8s %-10s %d",
                stamp(static_cast<std::int64_t>(i) * kCallStepS).c_str(), out ? "out" : "in", out ? 16 : 31,
                party.c_str(), i % modules + 1, format("00:%02d", 3 + i % 20).c_str(),
                format("%02d:%02d:%02d", seconds / 3600, seconds / 60 % 60, seconds % 60).c_str(),
                charge.c_str(), 1 + i % 99);
}

std::string counterLine(std::string_view name, std::uint64_t value) {
  return format("  %-28s %10llu", std::string(name).c_str(), static_cast<unsigned long long>(value));
}

std::vector<std::string_view> splitAt(std::string_view text, char separator) {
  std::vector<std::string_view> parts;
  for (;;) {
    const std::size_t at = text.find(separator);
    parts.push_back(text.substr(0, at));
    if (at == std::string_view::npos) return parts;
    text.remove_prefix(at + 1);
  }
}

std::optional<std::vector<std::uint64_t>> numbers(std::string_view text, std::size_t count) {
  std::vector<std::uint64_t> values;
  for (std::string_view field : splitAt(text, ',')) {
    if (field.empty() || field.size() > 9) return std::nullopt;
    std::uint64_t value = 0;
    for (char c : field) {
      if (c < '0' || c > '9') return std::nullopt;
      value = value * 10 + static_cast<std::uint64_t>(c - '0');
    }
    values.push_back(value);
  }
  if (values.size() != count) return std::nullopt;
  return values;
}

std::string joined(const std::vector<std::uint64_t>& values) {
  std::string text;
  for (std::uint64_t value : values) text += (text.empty() ? "" : ",") + std::to_string(value);
  return text;
}

std::string_view trim(std::string_view text) {
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front()))) text.remove_prefix(1);
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) text.remove_suffix(1);
  return text;
}

}  // namespace

std::optional<ReportId> reportForCommand(std::string_view tail) {
  for (const NamedReport& named : kReportCommands) {
    if (equalsNoCase(named.tail, tail)) return named.report;
  }
  return std::nullopt;
}

std::optional<CounterSet> counterSetNamed(std::string_view name) {
  for (const NamedCounters& named : kCounterSets) {
    if (equalsNoCase(named.name, name)) return named.set;
  }
  return std::nullopt;
}

Reports::Reports(ReportConfig config)
    : config_(config),
      groups_(kGroupMinutes.begin(), kGroupMinutes.end()),
      incoming_(kIncomingCalls.begin(), kIncomingCalls.end()),
      modules_(kModuleTotals.begin(), kModuleTotals.end()) {}

std::vector<std::string> Reports::lines(ReportId report) const {
  switch (report) {
    case ReportId::Log:
      return logLines();
    case ReportId::CallRecords:
      return callRecordLines(true);
    case ReportId::CallRecordsDeleting:
      return callRecordLines(false);
    case ReportId::IncomingTraffic:
      return incomingLines();
    case ReportId::OutgoingTraffic:
      return outgoingLines();
    case ReportId::None:
      break;
  }
  return {};
}

std::vector<std::string> Reports::logLines() const {
  std::vector<std::string> lines{std::string(kLogHeader)};
  const int modules = modulesOf(config_.edition);
  for (int i = 0; i < config_.logLines; ++i) {
    lines.push_back(stamp(static_cast<std::int64_t>(i) * kLogStepS) + "  " +
                    logEvent(i, modules, config_.okInRecords));
  }
  return lines;
}

std::vector<std::string> Reports::callRecordLines(bool withHeader) const {
  std::vector<std::string> lines;
  if (withHeader) lines.emplace_back(kCallHeader);
  const int modules = modulesOf(config_.edition);
  for (int i = deletedRecords_; i < config_.callRecords; ++i)
    lines.push_back(callRecord(i, modules, config_.okInRecords));
  return lines;
}

std::vector<std::string> Reports::incomingLines() const {
  std::vector<std::string> lines{"lan: incoming calls", counterLine("from LAN", incoming_[0])};
  if (config_.okInRecords) lines.push_back(counterLine("SIP registration: OK", 1));
  lines.push_back("network: incoming calls");
  lines.push_back(counterLine("from GSM", incoming_[1]));
  return lines;
}

std::vector<std::string> Reports::outgoingLines() const {
  std::vector<std::string> lines{"lan: outgoing minutes by group"};
  for (int g = 0; g < groupsOf(config_.edition); ++g)
    lines.push_back(counterLine(format("group %d", g + 1), groups_[static_cast<std::size_t>(g)]));
  lines.push_back("network: module counters");
  if (config_.okInRecords) lines.push_back(counterLine("GSM modules: OK", modulesOf(config_.edition)));
  for (std::size_t c = 0; c < kModuleCounters; ++c)
    lines.push_back(counterLine(kModuleCounterNames[c], modules_[c]));
  return lines;
}

void Reports::deleteFirstCallRecord() {
  if (deletedRecords_ < config_.callRecords) ++deletedRecords_;
}

std::vector<std::uint64_t>* Reports::counters(CounterSet set) {
  switch (set) {
    case CounterSet::Groups:
      return &groups_;
    case CounterSet::Incoming:
      return &incoming_;
    case CounterSet::Modules:
      return &modules_;
    case CounterSet::None:
      break;
  }
  return nullptr;
}

bool Reports::setCounters(CounterSet set, std::string_view values) {
  std::vector<std::uint64_t>* target = counters(set);
  if (target == nullptr) return false;
  const std::optional<std::vector<std::uint64_t>> parsed = numbers(values, target->size());
  if (!parsed) return false;
  *target = *parsed;
  return true;
}

std::string Reports::formatState(const GatewayClock& clock) const {
  std::string text;
  if (clock.offsetSeconds() != 0 || clock.weekdayShift() != 0) {
    text +=
        "clock=" + std::to_string(clock.offsetSeconds()) + "," + std::to_string(clock.weekdayShift()) + "\n";
  }
  if (deletedRecords_ != 0) text += "deleted_records=" + std::to_string(deletedRecords_) + "\n";
  const Reports fresh(config_);
  if (groups_ != fresh.groups_) text += "groups=" + joined(groups_) + "\n";
  if (incoming_ != fresh.incoming_) text += "incoming=" + joined(incoming_) + "\n";
  if (modules_ != fresh.modules_) text += "modules=" + joined(modules_) + "\n";
  return text.empty() ? text : "[" + std::string(kSection) + "]\n" + text;
}

std::vector<std::string> Reports::applyState(std::string_view stateText, GatewayClock& clock) {
  std::vector<std::string> warnings;
  bool inSection = false;
  for (std::string_view raw : splitAt(stateText, '\n')) {
    const std::string_view line = trim(raw);
    if (line.empty() || line.front() == ';' || line.front() == '#') continue;
    if (line.front() == '[') {
      inSection = line.back() == ']' && equalsNoCase(trim(line.substr(1, line.size() - 2)), kSection);
      continue;
    }
    if (!inSection) continue;
    const std::size_t equals = line.find('=');
    const std::string_view key = trim(line.substr(0, equals));
    const std::string_view value = equals == std::string_view::npos ? "" : trim(line.substr(equals + 1));
    bool used = false;
    if (equalsNoCase(key, "clock")) {
      const std::vector<std::string_view> parts = splitAt(value, ',');
      if (parts.size() == 2) {
        try {
          clock.restore(std::stoll(std::string(parts[0])), std::stoi(std::string(parts[1])));
          used = true;
        } catch (const std::exception&) {
        }
      }
    } else if (equalsNoCase(key, "deleted_records")) {
      if (const auto count = numbers(value, 1)) {
        deletedRecords_ = static_cast<int>(std::min<std::uint64_t>((*count)[0], config_.callRecords));
        used = true;
      }
    } else if (equalsNoCase(key, "groups")) {
      used = setCounters(CounterSet::Groups, value);
    } else if (equalsNoCase(key, "incoming")) {
      used = setCounters(CounterSet::Incoming, value);
    } else if (equalsNoCase(key, "modules")) {
      used = setCounters(CounterSet::Modules, value);
    }
    if (!used) warnings.push_back("report state line ignored: " + std::string(line));
  }
  return warnings;
}

std::vector<std::string> reportPages(const std::vector<std::string>& lines, std::size_t linesPerPage) {
  const std::size_t perPage = std::max<std::size_t>(linesPerPage, 1);
  std::vector<std::string> pages;
  for (std::size_t first = 0; first < lines.size() || pages.empty(); first += perPage) {
    const std::size_t end = std::min(lines.size(), first + perPage);
    std::string page;
    for (std::size_t i = first; i < end; ++i) page += lines[i] + std::string(kLineEnd);
    page += end == lines.size() ? kLastPageEnd : kPageEnd;
    pages.push_back(page);
  }
  return pages;
}

std::vector<std::string> recordPages(const std::vector<std::string>& records) {
  if (records.empty()) return {std::string(kNoRecords)};
  std::vector<std::string> pages;
  for (const std::string& record : records) pages.push_back(record + std::string(kLineEnd));
  pages.emplace_back(kNoMoreRecords);
  return pages;
}

bool stallPages(std::vector<std::string>& pages, std::size_t whole) {
  if (whole >= pages.size()) return false;
  pages.resize(whole + 1);
  pages.back().resize(pages.back().size() / 2);
  return true;
}

}  // namespace gwsim

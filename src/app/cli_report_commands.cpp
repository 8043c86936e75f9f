// gwctl commands of the online tools that read and set what the gateway keeps: time, log, cdr, stats.

#include "app/cli.h"
#include "app/cli_json.h"
#include "app/cli_suggest.h"
#include "online/date_time.h"
#include "online/report_tools.h"

namespace gw {

namespace {

// "DD.MM.YYYY HH:MM:SS": where the separators stand, and the digits between them.
constexpr std::string_view kSetPattern = "DD.MM.YYYY HH:MM:SS";
constexpr std::size_t kDateDigitsEnd = 10;

struct TimeArgs {
  enum class Action { Read, Sync, Set } action = Action::Read;
  std::string value;
  std::string error;
};

TimeArgs parseTimeArgs(const std::vector<std::string>& args) {
  TimeArgs parsed;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (parsed.action != TimeArgs::Action::Read) {
      parsed.error = "one of --sync and --set";
    } else if (args[i] == "--sync") {
      parsed.action = TimeArgs::Action::Sync;
    } else if (args[i] == "--set" && i + 1 < args.size()) {
      parsed.action = TimeArgs::Action::Set;
      parsed.value = args[++i];
    } else if (args[i].rfind("--set=", 0) == 0) {
      parsed.action = TimeArgs::Action::Set;
      parsed.value = args[i].substr(6);
    } else if (args[i] == "--set") {
      parsed.error = "--set needs \"" + std::string(kSetPattern) + "\"";
    } else {
      parsed.error = "unknown argument " + args[i] + didYouMean(args[i], {"--sync", "--set"});
    }
    if (!parsed.error.empty()) return parsed;
  }
  return parsed;
}

// The date and time fields of a --set value, as the page's masked fields would take them when typed.
struct TypedClock {
  std::string date;
  std::string time;
  int weekday = 1;
};

std::optional<TypedClock> typedClock(const std::string& value) {
  if (value.size() != kSetPattern.size()) return std::nullopt;
  std::string dateDigits;
  std::string timeDigits;
  for (std::size_t i = 0; i < value.size(); ++i) {
    const bool digit = value[i] >= '0' && value[i] <= '9';
    const bool wantDigit = kSetPattern[i] >= 'A' && kSetPattern[i] <= 'Z';
    if (wantDigit != digit || (!wantDigit && value[i] != kSetPattern[i])) return std::nullopt;
    if (digit) (i < kDateDigitsEnd ? dateDigits : timeDigits) += value[i];
  }
  const std::optional<std::string> date = typeDigits(kDateMask, dateDigits);
  const std::optional<std::string> time = typeDigits(kTimeMask, timeDigits);
  if (!date || !time) return std::nullopt;
  const int day = std::stoi(date->substr(0, 2));
  const int month = std::stoi(date->substr(3, 2));
  const int year = std::stoi(date->substr(6, 4));
  return TypedClock{*date, *time, isoWeekday(year, month, day)};
}

int exitStatusOf(ClockResult result) {
  switch (result) {
    case ClockResult::NotConnected:
      return kExitNoConnection;
    case ClockResult::Failed:
      return kExitReportedErrors;
    case ClockResult::Done:
      break;
  }
  return kExitOk;
}

int readClock(CliContext& c) {
  std::string dump;
  const ClockResult read = readGatewayClock(c.program.onlineContext, dump);
  if (read != ClockResult::Done) return exitStatusOf(read);
  const std::optional<ClockFields> clock = parseGatewayClock(dump, true);
  if (!clock) {
    c.fail("the gateway's clock (S99) is not a date and time");
    return kExitReportedErrors;
  }
  const char* weekday = kWeekdayNames[static_cast<std::size_t>(clock->weekday - 1)];
  if (c.options.json) {
    printJson(c.out, {{"date", clock->date}, {"time", clock->time}, {"weekday", weekday}});
    return kExitOk;
  }
  std::fprintf(c.out, "%s %s %s\n", clock->date.c_str(), clock->time.c_str(), weekday);
  return kExitOk;
}

int timeCommand(CliContext& c, const std::vector<std::string>& args) {
  const TimeArgs parsed = parseTimeArgs(args);
  if (!parsed.error.empty()) {
    c.fail(parsed.error + helpPointer("time"));
    return kExitUsage;
  }
  OnlineContext& context = c.program.onlineContext;
  switch (parsed.action) {
    case TimeArgs::Action::Read:
      return readClock(c);
    case TimeArgs::Action::Sync: {
      // Connected first, so the time sent is the time of sending, not of before the login.
      if (!c.connect(false)) return kExitNoConnection;
      const ClockFields pc = pcClockFields(context.clock.localTime());
      return exitStatusOf(writeGatewayClock(context, clockCommand(pc.date, pc.weekday, pc.time)));
    }
    case TimeArgs::Action::Set:
      break;
  }
  const std::optional<TypedClock> typed = typedClock(parsed.value);
  if (!typed) {
    c.fail("the clock cannot hold \"" + parsed.value + "\": give \"" + std::string(kSetPattern) + "\"" +
           helpPointer("time"));
    return kExitUsage;
  }
  return exitStatusOf(writeGatewayClock(context, clockCommand(typed->date, typed->weekday, typed->time)));
}

struct ReportArgs {
  bool deleting = false;
  std::optional<std::string> file;
  std::string error;
};

ReportArgs parseReportArgs(const std::vector<std::string>& args, bool canDelete) {
  ReportArgs parsed;
  std::vector<std::string> known = {"-o"};
  if (canDelete) known.emplace_back("--delete");
  for (std::size_t i = 0; i < args.size() && parsed.error.empty(); ++i) {
    if (args[i] == "-o" && i + 1 < args.size()) {
      parsed.file = args[++i];
    } else if (args[i] == "-o") {
      parsed.error = "-o needs a file name";
    } else if (canDelete && args[i] == "--delete") {
      parsed.deleting = true;
    } else {
      parsed.error = "unknown argument " + args[i] + didYouMean(args[i], known);
    }
  }
  return parsed;
}

// Loads the report; its lines go to stdout, or are appended to FILE as "Save to file" does (also what
// arrived before a failure).
int reportCommand(CliContext& c, const std::vector<std::string>& args, const std::string& name,
                  ReportTool& tool, bool canDelete) {
  const ReportArgs parsed = parseReportArgs(args, canDelete);
  if (!parsed.error.empty()) {
    c.fail(parsed.error + helpPointer(name));
    return kExitUsage;
  }
  const ReportOutcome outcome = tool.load(parsed.deleting);
  if (outcome == ReportOutcome::NotConnected) return kExitNoConnection;
  const int loaded = outcome == ReportOutcome::Failed ? kExitReportedErrors : kExitOk;
  if (!parsed.file) {
    for (const std::string& line : tool.lines()) std::fprintf(c.out, "%s\n", line.c_str());
    std::fflush(c.out);
    return loaded;
  }
  tool.setFile(*parsed.file);
  return tool.saveToFile() == SaveOutcome::Failed ? kExitFileError : loaded;
}

}  // namespace

std::vector<CliCommand> reportCommands() {
  return {
      {"time",
       "time [--sync | --set \"DD.MM.YYYY HH:MM:SS\"]",
       "read or set the gateway's clock",
       "Without an option: prints the gateway's clock as \"DD.MM.YYYY HH:MM:SS Weekday\".\n"
       "--sync sets the gateway's clock from this computer's clock; --set sets it to the given date and "
       "time,\n"
       "with the weekday of that date. A value the page's fields cannot hold (day 32, hour 25, another "
       "form)\n"
       "is a usage error and nothing is sent. Exit 1 when the gateway did not take the clock.\n",
       timeCommand,
       {"--set"},
       true},
      {"log", "log [-o FILE]", "read the gateway's event log",
       "Connects and reads the event log page by page. The lines go to stdout, or with -o are appended to "
       "FILE\n"
       "as \"Save to file\" appends them (a line with the gateway's name and the time, then the log). Exit "
       "1\n"
       "when the transfer failed (what arrived is still printed or saved), 4 when FILE cannot be written.\n",
       [](CliContext& c, const std::vector<std::string>& args) {
         return reportCommand(c, args, "log", c.program.tool<LogTool>(), false);
       }},
      {"cdr", "cdr [--delete] [-o FILE]", "read the gateway's call data records",
       "Connects and reads the call data records page by page; --delete reads them one by one instead, and "
       "the\n"
       "gateway deletes each record it has handed over. Output, -o FILE and exit status as for log.\n",
       [](CliContext& c, const std::vector<std::string>& args) {
         return reportCommand(c, args, "cdr", c.program.tool<CallTool>(), true);
       }},
      {"stats", "stats [--delete] [-o FILE]", "read the gateway's traffic statistics",
       "Connects and reads the incoming and outgoing traffic statistics; --delete clears the counters once\n"
       "both have arrived whole. Output, -o FILE and exit status as for log.\n",
       [](CliContext& c, const std::vector<std::string>& args) {
         return reportCommand(c, args, "stats", c.program.tool<StatisticsTool>(), true);
       }},
  };
}

}  // namespace gw

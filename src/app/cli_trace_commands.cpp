// gwctl commands of the terminal and tracing: trace, terminal.

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <limits>
#include <map>

#include "app/cli.h"
#include "app/cli_raw_stdin.h"
#include "app/cli_suggest.h"
#include "base/text.h"
#include "online/terminal.h"
#include "online/tracing.h"

namespace gw {

namespace {

// The trace is taken, and stdin looked at, this often.
constexpr int kPumpMs = 10;
constexpr int kMsPerSecond = 1000;
// After stdin has ended, the terminal goes on until the gateway has been silent this long (or the response
// time has passed), so the answer to the last line is printed.
constexpr int kQuietAfterInputMs = 500;
// Ctrl+] ends a terminal on a terminal.
constexpr char kEndKey = 0x1D;

constexpr int kLowestLevel = 2;
constexpr int kHighestLevel = 4;
constexpr const char* kFullDetails = "full";

// The detail names of --details and their check boxes.
const std::map<std::string, std::string>& detailBoxes() {
  static const std::map<std::string, std::string> boxes = {
      {"state34", "cbTracState34"}, {"timestamp", "cbTracTimestamp"},
      {"smp", "cbTracSmp"},         {"state2", "cbTracState2"},
      {"lcr", "cbTracLcr"},         {kFullDetails, "cbTracFull"}};
  return boxes;
}

struct TraceArgs {
  std::optional<int> type;
  int level = kLowestLevel;
  std::vector<std::string> boxes;
  std::optional<int> seconds;
  std::optional<std::string> file;
  std::string error;
};

std::vector<std::string> detailNames() {
  std::vector<std::string> names;
  for (const auto& [name, box] : detailBoxes()) names.push_back(name);
  return names;
}

// One option's value: TraceArgs' error is set when it is not right.
void takeTraceOption(TraceArgs& t, const std::string& option, const std::string& value) {
  if (option == "--type") {
    if (value == "lan") {
      t.type = TracingTool::kLanType;
    } else if (value == "voip") {
      t.type = TracingTool::kMessagesType;
    } else {
      t.error = "--type is lan or voip";
    }
  } else if (option == "--level") {
    const auto level = toInt(value);
    if (!level || *level < kLowestLevel || *level > kHighestLevel) t.error = "--level is 2, 3 or 4";
    if (!t.error.empty()) return;
    t.level = *level;
  } else if (option == "--details") {
    for (const std::string& name : splitFields(value)) {
      const auto box = detailBoxes().find(name);
      if (box == detailBoxes().end()) {
        t.error = "unknown detail \"" + name + "\"" + didYouMean(name, detailNames()) +
                  " (details: state34, timestamp, smp, state2, lcr, or full)";
        return;
      }
      t.boxes.push_back(box->second);
    }
    if (t.boxes.empty()) t.error = "--details needs at least one detail";
  } else if (option == "--seconds") {
    const auto seconds = toInt(value);
    if (!seconds || *seconds <= 0) t.error = "--seconds needs a positive number";
    if (!t.error.empty()) return;
    t.seconds = *seconds;
  } else if (option == "-o") {
    if (value.empty()) t.error = "-o needs a file name";
    t.file = value;
  }
}

TraceArgs parseTraceArgs(const std::vector<std::string>& args) {
  static const std::vector<std::string> kOptions = {"--type", "--level", "--details", "--seconds", "-o"};
  TraceArgs t;
  for (std::size_t i = 0; i < args.size() && t.error.empty(); ++i) {
    std::string option = args[i];
    std::optional<std::string> value;
    if (const std::size_t eq = option.find('='); startsWith(option, "--") && eq != std::string::npos) {
      value = option.substr(eq + 1);
      option.resize(eq);
    }
    if (std::find(kOptions.begin(), kOptions.end(), option) == kOptions.end()) {
      t.error = startsWith(option, "-") ? "unknown option " + option + didYouMean(option, kOptions)
                                        : "trace takes no argument \"" + option + "\"";
      break;
    }
    if (!value && i + 1 >= args.size()) {
      t.error = option + " needs a value";
      break;
    }
    takeTraceOption(t, option, value ? *value : args[++i]);
  }
  return t;
}

bool canAppendTo(const std::string& path) {
  std::FILE* file = std::fopen(path.c_str(), "ab");
  if (file == nullptr) return false;
  std::fclose(file);
  return true;
}

// The page's controls as a user would set them.
void setTraceControls(CliContext& c, TracingTool& tool, const TraceArgs& t) {
  tool.enter();
  if (t.type) {
    tool.editChoice("cbTracType", *t.type);
    if (tool.cbTracType.index != *t.type) c.fail("over the LAN only VoIP and GSM messages can be traced");
  }
  tool.editChoice("rgTracLevel", t.level - kLowestLevel);
  for (const std::string& box : t.boxes) tool.editCheck(box, true);
  tool.editCheck("cbTracSave", t.file.has_value());
  if (t.file) tool.editText("edTracFile", *t.file);
}

int traceCommand(CliContext& c, const std::vector<std::string>& args) {
  const TraceArgs t = parseTraceArgs(args);
  if (!t.error.empty()) {
    c.fail(t.error + helpPointer("trace"));
    return kExitUsage;
  }
  if (t.file && !canAppendTo(*t.file)) {
    c.fail("cannot write " + *t.file);
    return kExitFileError;
  }
  if (!c.connect(false)) return kExitNoConnection;
  TracingTool& tool = c.program.tool<TracingTool>();
  setTraceControls(c, tool, t);
  tool.onTraceText = [&c](std::string_view text) { std::fwrite(text.data(), 1, text.size(), c.out); };
  tool.sbTracStartClick();
  if (!tool.running()) return kExitReportedErrors;  // refused; the message is out

  Clock& clock = c.program.clock;
  const std::int64_t end = t.seconds ? clock.nowMs() + std::int64_t{*t.seconds} * kMsPerSecond
                                     : std::numeric_limits<std::int64_t>::max();
  while (tool.running() && !c.interrupted() && clock.nowMs() < end) {
    clock.sleep(kPumpMs);
    tool.tick();
    std::fflush(c.out);
  }
  if (!tool.running()) return kExitReportedErrors;  // the link was lost; the disconnect has said so
  if (c.interrupted()) c.interrupts.handled();
  const std::size_t messages = c.host.shown.size();
  tool.sbTracStartClick();  // stops as the page's Stop does: the gateway is not left tracing
  tool.onTraceText = nullptr;
  std::fflush(c.out);
  return c.host.shown.size() > messages ? kExitReportedErrors : kExitOk;
}

int terminalCommand(CliContext& c, const std::vector<std::string>& args) {
  if (!args.empty()) {
    c.fail("terminal takes no arguments" + helpPointer("terminal"));
    return kExitUsage;
  }
  if (!c.connect(false)) return kExitNoConnection;
  Clock& clock = c.program.clock;
  TerminalTool& tool = c.program.tool<TerminalTool>();
  std::int64_t lastOutput = clock.nowMs();
  tool.onReceived = [&c, &clock, &lastOutput](std::string_view text) {
    std::fwrite(text.data(), 1, text.size(), c.out);
    std::fflush(c.out);
    lastOutput = clock.nowMs();
  };
  tool.terminalStart();
  if (!tool.running()) return kExitNoConnection;

  RawStdin input(STDIN_FILENO);
  if (input.terminal()) c.fail("terminal on the gateway; Ctrl+] ends it");
  std::optional<std::int64_t> inputEnded;
  bool ended = false;
  while (!ended && tool.running() && !c.interrupted()) {
    const RawStdin::Input keys = input.read();
    for (char key : keys.bytes) {
      if ((input.terminal() && key == kEndKey) || !tool.running()) {
        ended = true;  // a key that found the link gone would connect anew
        break;
      }
      tool.mTerminalKeyPress(key);
    }
    const std::int64_t now = clock.nowMs();
    if (keys.ended && !inputEnded) inputEnded = now;
    if (inputEnded && (now - std::max(lastOutput, *inputEnded) >= kQuietAfterInputMs ||
                       now - *inputEnded >= c.program.link.timeoutMs))
      ended = true;
    clock.sleep(kPumpMs);
    tool.tick();
  }
  if (!tool.running()) return kExitReportedErrors;  // the link was lost; the disconnect has said so
  tool.terminalStop();
  tool.onReceived = nullptr;
  return kExitOk;
}

}  // namespace

std::vector<CliCommand> traceCommands() {
  return {
      {"trace",
       "trace [--type lan|voip] [--level 2|3|4] [--details state34,timestamp,smp,state2,lcr|full] "
       "[--seconds N] [-o FILE]",
       "trace the gateway's protocols",
       "Connects and starts tracing as the tracing page's Start does: the details register S92 from\n"
       "--details (none unless given; full is all of them), then \"AT!L<level>\" (--type lan: LAN and\n"
       "Telnet, the default on the serial link) or \"AT!R<level>\" (--type voip: VoIP and GSM messages,\n"
       "the only type over the LAN link) at --level (default 2). The trace goes to stdout as it arrives\n"
       "and, with -o, is appended to FILE after a line with the date and time, as the page's trace file\n"
       "holds it. Runs for --seconds N, or until Ctrl+C or SIGTERM, and then stops tracing on the gateway\n"
       "(\"AT!RX\") as the page's Stop does. Exit 1 when the gateway refused the start or the stop, or the\n"
       "link was lost; 4 when FILE cannot be written.\n",
       traceCommand,
       {"--type", "--level", "--details", "--seconds", "-o"}},
      {"terminal", "terminal", "a raw terminal on the gateway's command line",
       "Connects and runs the Terminal topic: every byte read from stdin goes to the gateway as typed\n"
       "(a line ends with CR, \"\\r\"), and whatever the gateway sends is written to stdout as it\n"
       "arrives. On a terminal, stdin is read key by key until Ctrl+]; otherwise until it ends, and then\n"
       "until the gateway has been silent for half a second (at most the response time), so the reply\n"
       "to the last line is printed. Exit 1 when the link was lost.\n",
       terminalCommand},
  };
}

}  // namespace gw

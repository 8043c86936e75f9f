#include <algorithm>

#include "app/cli.h"
#include "app/cli_suggest.h"
#include "base/program_folder.h"
#include "base/text.h"
#include "shell/gateway.h"

namespace gw {

namespace {

constexpr const char* kGlobalOptions =
    "Options (anywhere on the line):\n"
    "  --home DIR           program folder (settings.ini, languages.ini, gtws.ini, LOG files)\n"
    "  --gateway NAME       select this gateway of gtws.ini first, as the gateway list's Select does; while\n"
    "                       no link type was ever chosen (gwctl settings --link), its address is used over\n"
    "                       the LAN\n"
    "  --lan HOST[:PORT]    use the LAN link to HOST (port 23 unless given)\n"
    "  --serial PORT        use the serial link on PORT (a device name such as ttyUSB0, or a path)\n"
    "  --user NAME          LAN login user name (instead of the gateway record's)\n"
    "  --password TEXT      LAN login password (instead of the gateway record's)\n"
    "  --timeout MS         response time of the LAN link in milliseconds\n"
    "  --log, --no-log      write the communication LOG, or do not\n"
    "  --yes                answer Yes to the program's questions (otherwise: No)\n"
    "  --json               print one JSON document instead of the table (identify, diff, history,\n"
    "                       sip-state, diag, calls, time, and the summary of several gateways)\n"
    "  --gateways A,B,C     run the command against these gateways of gtws.ini at once, each with its own\n"
    "                       link and LOG; their output is printed line by line after the gateway's name,\n"
    "                       then a summary table (gateway, result, exit status, seconds); the exit status\n"
    "                       is the worst one\n"
    "  --all-gateways       the same for every gateway of gtws.ini\n"
    "  --jobs N             how many gateways are served at once (default 4)\n"
    "  --help               this text; COMMAND --help tells about one command\n";

constexpr const char* kExitStatus =
    "Exit status: 0 success, 1 the command ran but reported errors, 2 usage error, 3 could not connect,\n"
    "4 file error (missing languages.ini, unreadable or unwritable file), 130 ended by Ctrl+C.\n"
    "Messages the desktop program shows in a box are printed on stderr, one line each: caption: text.\n";

std::vector<std::string> commandNames() {
  std::vector<std::string> names;
  for (const CliCommand& c : cliCommands()) names.push_back(c.name);
  return names;
}

const CliCommand* findCommand(const std::string& name) {
  const auto& all = cliCommands();
  const auto it = std::find_if(all.begin(), all.end(), [&](const CliCommand& c) { return c.name == name; });
  return it == all.end() ? nullptr : &*it;
}

bool wantsHelp(const std::vector<std::string>& args) {
  return std::find(args.begin(), args.end(), "--help") != args.end();
}

// Command-line overrides of the stored settings; false (with the reason printed) when one cannot apply.
bool applyOverrides(CliContext& c) {
  const CliOptions& o = c.options;
  Program& p = c.program;
  if (o.gateway) {
    if (!GatewayFile(p.selection.gatewaysPath()).has(*o.gateway)) {
      c.fail("no gateway named \"" + *o.gateway + "\" in gtws.ini");
      return false;
    }
    p.selection.selectGateway(*o.gateway);
    // A gateway record holds an address, not a serial port: while nobody ever chose a link type, that
    // address is what the user means.
    if (!p.settings.commTypeChosen && !o.serial && !hostIsUnset(p.selection.selected().host)) {
      p.link.comm.linkType = kLanLink;
    }
  }
  if (o.lan) {
    const auto hp = parseHostPort(*o.lan, kDefaultLanPort);
    p.link.comm.linkType = kLanLink;
    p.selection.selected().host = hp->host;
    p.selection.selected().port = hp->port;
  }
  if (o.serial) {
    p.link.comm.linkType = kSerialLink;
    p.link.comm.portName = *o.serial;
    p.link.comm.portList = {*o.serial};
  }
  if (o.user) p.selection.selected().userName = *o.user;
  if (o.password) p.selection.selected().password = *o.password;
  if (o.timeoutMs) p.link.timeoutMs = *o.timeoutMs;
  if (o.log) p.link.comm.saveLog = *o.log;
  return true;
}

}  // namespace

bool CliContext::connect(bool warnOldFirmware) {
  return program.connection.commConnect(warnOldFirmware);
}

void CliContext::disconnect() {
  if (program.link.comm.connected || program.link.tcpActive() || program.link.comm.portHandle) {
    program.connection.disconnectCommand();
  }
}

void CliContext::fail(const std::string& text) const {
  std::fprintf(err, "gwctl: %s\n", text.c_str());
  std::fflush(err);
}

const std::vector<CliCommand>& cliCommands() {
  static const std::vector<CliCommand> kCommands = [] {
    std::vector<CliCommand> all;
    for (auto group : {linkCommands(), gatewayCommands(), pageCommands(), driftCommands(), sipCommands(),
                       resetCommands(), reportCommands(), traceCommands(), diagCommands(), voiceCommands(),
                       firmwareCommands(), settingsCommands()}) {
      all.insert(all.end(), group.begin(), group.end());
    }
    return all;
  }();
  return kCommands;
}

std::string helpPointer(const std::string& command) {
  return " (see gwctl " + (command.empty() ? std::string() : command + " ") + "--help)";
}

std::string usageText() {
  std::string text = "Usage: gwctl [OPTIONS] COMMAND [ARGS]\n\nCommands:\n";
  for (const CliCommand& c : cliCommands()) {
    std::string line = "  " + c.synopsis;
    line.resize(std::max<std::size_t>(line.size() + 1, 34), ' ');
    text += line + c.summary + "\n";
  }
  return text + "\n" + kGlobalOptions + "\n" + kExitStatus;
}

int runGwctl(const std::vector<std::string>& arguments, std::FILE* out, std::FILE* err) {
  const CliParse parsed =
      parseCommandLine(arguments, [](const std::string& command, const std::string& option) {
        const CliCommand* c = findCommand(command);
        return c != nullptr &&
               std::find(c->ownOptions.begin(), c->ownOptions.end(), option) != c->ownOptions.end();
      });
  // A usage error is one line, so the reason stays in sight; the usage text is one --help away.
  if (!parsed.error.empty()) {
    std::fprintf(err, "gwctl: %s%s\n", parsed.error.c_str(), helpPointer().c_str());
    return kExitUsage;
  }
  const CliOptions& o = parsed.options;
  if (o.help && o.command.empty()) {
    std::fprintf(out, "%s", usageText().c_str());
    return kExitOk;
  }
  if (o.command.empty()) {
    std::fprintf(err, "gwctl: no command given\n\n%s", usageText().c_str());
    return kExitUsage;
  }
  const CliCommand* command = findCommand(o.command);
  if (command == nullptr) {
    std::fprintf(err, "gwctl: unknown command \"%s\"%s%s\n", o.command.c_str(),
                 didYouMean(o.command, commandNames()).c_str(), helpPointer().c_str());
    return kExitUsage;
  }
  if (wantsHelp(o.args)) {
    std::fprintf(out, "Usage: gwctl [OPTIONS] %s\n\n%s\n%s", command->synopsis.c_str(), command->help.c_str(),
                 kGlobalOptions);
    return kExitOk;
  }

  // A command prints JSON when its table row says so (CliCommand::json).
  // The summary of several gateways is JSON whatever the command prints.
  const bool fleet = !o.gateways.empty() || o.allGateways;
  if (o.json && !command->json && !fleet) {
    std::fprintf(err,
                 "gwctl: %s has no JSON output (--json: identify, diff, history, sip-state, diag, calls, "
                 "time, the summary of --gateways)%s\n",
                 o.command.c_str(), helpPointer().c_str());
    return kExitUsage;
  }
  if (fleet) return runFleet(o, *command, out, err);
  return runCommandOnce(o, *command, out, err);
}

int runCommandOnce(const CliOptions& o, const CliCommand& command, std::FILE* out, std::FILE* err,
                   std::atomic<bool>* fleetInterrupted) {
  SystemClock clock;
  ConsoleHost host(err);
  host.answerYes = o.yes;
  const ProgramFolder folder = resolveProgramFolder(o.home);
  Program program(clock, host, folder.path);
  // One of several gateways at once: the selection is this run's own, not the one settings.ini remembers.
  if (fleetInterrupted != nullptr) program.selection.rememberSelection = false;
  CliInterrupts interrupts(clock, program.link, fleetInterrupted);
  if (!program.start()) return kExitFileError;
  CliContext context{o, host, program, out, err, interrupts};
  if (!applyOverrides(context)) return kExitUsage;
  // A gateway record holds an address: one serial port cannot serve several gateways at once.
  if (fleetInterrupted != nullptr) program.link.comm.linkType = kLanLink;
  const int status = command.run(context, o.args);
  context.disconnect();
  if (interrupts.interrupted()) {
    context.fail("interrupted");
    return kExitInterrupted;
  }
  return status;
}

}  // namespace gw

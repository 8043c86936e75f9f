#pragma once
// gwctl: the program without windows, on the same Program object as the desktop program.

#include <atomic>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "app/cli_interrupts.h"
#include "app/cli_options.h"
#include "app/console_host.h"
#include "program/program.h"

namespace gw {

struct CliContext {
  const CliOptions& options;
  ConsoleHost& host;
  Program& program;
  std::FILE* out;
  std::FILE* err;
  CliInterrupts& interrupts;

  // Opens the link (login, identification). False when it did not come up; the reasons are printed.
  bool connect(bool warnOldFirmware);
  // Closes the link and its LOG.
  void disconnect();
  // "gwctl: <text>" on stderr.
  void fail(const std::string& text) const;
  // Ctrl+C or SIGTERM came: the command must not leave half its work behind (a load cut short is not
  // stored).
  bool interrupted() { return interrupts.interrupted(); }
};

struct CliCommand {
  std::string name;
  std::string synopsis;  // "identify", "send TEXT", ...
  std::string summary;   // one line for the command list
  std::string help;      // the command's own help text (options, results)
  std::function<int(CliContext&, const std::vector<std::string>& args)> run;
  // Options after the command that are the command's own, with a value each.
  std::vector<std::string> ownOptions = {};
  // The command prints one JSON document with --json.
  bool json = false;
};

// The commands, in the order the help lists them.
const std::vector<CliCommand>& cliCommands();
std::vector<CliCommand> linkCommands();
std::vector<CliCommand> gatewayCommands();
std::vector<CliCommand> resetCommands();
std::vector<CliCommand> reportCommands();
std::vector<CliCommand> pageCommands();
std::vector<CliCommand> settingsCommands();
std::vector<CliCommand> traceCommands();
std::vector<CliCommand> diagCommands();
std::vector<CliCommand> firmwareCommands();
std::vector<CliCommand> sipCommands();
std::vector<CliCommand> voiceCommands();

std::string usageText();

// " (see gwctl --help)", or " (see gwctl COMMAND --help)": the pointer after a one-line usage error.
std::string helpPointer(const std::string& command = {});

std::vector<CliCommand> driftCommands();

// Runs gwctl with its arguments (without the program name); returns the exit status.
int runGwctl(const std::vector<std::string>& arguments, std::FILE* out = stdout, std::FILE* err = stderr);

// One command against one gateway, on a Program of its own. `fleetInterrupted` is shared by the runs of
// one --gateways command: Ctrl+C taken by any of them ends them all.
int runCommandOnce(const CliOptions& options, const CliCommand& command, std::FILE* out, std::FILE* err,
                   std::atomic<bool>* fleetInterrupted = nullptr);

// --gateways / --all-gateways: the command against several gateways at once, then the summary.
int runFleet(const CliOptions& options, const CliCommand& command, std::FILE* out, std::FILE* err);

// "save PAGE...|all [-i FILE] [--snapshot]", for restore too.
int saveFromFile(CliContext& c, const std::vector<std::string>& args);

}  // namespace gw

#pragma once
// gwctl: the program without windows, on the same Program object as the desktop program.

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

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

  // Opens the link (login, identification). False when it did not come up; the reasons are printed.
  bool connect(bool warnOldFirmware);
  // Closes the link and its LOG.
  void disconnect();
  // "gwctl: <text>" on stderr.
  void fail(const std::string& text) const;
};

struct CliCommand {
  std::string name;
  std::string synopsis;  // "identify", "send TEXT", ...
  std::string summary;   // one line for the command list
  std::string help;      // the command's own help text (options, results)
  std::function<int(CliContext&, const std::vector<std::string>& args)> run;
  // Options after the command that are the command's own, with a value each.
  std::vector<std::string> ownOptions = {};
};

// The commands, in the order the help lists them.
const std::vector<CliCommand>& cliCommands();
std::vector<CliCommand> linkCommands();
std::vector<CliCommand> gatewayCommands();
std::vector<CliCommand> resetCommands();
std::vector<CliCommand> pageCommands();

std::string usageText();

// Runs gwctl with its arguments (without the program name); returns the exit status.
int runGwctl(const std::vector<std::string>& arguments, std::FILE* out = stdout, std::FILE* err = stderr);

}  // namespace gw

#pragma once
// gwctl's command line: global options (anywhere on the line), a command and its arguments.

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace gw {

// Exit status of gwctl.
inline constexpr int kExitOk = 0;
inline constexpr int kExitReportedErrors = 1;  // the command ran but reported errors
inline constexpr int kExitUsage = 2;
inline constexpr int kExitNoConnection = 3;   // no answer, login failed, identification failed
inline constexpr int kExitFileError = 4;      // missing languages.ini, unreadable or unwritable file
inline constexpr int kExitInterrupted = 130;  // Ctrl+C or SIGTERM ended the command (128 + SIGINT)

// Gateways served at once by --gateways and --all-gateways unless --jobs says otherwise.
inline constexpr int kDefaultJobs = 4;
inline constexpr int kMaxJobs = 64;

struct CliOptions {
  std::optional<std::string> home;
  std::optional<std::string> gateway;
  std::optional<std::string> lan;  // HOST[:PORT]
  std::optional<std::string> serial;
  std::optional<std::string> user;
  std::optional<std::string> password;
  std::optional<int> timeoutMs;
  std::optional<bool> log;
  bool yes = false;
  bool help = false;
  bool json = false;  // one JSON document on stdout instead of the table
  // Several gateways of gtws.ini at once: the named ones, or all of them.
  std::vector<std::string> gateways;
  bool allGateways = false;
  int jobs = kDefaultJobs;
  std::string command;
  std::vector<std::string> args;  // the command's own arguments and options, in order
};

struct CliParse {
  CliOptions options;
  std::string error;  // non-empty: a usage error
};

// `commandOwns(command, option)` tells which options after a command belong to it rather than being global
// (the gateway command's --user and --password are the gateway's fields, not the login override).
using CommandOwnsOption = std::function<bool(const std::string& command, const std::string& option)>;
CliParse parseCommandLine(const std::vector<std::string>& arguments,
                          const CommandOwnsOption& commandOwns = {});

// Every global option, as written on the command line ("--home", "--yes", ...).
std::vector<std::string> globalOptionNames();

// "HOST[:PORT]"; nullopt when the port is not a number in 1..65535.
struct HostPort {
  std::string host;
  int port;
};
std::optional<HostPort> parseHostPort(const std::string& text, int defaultPort);

// C escapes \r, \n, \t and \\ turned into their characters; any other backslash stays as it is.
std::string unescapeCommand(const std::string& text);

}  // namespace gw

// gwctl commands of the diagnostic calls and actual calls windows and the login account page: diag, calls,
// account.

#include <algorithm>
#include <array>

#include "app/cli.h"
#include "app/cli_json.h"
#include "app/cli_suggest.h"
#include "base/caption_ids.h"
#include "base/text.h"
#include "online/actual_calls.h"
#include "online/diagnostics.h"
#include "online/login_account.h"

namespace gw {

namespace {

// The diag table's columns: the module number, its values as the window labels them, its signal.
constexpr std::array<const char*, kModuleStateValues + 2> kDiagColumns = {
    "Module",    "Layer2",      "Layer3",        "Network", "Net ID", "Net cell",
    "Module ID", "Revision ID", "Serial number", "SIM ID",  "Signal"};
constexpr const char* kNoValue = "-";
constexpr const char* kColumnGap = "  ";

using Row = std::vector<std::string>;

// Columns as wide as their widest cell, two blanks apart, no blanks at the end of a line.
void printTable(std::FILE* out, const std::vector<Row>& rows) {
  std::vector<std::size_t> widths;
  for (const Row& row : rows) {
    widths.resize(std::max(widths.size(), row.size()));
    for (std::size_t c = 0; c < row.size(); ++c) widths[c] = std::max(widths[c], row[c].size());
  }
  for (const Row& row : rows) {
    std::string line;
    for (std::size_t c = 0; c < row.size(); ++c) {
      line += row[c];
      if (c + 1 < row.size()) line += std::string(widths[c] - row[c].size(), ' ') + kColumnGap;
    }
    std::fprintf(out, "%s\n", line.c_str());
  }
  std::fflush(out);
}

std::string cell(const std::string& value) {
  return value.empty() ? kNoValue : value;
}

// Says once why the poll ended early: the gateway went silent, or refused.
int pollFailed(CliContext& c, PollResult result) {
  const int text = result == PollResult::Silent ? cap::kStoppedAnswering : cap::kCommunicationFailed;
  c.host.messageBox(Message{c.program.captions.at(text), c.program.captions.at(cap::kErrorTitle),
                            MessageKind::Error, text, cap::kErrorTitle});
  return kExitReportedErrors;
}

int noArguments(CliContext& c, const std::string& command, const std::vector<std::string>& args) {
  if (args.empty()) return kExitOk;
  c.fail(command + " takes no arguments" + helpPointer(command));
  return kExitUsage;
}

// The table's rows after its header, as objects keyed by the header's column names.
nlohmann::json jsonRows(const std::vector<Row>& rows) {
  nlohmann::json list = nlohmann::json::array();
  for (std::size_t r = 1; r < rows.size(); ++r) {
    nlohmann::json object = nlohmann::json::object();
    for (std::size_t i = 0; i < rows[r].size() && i < rows[0].size(); ++i) object[rows[0][i]] = rows[r][i];
    list.push_back(object);
  }
  return list;
}

int diagCommand(CliContext& c, const std::vector<std::string>& args) {
  if (const int usage = noArguments(c, "diag", args)) return usage;
  if (!c.connect(false)) return kExitNoConnection;
  DiagTool& tool = c.program.tool<DiagTool>();
  const PollResult result = tool.poll();
  std::vector<Row> rows = {Row(kDiagColumns.begin(), kDiagColumns.end())};
  for (int m = 0; m < tool.modulesRead(); ++m) {
    const DiagTool::ModuleLabels& labels = tool.modules[static_cast<std::size_t>(m)];
    Row row = {std::to_string(m)};
    for (const TextField& value : labels.values) row.push_back(cell(value.text));
    row.push_back(cell(labels.signal.text));
    rows.push_back(row);
  }
  if (c.options.json) {
    printJson(c.out, {{"modules", jsonRows(rows)}});
  } else {
    printTable(c.out, rows);
  }
  return result == PollResult::Done ? kExitOk : pollFailed(c, result);
}

// The gateway's own table, its CR LF line ends as this system's.
std::string unixLines(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    out += text[i];
  }
  if (!out.empty() && out.back() != '\n') out += '\n';
  return out;
}

int callsCommand(CliContext& c, const std::vector<std::string>& args) {
  if (const int usage = noArguments(c, "calls", args)) return usage;
  if (!c.connect(false)) return kExitNoConnection;
  ActualTool& tool = c.program.tool<ActualTool>();
  const PollResult result = tool.poll();
  if (result != PollResult::Done) return pollFailed(c, result);
  if (c.options.json) {
    // The gateway's own table: its lines as they stand, the header first.
    nlohmann::json lines = nlohmann::json::array();
    for (const std::string& line : splitFields(unixLines(tool.mActual.text), '\n')) {
      if (!line.empty()) lines.push_back(line);
    }
    printJson(c.out, {{"calls", lines}});
    return kExitOk;
  }
  std::fprintf(c.out, "%s", unixLines(tool.mActual.text).c_str());
  std::fflush(c.out);
  return kExitOk;
}

struct AccountArgs {
  bool disable = false;
  std::optional<std::string> user;
  std::optional<std::string> password;
  std::string error;
};

AccountArgs parseAccountArgs(const std::vector<std::string>& args) {
  AccountArgs parsed;
  const std::vector<std::string> known = {"--user", "--password", "--disable"};
  for (std::size_t i = 0; i < args.size() && parsed.error.empty(); ++i) {
    std::string option = args[i];
    std::optional<std::string> value;
    const std::size_t eq = option.find('=');
    if (startsWith(option, "--") && eq != std::string::npos) {
      value = option.substr(eq + 1);
      option.resize(eq);
    }
    if (option == "--disable" && !value) {
      parsed.disable = true;
      continue;
    }
    std::optional<std::string>* target = option == "--user"       ? &parsed.user
                                         : option == "--password" ? &parsed.password
                                                                  : nullptr;
    if (target == nullptr) {
      parsed.error = "unknown argument " + option + didYouMean(option, known);
    } else if (target->has_value()) {
      parsed.error = option + " given twice";
    } else if (!value && i + 1 >= args.size()) {
      parsed.error = option + " needs a value";
    } else {
      *target = value ? *value : args[++i];
    }
  }
  if (!parsed.error.empty()) return parsed;
  if (parsed.disable && (parsed.user || parsed.password)) {
    parsed.error = "--disable takes neither --user nor --password";
  } else if (!parsed.disable && (!parsed.user || !parsed.password)) {
    parsed.error = "give --user U --password P, or --disable";
  }
  return parsed;
}

// What the page would not let the user type, in words.
std::string problemText(AccountProblem problem) {
  switch (problem) {
    case AccountProblem::EmptyUser:
      return "the user name must not be empty";
    case AccountProblem::EmptyPassword:
      return "the password must not be empty";
    case AccountProblem::UserCharacters:
      return "the user name may hold letters (A-Z, a-z) and digits only";
    case AccountProblem::PasswordCharacters:
      return "the password may hold letters (A-Z, a-z) and digits only";
    case AccountProblem::TooLong:
      return "user name and password together may have at most " + std::to_string(LoginTool::kAccountLength) +
             " characters";
    case AccountProblem::None:
      break;
  }
  return {};
}

int exitStatusOf(AccountOutcome outcome) {
  switch (outcome) {
    case AccountOutcome::NotConnected:
      return kExitNoConnection;
    case AccountOutcome::LanRefused:
    case AccountOutcome::Declined:
    case AccountOutcome::Refused:
    case AccountOutcome::Failed:
      return kExitReportedErrors;
    case AccountOutcome::Done:
      break;
  }
  return kExitOk;
}

int accountCommand(CliContext& c, const std::vector<std::string>& args) {
  const AccountArgs parsed = parseAccountArgs(args);
  if (!parsed.error.empty()) {
    c.fail(parsed.error + helpPointer("account"));
    return kExitUsage;
  }
  LoginTool& page = c.program.tool<LoginTool>();
  if (parsed.disable) {
    const AccountOutcome outcome = page.sbLoginDisableClick();
    if (outcome == AccountOutcome::Declined) c.fail("not confirmed (give --yes to answer the question Yes)");
    return exitStatusOf(outcome);
  }
  const AccountProblem problem = accountProblem(*parsed.user, *parsed.password);
  if (problem != AccountProblem::None) {
    c.fail(problemText(problem) + "; nothing was sent" + helpPointer("account"));
    return kExitUsage;
  }
  // Typed into the page as the user would, the verification the same as the password.
  page.editText("eLoginUser", *parsed.user);
  page.editText("eLoginPass", *parsed.password);
  page.editText("eLoginPassVer", *parsed.password);
  return exitStatusOf(page.sbLoginSaveClick());
}

}  // namespace

std::vector<CliCommand> diagCommands() {
  return {
      {"diag",
       "diag",
       "one poll of the GSM modules' states, as a table",
       "Connects and reads each GSM module's state (\"AT&S00\" .. \"AT&S03\") and signal level\n"
       "(\"AT&Q0\" .. \"AT&Q3\") once, as the diagnostic calls window does at every refresh. Prints a\n"
       "table: a line per module with its layer 2 and 3 states, network, net and cell identity, module,\n"
       "revision and serial number, SIM identity and signal level (\"-\" where the gateway gave nothing).\n"
       "When the gateway refuses or falls silent, the modules read so far are printed, one message says\n"
       "why, and the exit status is 1.\n",
       diagCommand,
       {},
       true},
      {"calls",
       "calls",
       "one poll of the calls in progress, as a table",
       "Connects and reads the calls in progress (\"AT&X\") once, as the actual calls window does at every\n"
       "refresh, and prints the gateway's table from its \"cha-layer3\" header on. Exit 1 with one message\n"
       "when the gateway does not answer.\n",
       callsCommand,
       {},
       true},
      {"account",
       "account --user U --password P | --disable",
       "set or remove the gateway's login account (serial link only)",
       "Sets the user name and password the gateway asks for at a LAN login (\"AT%X80=U/P\"), or removes\n"
       "the login (--disable, which asks first: give --yes). As the login account page, it works over the\n"
       "serial link only: over the LAN it says so, sends nothing and exits 1. A user name or password that\n"
       "the page would not take (empty, other characters than letters and digits, more than 14 characters\n"
       "together) is a usage error (exit 2) and nothing is sent. Exit 1 when the gateway did not take the\n"
       "account. --user and --password after the command are the account's; before it they remain the LAN\n"
       "login.\n",
       accountCommand,
       {"--user", "--password"}},
  };
}

}  // namespace gw

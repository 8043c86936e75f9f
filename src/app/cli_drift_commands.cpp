// gwctl commands on configuration drift and history: diff, history, restore.

#include "app/cli.h"
#include "app/cli_json.h"
#include "app/cli_page_args.h"
#include "base/caption_ids.h"
#include "base/captions.h"
#include "paramfile/file_history.h"
#include "program/drift.h"

namespace gw {

namespace {

std::string counted(std::size_t n, const char* one, const char* many) {
  return std::to_string(n) + " " + (n == 1 ? one : many);
}

// "2 differences, 3 pages compared" (", 1 page not read" when one could not be read).
std::string driftSummary(const Drift& d) {
  if (d.differences.empty() && d.unread.empty())
    return "no differences, " + counted(d.compared.size(), "page", "pages") + " compared";
  std::string text = counted(d.differences.size(), "difference", "differences") + ", " +
                     counted(d.compared.size(), "page", "pages") + " compared";
  if (!d.unread.empty()) text += ", " + counted(d.unread.size(), "page", "pages") + " not read";
  return text;
}

nlohmann::json driftJson(Program& p, const Drift& d, const std::string& file) {
  nlohmann::json differences = nlohmann::json::array();
  for (const KeyDifference& k : d.differences) {
    differences.push_back(
        {{"section", k.section}, {"key", k.key}, {"file", k.fileValue}, {"gateway", k.gatewayValue}});
  }
  return {{"file", file},
          {"equal", d.differences.empty() && d.unread.empty()},
          {"differences", differences},
          {"compared", namesList(p, d.compared)},
          {"unread", namesList(p, d.unread)}};
}

int diffCommand(CliContext& c, const std::vector<std::string>& args) {
  const PageArgs parsed = parsePageArgs(c.program, args, "-i");
  if (!parsed.error.empty()) {
    c.fail(parsed.error + helpPointer("diff"));
    return kExitUsage;
  }
  Program& p = c.program;
  const std::string file = parsed.file.value_or(p.selection.selected().parameterFile);
  const Drift d = compareWithGateway(p, parsed.pages, parsed.all, file);
  switch (d.result) {
    case DriftResult::NotConnected:
      return kExitNoConnection;
    case DriftResult::FileError:
      for (const std::string& text : d.fileErrors) c.fail(file + ": " + text);
      return kExitFileError;
    case DriftResult::Compared:
    case DriftResult::Incomplete:
      break;
  }
  if (c.interrupted()) return kExitInterrupted;
  printErrorList(c, p.pageState.errorList);
  if (!d.unread.empty()) c.fail("not compared (not read from the gateway): " + namesOf(p, d.unread));
  if (c.options.json) {
    printJson(c.out, driftJson(p, d, file));
  } else {
    for (const KeyDifference& k : d.differences) std::fprintf(c.out, "%s\n", differenceLine(k).c_str());
    std::fprintf(c.out, "%s\n", driftSummary(d).c_str());
    std::fflush(c.out);
  }
  return d.differences.empty() && d.unread.empty() ? kExitOk : kExitReportedErrors;
}

int historyCommand(CliContext& c, const std::vector<std::string>& args) {
  if (!args.empty()) {
    c.fail("history takes no arguments" + helpPointer("history"));
    return kExitUsage;
  }
  const std::string& file = c.program.selection.selected().parameterFile;
  const std::vector<HistoryEntry> entries = historyEntries(file);
  if (c.options.json) {
    nlohmann::json list = nlohmann::json::array();
    for (const HistoryEntry& e : entries) list.push_back({{"stamp", e.stamp}, {"path", e.path}});
    printJson(c.out, {{"file", file}, {"folder", historyFolder(file)}, {"entries", list}});
    return kExitOk;
  }
  for (const HistoryEntry& e : entries) std::fprintf(c.out, "%s\t%s\n", e.stamp.c_str(), e.path.c_str());
  std::fflush(c.out);
  return kExitOk;
}

int restoreCommand(CliContext& c, const std::vector<std::string>& args) {
  std::vector<std::string> rest = args;
  const bool snapshot = std::erase(rest, std::string("--snapshot")) > 0;
  if (rest.size() != 1 || rest[0].starts_with("-")) {
    c.fail("restore needs one STAMP of gwctl history" + helpPointer("restore"));
    return kExitUsage;
  }
  Program& p = c.program;
  const std::optional<HistoryEntry> entry = findHistoryEntry(p.selection.selected().parameterFile, rest[0]);
  if (!entry) {
    c.fail("no history entry \"" + rest[0] + "\" (gwctl history lists them)");
    return kExitUsage;
  }
  const std::string question = formatCaption(p.captions.at(cap::kRestoreQuestion), {entry->stamp});
  const Answer answer =
      p.host.messageBox(Message{question, p.captions.at(cap::kQuestionTitle), MessageKind::Question,
                                cap::kRestoreQuestion, cap::kQuestionTitle});
  if (answer != Answer::Yes) {
    c.fail("not confirmed (give --yes to answer the question Yes)");
    return kExitReportedErrors;
  }
  std::vector<std::string> save = {"all", "-i", entry->path};
  if (snapshot) save.emplace_back("--snapshot");
  return saveFromFile(c, save);
}

}  // namespace

std::vector<CliCommand> driftCommands() {
  return {
      {"diff",
       "diff PAGE...|all [-i FILE]",
       "compare the gateway with its parameter file",
       "Connects, reads each PAGE from the gateway (all: every page, as \"load all\" reads them) and "
       "compares\n"
       "it with the selected gateway's parameter file (or FILE) key by key, in the file's own terms: one\n"
       "line per difference on stdout, \"section / key: file value \u2192 gateway value\", then a summary "
       "line.\n"
       "Nothing is written, neither to the gateway nor to the file. Exit 0 when they are equal, 1 when they\n"
       "differ or a page could not be read (its lines on stderr), 4 when the file cannot be read.\n",
       diffCommand,
       {},
       true},
      {"history",
       "history",
       "list the kept versions of the gateway's configuration",
       "Prints one line per entry of the history folder beside the selected gateway's parameter file,\n"
       "oldest first: its STAMP and its path, separated by a tab. An entry is the file as it was before the\n"
       "program overwrote it, or what the gateway held before a save with --snapshot (the last 50 are "
       "kept).\n",
       historyCommand,
       {},
       true},
      {"restore", "restore STAMP [--snapshot]", "write a kept version back to the gateway",
       "Asks for confirmation (answered by --yes; without it nothing is sent), then writes every page of "
       "the\n"
       "history entry STAMP to the gateway, as \"save all -i ENTRY\" does. The parameter file stays as it\n"
       "is. --snapshot: keep what the gateway holds first, as save --snapshot does.\n",
       restoreCommand},
  };
}

}  // namespace gw

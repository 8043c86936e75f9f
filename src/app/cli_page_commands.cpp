// gwctl commands on the parameter pages: load, save, defaults.

#include <algorithm>

#include "app/cli.h"
#include "app/cli_page_args.h"
#include "app/cli_suggest.h"
#include "base/caption_ids.h"
#include "base/files.h"
#include "base/ini_file.h"
#include "base/text.h"
#include "pages/page_actions.h"
#include "paramfile/file_history.h"
#include "paramfile/parameter_file.h"
#include "program/snapshot.h"
#include "program/whole_transfers.h"

namespace gw {

namespace {

// The word that names every page at once.
constexpr std::string_view kAllPages = "all";
constexpr std::string_view kSnapshotOption = "--snapshot";

}  // namespace

std::string pageList() {
  std::string names;
  for (std::string_view n : Program::pageNames()) names += (names.empty() ? "" : ", ") + std::string(n);
  return names;
}

PageArgs parsePageArgs(Program& program, const std::vector<std::string>& args,
                       const std::string& fileOption) {
  PageArgs parsed;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == fileOption) {
      if (i + 1 >= args.size()) {
        parsed.error = fileOption + " needs a file name";
        return parsed;
      }
      parsed.file = args[++i];
      continue;
    }
    if (startsWith(args[i], "-")) {
      parsed.error = "unknown option " + args[i] + didYouMean(args[i], {fileOption});
      return parsed;
    }
    if (args[i] == kAllPages) {
      parsed.all = true;
      continue;
    }
    Page* page = program.pageNamed(args[i]);
    if (page == nullptr) {
      const auto& names = Program::pageNames();
      const bool known = std::find(names.begin(), names.end(), args[i]) != names.end();
      std::vector<std::string> available;
      for (std::string_view n : names) {
        if (program.pageNamed(n) != nullptr) available.emplace_back(n);
      }
      parsed.error = known ? "the page \"" + args[i] + "\" is not available yet (pages: " + pageList() + ")"
                           : "unknown page \"" + args[i] + "\"" + didYouMean(args[i], available) +
                                 " (pages: " + pageList() + ")";
      return parsed;
    }
    if (std::find(parsed.pages.begin(), parsed.pages.end(), page) == parsed.pages.end())
      parsed.pages.push_back(page);
  }
  if (parsed.all) parsed.pages = program.pages();
  if (parsed.pages.empty()) parsed.error = "name at least one page (" + pageList() + ", or all)";
  return parsed;
}

void printErrorList(CliContext& c, const std::string& errorList) {
  for (const std::string& line : splitFields(errorList, '\n')) {
    if (!line.empty()) std::fprintf(c.err, "%s\n", line.c_str());
  }
  if (!errorList.empty() && c.program.link.gatewayStoppedAnswering()) {
    std::fprintf(c.err, "%s\n", c.program.captions.at(cap::kStoppedAnswering).c_str());
  }
  std::fflush(c.err);
}

SectionMask sectionsOf(const std::vector<Page*>& pages) {
  SectionMask mask;
  for (const Page* page : pages) mask = mask | page->traits().section;
  return mask;
}

namespace {

// The pages' sections into FILE, or the selected gateway's parameter file, as "Save to file" writes them.
int storePages(CliContext& c, const std::vector<Page*>& pages, const std::optional<std::string>& file) {
  Program& p = c.program;
  const std::string path = file.value_or(p.selection.selected().parameterFile);
  if (!file) makeFolders(folderOfPath(path));
  for (Page* page : pages) page->saveFile();
  if (!saveParameterFile(p.image, path, sectionsOf(pages), p.clock.localTime())) {
    // A file too large to read is not rewritten (its other lines would be lost): say so rather than "cannot".
    const bool tooLarge = IniFile::load(path).tooLarge();
    c.fail("cannot write " + path + (tooLarge ? std::string(": ") + kIniFileTooLargeText : ""));
    return kExitFileError;
  }
  for (Page* page : pages) {
    if (page->traits().saveFileClearsModified) page->setModified(false);
  }
  return kExitOk;
}

}  // namespace

std::vector<std::string> namesList(Program& p, const std::vector<Page*>& pages) {
  std::vector<std::string> names;
  for (const PageRegistration& row : pageRegistry()) {
    if (std::find(pages.begin(), pages.end(), &p.pageOf(row)) != pages.end()) names.emplace_back(row.cliName);
  }
  return names;
}

std::string namesOf(Program& p, const std::vector<Page*>& pages) {
  std::string names;
  for (const std::string& name : namesList(p, pages)) names += (names.empty() ? "" : ", ") + name;
  return names;
}

namespace {

// "load all": the whole configuration as "Load" reads it; the pages that were read go into the file.
int loadAll(CliContext& c, const PageArgs& parsed) {
  const WholeTransfer t = loadAllFromGateway(c.program);
  if (t.result == WholeResult::NotConnected) return kExitNoConnection;
  if (c.interrupted()) return kExitInterrupted;
  std::vector<Page*> read = t.done;
  read.insert(read.end(), t.failed.begin(), t.failed.end());
  const int stored = read.empty() ? kExitOk : storePages(c, read, parsed.file);
  printErrorList(c, c.program.pageState.errorList);
  if (t.result == WholeResult::Unexpected) c.fail(c.program.captions.at(cap::kTransferFailed));
  if (stored != kExitOk) return stored;
  return t.result == WholeResult::Succeeded ? kExitOk : kExitReportedErrors;
}

int loadCommand(CliContext& c, const std::vector<std::string>& args) {
  const PageArgs parsed = parsePageArgs(c.program, args, "-o");
  if (!parsed.error.empty()) {
    c.fail(parsed.error + helpPointer("load"));
    return kExitUsage;
  }
  if (parsed.all) return loadAll(c, parsed);
  std::string errors;
  // A page whose dump never arrived still holds what it held before: it is not stored, so the file keeps
  // that page's section as it was.
  std::vector<Page*> read;
  bool failed = false;
  for (Page* page : parsed.pages) {
    const PageResult result = loadFromGate(*page);
    if (result == PageResult::NotConnected) return kExitNoConnection;
    if (result != PageResult::Unread) read.push_back(page);
    failed = failed || result != PageResult::Succeeded;
    errors += c.program.pageState.errorList;
  }
  // A load cut short holds defaults in place of what was not read: storing it would lose the stored values.
  if (c.interrupted()) return kExitInterrupted;
  const int stored = read.empty() ? kExitOk : storePages(c, read, parsed.file);
  printErrorList(c, errors);
  if (stored != kExitOk) return stored;
  return failed ? kExitReportedErrors : kExitOk;
}

// "save all": every page from the file to the gateway as "Save" writes them, without the page checks; the
// summary says which pages reached the gateway whole and which did not.
int saveAll(CliContext& c) {
  Program& p = c.program;
  imageToPages(p);
  const WholeTransfer t = saveAllToGateway(p);
  if (t.result == WholeResult::NotConnected) return kExitNoConnection;
  printErrorList(c, p.pageState.errorList);
  if (t.result == WholeResult::Unexpected) c.fail(p.captions.at(cap::kTransferFailed));
  if (t.result == WholeResult::Succeeded) return kExitOk;
  if (!t.done.empty()) c.fail("written to the gateway: " + namesOf(p, t.done));
  std::vector<Page*> notWhole = t.failed;
  for (Page* page : p.pages()) {
    const bool visited = std::find(t.done.begin(), t.done.end(), page) != t.done.end() ||
                         std::find(t.failed.begin(), t.failed.end(), page) != t.failed.end();
    if (!visited) notWhole.push_back(page);
  }
  if (!notWhole.empty()) c.fail("not written whole: " + namesOf(p, notWhole));
  return kExitReportedErrors;
}

}  // namespace

int saveFromFile(CliContext& c, const std::vector<std::string>& arguments) {
  std::vector<std::string> args = arguments;
  const bool snapshot = std::erase(args, std::string(kSnapshotOption)) > 0;
  const PageArgs parsed = parsePageArgs(c.program, args, "-i");
  if (!parsed.error.empty()) {
    c.fail(parsed.error + helpPointer("save"));
    return kExitUsage;
  }
  Program& p = c.program;
  const std::string path = parsed.file.value_or(p.selection.selected().parameterFile);
  if (!fileExists(path)) {
    c.fail("no parameter file " + path);
    return kExitFileError;
  }
  if (snapshot) {
    const Snapshot kept = snapshotToHistory(p, parsed.pages, parsed.all);
    if (kept.result == SnapshotResult::NotConnected) return kExitNoConnection;
    if (c.interrupted()) return kExitInterrupted;
    if (kept.result != SnapshotResult::Kept) {
      printErrorList(c, p.pageState.errorList);
      c.fail(kept.result == SnapshotResult::Unread
                 ? "the gateway's configuration could not be read whole, so it was not kept; nothing was sent"
                 : "cannot write the gateway's configuration to " + historyFolder(path) +
                       "; nothing was sent");
      return kept.result == SnapshotResult::Unread ? kExitReportedErrors : kExitFileError;
    }
    std::fprintf(c.err, "gwctl: the gateway's configuration was kept in %s\n", kept.path.c_str());
  }
  // A file that cannot be read whole is not sent at all: a section that stopped at a bad key would be
  // completed from whatever the pages held before.
  std::vector<std::string> sectionErrors;
  const bool loaded = loadParameterFile(
      p.image, path, sectionsOf(parsed.pages),
      [&sectionErrors](ParamSection, const std::string& text) { sectionErrors.push_back(text); });
  if (!loaded) {
    for (const std::string& text : sectionErrors) c.fail(path + ": " + text);
    if (sectionErrors.empty()) c.fail("cannot read " + path);
    c.fail("nothing was sent");
    return kExitFileError;
  }
  if (parsed.all) return saveAll(c);
  bool valid = true;
  for (Page* page : parsed.pages) {
    page->loadFile();
    valid = page->valid() && valid;
  }
  if (!valid) {
    p.host.messageBox(Message{p.captions.at(cap::kInvalidValues), p.captions.at(cap::kErrorTitle),
                              MessageKind::Error, cap::kInvalidValues, cap::kErrorTitle});
    return kExitReportedErrors;
  }
  std::string errors;
  for (Page* page : parsed.pages) {
    if (saveToGate(*page) == PageResult::NotConnected) return kExitNoConnection;
    errors += p.pageState.errorList;
  }
  printErrorList(c, errors);
  return errors.empty() ? kExitOk : kExitReportedErrors;
}

namespace {

int defaultsCommand(CliContext& c, const std::vector<std::string>& args) {
  const PageArgs parsed = parsePageArgs(c.program, args, "-o");
  if (!parsed.error.empty()) {
    c.fail(parsed.error + helpPointer("defaults"));
    return kExitUsage;
  }
  if (parsed.all) {
    defaultSettings(c.program);
  } else {
    for (Page* page : parsed.pages) restoreDefaults(*page);
  }
  return storePages(c, parsed.pages, parsed.file);
}

}  // namespace

std::vector<CliCommand> pageCommands() {
  return {
      {"load", "load PAGE...|all [-o FILE]", "read pages from the gateway into a parameter file",
       "Connects, runs \"Load from gate\" of each PAGE and stores the pages in the selected gateway's\n"
       "parameter file (or FILE), as \"Save to file\" writes them; a page whose dump never arrived keeps "
       "its\n"
       "section of the file. The error list is printed on stderr, one line each; exit 1 when it is not\n"
       "empty. all: every page, as the \"Load\" command reads them, with a progress line on a terminal.\n"
       "PAGE: " +
           pageList() + ".\n",
       loadCommand},
      {"save", "save PAGE...|all [-i FILE] [--snapshot]", "write pages from a parameter file to the gateway",
       "Loads each PAGE from the selected gateway's parameter file (or FILE); a file that cannot be read\n"
       "whole is a file error (exit 4) and nothing is sent. Each page is checked: invalid values are\n"
       "reported and nothing is sent (exit 1). Otherwise connects and runs \"Save to gate\" of each page;\n"
       "the error list is printed on stderr, one line each; exit 1 when it is not empty. all: every page,\n"
       "as the \"Save\" command writes them (without page checks), then which pages were not written "
       "whole.\n"
       "--snapshot: first read what the gateway holds for these pages and keep it in the history folder\n"
       "beside the gateway's parameter file (gwctl history lists it); when that cannot be read whole or\n"
       "kept, nothing is sent. Without it nothing but the writes goes to the gateway.\n",
       saveFromFile},
      {"defaults", "defaults PAGE...|all [-o FILE]", "store the pages' defaults in a parameter file",
       "Runs \"Defaults\" of each PAGE (from defaults.ini in the program folder, or the built-in defaults)\n"
       "and stores the pages in the selected gateway's parameter file (or FILE). Nothing is sent.\n"
       "all: \"Default settings\" of every page.\n",
       defaultsCommand},
  };
}

}  // namespace gw

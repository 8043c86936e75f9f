#pragma once
// What the gwctl commands on pages share: the page arguments, the error list on stderr, page names.

#include <optional>
#include <string>
#include <vector>

#include "app/cli.h"
#include "paramfile/param_section.h"

namespace gw {

struct PageArgs {
  std::vector<Page*> pages;
  bool all = false;  // "all": the whole configuration, moved as the whole-configuration commands move it
  std::optional<std::string> file;
  std::string error;
};

// "system, ethernet, ...": every page's gwctl name.
std::string pageList();
// PAGE… and one file option (-o for the pages' target, -i for their source).
PageArgs parsePageArgs(Program& program, const std::vector<std::string>& args, const std::string& fileOption);
// The error list, one line each, without the line feeds that end them; then, once, when the link died
// under the command, that the gateway stopped answering.
void printErrorList(CliContext& c, const std::string& errorList);
SectionMask sectionsOf(const std::vector<Page*>& pages);
// The gwctl names of these pages, in page order.
std::string namesOf(Program& p, const std::vector<Page*>& pages);
std::vector<std::string> namesList(Program& p, const std::vector<Page*>& pages);

}  // namespace gw

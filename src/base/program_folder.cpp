#include "base/program_folder.h"

#include <cstdlib>

#include "base/files.h"

namespace gw {

namespace {
std::optional<std::string> environment(const char* name) {
  const char* v = std::getenv(name);
  if (v == nullptr || *v == '\0') return std::nullopt;
  return std::string(v);
}
}  // namespace

ProgramFolder chooseProgramFolder(const ProgramFolderInputs& in) {
  if (in.homeOption && !in.homeOption->empty()) return {*in.homeOption, ProgramFolder::Source::HomeOption};
  if (in.homeVariable && !in.homeVariable->empty()) return {*in.homeVariable, ProgramFolder::Source::HomeVariable};
  if (!in.executableFolder.empty() && fileExists(joinPath(in.executableFolder, kLanguagesFile))) {
    return {in.executableFolder, ProgramFolder::Source::ExecutableFolder};
  }
  std::string dataHome;
  if (in.xdgDataHome && !in.xdgDataHome->empty()) {
    dataHome = *in.xdgDataHome;
  } else {
    dataHome = joinPath(in.userHome.value_or("."), ".local/share");
  }
  return {joinPath(dataHome, "gwconfig"), ProgramFolder::Source::UserData};
}

std::string installedDataFolder(const std::string& executableFolder) {
  return joinPath(folderOfPath(executableFolder), "share/gwconfig");
}

bool seedProgramFolder(const std::string& folder, const std::string& dataFolder) {
  if (!makeFolders(folder)) return false;
  for (const char* name : {kLanguagesFile, kDefaultsFile}) {
    const std::string target = joinPath(folder, name);
    const std::string source = joinPath(dataFolder, name);
    if (!fileExists(target) && fileExists(source)) copyFile(source, target);
  }
  return true;
}

ProgramFolder resolveProgramFolder(const std::optional<std::string>& homeOption) {
  ProgramFolderInputs in;
  in.homeOption = homeOption;
  in.homeVariable = environment("GWCONFIG_HOME");
  in.executableFolder = executableFolder();
  in.xdgDataHome = environment("XDG_DATA_HOME");
  in.userHome = environment("HOME");
  ProgramFolder folder = chooseProgramFolder(in);
  if (folder.source == ProgramFolder::Source::UserData) {
    seedProgramFolder(folder.path, installedDataFolder(in.executableFolder));
  }
  return folder;
}

}  // namespace gw

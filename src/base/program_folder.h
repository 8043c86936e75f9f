#pragma once
// The program folder holds settings.ini, languages.ini, gtws.ini, defaults.ini, the gateway folders and the
// LOG. It is, in this order: --home DIR; $GWCONFIG_HOME; the executable's own folder when it holds
// languages.ini (a portable install, the build tree); else $XDG_DATA_HOME/gwconfig (default
// ~/.local/share/gwconfig), created on first start and seeded with the installed languages.ini and defaults.ini.

#include <optional>
#include <string>

namespace gw {

struct ProgramFolderInputs {
  std::optional<std::string> homeOption;    // --home DIR
  std::optional<std::string> homeVariable;  // GWCONFIG_HOME
  std::string executableFolder;
  std::optional<std::string> xdgDataHome;  // XDG_DATA_HOME
  std::optional<std::string> userHome;     // HOME
};

struct ProgramFolder {
  std::string path;
  enum class Source { HomeOption, HomeVariable, ExecutableFolder, UserData } source = Source::UserData;
};

inline constexpr const char* kLanguagesFile = "languages.ini";
inline constexpr const char* kDefaultsFile = "defaults.ini";
inline constexpr const char* kSettingsFile = "settings.ini";
inline constexpr const char* kGatewaysFile = "gtws.ini";

// Decides the folder; creates and seeds nothing.
ProgramFolder chooseProgramFolder(const ProgramFolderInputs& inputs);

// Where an installed program finds the data files it seeds a new user folder with.
std::string installedDataFolder(const std::string& executableFolder);

// Creates a per-user folder when missing and copies in the data files it lacks. False when the folder cannot
// be created.
bool seedProgramFolder(const std::string& folder, const std::string& dataFolder);

// chooseProgramFolder on the real environment, seeding the per-user folder.
ProgramFolder resolveProgramFolder(const std::optional<std::string>& homeOption);

}  // namespace gw

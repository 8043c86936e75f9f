#include "ui/demo_mode.h"

#include <cstdlib>

#include "base/files.h"
#include "base/ini_file.h"
#include "base/program_folder.h"
#include "link/comm.h"
#include "shell/gateway.h"

namespace gw::ui {

namespace {

constexpr const char* kSettingsSection = "main";

std::optional<std::string> environment(const char* name) {
  const char* value = std::getenv(name);
  if (value == nullptr || *value == '\0') return std::nullopt;
  return std::string(value);
}

}  // namespace

std::string demoFolder(const std::optional<std::string>& home, const std::optional<std::string>& xdgDataHome,
                       const std::optional<std::string>& userHome) {
  if (home) return *home;
  const std::string data = xdgDataHome ? *xdgDataHome : joinPath(userHome.value_or("."), ".local/share");
  return joinPath(joinPath(data, "gwconfig"), "demo");
}

std::string demoFolder(const std::optional<std::string>& home) {
  return demoFolder(home, environment("XDG_DATA_HOME"), environment("HOME"));
}

std::string programDataFolder(const std::string& executableFolder) {
  if (fileExists(joinPath(executableFolder, kLanguagesFile))) return executableFolder;
  return installedDataFolder(executableFolder);
}

bool prepareDemoFolder(const std::string& folder, const std::string& dataFolder, int port,
                       std::string& error) {
  if (!makeFolders(folder)) {
    error = "cannot create the demo folder " + folder;
    return false;
  }
  // The demo always runs with the captions and defaults of this build.
  for (const char* name : {kLanguagesFile, kDefaultsFile}) {
    const std::string source = joinPath(dataFolder, name);
    if (fileExists(source) && !copyFile(source, joinPath(folder, name))) {
      error = std::string("cannot copy ") + name + " into " + folder;
      return false;
    }
  }
  const std::string parameterFile =
      joinPath(joinPath(folder, kDemoGateway), std::string(kDemoGateway) + ".ini");
  makeFolders(folderOfPath(parameterFile));
  const GatewayEntry entry{"127.0.0.1", std::to_string(port), std::to_string(kDefaultFirmwarePort),
                           kDemoUser,   kDemoPassword,        parameterFile};
  if (!GatewayFile(joinPath(folder, kGatewaysFile)).write(kDemoGateway, entry)) {
    error = "cannot write " + joinPath(folder, kGatewaysFile);
    return false;
  }
  IniFile settings = IniFile::load(joinPath(folder, kSettingsFile));
  settings.writeInt(kSettingsSection, "CommType", kLanLink);
  settings.writeString(kSettingsSection, "Gateway", kDemoGateway);
  if (!settings.save()) {
    error = "cannot write " + joinPath(folder, kSettingsFile);
    return false;
  }
  return true;
}

}  // namespace gw::ui

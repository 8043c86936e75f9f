#pragma once
// The demo: a program folder of its own with one gateway "Demo" on the LAN link, pointing at the gwsim the
// program starts, so a new user can connect and try every page without hardware.

#include <optional>
#include <string>

namespace gw::ui {

inline constexpr const char* kDemoGateway = "Demo";
inline constexpr const char* kDemoUser = "admin";
inline constexpr const char* kDemoPassword = "admin";
inline constexpr const char* kDemoSimState = "gwsim-state.ini";

// --home DIR when given, else $XDG_DATA_HOME/gwconfig/demo (default ~/.local/share/gwconfig/demo).
std::string demoFolder(const std::optional<std::string>& home, const std::optional<std::string>& xdgDataHome,
                       const std::optional<std::string>& userHome);
// The same from the real environment.
std::string demoFolder(const std::optional<std::string>& home);

// Fills the folder for a simulator on 127.0.0.1:`port`: languages.ini and defaults.ini from `dataFolder`,
// gtws.ini section "Demo" (address, port, firmware port, the simulator's login, parameter file
// <folder>/Demo/Demo.ini), settings.ini with the LAN link and "Demo" selected. Other keys of settings.ini
// (the language) stay. False with a reason when the folder or a file cannot be written.
bool prepareDemoFolder(const std::string& folder, const std::string& dataFolder, int port,
                       std::string& error);

// Where the program's own data files are: the executable's folder when it holds languages.ini (the build
// tree), else the installed data folder.
std::string programDataFolder(const std::string& executableFolder);

}  // namespace gw::ui

#pragma once
// gwconfig's command line. Options Qt knows (-platform, -style, ...) are left to Qt.

#include <optional>
#include <string>
#include <vector>

namespace gw::ui {

struct GwconfigOptions {
  bool demo = false;                       // --demo: a demo folder and a gwsim child
  std::optional<std::string> home;         // --home DIR: the program folder (with --demo: the demo folder)
  std::optional<std::string> screenshots;  // --screenshots DIR: picture every page, then exit
  std::optional<std::string> palette;      // --palette light|dark: instead of the system's
  bool help = false;
  std::string error;  // a usage error
};

GwconfigOptions parseGwconfigOptions(const std::vector<std::string>& args);
std::string gwconfigUsage();

// True when Qt can open windows: DISPLAY, WAYLAND_DISPLAY or QT_QPA_PLATFORM is set.
bool displayAvailable();

}  // namespace gw::ui

#include "ui/gwconfig_options.h"

#include <cstdlib>

#include "base/text.h"

namespace gw::ui {

namespace {

bool isSet(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr && *value != '\0';
}

}  // namespace

GwconfigOptions parseGwconfigOptions(const std::vector<std::string>& args) {
  GwconfigOptions o;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    const auto value = [&](std::optional<std::string>& into) {
      if (i + 1 >= args.size() || args[i + 1].empty()) {
        o.error = a + " needs a value";
        return;
      }
      into = args[++i];
    };
    if (a == "--demo") {
      o.demo = true;
    } else if (a == "--home") {
      value(o.home);
    } else if (startsWith(a, "--home=")) {
      o.home = a.substr(std::string("--home=").size());
    } else if (a == "--screenshots") {
      value(o.screenshots);
    } else if (a == "--palette") {
      value(o.palette);
      if (o.palette && *o.palette != "light" && *o.palette != "dark") o.error = "--palette is light or dark";
    } else if (a == "--help" || a == "-h") {
      o.help = true;
    } else if (startsWith(a, "--")) {
      o.error = "unknown option " + a;
    }
    if (!o.error.empty()) return o;
  }
  if (o.home && o.home->empty()) o.error = "--home needs a value";
  return o;
}

std::string gwconfigUsage() {
  return "Usage: gwconfig [--demo] [--home DIR] [--palette light|dark]\n"
         "The desktop configuration and service program for GSM-VoIP gateways.\n"
         "  --demo       start the gateway simulator gwsim and a demo gateway \"Demo\" on its LAN console,\n"
         "               in a folder of its own (~/.local/share/gwconfig/demo unless --home is given)\n"
         "  --home DIR   program folder (settings.ini, languages.ini, gtws.ini, LOG files)\n"
         "  --palette light|dark\n"
         "               colours of the window; without it the desktop's light or dark preference\n"
         "  --help       this text\n"
         "Without a display, --demo runs the same steps with gwctl and prints what they read.\n";
}

bool displayAvailable() {
  return isSet("DISPLAY") || isSet("WAYLAND_DISPLAY") || isSet("QT_QPA_PLATFORM");
}

}  // namespace gw::ui

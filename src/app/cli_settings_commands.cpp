// gwctl settings: the link type and serial port of settings.ini, as the communication settings dialog
// chooses them.

#include <map>

#include "app/cli.h"
#include "app/cli_suggest.h"
#include "base/text.h"

namespace gw {

namespace {

constexpr int kSerialItem = 0;
constexpr int kLanItem = 1;

struct SettingsArgs {
  std::optional<std::string> link;
  std::optional<std::string> port;
  std::string error;
};

SettingsArgs parseSettingsArgs(const std::vector<std::string>& args) {
  static const std::vector<std::string> kOptions = {"--link", "--port"};
  SettingsArgs parsed;
  for (std::size_t i = 0; i < args.size(); ++i) {
    std::string option = args[i];
    std::optional<std::string> value;
    if (const std::size_t eq = option.find('='); startsWith(option, "--") && eq != std::string::npos) {
      value = option.substr(eq + 1);
      option = option.substr(0, eq);
    }
    if (option != "--link" && option != "--port") {
      parsed.error = "unknown settings option " + option + didYouMean(option, kOptions);
      return parsed;
    }
    if (!value) {
      if (i + 1 >= args.size()) {
        parsed.error = option + " needs a value";
        return parsed;
      }
      value = args[++i];
    }
    (option == "--link" ? parsed.link : parsed.port) = *value;
  }
  if (parsed.link && *parsed.link != "lan" && *parsed.link != "serial") {
    parsed.error = "--link takes lan or serial" + didYouMean(*parsed.link, {"lan", "serial"});
  } else if (parsed.port && parsed.link == "lan") {
    parsed.error = "--port names a serial port; it does not go with --link lan";
  } else if (parsed.port && parsed.port->empty()) {
    parsed.error = "--port needs a port name or path";
  }
  return parsed;
}

void printSettings(CliContext& c, const Settings& s) {
  std::string link = s.commType == kLanLink ? "lan" : "serial";
  if (!s.commTypeChosen) link += " (not chosen yet: --gateway NAME uses the gateway's address over the LAN)";
  std::fprintf(c.out, "link: %s\nport: %s\nresponse time: %d ms\nlog: %s\n", link.c_str(),
               s.comport.empty() ? "(none: every port is tried)" : s.comport.c_str(), s.timeoutMs,
               !s.saveLog ? "off" : (s.append ? "on, appended to log.txt" : "on, one file per connection"));
}

int settingsCommand(CliContext& c, const std::vector<std::string>& args) {
  const SettingsArgs parsed = parseSettingsArgs(args);
  if (!parsed.error.empty()) {
    c.fail(parsed.error + helpPointer("settings"));
    return kExitUsage;
  }
  Program& p = c.program;
  if (parsed.link || parsed.port) {
    // The dialog's own activation and OK, so the file gets exactly what the dialog would write.
    CommSettingsDialog& dialog = p.commSettings;
    CommSettingsTarget target = p.commSettingsTarget();
    dialog.activate(target, p.serialPorts());
    if (parsed.link) dialog.commTypeIndex = *parsed.link == "lan" ? kLanItem : kSerialItem;
    if (parsed.port) {
      dialog.commTypeIndex = kSerialItem;
      dialog.choosePort(*parsed.port);
    }
    const int wanted = dialog.commTypeIndex == kLanItem ? kLanLink : kSerialLink;
    if (!dialog.ok(target)) return kExitReportedErrors;
    if (readSettings(p.settingsPath()).commType != wanted) {
      c.fail("cannot write " + p.settingsPath());
      return kExitFileError;
    }
  }
  printSettings(c, readSettings(p.settingsPath()));
  return kExitOk;
}

}  // namespace

std::vector<CliCommand> settingsCommands() {
  return {
      {"settings",
       "settings [--link lan|serial] [--port PATH]",
       "show or choose the link type and serial port",
       "Without options, prints the link type, the serial port, the response time and the LOG options of\n"
       "settings.ini. --link chooses the link type the desktop program and gwctl use; --port chooses the\n"
       "serial port (a name such as ttyUSB0 or a path such as /dev/pts/3) and with it the serial link. They\n"
       "are stored as the communication settings dialog stores them; --timeout and --log/--no-log given on\n"
       "the same line are stored with them.\n",
       settingsCommand,
       {"--link", "--port"}},
  };
}

}  // namespace gw

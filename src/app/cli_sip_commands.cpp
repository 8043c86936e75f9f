// gwctl sip-state: one poll of the SIP registration state page, its table on stdout.

#include "app/cli.h"
#include "app/cli_json.h"
#include "online/sip_state.h"

namespace gw {

namespace {

int sipStateCommand(CliContext& c, const std::vector<std::string>& args) {
  if (!args.empty()) {
    c.fail("this command takes no arguments" + helpPointer("sip-state"));
    return kExitUsage;
  }
  if (!c.connect(false)) return kExitNoConnection;
  SipStateTool& tool = c.program.tool<SipStateTool>();
  if (!tool.sipRegLoad()) {
    tool.sipRegLoadError();
    return kExitReportedErrors;
  }
  if (c.options.json) {
    nlohmann::json extensions = nlohmann::json::array();
    for (const ListedExtension& e : tool.listed()) {
      const auto part = [&e](std::size_t i) { return i < e.names.size() ? e.names[i] : std::string(); };
      extensions.push_back({{"name", part(0)}, {"user", part(1)}, {"registered", e.registered}});
    }
    printJson(c.out, {{"extensions", extensions}});
    return kExitOk;
  }
  std::fprintf(c.out, "%s\n", tool.memSipReg.text.c_str());
  std::fflush(c.out);
  return kExitOk;
}

}  // namespace

std::vector<CliCommand> sipCommands() {
  return {
      {"sip-state",
       "sip-state",
       "show which mobility extensions are registered",
       "Connects and reads the registration state of the mobility extensions once, as the \"SIP\n"
       "registration state\" page does every 5 s, and prints its table on stdout: name, user and\n"
       "whether each extension is registered. Exit 1 when the gateway's listing could not be read.\n",
       sipStateCommand,
       {},
       true},
  };
}

}  // namespace gw

// gwctl commands on the gateway list gtws.ini: gateways, gateway add|edit|remove.

#include <algorithm>
#include <map>

#include "app/cli.h"
#include "app/cli_suggest.h"
#include "base/text.h"

namespace gw {

namespace {

int listGateways(CliContext& c, const std::vector<std::string>& args) {
  if (!args.empty()) {
    c.fail("gateways takes no arguments");
    return kExitUsage;
  }
  const GatewayFile file(c.program.selection.gatewaysPath());
  if (!file.readable()) {
    c.fail("cannot read " + file.path());
    return kExitFileError;
  }
  for (const std::string& name : file.names()) {
    const auto e = file.read(name);
    std::fprintf(c.out, "%s\t%s\t%s\t%s\t%s\n", name.c_str(), e->host.c_str(), e->port.c_str(),
                 e->fwPort.c_str(), e->file.value_or("").c_str());
  }
  return kExitOk;
}

// The dialog fields given on the command line.
const std::map<std::string, std::string GatewayFields::*>& fieldOptions() {
  static const std::map<std::string, std::string GatewayFields::*> kFields = {
      {"--host", &GatewayFields::host},         {"--port", &GatewayFields::port},
      {"--fwport", &GatewayFields::fwPort},     {"--user", &GatewayFields::user},
      {"--password", &GatewayFields::password}, {"--file", &GatewayFields::file},
  };
  return kFields;
}

struct FieldArgs {
  std::map<std::string, std::string> values;
  std::string error;
};

FieldArgs parseFieldArgs(const std::vector<std::string>& args, std::size_t from) {
  FieldArgs parsed;
  for (std::size_t i = from; i < args.size(); ++i) {
    std::string option = args[i];
    std::optional<std::string> value;
    const std::size_t eq = option.find('=');
    if (startsWith(option, "--") && eq != std::string::npos) {
      value = option.substr(eq + 1);
      option = option.substr(0, eq);
    }
    if (!fieldOptions().contains(option)) {
      std::vector<std::string> names;
      for (const auto& [name, field] : fieldOptions()) names.push_back(name);
      parsed.error = "unknown gateway option " + option + didYouMean(option, names);
      return parsed;
    }
    if (!value) {
      if (i + 1 >= args.size()) {
        parsed.error = option + " needs a value";
        return parsed;
      }
      value = args[++i];
    }
    parsed.values[option] = *value;
  }
  return parsed;
}

// Runs the new/edit dialog's checks on the given fields, as its OK button does.
int confirmDialog(CliContext& c, const std::map<std::string, std::string>& values) {
  NewGatewayDialog& dialog = c.program.newGateway;
  for (const auto& [option, value] : values) {
    dialog.fields().*fieldOptions().at(option) = value;
    if (option == "--file" || option == "--fwport") dialog.fileChosenByHand();
  }
  if (values.contains("--host") && !dialog.leaveAddress()) return kExitReportedErrors;
  return dialog.ok() ? kExitOk : kExitReportedErrors;
}

int gatewayCommand(CliContext& c, const std::vector<std::string>& args) {
  if (args.size() < 2) {
    c.fail("gateway needs add, edit or remove and a NAME");
    return kExitUsage;
  }
  const std::string& action = args[0];
  const std::string& name = args[1];
  const FieldArgs fields = parseFieldArgs(args, 2);
  if (!fields.error.empty()) {
    c.fail(fields.error + helpPointer("gateway"));
    return kExitUsage;
  }
  NewGatewayDialog& dialog = c.program.newGateway;
  if (action == "add") {
    dialog.openNew();
    dialog.nameChanged(name);
    dialog.fields().host.clear();
    return confirmDialog(c, fields.values);
  }
  if (action == "edit") {
    if (!dialog.openEdit(name)) {
      c.fail("no gateway named \"" + name + "\" in gtws.ini");
      return kExitReportedErrors;
    }
    return confirmDialog(c, fields.values);
  }
  if (action == "remove") {
    if (!fields.values.empty()) {
      c.fail("remove takes no options");
      return kExitUsage;
    }
    GatewayListDialog& list = c.program.gatewayList;
    list.activate();
    const auto& items = list.items();
    const auto it =
        std::find_if(items.begin(), items.end(), [&](const std::string& n) { return equalsNoCase(n, name); });
    if (it == items.end()) {
      c.fail("no gateway named \"" + name + "\" in gtws.ini");
      return kExitReportedErrors;
    }
    list.setSelectedIndex(static_cast<int>(it - items.begin()));
    list.removeGateway();
    return kExitOk;
  }
  c.fail("unknown gateway action \"" + action + "\"");
  return kExitUsage;
}

}  // namespace

std::vector<CliCommand> gatewayCommands() {
  return {
      {"gateways", "gateways", "list the gateways of gtws.ini",
       "Prints one line per gateway of gtws.ini: name, address, port, firmware port and parameter file,\n"
       "separated by tabs. Passwords are not printed.\n",
       listGateways},
      {"gateway",
       "gateway add|edit|remove NAME [FIELDS]",
       "add, change or remove a gateway",
       "add NAME      a new gateway; FIELDS give its values (the parameter file defaults to NAME/NAME.ini "
       "in\n"
       "              the program folder, ports to 23 and 2222)\n"
       "edit NAME     change the given FIELDS of a gateway (the rest keep their values)\n"
       "remove NAME   remove the gateway (the selected gateway becomes \"unnamed\")\n"
       "FIELDS: --host ADDRESS --port P --fwport P --user U --password W --file PATH\n"
       "The same checks as the gateway dialog run, in its order; a failed one prints its message and exits "
       "1.\n",
       gatewayCommand,
       {"--host", "--port", "--fwport", "--user", "--password", "--file"}},
  };
}

}  // namespace gw

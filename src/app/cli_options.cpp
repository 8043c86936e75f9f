#include "app/cli_options.h"

#include <functional>
#include <map>

#include "app/cli_suggest.h"
#include "base/text.h"
#include "shell/gateway.h"

namespace gw {

namespace {

constexpr int kMaxPort = 65535;

using Setter = std::function<std::string(CliOptions&, const std::string&)>;

std::string setText(std::optional<std::string>& field, const std::string& value) {
  field = value;
  return {};
}

const std::map<std::string, Setter>& valueOptions() {
  static const std::map<std::string, Setter> kOptions = {
      {"--home", [](CliOptions& o, const std::string& v) { return setText(o.home, v); }},
      {"--gateway", [](CliOptions& o, const std::string& v) { return setText(o.gateway, v); }},
      {"--lan", [](CliOptions& o, const std::string& v) { return setText(o.lan, v); }},
      {"--serial", [](CliOptions& o, const std::string& v) { return setText(o.serial, v); }},
      {"--user", [](CliOptions& o, const std::string& v) { return setText(o.user, v); }},
      {"--password", [](CliOptions& o, const std::string& v) { return setText(o.password, v); }},
      {"--gateways",
       [](CliOptions& o, const std::string& v) -> std::string {
         for (const std::string& name : splitFields(v, ',')) {
           const std::string trimmed = trim(name);
           if (trimmed.empty()) return "--gateways needs names separated by commas";
           o.gateways.push_back(trimmed);
         }
         if (o.gateways.empty()) return "--gateways needs names separated by commas";
         return {};
       }},
      {"--jobs",
       [](CliOptions& o, const std::string& v) -> std::string {
         const auto jobs = toInt(v);
         if (!jobs || *jobs < 1 || *jobs > kMaxJobs)
           return "--jobs needs a number from 1 to " + std::to_string(kMaxJobs);
         o.jobs = *jobs;
         return {};
       }},
      {"--timeout",
       [](CliOptions& o, const std::string& v) -> std::string {
         const auto ms = toInt(v);
         if (!ms || *ms <= 0) return "--timeout needs a positive number of milliseconds";
         o.timeoutMs = *ms;
         return {};
       }},
  };
  return kOptions;
}

// Options that take no value.
const std::vector<std::string>& switchOptions() {
  static const std::vector<std::string> kSwitches = {"--log",  "--no-log",       "--yes",
                                                     "--help", "--all-gateways", "--json"};
  return kSwitches;
}

}  // namespace

std::vector<std::string> globalOptionNames() {
  std::vector<std::string> names;
  for (const auto& [name, setter] : valueOptions()) names.push_back(name);
  names.insert(names.end(), switchOptions().begin(), switchOptions().end());
  return names;
}

CliParse parseCommandLine(const std::vector<std::string>& arguments, const CommandOwnsOption& commandOwns) {
  CliParse result;
  CliOptions& o = result.options;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    std::string arg = arguments[i];
    std::optional<std::string> inlineValue;
    if (startsWith(arg, "--")) {
      const std::size_t eq = arg.find('=');
      if (eq != std::string::npos) {
        inlineValue = arg.substr(eq + 1);
        arg = arg.substr(0, eq);
      }
    }
    if (!o.command.empty() && commandOwns && commandOwns(o.command, arg)) {
      o.args.push_back(arguments[i]);
      if (!inlineValue && i + 1 < arguments.size()) o.args.push_back(arguments[++i]);
    } else if (const auto it = valueOptions().find(arg); it != valueOptions().end()) {
      std::string value;
      if (inlineValue) {
        value = *inlineValue;
      } else if (i + 1 < arguments.size()) {
        value = arguments[++i];
      } else {
        result.error = arg + " needs a value";
        return result;
      }
      result.error = it->second(o, value);
      if (!result.error.empty()) return result;
    } else if (arg == "--log" && !inlineValue) {
      o.log = true;
    } else if (arg == "--no-log" && !inlineValue) {
      o.log = false;
    } else if (arg == "--yes" && !inlineValue) {
      o.yes = true;
    } else if (arg == "--json" && !inlineValue) {
      o.json = true;
    } else if (arg == "--all-gateways" && !inlineValue) {
      o.allGateways = true;
    } else if ((arg == "--help" || arg == "-h") && o.command.empty()) {
      o.help = true;
    } else if (o.command.empty()) {
      if (startsWith(arg, "-")) {
        result.error = "unknown option " + arg + didYouMean(arg, globalOptionNames());
        return result;
      }
      o.command = arg;
    } else {
      o.args.push_back(arguments[i]);
    }
  }
  if (o.lan && o.serial) result.error = "--lan and --serial exclude each other";
  const bool fleet = !o.gateways.empty() || o.allGateways;
  if (!o.gateways.empty() && o.allGateways) result.error = "--gateways and --all-gateways exclude each other";
  if (fleet && (o.gateway || o.lan || o.serial))
    result.error =
        "--gateways and --all-gateways take the gateways' own links: leave out --gateway, --lan, --serial";
  if (o.lan && !parseHostPort(*o.lan, kDefaultLanPort)) result.error = "--lan needs HOST or HOST:PORT";
  return result;
}

std::optional<HostPort> parseHostPort(const std::string& text, int defaultPort) {
  const std::size_t colon = text.rfind(':');
  if (colon == std::string::npos) {
    if (text.empty()) return std::nullopt;
    return HostPort{text, defaultPort};
  }
  const auto port = toInt(text.substr(colon + 1));
  const std::string host = text.substr(0, colon);
  if (host.empty() || !port || *port < 1 || *port > kMaxPort) return std::nullopt;
  return HostPort{host, *port};
}

std::string unescapeCommand(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\\' && i + 1 < text.size()) {
      switch (text[i + 1]) {
        case 'r':
          out += '\r';
          ++i;
          continue;
        case 'n':
          out += '\n';
          ++i;
          continue;
        case 't':
          out += '\t';
          ++i;
          continue;
        case '\\':
          out += '\\';
          ++i;
          continue;
        default:
          break;
      }
    }
    out += text[i];
  }
  return out;
}

}  // namespace gw

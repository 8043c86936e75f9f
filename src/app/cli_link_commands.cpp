// gwctl commands that talk to the gateway over the link: identify, send.

#include "app/cli.h"
#include "app/cli_json.h"
#include "base/text.h"
#include "shell/edition.h"

namespace gw {

namespace {

// A reply to a raw command is collected like any other, but into a buffer large enough for whole dumps.
constexpr std::size_t kRawReplyCapacity = 64 * 1024;
constexpr std::string_view kRefusedReply = "ERROR";

int identify(CliContext& c, const std::vector<std::string>& args) {
  if (!args.empty()) {
    c.fail("identify takes no arguments");
    return kExitUsage;
  }
  if (!c.connect(true)) return kExitNoConnection;
  const Connection& connection = c.program.connection;
  if (c.options.json) {
    printJson(c.out, {{"identification", connection.identification},
                      {"description", connection.description},
                      {"edition", std::string(editionName(connection.kestrinEdition))}});
    return kExitOk;
  }
  std::fprintf(c.out, "%s\n%s\n%s\n", connection.identification.c_str(), connection.description.c_str(),
               std::string(editionName(connection.kestrinEdition)).c_str());
  return kExitOk;
}

int send(CliContext& c, const std::vector<std::string>& args) {
  if (args.size() != 1) {
    c.fail("send takes one command text");
    return kExitUsage;
  }
  const std::string command = unescapeCommand(args[0]);
  if (command.empty()) {
    c.fail("the command text is empty");
    return kExitUsage;
  }
  if (!c.connect(false)) return kExitNoConnection;
  Link& link = c.program.link;
  const int sent = link.commSend(command);
  if (sent != static_cast<int>(untilNul(command).size()) && sent != static_cast<int>(command.size())) {
    c.fail("the gateway did not take the whole command");
    return kExitReportedErrors;
  }
  const std::string reply = link.commReceive(kRawReplyCapacity);
  std::fwrite(reply.data(), 1, reply.size(), c.out);
  std::fflush(c.out);
  // A refused command, or none at all, is not a success for a script that checks the status.
  if (reply.empty()) {
    c.fail("the gateway did not answer");
    return kExitReportedErrors;
  }
  return contains(reply, kRefusedReply) ? kExitReportedErrors : kExitOk;
}

}  // namespace

std::vector<CliCommand> linkCommands() {
  return {
      {"identify",
       "identify",
       "connect and print the gateway's identification",
       "Connects (serial rate search or LAN login), identifies the gateway and prints three lines on "
       "stdout:\n"
       "the identification text (serial number, boot and firmware versions), the connection description and\n"
       "the edition. A firmware too old for this program is warned about on stderr.\n",
       identify,
       {},
       true},
      {"send", "send TEXT", "send one raw command and print the reply",
       "Connects and sends TEXT as it stands; the C escapes \\r, \\n, \\t and \\\\ are accepted, so a "
       "command\n"
       "line is written \"AT&V\\r\\n\". The reply is printed on stdout as received, up to its terminator or\n"
       "the response time. Exit 1 when the reply holds ERROR or no reply came.\n",
       send},
  };
}

}  // namespace gw

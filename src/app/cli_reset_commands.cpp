// gwctl commands that reset the gateway: reset, factory-reset.

#include "app/cli.h"
#include "online/resets.h"

namespace gw {

namespace {

int exitStatusOf(ResetOutcome outcome) {
  switch (outcome) {
    case ResetOutcome::NotConnected:
      return kExitNoConnection;
    case ResetOutcome::Declined:
    case ResetOutcome::Failed:
      return kExitReportedErrors;
    case ResetOutcome::Done:
      break;
  }
  return kExitOk;
}

int runReset(CliContext& c, const std::vector<std::string>& args, ResetOutcome (*reset)(OnlineContext&)) {
  if (!args.empty()) {
    c.fail("this command takes no arguments");
    return kExitUsage;
  }
  const ResetOutcome outcome = reset(c.program.onlineContext);
  if (outcome == ResetOutcome::Declined) c.fail("not confirmed (give --yes to answer the question Yes)");
  return exitStatusOf(outcome);
}

}  // namespace

std::vector<CliCommand> resetCommands() {
  return {
      {"reset", "reset", "restart the gateway",
       "Connects, asks for confirmation (answered by --yes; without it the answer is No and nothing is "
       "sent),\n"
       "sends the gateway reset and waits until the gateway is back: on the LAN it reconnects after 5 s, on\n"
       "the serial link it waits up to 15 s for \"Init: OK\". Exit 1 when not confirmed or the gateway did\n"
       "not come back.\n",
       [](CliContext& c, const std::vector<std::string>& args) { return runReset(c, args, gatewayReset); }},
      {"factory-reset", "factory-reset", "reset the gateway to its factory parametres",
       "Connects, asks for confirmation (answered by --yes; without it nothing is sent), clears the 64 LCR\n"
       "and 32 mobility extension records, restores LCR record 00, then resets the gateway to its factory\n"
       "parametres and waits until it is back, as reset does.\n",
       [](CliContext& c, const std::vector<std::string>& args) { return runReset(c, args, factoryReset); }},
  };
}

}  // namespace gw

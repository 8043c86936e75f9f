// gwctl commands of the firmware page: upgrade.

#include <functional>

#include "app/cli.h"
#include "base/text.h"
#include "online/firmware_tool.h"

namespace gw {

namespace {

constexpr const char* kForceOption = "--force";

// The upgrade windows on a terminal: the progress stands on one stderr line (nothing when stderr is no
// terminal); the messages go out as every message does.
class ConsoleUpgradeWindows : public UpgradeWindows {
 public:
  ConsoleUpgradeWindows(ConsoleHost& host, std::function<bool()> interrupted)
      : host_(host), interrupted_(std::move(interrupted)) {}

  void showFirm(const std::string& caption) override { host_.showTransfer(caption); }
  void setFirmStatus(const std::string&, int percent) override {
    if (percent >= 0) host_.setTransferProgress(percent);
  }
  void hideFirm() override { host_.hideTransfer(); }
  // The LAN upgrade: Ctrl+C is the status window's Close button.
  bool dialingClosed() override { return interrupted_(); }

 private:
  ConsoleHost& host_;
  std::function<bool()> interrupted_;
};

int exitStatusOf(UpgradeOutcome outcome) {
  switch (outcome) {
    case UpgradeOutcome::FileRefused:
      return kExitFileError;
    case UpgradeOutcome::NotConnected:
      return kExitNoConnection;
    case UpgradeOutcome::Incompatible:
    case UpgradeOutcome::Cancelled:
    case UpgradeOutcome::Failed:
      return kExitReportedErrors;
    case UpgradeOutcome::Started:
    case UpgradeOutcome::Succeeded:
      break;
  }
  return kExitOk;
}

// Follows the serial engine to its end; Ctrl+C stops it (the gateway then waits in its boot loader for the
// next upgrade).
int awaitSerialUpgrade(CliContext& c, FirmwareTool& tool) {
  bool stopAsked = false;
  while (tool.serialUpgradeRunning()) {
    if (c.interrupted() && !stopAsked) {
      tool.stopSerialUpgrade();
      stopAsked = true;
    }
    c.program.clock.sleep(FirmwareTool::kProgressPollMs);
    tool.pollSerialUpgrade();
  }
  const int result = tool.lastSerialResult();
  if (result == CFWUpgradeThread::kNoGateway) return kExitNoConnection;
  if (result != CFWUpgradeThread::kSucceeded) return kExitReportedErrors;
  return kExitOk;
}

int upgrade(CliContext& c, const std::vector<std::string>& args) {
  std::vector<std::string> files;
  bool force = false;
  for (const std::string& arg : args) {
    if (arg == kForceOption) {
      force = true;
    } else if (!arg.empty() && arg.front() == '-') {
      c.fail("unknown option " + arg + helpPointer("upgrade"));
      return kExitUsage;
    } else {
      files.push_back(arg);
    }
  }
  if (files.size() != 1) {
    c.fail("upgrade takes one firmware file" + helpPointer("upgrade"));
    return kExitUsage;
  }
  FirmwareTool& tool = c.program.tool<FirmwareTool>();
  ConsoleUpgradeWindows windows(c.host, [&c] { return c.interrupted(); });
  tool.setWindows(&windows);
  tool.edFirmUpdate.set(files.front());
  if (c.program.link.comm.linkType == kLanLink) {
    tool.holdDialingAfterSuccess = false;
    tool.pFirmUpgrdUdpMouseDown(force);
    const UpgradeOutcome lan = tool.pFirmUpgrdUdpClick();
    tool.setWindows(nullptr);
    if (!tool.lastLanError().empty()) std::fprintf(c.err, "%s\n", trim(tool.lastLanError()).c_str());
    if (lan == UpgradeOutcome::Succeeded && c.program.link.comm.connected) {
      std::fprintf(c.out, "%s\n", c.program.connection.identification.c_str());
    }
    return exitStatusOf(lan);
  }
  tool.sbFirmUpgradeMouseDown(force);
  const UpgradeOutcome outcome = tool.sbFirmUpgradeClick();
  if (outcome != UpgradeOutcome::Started) {
    tool.setWindows(nullptr);
    return exitStatusOf(outcome);
  }
  // One upgrade a run: the connect after it may meet the boot loader again (a failed image); that
  // question is answered No, or a script with --yes would upgrade for ever.
  c.host.answerYes = false;
  int status = awaitSerialUpgrade(c, tool);
  tool.setWindows(nullptr);
  if (status == kExitOk && !c.program.link.comm.connected) {
    c.fail("the gateway did not come back after the upgrade");
    status = kExitReportedErrors;
  }
  if (status == kExitOk) std::fprintf(c.out, "%s\n", c.program.connection.identification.c_str());
  return status;
}

}  // namespace

std::vector<CliCommand> firmwareCommands() {
  return {
      {"upgrade", "upgrade FILE [--force]",
       "serial or LAN by the link in use; --force skips the compatibility check",
       "Writes the Intel-HEX firmware image FILE into the gateway over the link in use. A file that is\n"
       "missing, is not Intel-HEX or holds a damaged record is refused before anything is sent (exit 4).\n"
       "First the image is checked against the gateway's boot loader (exit 1 when it does not suit it);\n"
       "--force skips that check, as holding Ctrl does in the desktop program.\n"
       "Serial link: the link is closed and the boot loader takes the image (a running firmware is told to\n"
       "erase its flash and restart into it first; a gateway already in its boot loader is upgraded as it\n"
       "is). Afterwards the gateway is connected again and its identification printed on stdout. A gateway\n"
       "that stays in its boot loader after a failed upgrade is left there (exit 1): run upgrade again.\n"
       "Exit 3 when no gateway answers on the port.\n"
       "LAN link: the image goes over UDP to the gateway record's firmware port (gateway add|edit "
       "--fwport),\n"
       "logged in with the gateway's user name and password; the flash is erased and written and the\n"
       "gateway reset; the packets are logged in Fwpost.log in the program folder.\n",
       upgrade},
  };
}

}  // namespace gw

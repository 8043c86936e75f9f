// gwsim: a simulated GSM-VoIP gateway for tests, demos and users without hardware.

#include <cstdio>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "device.h"
#include "event_loop.h"
#include "flash.h"
#include "full_configuration.h"
#include "identity.h"
#include "options.h"
#include "pty_console.h"
#include "register_store.h"
#include "state_file.h"
#include "stop_signals.h"
#include "tcp_console.h"
#include "transcript.h"
#include "udp_port.h"

namespace gwsim {
namespace {

constexpr int kExitClean = 0;
constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

DeviceConfig deviceConfig(const SimOptions& options) {
  DeviceConfig config;
  config.identity = identityFor(options);
  config.loginEnabled = options.loginEnabled;
  config.user = options.user;
  config.password = options.password;
  config.refused = std::set<std::string>(options.refused.begin(), options.refused.end());
  config.silentAfter = options.silentAfter;
  config.dropAfter = options.dropAfter;
  config.resetTimeMs = options.resetTimeMs;
  config.pageLines = options.pageLines;
  config.pageNetworkLists = options.pageNetworkLists;
  config.sipChurnMs = options.sipChurnMs;
  config.reports = {options.edition, options.logLines, options.callRecords, options.okInReports};
  if (options.stallReports) config.stallReportsAfter = static_cast<std::size_t>(*options.stallReports);
  config.live = {options.edition, options.liveStepMs,
                 std::set<int>(options.modulesOff.begin(), options.modulesOff.end())};
  return config;
}

// Factory defaults, or the full configuration; then the state file on top.
std::optional<RegisterStore> loadRegisters(const SimOptions& options) {
  RegisterStore store(options.edition);
  if (options.full) {
    for (const std::string& key : fillFullConfiguration(store)) {
      std::fprintf(stderr, "gwsim: the full configuration holds a value of %s the gateway refuses\n",
                   key.c_str());
    }
  }
  if (options.statePath.empty()) return store;
  std::vector<std::string> warnings;
  std::string error;
  const bool loaded = loadStateFile(options.statePath, store, warnings, error);
  for (const std::string& warning : warnings) std::fprintf(stderr, "gwsim: %s\n", warning.c_str());
  if (!loaded) {
    std::fprintf(stderr, "gwsim: %s\n", error.c_str());
    return std::nullopt;
  }
  return store;
}

void saveState(const std::string& statePath, const Device& device) {
  std::string error;
  if (!statePath.empty() &&
      !saveStateFile(statePath, device.store(), error, device.reportState() + device.voiceState())) {
    std::fprintf(stderr, "gwsim: %s\n", error.c_str());
  }
}

// What the reports, the clock and the voice messages keep in the state file (the registers are loaded
// before the device).
void loadReportState(const std::string& statePath, Device& device) {
  if (statePath.empty()) return;
  const std::string text = readStateText(statePath);
  for (const std::string& warning : device.applyReportState(text)) {
    std::fprintf(stderr, "gwsim: %s\n", warning.c_str());
  }
  for (const std::string& warning : device.applyVoiceState(text)) {
    std::fprintf(stderr, "gwsim: %s\n", warning.c_str());
  }
}

int run(const SimOptions& options) {
  StopSignals stops;
  if (!stops.ok()) {
    std::perror("gwsim: signals");
    return kExitFailure;
  }
  if (!stopWithParent()) return kExitClean;

  Transcript transcript;
  if (!options.logPath.empty() && !transcript.open(options.logPath)) {
    std::fprintf(stderr, "gwsim: cannot open log %s\n", options.logPath.c_str());
    return kExitFailure;
  }
  std::optional<RegisterStore> registers = loadRegisters(options);
  if (!registers) return kExitFailure;
  const std::string statePath = options.statePath;
  const Device* stateOwner = nullptr;  // set once the device exists; it saves nothing before
  Device device(deviceConfig(options), std::move(*registers), transcript,
                [&statePath, &stateOwner](const RegisterStore&) {
                  if (stateOwner != nullptr) saveState(statePath, *stateOwner);
                });
  loadReportState(statePath, device);
  stateOwner = &device;
  const DeliveryPolicy policy{options.splitReplies, options.garbage};

  // One flash behind the boot loader and the firmware port; its image names the firmware version.
  Flash flash;
  std::string flashError;
  if (!options.flashPath.empty() && !flash.load(options.flashPath, flashError)) {
    std::fprintf(stderr, "gwsim: %s\n", flashError.c_str());
    return kExitFailure;
  }
  if (const std::optional<std::string> version = flash.imageVersion()) device.setFirmwareVersion(*version);

  std::string error;
  std::unique_ptr<TcpConsole> lan;
  if (options.tcpPort) {
    lan = TcpConsole::open({*options.tcpPort, options.telnet, policy, options.traceRate, options.call},
                           device, error);
    if (!lan) {
      std::fprintf(stderr, "gwsim: LAN console: %s\n", error.c_str());
      return kExitFailure;
    }
  }
  std::unique_ptr<PtyConsole> serial;
  if (!options.ptyPath.empty()) {
    PtyConsoleConfig serialConfig;
    serialConfig.linkPath = options.ptyPath;
    serialConfig.rates = options.rates;
    serialConfig.boot = options.boot;
    serialConfig.policy = policy;
    serialConfig.traceRate = options.traceRate;
    serialConfig.flash = &flash;
    serialConfig.flashPath = options.flashPath;
    serialConfig.eraseMs = options.eraseMs;
    serialConfig.bootOptions = {options.bootRefuse, options.bootLose, options.bootStay};
    serialConfig.xmodem = options.xmodem;
    serialConfig.call = options.call;
    serial = PtyConsole::open(serialConfig, device, transcript, error);
    if (!serial) {
      std::fprintf(stderr, "gwsim: serial console: %s\n", error.c_str());
      return kExitFailure;
    }
  }

  std::unique_ptr<UdpPort> firmwarePort;
  if (options.udpPort) {
    UdpPortConfig udpConfig{*options.udpPort,       options.user,       options.password, options.eraseMs,
                            options.udpLossPercent, options.udpReorder, options.flashPath};
    firmwarePort = UdpPort::open(udpConfig, flash, error);
    if (!firmwarePort) {
      std::fprintf(stderr, "gwsim: firmware port: %s\n", error.c_str());
      return kExitFailure;
    }
  }

  std::vector<Pollable*> parts;
  if (lan) {
    std::printf("tcp 127.0.0.1:%d\n", lan->port());
    parts.push_back(lan.get());
  }
  if (serial) {
    std::printf("pty %s\n", serial->linkPath().c_str());
    parts.push_back(serial.get());
  }
  if (firmwarePort) {
    std::printf("udp 127.0.0.1:%d\n", firmwarePort->port());
    parts.push_back(firmwarePort.get());
  }
  std::fflush(stdout);

  const bool stoppedCleanly = runEventLoop(parts, stops.fd());
  if (!stoppedCleanly) std::perror("gwsim: poll");
  saveState(statePath, device);
  return stoppedCleanly ? kExitClean : kExitFailure;
}

}  // namespace
}  // namespace gwsim

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  const gwsim::ParsedOptions parsed = gwsim::parseOptions(args);
  if (!parsed.options) {
    std::fprintf(stderr, "gwsim: %s\n%s", parsed.error.c_str(), gwsim::usageText().c_str());
    return gwsim::kExitUsage;
  }
  if (parsed.options->help) {
    std::fputs(gwsim::usageText().c_str(), stdout);
    return gwsim::kExitClean;
  }
  return gwsim::run(*parsed.options);
}

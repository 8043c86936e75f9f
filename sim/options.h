#pragma once
// Command-line options of gwsim: which consoles to open, who the device is, and the failure modes tests ask
// for.

#include <optional>
#include <string>
#include <vector>

#include "edition.h"
#include "live_state.h"
#include "recording_call.h"
#include "reports.h"
#include "trace.h"
#include "xmodem_peer.h"

namespace gwsim {

// Lines per page of a table listing, header included: a full LCR table is five pages.
inline constexpr int kDefaultPageLines = 16;
// How long erasing the whole flash takes.
inline constexpr int kDefaultEraseMs = 3000;

struct SimOptions {
  std::optional<int> tcpPort;  // LAN console on 127.0.0.1; 0 picks a free port
  std::string ptyPath;         // serial console: the symbolic link to create; empty = none
  std::vector<int> rates{57600, 115200, 230400, 460800, 921600};
  bool boot = false;

  Edition edition = Edition::Orvale;
  std::optional<std::string> serialNumber;
  std::optional<std::string> bootVersion;
  std::optional<std::string> firmwareVersion;
  std::optional<std::string> productLine;  // the first ATI3 line, product mark included
  std::optional<std::string> prompt;

  bool loginEnabled = true;
  std::string user = "admin";
  std::string password = "admin";

  std::string statePath;
  std::string logPath;
  std::vector<std::string> refused;  // register keys as the store names them ("S98", "R05")
  std::optional<long> silentAfter;
  std::optional<long> dropAfter;
  bool splitReplies = false;
  bool garbage = false;
  bool telnet = false;
  int resetTimeMs = 2000;
  bool full = false;                  // start fully configured
  long sipChurnMs = 0;                // 0: the mobility extensions stay registered
  int pageLines = kDefaultPageLines;  // lines per page of a listing
  bool pageNetworkLists = false;      // "AT&NALL" in pages like a listing
  int traceRate = kDefaultTraceRate;  // trace lines per second while tracing is on
  // The modules' levels and operators and the calls in progress change in steps of this many ms; the
  // modules listed have no SIM.
  long liveStepMs = kDefaultLiveStepMs;
  std::vector<int> modulesOff;

  // The reports: events in the log, call data records held, log lines, records and statistics that hold the
  // letters "OK", and a report that sends this many pages whole, then half of the next and stalls.
  int logLines = kDefaultLogLines;
  int callRecords = kDefaultCallRecords;
  bool okInReports = false;
  std::optional<long> stallReports;

  // The voice messages: a transfer's failure modes (block numbers from 1) and the recording call.
  XmodemFaults xmodem;
  CallConfig call;
  // The firmware upgrades: where the flash image is kept, how long erasing the flash takes, and the boot
  // loader's failure modes (a refused record, a lost answer, staying in the boot loader after the image).
  std::string flashPath;
  int eraseMs = kDefaultEraseMs;
  std::optional<long> bootRefuse;
  std::optional<long> bootLose;
  bool bootStay = false;
  // The firmware port (UCMD over UDP on 127.0.0.1; 0 picks a free port) and its datagram faults.
  std::optional<int> udpPort;
  int udpLossPercent = 0;
  bool udpReorder = false;

  bool help = false;
};

struct ParsedOptions {
  std::optional<SimOptions> options;  // empty on a usage error
  std::string error;
};

// `args` excludes the program name. Accepts "--name value" and "--name=value".
ParsedOptions parseOptions(const std::vector<std::string>& args);

std::string usageText();

}  // namespace gwsim

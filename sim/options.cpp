#include "options.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <functional>

#include "register_table.h"
#include "serial_speed.h"

namespace gwsim {
namespace {

constexpr int kMaxPort = 65535;
constexpr long kMaxResetTimeMs = 600000;
constexpr long kMaxSipChurnMs = 3600000;
constexpr long kMaxPageLines = 1000;
constexpr long kMaxReportLines = 100000;
constexpr long kMaxTraceRate = 100000;
constexpr long kMaxLiveStepMs = 3600000;
constexpr long kMaxCallStepMs = 60000;
constexpr long kMaxRecordMs = 600000;

using Setter = std::function<bool(SimOptions&, const std::string&, std::string& error)>;

struct OptionRow {
  const char* name;
  bool takesValue;
  Setter set;
};

std::optional<long> toLong(const std::string& text, long min, long max) {
  if (text.empty()) return std::nullopt;
  char* end = nullptr;
  errno = 0;
  const long value = std::strtol(text.c_str(), &end, 10);
  if (errno != 0 || *end != '\0' || value < min || value > max) return std::nullopt;
  return value;
}

std::vector<std::string> splitList(const std::string& text) {
  std::vector<std::string> items;
  std::size_t start = 0;
  for (;;) {
    const std::size_t comma = text.find(',', start);
    items.push_back(text.substr(start, comma - start));
    if (comma == std::string::npos) return items;
    start = comma + 1;
  }
}

Setter flag(bool SimOptions::*member, bool value) {
  return [member, value](SimOptions& options, const std::string&, std::string&) {
    options.*member = value;
    return true;
  };
}

Setter text(std::optional<std::string> SimOptions::*member) {
  return [member](SimOptions& options, const std::string& value, std::string&) {
    options.*member = value;
    return true;
  };
}

Setter path(std::string SimOptions::*member) {
  return [member](SimOptions& options, const std::string& value, std::string& error) {
    if (value.empty()) {
      error = "an empty path";
      return false;
    }
    options.*member = value;
    return true;
  };
}

Setter count(std::optional<long> SimOptions::*member) {
  return [member](SimOptions& options, const std::string& value, std::string& error) {
    const std::optional<long> number = toLong(value, 0, LONG_MAX);
    if (!number) error = "not a count: " + value;
    options.*member = number;
    return number.has_value();
  };
}

bool setPort(SimOptions& options, const std::string& value, std::string& error) {
  const std::optional<long> port = toLong(value, 0, kMaxPort);
  if (!port) error = "not a TCP port: " + value;
  if (port) options.tcpPort = static_cast<int>(*port);
  return port.has_value();
}

bool setRates(SimOptions& options, const std::string& value, std::string& error) {
  std::vector<int> rates;
  for (const std::string& item : splitList(value)) {
    const std::optional<long> rate = toLong(item, 1, INT_MAX);
    if (!rate || !speedCode(static_cast<int>(*rate))) {
      error = "not a serial bit rate: " + item;
      return false;
    }
    rates.push_back(static_cast<int>(*rate));
  }
  options.rates = rates;
  return true;
}

bool setEdition(SimOptions& options, const std::string& value, std::string& error) {
  if (value == "orvale") {
    options.edition = Edition::Orvale;
  } else if (value == "kestrin") {
    options.edition = Edition::Kestrin;
  } else {
    error = "edition must be orvale or kestrin";
    return false;
  }
  return true;
}

bool setLogin(SimOptions& options, const std::string& value, std::string& error) {
  const std::size_t colon = value.find(':');
  if (colon == std::string::npos || colon == 0) {
    error = "login must be USER:PASS";
    return false;
  }
  options.loginEnabled = true;
  options.user = value.substr(0, colon);
  options.password = value.substr(colon + 1);
  return true;
}

bool setRefused(SimOptions& options, const std::string& value, std::string& error) {
  for (const std::string& item : splitList(value)) {
    const std::optional<std::string> key = normalizeRegisterKey(item);
    if (!key) {
      error = "not a register: " + item;
      return false;
    }
    options.refused.push_back(*key);
  }
  return true;
}

bool setResetTime(SimOptions& options, const std::string& value, std::string& error) {
  const std::optional<long> ms = toLong(value, 0, kMaxResetTimeMs);
  if (!ms) error = "reset time must be 0.." + std::to_string(kMaxResetTimeMs) + " ms";
  if (ms) options.resetTimeMs = static_cast<int>(*ms);
  return ms.has_value();
}

bool setSipChurn(SimOptions& options, const std::string& value, std::string& error) {
  const std::optional<long> ms = toLong(value, 0, kMaxSipChurnMs);
  if (!ms) error = "SIP churn must be 0.." + std::to_string(kMaxSipChurnMs) + " ms";
  if (ms) options.sipChurnMs = *ms;
  return ms.has_value();
}

bool setPageLines(SimOptions& options, const std::string& value, std::string& error) {
  const std::optional<long> lines = toLong(value, 1, kMaxPageLines);
  if (!lines) error = "page lines must be 1.." + std::to_string(kMaxPageLines);
  if (lines) options.pageLines = static_cast<int>(*lines);
  return lines.has_value();
}

Setter reportSize(int SimOptions::*member) {
  return [member](SimOptions& options, const std::string& value, std::string& error) {
    const std::optional<long> lines = toLong(value, 0, kMaxReportLines);
    if (!lines) error = "must be 0.." + std::to_string(kMaxReportLines);
    if (lines) options.*member = static_cast<int>(*lines);
    return lines.has_value();
  };
}

bool setTraceRate(SimOptions& options, const std::string& value, std::string& error) {
  const std::optional<long> rate = toLong(value, 1, kMaxTraceRate);
  if (!rate) error = "trace rate must be 1.." + std::to_string(kMaxTraceRate) + " lines per second";
  if (rate) options.traceRate = static_cast<int>(*rate);
  return rate.has_value();
}

bool setLiveStep(SimOptions& options, const std::string& value, std::string& error) {
  const std::optional<long> ms = toLong(value, 1, kMaxLiveStepMs);
  if (!ms) error = "live step must be 1.." + std::to_string(kMaxLiveStepMs) + " ms";
  if (ms) options.liveStepMs = *ms;
  return ms.has_value();
}

bool setModulesOff(SimOptions& options, const std::string& value, std::string& error) {
  std::vector<int> modules;
  for (const std::string& item : splitList(value)) {
    const std::optional<long> module = toLong(item, 0, kModuleSlots - 1);
    if (!module) {
      error = "not a module 0.." + std::to_string(kModuleSlots - 1) + ": " + item;
      return false;
    }
    modules.push_back(static_cast<int>(*module));
  }
  options.modulesOff = modules;
  return true;
}

Setter block(std::optional<long> XmodemFaults::*member) {
  return [member](SimOptions& options, const std::string& value, std::string& error) {
    const std::optional<long> number = toLong(value, 1, LONG_MAX);
    if (!number) error = "not a block number (1 or more): " + value;
    options.xmodem.*member = number;
    return number.has_value();
  };
}

Setter milliseconds(int CallConfig::*member, long max) {
  return [member, max](SimOptions& options, const std::string& value, std::string& error) {
    const std::optional<long> ms = toLong(value, 0, max);
    if (!ms) error = "must be 0.." + std::to_string(max) + " ms";
    if (ms) options.call.*member = static_cast<int>(*ms);
    return ms.has_value();
  };
}

bool setCallMode(SimOptions& options, const std::string& value, std::string& error) {
  static const std::vector<std::pair<std::string, CallMode>> kModes = {{"answer", CallMode::Answer},
                                                                       {"busy", CallMode::Busy},
                                                                       {"no-answer", CallMode::NoAnswer},
                                                                       {"hangup", CallMode::HangUp},
                                                                       {"silent", CallMode::Silent}};
  for (const auto& [name, mode] : kModes) {
    if (value == name) {
      options.call.mode = mode;
      return true;
    }
  }
  error = "call must be answer, busy, no-answer, hangup or silent";
  return false;
}

bool setEraseTime(SimOptions& options, const std::string& value, std::string& error) {
  const std::optional<long> ms = toLong(value, 0, kMaxResetTimeMs);
  if (!ms) error = "erase time must be 0.." + std::to_string(kMaxResetTimeMs) + " ms";
  if (ms) options.eraseMs = static_cast<int>(*ms);
  return ms.has_value();
}

bool setUdpPort(SimOptions& options, const std::string& value, std::string& error) {
  const std::optional<long> port = toLong(value, 0, kMaxPort);
  if (!port) error = "not a UDP port: " + value;
  if (port) options.udpPort = static_cast<int>(*port);
  return port.has_value();
}

bool setUdpLoss(SimOptions& options, const std::string& value, std::string& error) {
  constexpr long kMaxLossPercent = 100;
  const std::optional<long> percent = toLong(value, 0, kMaxLossPercent);
  if (!percent) error = "datagram loss must be 0..100 %";
  if (percent) options.udpLossPercent = static_cast<int>(*percent);
  return percent.has_value();
}

const std::vector<OptionRow>& optionTable() {
  static const std::vector<OptionRow> table{
      {"--tcp", true, setPort},
      {"--pty", true, path(&SimOptions::ptyPath)},
      {"--rates", true, setRates},
      {"--boot", false, flag(&SimOptions::boot, true)},
      {"--edition", true, setEdition},
      {"--serial-number", true, text(&SimOptions::serialNumber)},
      {"--boot-version", true, text(&SimOptions::bootVersion)},
      {"--firmware-version", true, text(&SimOptions::firmwareVersion)},
      {"--product", true, text(&SimOptions::productLine)},
      {"--prompt", true, text(&SimOptions::prompt)},
      {"--login", true, setLogin},
      {"--no-login", false, flag(&SimOptions::loginEnabled, false)},
      {"--state", true, path(&SimOptions::statePath)},
      {"--log", true, path(&SimOptions::logPath)},
      {"--refuse", true, setRefused},
      {"--silent-after", true, count(&SimOptions::silentAfter)},
      {"--drop-after", true, count(&SimOptions::dropAfter)},
      {"--split-replies", false, flag(&SimOptions::splitReplies, true)},
      {"--garbage", false, flag(&SimOptions::garbage, true)},
      {"--telnet", false, flag(&SimOptions::telnet, true)},
      {"--reset-time", true, setResetTime},
      {"--full", false, flag(&SimOptions::full, true)},
      {"--sip-churn-ms", true, setSipChurn},
      {"--page-lines", true, setPageLines},
      {"--page-network-lists", false, flag(&SimOptions::pageNetworkLists, true)},
      {"--log-lines", true, reportSize(&SimOptions::logLines)},
      {"--cdr-records", true, reportSize(&SimOptions::callRecords)},
      {"--ok-in-reports", false, flag(&SimOptions::okInReports, true)},
      {"--stall-reports", true, count(&SimOptions::stallReports)},
      {"--trace-rate", true, setTraceRate},
      {"--live-step-ms", true, setLiveStep},
      {"--modules-off", true, setModulesOff},
      {"--xmodem-corrupt", true, block(&XmodemFaults::corruptBlock)},
      {"--xmodem-drop-ack", true, block(&XmodemFaults::dropAckBlock)},
      {"--xmodem-pause", true, block(&XmodemFaults::pauseBlock)},
      {"--xmodem-cancel", true, block(&XmodemFaults::cancelBlock)},
      {"--call", true, setCallMode},
      {"--call-step-ms", true, milliseconds(&CallConfig::stepMs, kMaxCallStepMs)},
      {"--record-ms", true, milliseconds(&CallConfig::recordMs, kMaxRecordMs)},
      {"--flash", true, path(&SimOptions::flashPath)},
      {"--erase-ms", true, setEraseTime},
      {"--boot-refuse", true, count(&SimOptions::bootRefuse)},
      {"--boot-lose", true, count(&SimOptions::bootLose)},
      {"--boot-stay", false, flag(&SimOptions::bootStay, true)},
      {"--udp", true, setUdpPort},
      {"--udp-loss", true, setUdpLoss},
      {"--udp-reorder", false, flag(&SimOptions::udpReorder, true)},
      {"--help", false, flag(&SimOptions::help, true)},
  };
  return table;
}

const OptionRow* findOption(const std::string& name) {
  for (const OptionRow& row : optionTable()) {
    if (name == row.name) return &row;
  }
  return nullptr;
}

}  // namespace

ParsedOptions parseOptions(const std::vector<std::string>& args) {
  SimOptions options;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::size_t equals = args[i].find('=');
    const std::string name = args[i].substr(0, equals);
    const OptionRow* row = findOption(name);
    if (row == nullptr) return {std::nullopt, "unknown option " + name};
    std::string value;
    if (equals != std::string::npos) {
      if (!row->takesValue) return {std::nullopt, name + " takes no value"};
      value = args[i].substr(equals + 1);
    } else if (row->takesValue) {
      if (i + 1 >= args.size()) return {std::nullopt, name + " needs a value"};
      value = args[++i];
    }
    std::string error;
    if (!row->set(options, value, error)) return {std::nullopt, name + ": " + error};
  }
  if (!options.help && !options.tcpPort && options.ptyPath.empty() && !options.udpPort) {
    return {std::nullopt, "give --tcp PORT, --pty PATH, --udp PORT or several"};
  }
  return {options, ""};
}

std::string usageText() {
  return "usage: gwsim [--tcp PORT] [--pty PATH] [options]\n"
         "A simulated GSM-VoIP gateway: LAN console on 127.0.0.1:PORT (0 picks a free port), serial console\n"
         "on a pseudo-terminal reached through the symbolic link PATH. Prints \"tcp 127.0.0.1:PORT\" and/or\n"
         "\"pty PATH\" on stdout once ready.\n"
         "  --rates LIST            serial bit rates answered (default 57600,115200,230400,460800,921600)\n"
         "  --boot                  serial console starts in the boot loader\n"
         "  --edition orvale|kestrin\n"
         "  --serial-number TEXT    --boot-version TEXT    --firmware-version TEXT\n"
         "  --product TEXT          first ATI3 line (default names the edition with its product mark)\n"
         "  --prompt TEXT           login prompt (default \"QN login: \" or \"QNK login: \")\n"
         "  --login USER:PASS       login account (default admin:admin)\n"
         "  --no-login              no login on either console\n"
         "  --state FILE            load registers at start, save them after every change\n"
         "  --log FILE              append every received line to FILE\n"
         "  --refuse REG[,REG...]   writes of these registers answer ERROR\n"
         "  --silent-after N        send nothing at all after N command lines\n"
         "  --drop-after N          cut the reply to command line N+1 and drop the LAN client (once)\n"
         "  --split-replies         send every reply in pieces 30 ms apart\n"
         "  --garbage               send a burst of random bytes before every reply\n"
         "  --telnet                send Telnet negotiation to LAN clients at connect\n"
         "  --reset-time MS         how long a reset takes (default 2000)\n"
         "  --full                  start fully configured: tables full, lists at their maximum, long texts\n"
         "  --sip-churn-ms MS       mobility extensions drop and register again in periods of MS (default 0: "
         "never)\n"
         "  --page-lines N          lines per page of a listing (default 16)\n"
         "  --page-network-lists    send AT&NALL in pages like a listing\n"
         "  --log-lines N           events in the gateway's log (default 120)\n"
         "  --cdr-records N         call data records held (default 40)\n"
         "  --ok-in-reports         log lines, call records and statistics that hold the letters OK\n"
         "  --stall-reports N       reports send N pages (records) whole, then half of the next and stall\n"
         "  --trace-rate LINES_PER_S  trace lines per second while tracing is on (default 4)\n"
         "  --live-step-ms MS       the modules' levels and operators and the calls change every MS\n"
         "                          (default 5000)\n"
         "  --modules-off LIST      GSM modules (0..3) without a SIM: not registered, signal unknown\n"
         "  --xmodem-corrupt N      voice transfers: block N is damaged on the line, once\n"
         "  --xmodem-drop-ack N     voice transfers: the acknowledgement of block N is lost, once\n"
         "  --xmodem-pause N        voice transfers: sending, block N stops halfway for 1.5 s, once\n"
         "  --xmodem-cancel N       voice transfers: CAN CAN in place of block N or of its acknowledgement\n"
         "  --call MODE             the recording call: answer (default), busy, no-answer, hangup, silent\n"
         "  --call-step-ms MS       between two indications of the call (default 500)\n"
         "  --record-ms MS          how long a recording lasts (default 3000)\n"
         "  --flash FILE            the firmware image: loaded at start, written after every upgrade\n"
         "  --erase-ms MS           how long erasing the flash takes (default 3000)\n"
         "  --boot-refuse N         the boot loader refuses the batch of data record N (first attempt)\n"
         "  --boot-lose N           the boot loader's answer to batch end N is lost (once)\n"
         "  --boot-stay             after the image the gateway stays in its boot loader\n"
         "  --udp PORT              firmware port (UCMD) on 127.0.0.1:PORT; 0 picks a free port\n"
         "  --udp-loss PERCENT      the firmware port loses this share of datagrams either way\n"
         "  --udp-reorder           the firmware port holds every other reply back behind the next\n"
         "  --help\n";
}

}  // namespace gwsim

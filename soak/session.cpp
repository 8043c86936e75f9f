#include "session.h"

#include <signal.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <random>

#include "base/ini_file.h"
#include "child.h"
#include "menu.h"

namespace gw::soak {

namespace {

constexpr int kMinCommands = 2;
constexpr int kMaxCommands = 4;
constexpr int kQuickMaxCommands = 2;
// Response time-outs a session runs with (gwctl --timeout); short ones keep a quick run short.
const std::vector<int> kTimeoutsMs = {500, 1000, 2000, 5000};
const std::vector<int> kQuickTimeoutsMs = {200, 500};
constexpr int kAnnounceWaitMs = 10'000;  // gwsim prints its consoles
constexpr int kSettleMs = 1500;          // gwsim closes a client that went away
constexpr int kStopWaitMs = 5000;        // gwsim stops after SIGTERM
constexpr int kWatchStepMs = 20;
constexpr int kKillWindowMs = 3000;  // a kill lands this long after the start at the latest
// gwctl's own descriptors: the standard three, the link, the LOG, a file being written, a signal pipe, with
// room; a descriptor left open per retry or per page would pass it.
constexpr int kGwctlDescriptorBound = 16;
constexpr const char* kParameterFile = "gw.ini";

using Random = std::mt19937_64;

bool chance(Random& random, double p) {
  return std::uniform_real_distribution<double>(0, 1)(random) < p;
}
int between(Random& random, int low, int high) {
  return std::uniform_int_distribution<int>(low, high)(random);
}
template <typename T>
const T& pick(Random& random, const std::vector<T>& items) {
  return items[static_cast<std::size_t>(between(random, 0, static_cast<int>(items.size()) - 1))];
}

// The failure options of gwsim, each drawn on its own.
std::vector<std::string> simFaults(Random& random) {
  std::vector<std::string> args;
  const auto add = [&](double p, std::vector<std::string> option) {
    if (chance(random, p)) args.insert(args.end(), option.begin(), option.end());
  };
  add(0.12, {"--silent-after", std::to_string(between(random, 3, 300))});
  add(0.2, {"--drop-after", std::to_string(between(random, 1, 150))});
  add(0.2, {"--split-replies"});
  add(0.15, {"--garbage"});
  add(0.2, {"--refuse", pick(random, std::vector<std::string>{"S98", "S70,E09", "G00,X24", "R5,A3", "M1"})});
  add(0.3, {"--telnet"});
  add(0.15, {"--stall-reports", std::to_string(between(random, 0, 3))});
  add(0.3, {"--full"});
  add(0.3, {"--edition", "kestrin"});
  add(0.2, {"--page-network-lists"});
  add(0.2, {"--ok-in-reports"});
  add(0.1, {"--sip-churn-ms", std::to_string(between(random, 200, 2000))});
  args.insert(args.end(), {"--reset-time", std::to_string(between(random, 100, 2500))});
  args.insert(args.end(), {"--page-lines", std::to_string(between(random, 3, 16))});
  return args;
}

std::string describe(const std::vector<std::string>& args) {
  std::string text;
  for (const std::string& arg : args) text += (text.empty() ? "" : " ") + arg;
  return text;
}

struct Sim {
  pid_t pid = -1;
  int tcpPort = 0;
  std::string ptyPath;
};

std::optional<Sim> startSim(const Tools& tools, const std::string& dir,
                            const std::vector<std::string>& faults, bool pty) {
  std::vector<std::string> argv = {tools.gwsim, "--state", dir + "/state.txt"};
  if (pty) {
    argv.insert(argv.end(), {"--pty", dir + "/tty"});
  } else {
    argv.insert(argv.end(), {"--tcp", "0"});
  }
  argv.insert(argv.end(), faults.begin(), faults.end());
  Sim sim;
  sim.pid = startChild(argv, dir + "/sim.out", dir + "/sim.err");
  if (sim.pid < 0) return std::nullopt;
  for (int waited = 0; waited < kAnnounceWaitMs; waited += kWatchStepMs) {
    const std::string out = readText(dir + "/sim.out");
    if (const std::size_t at = out.find("tcp 127.0.0.1:");
        at != std::string::npos && out.find('\n', at) != std::string::npos) {
      sim.tcpPort = std::atoi(out.c_str() + at + 14);
      return sim;
    }
    if (const std::size_t at = out.find("pty "); at != std::string::npos) {
      const std::size_t end = out.find('\n', at);
      if (end != std::string::npos) {
        sim.ptyPath = out.substr(at + 4, end - at - 4);
        return sim;
      }
    }
    if (reapChild(sim.pid)) return std::nullopt;
    pauseMs(kWatchStepMs);
  }
  ::kill(sim.pid, SIGKILL);
  waitChild(sim.pid, kStopWaitMs);
  return std::nullopt;
}

// Every key of every section of `before` is still there: a file cut short would lose the last ones.
bool completeAfter(const std::string& before, const std::string& path) {
  const IniFile now = IniFile::load(path);
  if (!now.ok()) return false;
  const std::string text = now.text();
  if (!text.empty() && text.back() != '\n') return false;
  const IniFile old = IniFile::fromText(before);
  for (const std::string& section : old.sections()) {
    for (const std::string& key : old.keys(section)) {
      if (!now.hasKey(section, key)) return false;
    }
  }
  return true;
}

bool isCrash(int status, int sentSignal, const std::string& err) {
  if (err.find("Sanitizer") != std::string::npos || err.find("runtime error:") != std::string::npos)
    return true;
  if (WIFSIGNALED(status)) return WTERMSIG(status) != sentSignal;
  if (!WIFEXITED(status)) return true;
  const int code = WEXITSTATUS(status);
  // 0 success, 1 errors reported, 3 no connection, 4 file error, 130 interrupted; 2 (usage) means the menu
  // no longer matches gwctl.
  return !(code == 0 || code == 1 || code == 3 || code == 4 || code == 130);
}

class Session {
 public:
  Session(const Tools& tools, std::uint64_t seed, bool verbose, bool quick)
      : tools_(tools), random_(seed), verbose_(verbose), quick_(quick) {}

  SessionResult run();

 private:
  void note(const std::string& line) { result_.notes.push_back(line); }
  void step(const std::string& line) {
    steps_.push_back(line);
    if (verbose_) note(line);
  }
  std::vector<std::string> linkArgs() const;
  void runCommand(const MenuCommand& command, int index);
  void checkSimDescriptors(const std::string& after);
  void stopSim();

  const Tools& tools_;
  Random random_;
  bool verbose_;
  bool quick_;
  int timeoutMs_ = 0;
  std::vector<std::string> steps_;  // written beside a failed session's files
  SessionResult result_;
  std::string dir_;
  Sim sim_;
  int simBaseline_ = -1;
};

std::vector<std::string> Session::linkArgs() const {
  std::vector<std::string> args;
  if (sim_.ptyPath.empty()) {
    args = {"--lan", "127.0.0.1:" + std::to_string(sim_.tcpPort)};
  } else {
    args = {"--serial", sim_.ptyPath};
  }
  args.insert(args.end(),
              {"--user", "admin", "--password", "admin", "--timeout", std::to_string(timeoutMs_)});
  return args;
}

void Session::runCommand(const MenuCommand& command, int index) {
  const std::string file = dir_ + "/" + kParameterFile;
  std::vector<std::string> argv = {tools_.gwctl, "--home", dir_};
  if (command.online) {
    const std::vector<std::string> link = linkArgs();
    argv.insert(argv.end(), link.begin(), link.end());
  }
  const std::string page = pick(random_, pageChoices());
  for (const std::string& arg : command.args) {
    argv.push_back(arg == "{PAGE}" ? page : arg == "{FILE}" ? file : arg);
  }
  const std::string what =
      "command " + std::to_string(index) + " (" + describe({argv.begin() + 3, argv.end()}) + ")";
  const int limitMs = command.limitMs(command.online ? timeoutMs_ : 0);

  const std::string before = readText(file);
  const std::string gatewaysBefore = readText(dir_ + "/gtws.ini");
  int killSignal = 0;
  int killAtMs = -1;
  if (chance(random_, 0.12)) {
    killSignal = SIGKILL;
    killAtMs = between(random_, 0, kKillWindowMs);
  } else if (chance(random_, 0.08)) {
    killSignal = SIGINT;
    killAtMs = between(random_, 0, kKillWindowMs);
  }

  const std::string out = dir_ + "/ctl" + std::to_string(index) + ".out";
  const std::string errPath = dir_ + "/ctl" + std::to_string(index) + ".err";
  const pid_t pid = startChild(argv, out, errPath);
  int maxDescriptors = 0;
  std::optional<int> status;
  int elapsed = 0;
  bool overTime = false;
  bool killed = false;
  for (; !(status = reapChild(pid)); elapsed += kWatchStepMs) {
    maxDescriptors = std::max(maxDescriptors, openDescriptors(pid));
    if (killAtMs >= 0 && elapsed >= killAtMs) {
      ::kill(pid, killSignal);
      killAtMs = -1;
      killed = true;
    }
    if (elapsed > limitMs) {
      overTime = true;
      ::kill(pid, SIGKILL);
      status = waitChild(pid, kStopWaitMs);
      break;
    }
    pauseMs(kWatchStepMs);
  }
  step(what + ": " + std::to_string(elapsed) + " ms, status " + std::to_string(status.value_or(-1)) +
       (killed ? ", signal " + std::to_string(killSignal) + " sent" : "") + ", at most " +
       std::to_string(maxDescriptors) + " descriptors");
  if (overTime) {
    ++result_.overTime;
    note(what + ": still running after " + std::to_string(limitMs) + " ms");
  }
  const std::string err = readText(errPath);
  if (!overTime && status && isCrash(*status, killSignal, err)) {
    ++result_.crashes;
    note(what + ": crashed, wait status " + std::to_string(*status) + ": " + err.substr(0, 300));
  }
  if (maxDescriptors > kGwctlDescriptorBound) {
    ++result_.leaks;
    note(what + ": gwctl held " + std::to_string(maxDescriptors) + " descriptors");
  }
  if (command.writes == Writes::ParameterFile && readText(file) != before && !completeAfter(before, file)) {
    ++result_.damaged;
    note(what + ": the parameter file is neither the old one nor complete");
  }
  if (command.writes == Writes::GatewayList) {
    const std::string now = readText(dir_ + "/gtws.ini");
    if (now != gatewaysBefore && !IniFile::load(dir_ + "/gtws.ini").ok()) {
      ++result_.damaged;
      note(what + ": gtws.ini cannot be read");
    }
  }
  if (command.online) checkSimDescriptors(what);
}

// A client that went away leaves gwsim with the descriptors it had before.
void Session::checkSimDescriptors(const std::string& after) {
  int count = -1;
  for (int waited = 0; waited <= kSettleMs; waited += kWatchStepMs) {
    count = openDescriptors(sim_.pid);
    if (count <= simBaseline_) return;
    pauseMs(kWatchStepMs);
  }
  if (count < 0) return;  // gwsim has ended; stopSim tells
  ++result_.leaks;
  note(after + ": gwsim holds " + std::to_string(count) + " descriptors, " + std::to_string(simBaseline_) +
       " before");
}

void Session::stopSim() {
  if (sim_.pid < 0) return;
  if (reapChild(sim_.pid)) {
    ++result_.crashes;
    note("gwsim ended by itself");
    return;
  }
  ::kill(sim_.pid, SIGTERM);
  const std::optional<int> status = waitChild(sim_.pid, kStopWaitMs);
  if (!status) {
    ++result_.leaks;
    // Where it waits, so that a hang can be told from a slow machine.
    const std::string proc = "/proc/" + std::to_string(sim_.pid);
    std::string stat = readText(proc + "/stat");
    if (const std::size_t paren = stat.rfind(')'); paren != std::string::npos)
      stat = stat.substr(paren + 2, 1);
    note("gwsim still running " + std::to_string(kStopWaitMs) + " ms after SIGTERM (state " + stat +
         ", wchan " + readText(proc + "/wchan") + ", syscall " + readText(proc + "/syscall").substr(0, 40) +
         ")");
    ::kill(sim_.pid, SIGKILL);
    waitChild(sim_.pid, kStopWaitMs);
  } else if (!WIFEXITED(*status) || WEXITSTATUS(*status) != 0) {
    ++result_.crashes;
    note("gwsim stopped with wait status " + std::to_string(*status) + ": " +
         readText(dir_ + "/sim.err").substr(0, 300));
  }
}

SessionResult Session::run() {
  std::string pattern = (std::filesystem::temp_directory_path() / "gwsoak.XXXXXX").string();
  if (!::mkdtemp(pattern.data())) {
    note("cannot create a session folder");
    ++result_.leaks;
    return result_;
  }
  dir_ = pattern;
  for (const char* name : {"languages.ini", "defaults.ini"}) {
    std::filesystem::copy_file(tools_.dataFolder + "/" + name, dir_ + "/" + name);
  }
  const std::vector<std::string> faults = simFaults(random_);
  const bool pty = chance(random_, 0.4);
  timeoutMs_ = pick(random_, quick_ ? kQuickTimeoutsMs : kTimeoutsMs);
  step(std::string(pty ? "pty" : "lan") + ", time-out " + std::to_string(timeoutMs_) + " ms, gwsim " +
       describe(faults));
  const std::optional<Sim> sim = startSim(tools_, dir_, faults, pty);
  if (!sim) {
    ++result_.crashes;
    note("gwsim did not start: " + readText(dir_ + "/sim.err").substr(0, 300));
  } else {
    sim_ = *sim;
    pauseMs(kWatchStepMs);
    simBaseline_ = openDescriptors(sim_.pid);
    // A complete parameter file first, so that save has one and a damaged load can be told.
    runCommand(
        MenuCommand{"defaults", {"defaults", "all", "-o", "{FILE}"}, false, 5, 0, Writes::ParameterFile}, 0);
    const int count =
        quick_ ? between(random_, 1, kQuickMaxCommands) : between(random_, kMinCommands, kMaxCommands);
    for (int i = 1; i <= count; ++i) runCommand(pick(random_, menu()), i);
    stopSim();
  }
  if (!result_.failed()) {
    std::filesystem::remove_all(dir_);
  } else {
    std::ofstream steps(dir_ + "/session.txt");
    for (const std::string& line : steps_) steps << line << "\n";
    note("session folder kept: " + dir_);
  }
  return result_;
}

}  // namespace

SessionResult runSession(const Tools& tools, std::uint64_t seed, bool verbose, bool quick) {
  return Session(tools, seed, verbose, quick).run();
}

}  // namespace gw::soak

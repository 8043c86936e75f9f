#pragma once
// One soak session: a gwsim with failure options drawn at random, a few gwctl commands drawn from the menu
// against it over the LAN or a pty (some killed at a random moment), and the checks after each: no crash, no
// command over its time limit, no parameter file half-written, no descriptor or process left behind.

#include <cstdint>
#include <string>
#include <vector>

namespace gw::soak {

struct Tools {
  std::string gwctl;
  std::string gwsim;
  std::string dataFolder;  // languages.ini and defaults.ini
};

struct SessionResult {
  int crashes = 0;
  int overTime = 0;
  int damaged = 0;
  int leaks = 0;
  std::vector<std::string> notes;  // one line per finding, and with `verbose` one per step
  bool failed() const { return crashes + overTime + damaged + leaks > 0; }
};

// `quick`: fewer commands and short response time-outs, for a run that has to be short.
SessionResult runSession(const Tools& tools, std::uint64_t seed, bool verbose, bool quick);

}  // namespace gw::soak

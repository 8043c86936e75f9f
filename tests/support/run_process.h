#pragma once
// Runs a program to its end (or kills it after a bound) and collects what it printed.

#include <string>
#include <vector>

namespace gw::test {

struct ProcessResult {
  int exitCode = -1;  // -1 when it was killed or could not start
  bool timedOut = false;
  std::string out;
  std::string err;
  long elapsedMs = 0;
};

// `interruptAfterMs` >= 0: the program gets a SIGINT that long after it started, as Ctrl+C would send it.
ProcessResult runProcess(const std::string& executable, const std::vector<std::string>& args,
                         int timeoutMs = 60'000, const std::vector<std::string>& extraEnvironment = {},
                         int interruptAfterMs = -1);

}  // namespace gw::test

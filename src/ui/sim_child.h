#pragma once
// gwsim as a child of the desktop program's demo mode: started with a LAN console on a free loopback port,
// its port read from the line it prints when ready, and stopped when the program ends. The simulator also
// ends by itself when its parent dies.

#include <sys/types.h>

#include <string>
#include <vector>

#include "base/clock.h"

namespace gw::ui {

// How long the simulator may take to announce its console.
inline constexpr int kSimReadyTimeoutMs = 5000;
// How long it may take to stop after SIGTERM before it is killed.
inline constexpr int kSimStopTimeoutMs = 3000;

class SimChild {
 public:
  explicit SimChild(Clock& clock) : clock_(clock) {}
  ~SimChild();
  SimChild(const SimChild&) = delete;
  SimChild& operator=(const SimChild&) = delete;

  // Starts `executable` with `args` (which must ask for "--tcp 0") and waits for "tcp 127.0.0.1:PORT".
  // False when it could not start or did not announce its console in time; error() says why.
  bool start(const std::string& executable, const std::vector<std::string>& args);
  int port() const { return port_; }
  pid_t pid() const { return pid_; }
  const std::string& error() const { return error_; }
  // SIGTERM, then SIGKILL after kSimStopTimeoutMs. Safe to call twice.
  void stop();

 private:
  bool readAnnouncement();

  Clock& clock_;
  pid_t pid_ = -1;
  int stdoutFd_ = -1;
  int port_ = 0;
  std::string error_;
};

// The port in a "tcp 127.0.0.1:PORT" line, or 0.
int announcedPort(const std::string& line);

}  // namespace gw::ui

#pragma once
// A gwsim process for integration tests: started with the caller's arguments, its consoles read from the
// lines it prints when ready ("tcp 127.0.0.1:PORT", "pty PATH", "udp 127.0.0.1:PORT"), and stopped (SIGTERM,
// then SIGKILL after a bound) when the object goes away. The simulator also stops by itself if the test
// process dies.

#include <sys/types.h>

#include <string>
#include <vector>

namespace gw::test {

class SimProcess {
 public:
  // Waits until the simulator has announced every console its arguments ask for (--tcp, --pty).
  SimProcess(const std::string& executable, const std::vector<std::string>& args);
  ~SimProcess();
  SimProcess(const SimProcess&) = delete;
  SimProcess& operator=(const SimProcess&) = delete;

  // True when the simulator runs and announced its consoles; otherwise error() says why.
  bool ready() const { return ready_; }
  const std::string& error() const { return error_; }
  pid_t pid() const { return pid_; }
  int tcpPort() const { return tcpPort_; }                 // 0 without a LAN console
  int udpPort() const { return udpPort_; }                 // 0 without a firmware port
  const std::string& ptyPath() const { return ptyPath_; }  // empty without a serial console

  // SIGTERM, then SIGKILL if it has not exited within the bound. Returns the status waitpid() gave, or -1
  // when there was no process. Safe to call twice.
  int stop();
  // Waits (bounded) for the process to exit by itself; the status, or -1 if it still runs.
  int waitForExit(int timeoutMs);

 private:
  bool start(const std::string& executable, const std::vector<std::string>& args);
  bool readAnnouncements(int expectedLines);
  bool takeLine(const std::string& line);

  pid_t pid_ = -1;
  int stdoutFd_ = -1;
  int status_ = -1;
  bool ready_ = false;
  std::string error_;
  int tcpPort_ = 0;
  int udpPort_ = 0;
  std::string ptyPath_;
};

}  // namespace gw::test

#pragma once
// Two pseudo-terminals joined by a relay, for talking to a program no one here wrote (lrzsz) as if over a
// serial cable: this side opens nearPath() as its serial port, the other program runs with its stdin and
// stdout on the far terminal. The relay can damage one byte on its way, in either direction.

#include <sys/types.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

namespace gw::test {

class PtyBridge {
 public:
  PtyBridge();
  ~PtyBridge();
  PtyBridge(const PtyBridge&) = delete;
  PtyBridge& operator=(const PtyBridge&) = delete;

  bool ready() const { return ready_; }
  const std::string& nearPath() const { return nearPath_; }
  // Flips the bits of byte `offset` (counted from 0) of what flows towards the far side, or the near side.
  void damageTowardsFar(long offset) { damageFar_ = offset; }
  void damageTowardsNear(long offset) { damageNear_ = offset; }

  // Starts `program` in `folder` reading the far terminal (stdin) and writing into a pipe the relay carries
  // on (stdout), stderr into PROGRAM.log there. lrzsz flushes its terminal's output as it exits, which on a
  // pseudo-terminal can drop its last ACK before the relay has read it; a pipe keeps every byte. lrzsz
  // refuses file names with a folder in them, so it is given the file's own name in its folder.
  pid_t startFar(const std::string& folder, const std::string& program, const std::vector<std::string>& args);

 private:
  void relay();

  int nearMaster_ = -1;
  int farMaster_ = -1;
  int farSlave_ = -1;
  std::atomic<int> farOutput_ = -1;  // the read end of the far program's stdout
  std::atomic<pid_t> farPid_ = -1;
  std::string nearPath_;
  bool ready_ = false;
  std::atomic<bool> stop_ = false;
  std::atomic<long> damageFar_ = -1;
  std::atomic<long> damageNear_ = -1;
  std::thread thread_;
};

// Starts `program` in `folder` with its stdin and stdout on the terminal `path` (raw at `bitsPerSecond`).
pid_t startOnTerminal(const std::string& path, int bitsPerSecond, const std::string& folder,
                      const std::string& program, const std::vector<std::string>& args);
// The program's exit code once it ended; -1 when it had to be killed after `timeoutMs`.
int waitForExit(pid_t pid, int timeoutMs);

}  // namespace gw::test

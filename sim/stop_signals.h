#pragma once
// How the simulator learns that it must stop: SIGINT and SIGTERM arrive on a descriptor the event loop
// polls (they are blocked, so they never interrupt a half-done write), and the death of the parent process
// is turned into SIGTERM so that a test that dies leaves no simulator behind.

namespace gwsim {

class StopSignals {
 public:
  StopSignals();  // blocks SIGINT and SIGTERM and ignores SIGPIPE
  ~StopSignals();
  StopSignals(const StopSignals&) = delete;
  StopSignals& operator=(const StopSignals&) = delete;

  bool ok() const { return fd_ >= 0; }
  int fd() const { return fd_; }

 private:
  int fd_ = -1;
};

// Asks for SIGTERM when the parent dies. False when the parent has already gone.
bool stopWithParent();

}  // namespace gwsim

#pragma once
// CThread: a thread object. Start runs Run() on a thread of its own; a second Start while it runs is
// refused. The derived class waits for its thread before its own members go.

#include <atomic>
#include <thread>

namespace gw {

class CThread {
 public:
  virtual ~CThread();
  CThread() = default;
  CThread(const CThread&) = delete;
  CThread& operator=(const CThread&) = delete;

  // The thread body.
  virtual int Run() = 0;
  // False when the thread already runs or cannot be created.
  virtual bool Start();
  virtual bool IsRunning() const { return running_; }
  // Waits for the thread to end (at once when none runs).
  void Wait();

 private:
  std::atomic<bool> running_ = false;
  std::thread thread_;
};

}  // namespace gw

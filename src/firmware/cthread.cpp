#include "firmware/cthread.h"

#include <system_error>

namespace gw {

CThread::~CThread() {
  Wait();
}

bool CThread::Start() {
  if (running_) return false;
  Wait();  // a thread that has ended is joined before the next starts
  running_ = true;
  try {
    thread_ = std::thread([this] {
      Run();
      running_ = false;
    });
  } catch (const std::system_error&) {
    running_ = false;
    return false;
  }
  return true;
}

void CThread::Wait() {
  if (thread_.joinable()) thread_.join();
}

}  // namespace gw

#include "link/background_reader.h"

#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

namespace gw {

namespace {

// A pass returns within one read time-out of the port once asked to stop (a few ms with the terminal
// time-outs, under a quarter of a second with any profile); the wait for the thread allows far more.
constexpr std::chrono::milliseconds kStopBound{2000};

class ReaderThread : public BackgroundReader {
 public:
  explicit ReaderThread(ReadPass pass) : pass_(std::move(pass)), thread_([this] { run(); }) {}
  ~ReaderThread() override { stop(); }
  ReaderThread(const ReaderThread&) = delete;
  ReaderThread& operator=(const ReaderThread&) = delete;

  std::vector<std::string> take() override {
    std::vector<std::string> blocks;
    {
      std::lock_guard lock(mutex_);
      blocks.assign(std::make_move_iterator(queue_.begin()), std::make_move_iterator(queue_.end()));
      queue_.clear();
      queuedBytes_ = 0;
    }
    changed_.notify_all();
    return blocks;
  }

  bool stop() override {
    {
      std::lock_guard lock(mutex_);  // a reader about to wait for room sees the request
      stopping_ = true;
    }
    changed_.notify_all();
    bool ended = true;
    {
      std::unique_lock lock(mutex_);
      ended = changed_.wait_for(lock, kStopBound, [this] { return finished_; });
    }
    // A pass that outlived the bound is still bounded by the port's read time-out: the join waits for it
    // rather than leave a thread reading a port that is about to close.
    if (thread_.joinable()) thread_.join();
    return ended;
  }

 private:
  void run() {
    while (!stopping_) {
      std::string block = pass_(stopping_);
      if (block.empty()) continue;
      std::unique_lock lock(mutex_);
      changed_.wait(lock, [this] { return stopping_ || queuedBytes_ < kReaderQueueLimitBytes; });
      queuedBytes_ += block.size();
      queue_.push_back(std::move(block));
    }
    {
      std::lock_guard lock(mutex_);
      finished_ = true;
    }
    changed_.notify_all();
  }

  ReadPass pass_;
  std::atomic<bool> stopping_ = false;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<std::string> queue_;
  std::size_t queuedBytes_ = 0;
  bool finished_ = false;
  std::thread thread_;  // last: it starts once everything above is ready
};

}  // namespace

std::unique_ptr<BackgroundReader> startReaderThread(ReadPass pass) {
  return std::make_unique<ReaderThread>(std::move(pass));
}

}  // namespace gw

#pragma once
// The readers of the serial terminal and of serial tracing: a thread of their own that reads the open port
// block after block while the command exchange is not used, and hands the blocks to the user-interface
// thread through a queue that thread empties on its own timer. Nothing but the queue is shared.

#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace gw {

// One read of the reader: the bytes that arrived (empty when the line was silent). It returns soon after
// `stopping` is set, whatever the line does.
using ReadPass = std::function<std::string(const std::atomic<bool>& stopping)>;

class BackgroundReader {
 public:
  virtual ~BackgroundReader() = default;
  // The blocks read since the last take, in order.
  virtual std::vector<std::string> take() = 0;
  // Asks the reader to end and waits for it; true when it ended within its bound. What it read before
  // ending stays for the last take.
  virtual bool stop() = 0;
};

using ReaderFactory = std::function<std::unique_ptr<BackgroundReader>(ReadPass pass)>;

// The real reader: a thread that runs `pass` again and again until stopped. A reader whose queue holds
// kReaderQueueLimitBytes waits for the queue to be emptied (nothing read is dropped; the port's own buffer
// holds what arrives meanwhile).
inline constexpr std::size_t kReaderQueueLimitBytes = 4 << 20;
std::unique_ptr<BackgroundReader> startReaderThread(ReadPass pass);

}  // namespace gw

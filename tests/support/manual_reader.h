#pragma once
// The serial readers of the terminal and tracing, for unit tests: instead of a thread, the reader reads when
// the program takes what it read, on the test's own thread, so scripted devices on the fake clock serve it
// as they serve the command exchange.

#include <atomic>
#include <memory>
#include <string>
#include <vector>

#include "link/background_reader.h"

namespace gw::test {

class ManualReader : public BackgroundReader {
 public:
  // A device that never falls silent is read this many blocks at a time.
  static constexpr int kMaxPassesPerTake = 64;

  explicit ManualReader(ReadPass pass, int& running) : pass_(std::move(pass)), running_(running) {
    ++running_;
  }
  ~ManualReader() override { stop(); }

  // Reads until the line falls silent.
  std::vector<std::string> take() override {
    std::vector<std::string> blocks;
    const std::atomic<bool> reading = false;
    for (int pass = 0; pass < kMaxPassesPerTake && !stopped_; ++pass) {
      std::string block = pass_(reading);
      if (block.empty()) break;
      blocks.push_back(std::move(block));
    }
    return blocks;
  }
  bool stop() override {
    if (!stopped_) --running_;
    stopped_ = true;
    return true;
  }

 private:
  ReadPass pass_;
  int& running_;
  bool stopped_ = false;
};

// Readers that count how many of them run.
inline ReaderFactory manualReaders(int& running) {
  return [&running](ReadPass pass) { return std::make_unique<ManualReader>(std::move(pass), running); };
}

}  // namespace gw::test

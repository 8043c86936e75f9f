#pragma once
// The --log transcript: every line the gateway received, one per line, without its CR, flushed at once so a
// test can read it while the simulator runs.

#include <cstdio>
#include <string>
#include <string_view>

namespace gwsim {

class Transcript {
 public:
  Transcript() = default;  // writes nothing
  ~Transcript();
  Transcript(const Transcript&) = delete;
  Transcript& operator=(const Transcript&) = delete;

  // Appends to `path`; false when it cannot be opened.
  bool open(const std::string& path);
  void line(std::string_view text);

 private:
  std::FILE* file_ = nullptr;
};

}  // namespace gwsim

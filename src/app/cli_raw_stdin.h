#pragma once
// gwctl terminal's keyboard: stdin read without waiting, in raw mode when it is a terminal (every key as
// typed, no echo, no line editing; the mode the shell had is given back at the end).

#include <termios.h>

#include <string>

namespace gw {

class RawStdin {
 public:
  explicit RawStdin(int fd);
  ~RawStdin();
  RawStdin(const RawStdin&) = delete;
  RawStdin& operator=(const RawStdin&) = delete;

  bool terminal() const { return terminal_; }

  struct Input {
    std::string bytes;
    bool ended = false;  // end of input (never for a terminal)
  };
  // What is waiting now.
  Input read();

 private:
  int fd_;
  bool terminal_ = false;
  termios saved_{};
};

}  // namespace gw

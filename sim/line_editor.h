#pragma once
// Line assembly and echo of the console, as a modem console does it:
// - a printable byte (and TAB, and bytes from 0x80) joins the line and is echoed as received;
// - CR ends the line and is echoed as CR LF; LF is never part of a line and is not echoed, so "AT\r\n" and
//   "AT\r" both echo "AT\r\n";
// - BS or DEL erases the last byte of the line, echoed as BS, space, BS (nothing when the line is empty);
// - NUL and the other control bytes are dropped without echo.
// With echo off (while a password is typed) only the CR LF is echoed.

#include <optional>
#include <string>

namespace gwsim {

struct TakenLine {
  std::string text;
  bool overflowed = false;  // longer than the console keeps; the rest was dropped
};

class LineEditor {
 public:
  struct Step {
    std::string echo;
    std::optional<TakenLine> line;
  };

  Step feed(char byte);
  void setEcho(bool on) { echo_ = on; }
  void clear();

 private:
  std::string line_;
  bool overflowed_ = false;
  bool echo_ = true;
};

}  // namespace gwsim

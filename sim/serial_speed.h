#pragma once
// Line speeds of the serial console: bit/s as the user writes them and the termios codes a pty reports.

#include <termios.h>

#include <optional>

namespace gwsim {

std::optional<speed_t> speedCode(int bitsPerSecond);
std::optional<int> speedValue(speed_t code);

}  // namespace gwsim

#include "serial_speed.h"

#include <array>

namespace gwsim {
namespace {

struct SpeedEntry {
  int bitsPerSecond;
  speed_t code;
};

// The bit rates a gateway client may try, lowest first.
constexpr std::array<SpeedEntry, 13> kSpeeds{{
    {110, B110},
    {300, B300},
    {1200, B1200},
    {2400, B2400},
    {4800, B4800},
    {9600, B9600},
    {19200, B19200},
    {38400, B38400},
    {57600, B57600},
    {115200, B115200},
    {230400, B230400},
    {460800, B460800},
    {921600, B921600},
}};

}  // namespace

std::optional<speed_t> speedCode(int bitsPerSecond) {
  for (const SpeedEntry& entry : kSpeeds) {
    if (entry.bitsPerSecond == bitsPerSecond) return entry.code;
  }
  return std::nullopt;
}

std::optional<int> speedValue(speed_t code) {
  for (const SpeedEntry& entry : kSpeeds) {
    if (entry.code == code) return entry.bitsPerSecond;
  }
  return std::nullopt;
}

}  // namespace gwsim

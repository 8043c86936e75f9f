#pragma once
// A simulated gateway and one console session on it, in-process and without login: send() returns every byte
// the console would put on the line. The edition and the device options (clock, failure modes, page size)
// come from the caller.

#include <string>
#include <string_view>

#include "device.h"
#include "session.h"

namespace gwsim::test {

inline constexpr const char* kOk = "\r\nOK\r\n";
inline constexpr const char* kError = "\r\nERROR\r\n";
inline constexpr const char* kPageEnd = "\r\n<SPACE>\r\n";

bool endsWith(const std::string& text, std::string_view end);

struct SimConsole {
  explicit SimConsole(Edition edition = Edition::Orvale, DeviceConfig config = {});

  std::string send(const std::string& bytes);
  // What a command answers after its echo.
  std::string reply(const std::string& command);
  // A listing as a client collects it: the command, then one space after every page until a page ends in
  // "OK".
  std::string collect(const std::string& command);

  Transcript transcript;  // writes nothing; declared first as the device keeps a reference
  Device device;
  Session session{device};
  FeedResult last;
};

}  // namespace gwsim::test

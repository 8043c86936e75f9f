#pragma once
// Who the simulated gateway says it is: the ATI3/ATI4 texts and the login prompt of its edition.

#include <string>
#include <vector>

#include "options.h"

namespace gwsim {

struct Identity {
  Edition edition = Edition::Orvale;
  std::string productLine;
  std::string serialNumber;
  std::string bootVersion;
  std::string firmwareVersion;
  std::string prompt;  // "QN login: "
};

Identity identityFor(const SimOptions& options);

// Reply lines of "ATI3": the product line with the product mark, then the versions, each version followed by
// a space (clients keep a version up to and including the next space).
std::vector<std::string> ati3Lines(const Identity& identity);
// Reply lines of "ATI4": the serial number.
std::vector<std::string> ati4Lines(const Identity& identity);

}  // namespace gwsim

#pragma once
// A fully configured gateway (--full): every table full, every list at its maximum, the texts at their
// longest, for benchmarks and the whole-configuration tests. Each value goes through the same checks as a
// register write from a console.

#include <string>
#include <vector>

#include "register_store.h"

namespace gwsim {

// Writes the full configuration of the store's edition; returns the keys the gateway would refuse (none).
std::vector<std::string> fillFullConfiguration(RegisterStore& store);

}  // namespace gwsim

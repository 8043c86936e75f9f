#pragma once
// What a window's controls hold, as one text per control, so that two states of a page can be compared
// control by control (the page holding the parameter file, then the gateway).

#include <map>
#include <string>
#include <vector>

#include "pages/control_set.h"

namespace gw {

using FieldValues = std::map<std::string, std::string, std::less<>>;

// Every control that holds a value: texts, choices, checks, numbers, radio groups, lists and tables.
FieldValues fieldValues(ControlSet& controls);
// The controls whose values differ between the two states, by name.
std::vector<std::string> differingFields(const FieldValues& before, const FieldValues& after);

}  // namespace gw

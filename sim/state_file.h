#pragma once
// The --state file: the register values that differ from the factory defaults, so that a later run resumes
// where this one stopped. INI form, section [registers], one KEY=value line per register.

#include <string>
#include <string_view>
#include <vector>

#include "register_store.h"

namespace gwsim {

std::string formatState(const RegisterStore& store);

// Applies the [registers] section of `text` to the store. Section and key names match without regard to
// case; a value is everything after the first "=". Returns one warning per line it could not use.
std::vector<std::string> applyState(std::string_view text, RegisterStore& store);

// True when `text` can be a state file: empty, or holding a [registers] section.
bool looksLikeState(std::string_view text);

// A missing file leaves the defaults and is not an error. False, with `error` set, when the file cannot be
// read or is something else (the simulator would overwrite it). Lines it cannot use add to `warnings`.
bool loadStateFile(const std::string& path, RegisterStore& store, std::vector<std::string>& warnings,
                   std::string& error);

// Writes a temporary file beside `path` and renames it over `path`, so a failed save keeps the old state.
// `moreSections` (the reports' section) follows the registers.
bool saveStateFile(const std::string& path, const RegisterStore& store, std::string& error,
                   const std::string& moreSections = {});

// The text of the state file; empty when it does not exist or cannot be read.
std::string readStateText(const std::string& path);

}  // namespace gwsim

#pragma once
// Child processes of the soak: started with their output in files, watched without blocking, counted by their
// open file descriptors.

#include <sys/types.h>

#include <optional>
#include <string>
#include <vector>

namespace gw::soak {

// Starts `argv` with stdout and stderr appended to the two files; -1 when it could not be started.
pid_t startChild(const std::vector<std::string>& argv, const std::string& outPath,
                 const std::string& errPath);

// The wait status once the child has ended; nothing while it runs.
std::optional<int> reapChild(pid_t pid);

// Open file descriptors of a running process; -1 when it cannot be seen.
int openDescriptors(pid_t pid);

// Waits (polling) up to `ms` for the child to end; its status, or nothing when it still runs.
std::optional<int> waitChild(pid_t pid, int ms);

// Pauses the soak itself (never the program under test).
void pauseMs(int ms);

std::string readText(const std::string& path);

}  // namespace gw::soak

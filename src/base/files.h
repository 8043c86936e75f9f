#pragma once
// File and folder helpers on POSIX paths.

#include <optional>
#include <string>
#include <vector>

namespace gw {

bool fileExists(const std::string& path);
bool folderExists(const std::string& path);
// Creates the folder and its missing parents; true when it exists afterwards.
bool makeFolders(const std::string& path);
// Copies `from` to `to` through a temporary file beside `to`; false when either side fails.
bool copyFile(const std::string& from, const std::string& to);
// The file's bytes; nullopt when it cannot be read.
std::optional<std::string> readFileBytes(const std::string& path);
// The names (not paths) of the regular files in `folder`, sorted; nothing when it cannot be read.
std::vector<std::string> filesInFolder(const std::string& folder);
std::string folderOfPath(const std::string& path);
std::string joinPath(const std::string& folder, const std::string& name);
// The folder of the running executable (from /proc/self/exe), or "." when unknown.
std::string executableFolder();

}  // namespace gw

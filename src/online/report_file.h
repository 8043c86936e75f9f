#pragma once
// "Save to file" of the reports: each save appends one block to a text file — a bracketed line with the
// gateway's name and the time, then the memo's lines — and the file-name helpers of the "..." button.

#include <string>
#include <string_view>
#include <vector>

#include "base/clock.h"

namespace gw {

// "\r\n[gateway : 08.12.2026 14:05:00]\r\n\r\n", then every line followed by "\r\n".
std::string reportBlock(std::string_view gatewayName, const LocalTime& now,
                        const std::vector<std::string>& lines);

// Appends the block to the file, creating it when missing. False when the file cannot be opened or written
// (or is no regular file); the file then holds exactly what it held before (a file the save created is
// removed).
bool appendReportFile(const std::string& path, std::string_view gatewayName, const LocalTime& now,
                      const std::vector<std::string>& lines);

// The name the save dialog starts with: the edit's name without its ".txt" extension, or `defaultName` while
// the edit is empty.
std::string dialogStartName(std::string_view editName, std::string_view defaultName);
// The name the user chose, with ".txt" added when its file name has no extension.
std::string withTextExtension(std::string_view chosen);

}  // namespace gw

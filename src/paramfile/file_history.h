#pragma once
// The history of a gateway's parameter file: earlier versions of the file, and what the gateway held before
// a save wrote to it, kept as time-stamped parameter files in the folder history/ beside the file
// ("history/2026-12-09T14-05-00.ini"). Two entries in one second get "_2", "_3"... after the stamp. Only the
// last kHistoryKept entries stay.

#include <optional>
#include <string>
#include <vector>

#include "base/clock.h"

namespace gw {

inline constexpr std::size_t kHistoryKept = 50;
inline constexpr const char* kHistoryFolderName = "history";

struct HistoryEntry {
  std::string stamp;  // "2026-12-09T14-05-00", or with its "_N"
  std::string path;
};

std::string historyFolder(const std::string& parameterFile);
// "2026-12-09T14-05-00": sorts as time does and is a valid file name everywhere.
std::string historyStamp(const LocalTime& time);

// The entries, oldest first. Files of other names in the folder are not entries.
std::vector<HistoryEntry> historyEntries(const std::string& parameterFile);
// The entry of exactly this stamp; nullopt for any other text (a path included).
std::optional<HistoryEntry> findHistoryEntry(const std::string& parameterFile, const std::string& stamp);

// A free path for a new entry stamped `time`, its folder made; empty when the folder cannot be made.
std::string newHistoryPath(const std::string& parameterFile, const LocalTime& time);
// The file as it is now into a new entry, then the oldest entries beyond kHistoryKept removed. The entry's
// path, or empty when it could not be written.
std::string keepInHistory(const std::string& parameterFile, const LocalTime& time);
// Removes the oldest entries beyond kHistoryKept.
void pruneHistory(const std::string& parameterFile);

}  // namespace gw

#include "paramfile/file_history.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>

#include "base/files.h"
#include "base/text.h"

namespace gw {

namespace {

constexpr std::string_view kEntryExtension = ".ini";
constexpr std::string_view kStampPattern = "0000-00-00T00-00-00";
constexpr char kSerialMark = '_';
// Entries of one second beyond this many are not made: something is saving in a loop.
constexpr int kMaxSerial = 999;

// "2026-12-09T14-05-00" or "2026-12-09T14-05-00_N": its serial number (1 without "_N"), or nullopt.
std::optional<int> stampSerial(std::string_view stamp) {
  if (stamp.size() < kStampPattern.size()) return std::nullopt;
  for (std::size_t i = 0; i < kStampPattern.size(); ++i) {
    const bool digit = stamp[i] >= '0' && stamp[i] <= '9';
    if (kStampPattern[i] == '0' ? !digit : stamp[i] != kStampPattern[i]) return std::nullopt;
  }
  if (stamp.size() == kStampPattern.size()) return 1;
  if (stamp[kStampPattern.size()] != kSerialMark) return std::nullopt;
  const std::string_view serial = stamp.substr(kStampPattern.size() + 1);
  if (serial.empty() || serial.front() == '0' ||
      serial.find_first_not_of("0123456789") != std::string_view::npos) {
    return std::nullopt;
  }
  const auto n = toInt(std::string(serial));
  if (!n || *n < 2 || *n > kMaxSerial) return std::nullopt;
  return n;
}

bool olderThan(const HistoryEntry& a, const HistoryEntry& b) {
  const std::string_view baseA = std::string_view(a.stamp).substr(0, kStampPattern.size());
  const std::string_view baseB = std::string_view(b.stamp).substr(0, kStampPattern.size());
  if (baseA != baseB) return baseA < baseB;
  return stampSerial(a.stamp).value_or(1) < stampSerial(b.stamp).value_or(1);
}

std::string twoDigits(int n) {
  char text[8];
  std::snprintf(text, sizeof text, "%02d", n);
  return text;
}

}  // namespace

std::string historyFolder(const std::string& parameterFile) {
  return joinPath(folderOfPath(parameterFile), kHistoryFolderName);
}

std::string historyStamp(const LocalTime& t) {
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%s-%sT%s-%s-%s", t.year, twoDigits(t.month).c_str(),
                twoDigits(t.day).c_str(), twoDigits(t.hour).c_str(), twoDigits(t.minute).c_str(),
                twoDigits(t.second).c_str());
  return text;
}

std::vector<HistoryEntry> historyEntries(const std::string& parameterFile) {
  const std::string folder = historyFolder(parameterFile);
  std::vector<HistoryEntry> entries;
  for (const std::string& name : filesInFolder(folder)) {
    if (!endsWith(name, kEntryExtension)) continue;
    const std::string stamp = name.substr(0, name.size() - kEntryExtension.size());
    if (stampSerial(stamp)) entries.push_back({stamp, joinPath(folder, name)});
  }
  std::sort(entries.begin(), entries.end(), olderThan);
  return entries;
}

std::optional<HistoryEntry> findHistoryEntry(const std::string& parameterFile, const std::string& stamp) {
  for (const HistoryEntry& entry : historyEntries(parameterFile)) {
    if (entry.stamp == stamp) return entry;
  }
  return std::nullopt;
}

std::string newHistoryPath(const std::string& parameterFile, const LocalTime& time) {
  const std::string folder = historyFolder(parameterFile);
  if (!makeFolders(folder)) return {};
  const std::string stamp = historyStamp(time);
  for (int serial = 1; serial <= kMaxSerial; ++serial) {
    const std::string name = stamp + (serial == 1 ? std::string() : kSerialMark + std::to_string(serial)) +
                             std::string(kEntryExtension);
    const std::string path = joinPath(folder, name);
    if (!fileExists(path)) return path;
  }
  return {};
}

std::string keepInHistory(const std::string& parameterFile, const LocalTime& time) {
  const std::string path = newHistoryPath(parameterFile, time);
  if (path.empty() || !copyFile(parameterFile, path)) return {};
  pruneHistory(parameterFile);
  return path;
}

void pruneHistory(const std::string& parameterFile) {
  const std::vector<HistoryEntry> entries = historyEntries(parameterFile);
  if (entries.size() <= kHistoryKept) return;
  for (std::size_t i = 0; i < entries.size() - kHistoryKept; ++i) ::unlink(entries[i].path.c_str());
}

}  // namespace gw

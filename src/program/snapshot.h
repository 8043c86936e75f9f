#pragma once
// "Keep the gateway's configuration before each save": what the gateway holds for the pages a save is about
// to write is read first and kept as a new entry of the history beside the gateway's parameter file. Only
// then may the save go on; without it nothing but the save's own writes goes to the gateway.

#include <string>
#include <vector>

namespace gw {

class Program;
class Page;

enum class SnapshotResult {
  NotConnected,
  Kept,
  Unread,     // a page could not be read: a partial snapshot would be a false record
  FileError,  // the entry could not be written
};

struct Snapshot {
  SnapshotResult result = SnapshotResult::NotConnected;
  std::string path;  // the new entry
};

// Reads `pages` (every page for `all`) from the gateway and writes them as a new history entry of the
// selected gateway's parameter file. The pages and the image then hold the gateway's values.
Snapshot snapshotToHistory(Program& program, const std::vector<Page*>& pages, bool all);

}  // namespace gw

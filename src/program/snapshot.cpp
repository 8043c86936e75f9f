#include "program/snapshot.h"

#include "paramfile/file_history.h"
#include "paramfile/parameter_file.h"
#include "program/drift.h"
#include "program/program.h"

namespace gw {

Snapshot snapshotToHistory(Program& p, const std::vector<Page*>& pages, bool all) {
  const GatewayRead read = readPagesFromGateway(p, pages, all);
  if (!read.connected) return {};
  if (!read.unread.empty()) return {SnapshotResult::Unread, {}};
  copyIntoImage(p, read.read);
  SectionMask mask;
  for (Page* page : read.read) mask = mask | page->traits().section;
  const std::string& file = p.selection.selected().parameterFile;
  const std::string path = newHistoryPath(file, p.clock.localTime());
  if (path.empty() || !saveParameterFile(p.image, path, mask)) return {SnapshotResult::FileError, {}};
  pruneHistory(file);
  return {SnapshotResult::Kept, path};
}

}  // namespace gw

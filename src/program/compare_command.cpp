#include "program/compare_command.h"

#include <map>

#include "base/caption_ids.h"
#include "base/files.h"
#include "pages/field_values.h"
#include "paramfile/parameter_file.h"
#include "program/program.h"
#include "program/snapshot.h"
#include "program/whole_transfers.h"

namespace gw {

namespace {

void show(Program& p, int text, int caption, MessageKind kind) {
  p.host.messageBox(Message{p.captions.at(text), p.captions.at(caption), kind, text, caption});
}

}  // namespace

Drift compareWithGatewayClick(Program& p) {
  const std::string file = p.selection.selected().parameterFile;
  if (!fileExists(file)) {
    show(p, cap::kParameterFileMissing, cap::kErrorTitle, MessageKind::Error);
    return Drift{DriftResult::FileError, {}, {}, {}, {}};
  }
  Drift drift;
  std::map<PageId, std::vector<std::string>> marks;
  keepPagesAround(p, [&] {
    // The pages as the file has them, to tell which controls the gateway holds differently.
    loadParameterFile(p.image, file, ParamSection::All);
    imageToPages(p);
    std::map<Page*, FieldValues> fromFile;
    for (Page* page : p.pages()) fromFile[page] = fieldValues(*page);
    drift = compareWithGateway(p, {}, true, file);
    for (Page* page : drift.compared)
      marks[page->traits().id] = differingFields(fromFile[page], fieldValues(*page));
  });
  for (Page* page : p.pages()) p.pageState.setDiffering(page->traits().id, marks[page->traits().id]);
  switch (drift.result) {
    case DriftResult::NotConnected:
      break;
    case DriftResult::FileError:
      for (const std::string& text : drift.fileErrors) showSectionError(p.host, p.captions, text);
      break;
    case DriftResult::Compared:
    case DriftResult::Incomplete:
      if (drift.differences.empty() && drift.unread.empty())
        show(p, cap::kNoDifferences, cap::kQuestionTitle, MessageKind::Information);
      break;
  }
  return drift;
}

bool keepBeforeSave(Program& p, const std::vector<Page*>& pages, bool all) {
  if (!p.snapshotBeforeSave) return true;
  Snapshot kept;
  keepPagesAround(p, [&] { kept = snapshotToHistory(p, pages, all); });
  switch (kept.result) {
    case SnapshotResult::NotConnected:
      return false;
    case SnapshotResult::Kept:
      return true;
    case SnapshotResult::Unread:
    case SnapshotResult::FileError:
      break;
  }
  show(p, cap::kSnapshotFailed, cap::kErrorTitle, MessageKind::Error);
  return false;
}

void restoreClick(Program& p, const HistoryEntry& entry) {
  const Answer answer = p.host.messageBox(Message{
      formatCaption(p.captions.at(cap::kRestoreQuestion), {entry.stamp}), p.captions.at(cap::kQuestionTitle),
      MessageKind::Question, cap::kRestoreQuestion, cap::kQuestionTitle});
  if (answer != Answer::Yes) return;
  if (!loadParameterFile(p.image, entry.path, ParamSection::All, p.host, p.captions)) return;
  imageToPages(p);
  tbSaveGateClick(p);
}

}  // namespace gw

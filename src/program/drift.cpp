#include "program/drift.h"

#include <algorithm>

#include "pages/page_actions.h"
#include "paramfile/parameter_file.h"
#include "program/program.h"
#include "program/whole_transfers.h"

namespace gw {

namespace {

SectionMask sectionsOf(const std::vector<Page*>& pages) {
  SectionMask mask;
  for (const Page* page : pages) mask = mask | page->traits().section;
  return mask;
}

}  // namespace

void copyIntoImage(Program& p, const std::vector<Page*>& pages) {
  for (PageId id : imageCopyOrder()) {
    Page* page = p.pageWithId(id);
    if (page != nullptr && std::find(pages.begin(), pages.end(), page) != pages.end()) page->saveFile();
  }
}

GatewayRead readPagesFromGateway(Program& p, const std::vector<Page*>& pages, bool all) {
  GatewayRead r;
  if (all) {
    const WholeTransfer t = loadAllFromGateway(p);
    if (t.result == WholeResult::NotConnected) return {false, {}, {}};
    r.read = t.done;
    r.read.insert(r.read.end(), t.failed.begin(), t.failed.end());
    r.unread = t.unread;
    // A transfer that broke off never reached the pages after the break.
    for (Page* page : p.pages()) {
      const auto in = [page](const std::vector<Page*>& list) {
        return std::find(list.begin(), list.end(), page) != list.end();
      };
      if (!in(r.read) && !in(r.unread)) r.unread.push_back(page);
    }
    return r;
  }
  std::string errors;
  for (Page* page : pages) {
    const PageResult result = loadFromGate(*page);
    if (result == PageResult::NotConnected) return {false, {}, {}};
    (result == PageResult::Unread ? r.unread : r.read).push_back(page);
    errors += p.pageState.errorList;
  }
  p.pageState.errorList = errors;
  return r;
}

Drift compareWithGateway(Program& p, const std::vector<Page*>& pages, bool all, const std::string& file) {
  Drift drift;
  const std::vector<Page*> wanted = all ? p.pages() : pages;
  const IniFile fileIni = IniFile::load(file);
  if (!fileIni.ok() || !fileIni.existed()) {
    drift.result = DriftResult::FileError;
    drift.fileErrors.push_back(fileIni.ok() ? "no parameter file " + file : "cannot read " + file);
    return drift;
  }
  // The file's values under everything the pages do not cover, so only what the pages read can differ.
  if (!loadParameterFile(p.image, file, sectionsOf(wanted), [&drift](ParamSection, const std::string& text) {
        drift.fileErrors.push_back(text);
      })) {
    drift.result = DriftResult::FileError;
    return drift;
  }
  const GatewayRead read = readPagesFromGateway(p, wanted, all);
  if (!read.connected) return drift;
  copyIntoImage(p, read.read);
  IniFile gatewayIni = fileIni;
  writeParameterSections(p.image, gatewayIni, sectionsOf(read.read));
  drift.differences = keyDifferences(fileIni, gatewayIni);
  drift.compared = read.read;
  drift.unread = read.unread;
  drift.result = read.unread.empty() ? DriftResult::Compared : DriftResult::Incomplete;
  return drift;
}

void keepPagesAround(Program& p, const std::function<void()>& work) {
  pagesToImage(p);
  const TParametres image = p.image;
  const PageState state = p.pageState;
  work();
  p.image = image;
  imageToPages(p);
  const std::string errorList = p.pageState.errorList;
  p.pageState = state;
  p.pageState.errorList = errorList;
}

}  // namespace gw

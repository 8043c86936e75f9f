#include "program/whole_transfers.h"

#include <exception>

#include "base/caption_ids.h"
#include "base/files.h"
#include "base/program_folder.h"
#include "base/text.h"
#include "pages/page_actions.h"
#include "paramfile/parameter_file.h"
#include "program/compare_command.h"
#include "program/program.h"
#include "shell/gateway.h"

namespace gw {

namespace {

// The bar advances this much after each page but the last.
constexpr int kPercentPerPage = 10;
constexpr const char* kParameterFileFilter = "Parametres file (*.ini)|*.ini";
constexpr std::string_view kIniSuffix = ".ini";

const char* const kLoadingCaption = "Loading parametres...";
const char* const kSavingCaption = "Saving parametres...";

// The transfer window for as long as a whole transfer talks to the gateway: the busy flag keeps the
// keep-alive off and the main window is disabled. Closed however the transfer ends, also a progress window
// a page may have shown again after reconnecting.
class TransferScope {
 public:
  TransferScope(Program& program, const std::string& caption) : p_(program) {
    p_.link.commBusy = true;
    p_.host.showTransfer(caption);
    p_.host.setMainEnabled(false);
  }
  ~TransferScope() {
    p_.host.hideTransfer();
    p_.connection.hideProgress();
  }
  TransferScope(const TransferScope&) = delete;
  TransferScope& operator=(const TransferScope&) = delete;

 private:
  Program& p_;
};

std::vector<Page*> pagesIn(Program& p, const std::vector<PageId>& order) {
  std::vector<Page*> pages;
  for (PageId id : order) {
    if (Page* page = p.pageWithId(id)) pages.push_back(page);
  }
  return pages;
}

void show(Program& p, int text, int caption, MessageKind kind) {
  p.host.messageBox(Message{p.captions.at(text), p.captions.at(caption), kind, text, caption});
}

// Runs `step` on every page in page order under the transfer window, advancing the bar between pages.
template <class Step>
WholeTransfer transferAll(Program& p, const char* englishCaption, int captionIndex, Step step) {
  WholeTransfer t;
  const TransferScope scope(p, p.captions.labelOr(captionIndex, englishCaption));
  p.pageState.errorList.clear();
  try {
    const std::vector<Page*> pages = pagesIn(p, pageOrder());
    int percent = 0;
    for (std::size_t i = 0; i < pages.size(); ++i) {
      const std::size_t linesBefore = p.pageState.errorList.size();
      const bool whole = step(*pages[i]);
      if (!whole) {
        t.unread.push_back(pages[i]);
      } else if (p.pageState.errorList.size() == linesBefore) {
        t.done.push_back(pages[i]);
      } else {
        t.failed.push_back(pages[i]);
      }
      if (i + 1 == pages.size()) break;
      percent += kPercentPerPage;
      p.host.setTransferProgress(percent);
      p.clock.processEvents();
    }
    t.result =
        p.pageState.errorList.empty() && t.unread.empty() ? WholeResult::Succeeded : WholeResult::Failed;
  } catch (const std::exception&) {
    t.result = WholeResult::Unexpected;
  }
  return t;
}

void report(Program& p, const WholeTransfer& t, int clean, int header) {
  switch (t.result) {
    case WholeResult::NotConnected:
      return;
    case WholeResult::Unexpected:
      show(p, cap::kTransferFailed, cap::kErrorTitle, MessageKind::Error);
      return;
    case WholeResult::Succeeded:
    case WholeResult::Failed:
      break;
  }
  if (p.pageState.errorList.empty()) {
    show(p, clean, cap::kQuestionTitle, MessageKind::Information);
    return;
  }
  p.host.messageBox(Message{p.captions.at(header) + "\n" + p.pageState.errorList,
                            p.captions.at(cap::kWarningTitle), MessageKind::Warning, header,
                            cap::kWarningTitle});
}

SectionMask allSections(Program& p) {
  SectionMask mask;
  for (Page* page : p.pages()) mask = mask | page->traits().section;
  return mask;
}

}  // namespace

const std::vector<PageId>& pageOrder() {
  static const std::vector<PageId> order = {
      PageId::System,   PageId::Ethernet, PageId::Basic, PageId::Groups, PageId::Outgoing,
      PageId::Incoming, PageId::Network,  PageId::Lcr,   PageId::Auto,   PageId::Ext};
  return order;
}

// The network lists go before the groups: the group pages and the LCR page name networks by their lists.
const std::vector<PageId>& imageCopyOrder() {
  static const std::vector<PageId> order = {
      PageId::System,   PageId::Ethernet, PageId::Basic, PageId::Groups, PageId::Network,
      PageId::Outgoing, PageId::Incoming, PageId::Lcr,   PageId::Auto,   PageId::Ext};
  return order;
}

const std::vector<PageId>& defaultsOrder() {
  static const std::vector<PageId> order = {
      PageId::Outgoing, PageId::Incoming, PageId::System, PageId::Network, PageId::Groups,
      PageId::Basic,    PageId::Ethernet, PageId::Lcr,    PageId::Ext,     PageId::Auto};
  return order;
}

WholeTransfer loadAllFromGateway(Program& p) {
  if (!p.connection.commConnect(true)) return {};
  return transferAll(p, kLoadingCaption, cap::kLoadingCaption, [](Page& page) { return page.load(); });
}

WholeTransfer saveAllToGateway(Program& p) {
  if (!p.connection.commConnect(false)) return {};
  return transferAll(p, kSavingCaption, cap::kSavingCaption, [](Page& page) {
    page.save();
    return true;
  });
}

void pagesToImage(Program& p) {
  for (Page* page : pagesIn(p, imageCopyOrder())) page->saveFile();
}

void imageToPages(Program& p) {
  p.connection.gatewayAti3Text = p.image.identification.ati3;
  p.connection.gatewayAti4Text = p.image.identification.ati4;
  for (Page* page : pagesIn(p, pageOrder())) page->loadFile();
}

void defaultSettings(Program& p) {
  for (Page* page : pagesIn(p, defaultsOrder())) page->loadDefaults();
}

void tbLoadGateClick(Program& p) {
  report(p, loadAllFromGateway(p), cap::kLoadedWithoutError, cap::kLoadErrorsHeader);
}

void tbSaveGateClick(Program& p) {
  if (!keepBeforeSave(p, {}, true)) return;
  report(p, saveAllToGateway(p), cap::kSavedWithoutError, cap::kSaveErrorsHeader);
}

void tbLoadClick(Program& p) {
  const std::string& file = p.selection.selected().parameterFile;
  if (!fileExists(file)) {
    show(p, cap::kParameterFileMissing, cap::kErrorTitle, MessageKind::Error);
  } else {
    loadParameterFile(p.image, file, ParamSection::All, p.host, p.captions);
    imageToPages(p);
    show(p, cap::kLoadedFromFile, cap::kQuestionTitle, MessageKind::Information);
  }
  p.pageState.clearAllModified();
}

void tbSaveClick(Program& p) {
  pagesToImage(p);
  p.pageState.clearAllModified();
  const std::string& file = p.selection.selected().parameterFile;
  makeFolders(folderOfPath(file));
  if (saveParameterFile(p.image, file, allSections(p), p.clock.localTime())) {
    show(p, cap::kSavedToFile, cap::kQuestionTitle, MessageKind::Information);
  } else {
    show(p, cap::kFileWriteFailed, cap::kErrorTitle, MessageKind::Error);
  }
}

void mLoadOClick(Program& p) {
  const std::optional<std::string> chosen =
      p.host.chooseOpenFile(FileChoice{"", kParameterFileFilter, p.selection.selected().parameterFile});
  if (!chosen) return;
  loadParameterFile(p.image, *chosen, ParamSection::All, p.host, p.captions);
  imageToPages(p);
  show(p, cap::kLoadedFromFile, cap::kQuestionTitle, MessageKind::Information);
}

std::string saveAsTarget(const std::string& chosen) {
  return endsWith(chosen, kIniSuffix) ? chosen : chosen + std::string(kIniSuffix);
}

void mSaveAsClick(Program& p) {
  const std::optional<std::string> chosen =
      p.host.chooseSaveFile(FileChoice{"", kParameterFileFilter, p.selection.selected().parameterFile});
  if (!chosen) return;
  pagesToImage(p);
  p.pageState.clearAllModified();
  const std::string target = saveAsTarget(*chosen);
  if (!saveParameterFile(p.image, target, allSections(p), p.clock.localTime())) {
    show(p, cap::kFileWriteFailed, cap::kErrorTitle, MessageKind::Error);
    return;
  }
  TGateway& gateway = p.selection.selected();
  if (!GatewayFile(p.path(kGatewaysFile)).writeFile(gateway.name, target)) {
    show(p, cap::kGatewaysFileFailed, cap::kErrorTitle, MessageKind::Error);
    return;
  }
  gateway.parameterFile = target;
  show(p, cap::kSavedToFile, cap::kQuestionTitle, MessageKind::Information);
}

void mDefaultClick(Program& p) {
  defaultSettings(p);
}

}  // namespace gw

#include "pages/page_actions.h"

#include "base/caption_ids.h"
#include "paramfile/parameter_file.h"

namespace gw {

namespace {

// The progress window for as long as a page talks to the gateway, hidden however the page ends.
class ProgressScope {
 public:
  ProgressScope(Connection& connection, ProgressKind kind) : connection_(connection) {
    connection_.showProgress(kind);
  }
  ~ProgressScope() { connection_.hideProgress(); }
  ProgressScope(const ProgressScope&) = delete;
  ProgressScope& operator=(const ProgressScope&) = delete;

 private:
  Connection& connection_;
};

void show(PageContext& ctx, int textLabel, int captionLabel, MessageKind kind) {
  ctx.host.messageBox(
      Message{ctx.captions.at(textLabel), ctx.captions.at(captionLabel), kind, textLabel, captionLabel});
}

void reportGate(PageContext& ctx, int cleanLabel, int errorsHeaderLabel) {
  if (ctx.state.errorList.empty()) {
    show(ctx, cleanLabel, cap::kQuestionTitle, MessageKind::Information);
    return;
  }
  std::string text = ctx.captions.at(errorsHeaderLabel) + "\n" + ctx.state.errorList;
  // When the link died under the action every line above is a symptom of it: say the cause once.
  if (ctx.link.gatewayStoppedAnswering()) text += "\n" + ctx.captions.at(cap::kStoppedAnswering);
  ctx.host.messageBox(Message{text, ctx.captions.at(cap::kWarningTitle), MessageKind::Warning,
                              errorsHeaderLabel, cap::kWarningTitle});
}

PageResult gateResult(const PageContext& ctx) {
  return ctx.state.errorList.empty() ? PageResult::Succeeded : PageResult::Failed;
}

void showInvalid(PageContext& ctx) {
  show(ctx, cap::kInvalidValues, cap::kErrorTitle, MessageKind::Error);
}

}  // namespace

PageResult loadFromGate(Page& page) {
  PageContext& ctx = page.context();
  if (!ctx.connection.commConnect(false)) return PageResult::NotConnected;
  ctx.state.errorList.clear();
  bool read = false;
  {
    const ProgressScope progress(ctx.connection, ProgressKind::Loading);
    read = page.load();
  }
  page.setModified();
  if (!read) return PageResult::Unread;
  return gateResult(ctx);
}

PageResult saveToGate(Page& page) {
  if (!page.valid()) return PageResult::Invalid;
  PageContext& ctx = page.context();
  if (!ctx.connection.commConnect(false)) return PageResult::NotConnected;
  ctx.state.errorList.clear();
  {
    const ProgressScope progress(ctx.connection, ProgressKind::Saving);
    page.save();
  }
  return gateResult(ctx);
}

void restoreDefaults(Page& page) {
  page.loadDefaults();
}

PageResult saveToFile(Page& page) {
  if (!page.valid()) return PageResult::Invalid;
  PageContext& ctx = page.context();
  page.saveFile();
  if (!saveParameterFile(ctx.image, ctx.selection.selected().parameterFile, page.traits().section,
                         ctx.link.clock().localTime())) {
    return PageResult::Failed;
  }
  if (page.traits().saveFileClearsModified) page.setModified(false);
  return PageResult::Succeeded;
}

void loadFromGateClick(Page& page) {
  if (loadFromGate(page) != PageResult::NotConnected) reportGateLoad(page.context());
}

void saveToGateClick(Page& page) {
  const PageState& state = page.context().state;
  if (state.beforeSaveToGate && page.valid() && !state.beforeSaveToGate(page)) return;
  switch (saveToGate(page)) {
    case PageResult::NotConnected:
      return;
    case PageResult::Invalid:
      showInvalid(page.context());
      return;
    case PageResult::Succeeded:
    case PageResult::Failed:
    case PageResult::Unread:
      reportGateSave(page.context());
      return;
  }
}

void defaultsClick(Page& page) {
  restoreDefaults(page);
}

void saveToFileClick(Page& page) {
  PageContext& ctx = page.context();
  switch (saveToFile(page)) {
    case PageResult::Invalid:
      showInvalid(ctx);
      return;
    case PageResult::Succeeded:
      show(ctx, cap::kSavedToFile, cap::kQuestionTitle, MessageKind::Information);
      return;
    case PageResult::Failed:
    case PageResult::Unread:
    case PageResult::NotConnected:
      show(ctx, cap::kFileWriteFailed, page.traits().fileFailedCaption, MessageKind::Error);
      return;
  }
}

void reportGateLoad(PageContext& context) {
  reportGate(context, cap::kLoadedWithoutError, cap::kLoadErrorsHeader);
}

void reportGateSave(PageContext& context) {
  reportGate(context, cap::kSavedWithoutError, cap::kSaveErrorsHeader);
}

}  // namespace gw

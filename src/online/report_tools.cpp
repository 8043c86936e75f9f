#include "online/report_tools.h"

#include "base/caption_ids.h"
#include "online/report_file.h"
#include "online/report_text.h"

namespace gw {

namespace {

constexpr const char* kSaveFilter = "Text file (*txt)|*.txt";
constexpr const char* kSaveTitle = "Save to file";

const ReportPageNames kLogNames{"pLog",      "mLog", "sbLogLoad",        nullptr, "edLogFile", "sbLogFile",
                                "sbLogSave", "LOG",  &ToolFileNames::log};
const ReportPageNames kCallNames{
    "pCall",      "mCall",      "sbCallLoad", "sbCallLoadDelete",      "edCallFile",
    "sbCallFile", "sbCallSave", "LOG",        &ToolFileNames::callData};
const ReportPageNames kStatisticsNames{"pStatistics",      "mStatistic", "sbStatLoad",
                                       "sbStatLoadDelete", "edStatFile", "sbStatFile",
                                       "sbStatSave",       "Statistics", &ToolFileNames::statistics};

}  // namespace

ReportTool::ReportTool(const OnlineContext& context, const ReportPageNames& names)
    : OnlineTool(context), names_(names) {
  followSelection();
}

void ReportTool::followSelection() {
  const std::string& file = ctx_.selection.toolFiles().*names_.defaultFile;
  if (file == followedFile_) return;
  followedFile_ = file;
  fileEdit.set(file);
}

std::vector<NamedField> ReportTool::fields() {
  followSelection();
  return {{names_.memo, &memo}, {names_.fileEdit, &fileEdit}};
}

std::vector<ControlSet::Button> ReportTool::buttons() {
  std::vector<Button> all = {
      {names_.load, [this] { load(false); }},
      {names_.fileButton, [this] { chooseFile(); }},
      {names_.saveButton, [this] { saveToFile(); }},
  };
  if (names_.loadDelete != nullptr) all.push_back({names_.loadDelete, [this] { load(true); }});
  return all;
}

void ReportTool::show(int text, int title, MessageKind kind) {
  ctx_.host.messageBox(Message{ctx_.captions.at(text), ctx_.captions.at(title), kind, text, title});
}

ReportOutcome ReportTool::load(bool deleting) {
  if (!ctx_.connection.commConnect(false)) return ReportOutcome::NotConnected;
  ctx_.connection.showProgress(ProgressKind::LoadingGateway);
  last_ = transfer(deleting);
  ctx_.connection.hideProgress();
  memo.set(memoText(last_.lines));
  if (!last_.done) {
    show(last_.errorText, cap::kErrorTitle, MessageKind::Error);
    return ReportOutcome::Failed;
  }
  show(cap::kLoadedWithoutError, cap::kQuestionTitle, MessageKind::Information);
  return ReportOutcome::Done;
}

std::vector<std::string> ReportTool::lines() const {
  return memoLines(memo.text);
}

void ReportTool::chooseFile() {
  followSelection();
  const FileChoice choice{ctx_.captions.labelOr(cap::kSaveToFile, kSaveTitle), kSaveFilter,
                          dialogStartName(fileEdit.text, names_.dialogName)};
  const std::optional<std::string> chosen = ctx_.host.chooseSaveFile(choice);
  if (chosen) fileEdit.set(withTextExtension(*chosen));
}

void ReportTool::setFile(std::string path) {
  followSelection();
  fileEdit.set(std::move(path));
}

SaveOutcome ReportTool::saveToFile() {
  followSelection();
  const std::vector<std::string> memoLines = lines();
  if (memoLines.empty()) return SaveOutcome::Empty;
  if (!appendReportFile(fileEdit.text, ctx_.selection.selected().name, ctx_.clock.localTime(), memoLines)) {
    show(cap::kFileWriteFailed, cap::kErrorTitle, MessageKind::Error);
    return SaveOutcome::Failed;
  }
  show(cap::kSavedToFile, cap::kQuestionTitle, MessageKind::Information);
  return SaveOutcome::Saved;
}

LogTool::LogTool(const OnlineContext& context) : ReportTool(context, kLogNames) {}

ReportTransfer LogTool::transfer(bool) {
  return readLog(ctx_.link, ctx_.clock);
}

CallTool::CallTool(const OnlineContext& context) : ReportTool(context, kCallNames) {}

ReportTransfer CallTool::transfer(bool deleting) {
  return deleting ? readCallRecordsDeleting(ctx_.link, ctx_.clock) : readCallRecords(ctx_.link, ctx_.clock);
}

StatisticsTool::StatisticsTool(const OnlineContext& context) : ReportTool(context, kStatisticsNames) {}

ReportTransfer StatisticsTool::transfer(bool deleting) {
  return readStatistics(ctx_.link, ctx_.clock, deleting);
}

// --- Layouts: the memo over the whole page, the load buttons under it, then the file and its buttons. ---

namespace {

constexpr int kChooseFileCaption = 2300;
constexpr int kLoadDeleteCaption = 2301;
constexpr int kFileCaption = 2302;

FormLayout reportLayout(const ReportPageNames& n) {
  using K = ControlKind;
  std::vector<ControlSpec> controls = {{K::Button, n.load, {cap::kLoadFromGate, "Load from gate"}}};
  if (n.loadDelete != nullptr)
    controls.push_back({K::Button, n.loadDelete, {kLoadDeleteCaption, "Load & delete"}});
  controls.push_back({K::Edit, n.fileEdit, {kFileCaption, "File :"}, nullptr, {}, 0, {}, true});
  controls.push_back({K::Button, n.fileButton, {kChooseFileCaption, "..."}});
  controls.push_back({K::Button, n.saveButton, {cap::kSaveToFile, "Save to file"}});
  return FormLayout{n.page,
                    {
                        {{{nullptr, {}, 1, {{K::Memo, n.memo, {}, nullptr, {}, 0, {}, true}}}}},
                        {{{nullptr, {}, 2, controls}}},
                    }};
}

}  // namespace

const FormLayout& logPageLayout() {
  static const FormLayout layout = reportLayout(kLogNames);
  return layout;
}

const FormLayout& callPageLayout() {
  static const FormLayout layout = reportLayout(kCallNames);
  return layout;
}

const FormLayout& statisticsPageLayout() {
  static const FormLayout layout = reportLayout(kStatisticsNames);
  return layout;
}

}  // namespace gw

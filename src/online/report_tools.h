#pragma once
// The three report pages: Log file (pLog), Call data records (pCall) and Statistics (pStatistics). Each has a
// memo the report is loaded into, "Load from gate" (and on the call data and statistics pages "Load &
// delete"), a file name with its "..." chooser and "Save to file", which appends the memo to that file.

#include <string>
#include <vector>

#include "online/online_tool.h"
#include "online/report_readers.h"
#include "pages/form_layout.h"
#include "shell/gateway.h"

namespace gw {

enum class ReportOutcome {
  NotConnected,  // the link did not come up; nothing was sent
  Failed,        // the error message was shown; what arrived is in the memo
  Done,          // the information message was shown
};

enum class SaveOutcome {
  Empty,   // the memo is empty: nothing was written
  Failed,  // message 60; the file holds what it held before
  Saved,   // message 75
};

// The control names of one report page and where its file name comes from.
struct ReportPageNames {
  const char* page;
  const char* memo;
  const char* load;
  const char* loadDelete;  // nullptr: the page has no "Load & delete"
  const char* fileEdit;
  const char* fileButton;
  const char* saveButton;
  const char* dialogName;                   // the save dialog's default name
  std::string ToolFileNames::*defaultFile;  // the selected gateway's file for this report
};

class ReportTool : public OnlineTool {
 public:
  ReportTool(const OnlineContext& context, const ReportPageNames& names);

  TextField memo;
  TextField fileEdit;

  std::vector<NamedField> fields() override;
  std::vector<Button> buttons() override;

  // "Load from gate" (`deleting`: "Load & delete"): the report into the memo, then the message.
  ReportOutcome load(bool deleting = false);
  // The "..." button: a save dialog for the file name.
  void chooseFile();
  // "Save to file": the memo appended to the file the edit names.
  SaveOutcome saveToFile();
  // The file name as the user types it into the edit.
  void setFile(std::string path);
  std::vector<std::string> lines() const;
  // The transfer of the last load (what was read, how many pages): for gwctl and the benchmarks.
  const ReportTransfer& lastTransfer() const { return last_; }

 protected:
  virtual ReportTransfer transfer(bool deleting) = 0;

 private:
  // The edit takes the selected gateway's file name each time another gateway is selected.
  void followSelection();
  void show(int text, int title, MessageKind kind);

  const ReportPageNames& names_;
  std::string followedFile_;
  ReportTransfer last_;
};

class LogTool : public ReportTool {
 public:
  explicit LogTool(const OnlineContext& context);
  void sbLogLoadClick() { (void)click("sbLogLoad"); }
  void sbLogFileClick() { (void)click("sbLogFile"); }
  void sbLogSaveClick() { (void)click("sbLogSave"); }

 protected:
  ReportTransfer transfer(bool deleting) override;
};

class CallTool : public ReportTool {
 public:
  explicit CallTool(const OnlineContext& context);
  void sbCallLoadClick() { (void)click("sbCallLoad"); }
  void sbCallLoadDeleteClick() { (void)click("sbCallLoadDelete"); }
  void sbCallFileClick() { (void)click("sbCallFile"); }
  void sbCallSaveClick() { (void)click("sbCallSave"); }

 protected:
  ReportTransfer transfer(bool deleting) override;
};

class StatisticsTool : public ReportTool {
 public:
  explicit StatisticsTool(const OnlineContext& context);
  void sbStatLoadClick() { (void)click("sbStatLoad"); }
  void sbStatLoadDeleteClick() { (void)click("sbStatLoadDelete"); }
  void sbStatFileClick() { (void)click("sbStatFile"); }
  void sbStatSaveClick() { (void)click("sbStatSave"); }

 protected:
  ReportTransfer transfer(bool deleting) override;
};

const FormLayout& logPageLayout();
const FormLayout& callPageLayout();
const FormLayout& statisticsPageLayout();

}  // namespace gw

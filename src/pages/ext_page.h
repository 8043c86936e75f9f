#pragma once
// The mobility extension page (pExt): up to 32 users of the gateway, each with a name, a SIP user and
// password, the GSM number (CLIP) of the user's mobile phone and the "Follow me" and "SMS at no answer"
// functions; the gateway also says whether each is registered, which the page shows and never writes.
// Records are edited in the ExtDialog. The page has no "Defaults" button.

#include <string>
#include <vector>

#include "pages/ext_dialog.h"
#include "pages/form_layout.h"
#include "pages/record_table.h"

namespace gw {

// The register value of a row: "name/user/password,gsm,followMe,smsAtNoAnswer".
std::string extRecordValue(const std::vector<std::string>& row);

class ExtPage : public TablePage {
 public:
  explicit ExtPage(const PageContext& context);

  // Columns "Name", "User", "Pass", "CLIP (GSM number)", the two functions and "Registered"; the last three
  // hold "1" or "0" and show as On/Off and Registered/Unregistered in the current language.
  TableField lvExt;
  // The rows the last load from the gateway or the file gave: a save deletes the records beyond the table
  // up to this count.
  int extLoadedCount = 0;

  // False when the listing could not be read: the table is as it was.
  bool extLoad();
  void extSave();
  void extSaveFile();
  void extLoadFile();

  void sbExtNewClick() { addRecord(); }
  void sbExtEditClick() { editRecord(); }
  void sbExtRemoveClick() { removeRecord(); }
  void sbExtRemoveAllClick() { removeAllRecords(); }

  bool load() override { return extLoad(); }
  void save() override { extSave(); }
  void saveFile() override { extSaveFile(); }
  void loadFile() override { extLoadFile(); }
  // "Default settings" empties the table and leaves the modified flag as it is.
  void loadDefaults() override { lvExt.clear(); }
  std::vector<NamedField> fields() override { return {{"lvExt", &lvExt}}; }
  std::vector<std::string> tableProblems() override { return {}; }

  ExtDialog& dialog() { return dialog_; }

 protected:
  TableField& rows() override { return lvExt; }
  TableRecordDialog& recordDialog() override { return dialog_; }

 private:
  ExtDialog dialog_;
};

const FormLayout& extPageLayout();

}  // namespace gw

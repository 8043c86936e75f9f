#pragma once
// The autorouting table page (pAuto): for calls from GSM with a given caller number (CLIP), the gateway
// dials a fixed VoIP number at once (autodial), calls the caller back (autocallback, with an optional
// limit), or both. One record per row of lvAuto, up to 96; the page has no "Defaults" button.

#include <string>
#include <vector>

#include "pages/auto_dialog.h"
#include "pages/form_layout.h"
#include "pages/record_table.h"

namespace gw {

// The register value of a row: by its routing type "gsm,dial", "gsm,,limit" or "gsm,dial,limit"; any other
// type gives the empty value, which deletes the record.
std::string autoRecordValue(const std::vector<std::string>& row);

class AutoPage : public TablePage {
 public:
  explicit AutoPage(const PageContext& context);

  // Columns "GSM number (CLIP)", "Dial (to VoIP)", "Limit", "Autorouting type".
  TableField lvAuto;

  void autoLoad();
  void autoSave();
  void autoSaveFile();
  void autoLoadFile();

  void sbAutoNewClick() { addRecord(); }
  void sbAutoEditClick() { editRecord(); }
  void sbAutoRemoveClick() { removeRecord(); }
  void sbAutoRemoveAllClick() { removeAllRecords(); }

  bool load() override;
  void save() override { autoSave(); }
  void saveFile() override { autoSaveFile(); }
  void loadFile() override { autoLoadFile(); }
  // "Default settings" empties the table and leaves the modified flag as it is.
  void loadDefaults() override { lvAuto.clear(); }
  std::vector<NamedField> fields() override { return {{"lvAuto", &lvAuto}}; }
  std::vector<std::string> tableProblems() override { return {}; }

  AutoDialog& dialog() { return dialog_; }

 protected:
  TableField& rows() override { return lvAuto; }
  TableRecordDialog& recordDialog() override { return dialog_; }

 private:
  // False when the listing could not be read: the table is as it was.
  bool readTable();

  AutoDialog dialog_;
};

const FormLayout& autoPageLayout();

}  // namespace gw

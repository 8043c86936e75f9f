#pragma once
// The LCR table page (pLcr): the gateway's least-cost routing, up to 64 records saying which network list a
// call may use, when, through which GSM groups in which order and for how long; below it the holiday list
// (up to 24 dates) and the two dates on which the gateway moves to winter and to summer time. Records are
// edited in the LcrDialog. The page moves two sections of the parameter file (Lcr and Holidays) and has two
// "Defaults" buttons: one for the table, one for the holidays and dates.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "pages/form_layout.h"
#include "pages/lcr_dialog.h"
#include "pages/record_table.h"

namespace gw {

inline constexpr int kLcrRecordsCapacity = 64;

// Dates on the wire are MMDD, month first; the page shows DD.MM.
// "1025" shows as "25.10"; anything but four characters as "00.00".
std::string shownDate(std::string_view mmdd);
// "25.10" (blanks read as '0') goes out as "1025"; a date whose day or month is no number as "0000".
std::string wireDate(std::string_view shown);
// A holiday as the user may enter it: a day 1..31, ".", a month 1..12, each of one or two digits.
bool validHoliday(std::string_view date);

// The register value of a row: network number, using time, groups and limit.
std::string lcrRecordValue(const std::vector<std::string>& row);

class LcrPage : public TablePage {
 public:
  explicit LcrPage(const PageContext& context);

  // Columns "Network", "Using time", "Groups", "Limit".
  TableField lvLcr;
  FieldView gbBasic1;  // "Holidays list"
  ListField lbBasicHolidays;
  TextField edSystemWinter;  // DD.MM
  TextField edSystemSummer;
  // The network IDs the last load read from the gateway, list n at n - 1; empty after the file or Defaults.
  std::vector<std::string> lcrNetworkIds;

  // False when the table could not be read: the table is as it was and nothing goes to the image.
  bool lcrLoad();
  void lcrSave();
  void lcrSaveFile();
  void lcrLoadFile();

  void sbLcrNewClick() { addRecord(); }
  void sbLcrEditClick() { editRecord(); }
  void sbLcrRemoveClick() { removeRecord(); }
  void sbLcrRemoveAllClick() { removeAllRecords(); }
  // Holidays: Add asks for a date (label 73 when the list is full, 74 for a date that is none).
  void sbBasicAddClick();
  void sbBasicRemoveClick();
  void sbBasicRemoveAllClick();
  // The table's "Defaults": the Lcr section of defaults.ini; the modified flag stays as it was.
  void sbLcrDefaultLcrClick();
  // The holidays' "Defaults": the Holidays section (dates and holidays); sets the modified flag.
  void sbLcrDefaultClick();

  bool load() override { return lcrLoad(); }
  void save() override { lcrSave(); }
  void saveFile() override { lcrSaveFile(); }
  void loadFile() override { lcrLoadFile(); }
  // "Default settings": both Defaults, holidays and dates first.
  void loadDefaults() override;
  std::vector<NamedField> fields() override;
  std::vector<Button> buttons() override;
  std::vector<std::string> tableProblems() override { return {}; }
  // A network list may have been renamed meanwhile: each row names its list by the image's ID.
  void pageShown() override;

  LcrDialog& dialog() { return dialog_; }

 protected:
  TableField& rows() override { return lvLcr; }
  TableRecordDialog& recordDialog() override { return dialog_; }

 private:
  void readDates();
  void readHolidays();
  void readNetworkIds();
  // False when the listing could not be read.
  bool readTable();
  // A dump read once, as writeRegister reads a reply, but whole; nothing when the send fell short or the
  // answer holds no "OK" (each failed step lists the error line).
  std::optional<std::string> readOnce(std::string_view command, std::string_view errorText);
  void saveHolidays();
  void showImageTable();
  void showImageHolidays();
  std::string imageNetworkColumn(const std::string& number) const;

  LcrDialog dialog_;
};

const FormLayout& lcrPageLayout();

}  // namespace gw

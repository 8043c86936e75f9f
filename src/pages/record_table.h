#pragma once
// Table pages (autorouting, LCR, mobility extension): an ordered table of records that lives as the rows of
// a list view, one row per record and one column per record field; a row's position is its record's index
// on the gateway. What such a page shares, on top of the page pattern:
//   - RecordTableShape: the letter of its keys, the records the gateway holds, the fields of a record;
//   - the listing ("AT&A\r", read by collectTableDump) taken apart into rows: listingColumns, listingRows,
//     rowWords;
//   - the rows written back record by record (writeRecords), deleted records as empty writes;
//   - rows <-> the image's record texts (the fields joined by commas), cut to the table's size;
//   - TableRecordDialog and TablePage: Add, Modify, Remove and Remove all through the page's record dialog.

#include <cstddef>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/cformat.h"
#include "pages/page.h"
#include "pages/record_dialog.h"

namespace gw {

// Caption labels the table pages share: the table is full (Add refused), and fields to fill in.
inline constexpr int kTableFullLabel = 77;
inline constexpr int kFillMarkedFieldsLabel = 403;

struct RecordTableShape {
  char letter;         // 'A': listed as A00, A01 ..., written as AT%A00= ... AT%A9= ...
  int capacity;        // records the gateway holds: indexes 0 .. capacity - 1
  std::size_t fields;  // fields of a record: the list view's columns, the image record's fields
  int addLimit;        // Add refuses once the table holds this many rows
  std::size_t commandBufferSize = kCommandBufferSize;
};

// The column of each header word relative to "idx", in the order given; nothing when "idx" or a word is
// missing, or a word shares the column of "idx" (a header that cannot be read).
std::optional<std::vector<std::ptrdiff_t>> listingColumns(std::string_view text,
                                                          std::initializer_list<std::string_view> words);

// Where the rows of a listing start, index 0 first, up to the first index that is missing and at most the
// table's capacity.
std::vector<std::size_t> listingRows(std::string_view text, const RecordTableShape& shape);

// The words of the row starting at `row`, one per column, each read within the row's own line.
std::vector<std::string> rowWords(std::string_view text, std::size_t row,
                                  const std::vector<std::ptrdiff_t>& columns);

// The command that writes record `index`; the empty value deletes the record.
std::string recordCommand(const RecordTableShape& shape, int index, std::string_view value);

// Writes values[k] to record k in order, then the empty value to every index from values.size() up to
// `clearTo` (exclusive, at most the capacity). Each write is the inline writeRegister that lists
// `errorText` at each failed step; pending events are processed before each record.
void writeRecords(Link& link, const RecordTableShape& shape, const std::vector<std::string>& values,
                  int clearTo, std::string& errorList, std::string_view errorText);

// A record dialog of a table page, opened for a new record or for a row of the table.
class TableRecordDialog : public RecordDialog {
 public:
  using RecordDialog::RecordDialog;

  // Fills the dialog for a new record (row kNoSelection) or from row `row` of `table`, which the dialog
  // may consult while it is open (a value that must be unique in the table).
  void open(const TableField& table, int row);
  bool adding() const { return row_ == kNoSelection; }
  int editedRow() const { return row_; }
  const TableField* table() const { return table_; }

  // The row the accepted dialog made, one text per column.
  virtual std::vector<std::string> record() const = 0;

 protected:
  virtual void showNew() = 0;
  virtual void showRecord(const std::vector<std::string>& row) = 0;

 private:
  const TableField* table_ = nullptr;
  int row_ = kNoSelection;
};

// The names of a table page's four editing buttons.
struct TableButtonNames {
  const char* add;
  const char* edit;
  const char* remove;
  const char* removeAll;
};

class TablePage : public Page {
 public:
  TablePage(const PageContext& context, const PageTraits& traits, const RecordTableShape& shape,
            const TableButtonNames& names)
      : Page(context, traits), shape_(shape), names_(names) {}

  // The page buttons and the four editing buttons.
  std::vector<Button> buttons() override;

  // Add: refused with label 77 once the table holds addLimit rows; otherwise the dialog for a new record,
  // whose row is appended when it is accepted.
  void addRecord();
  // Modify (only with a row selected): the dialog for the row, which it replaces when accepted.
  void editRecord();
  // Remove selects the row that takes the removed row's place; Remove all empties the table.
  void removeRecord();
  void removeAllRecords();

  const RecordTableShape& shape() const { return shape_; }

 protected:
  virtual TableField& rows() = 0;
  virtual TableRecordDialog& recordDialog() = 0;

  // The rows as the image keeps them, and back. A file that holds more records than the table takes is cut
  // to the table's size and the user is told with `cutLabel`, so nothing past the table reaches the gateway.
  std::vector<std::string> imageRecords();
  void showImageRecords(const std::vector<std::string>& records, int cutLabel);

  // Every row through `value` (the register value of a row), then the empty record after the last one
  // when the table has room for it: the gateway's table ends there.
  void writeRows(std::string (*value)(const std::vector<std::string>& row), std::string_view errorText);

 private:
  void runDialog(int row);

  RecordTableShape shape_;
  TableButtonNames names_;
};

}  // namespace gw

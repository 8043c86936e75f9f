#include "pages/record_table.h"

#include <algorithm>

#include "base/caption_ids.h"
#include "link/link.h"
#include "pages/register_access.h"
#include "pages/table_dump.h"
#include "paramfile/record_text.h"

namespace gw {

std::optional<std::vector<std::ptrdiff_t>> listingColumns(std::string_view text,
                                                          std::initializer_list<std::string_view> words) {
  std::vector<std::ptrdiff_t> columns;
  for (std::string_view word : words) {
    const std::optional<std::ptrdiff_t> offset = columnOffset(text, word);
    if (!offset || *offset == 0) return std::nullopt;
    columns.push_back(*offset);
  }
  return columns;
}

std::vector<std::size_t> listingRows(std::string_view text, const RecordTableShape& shape) {
  std::vector<std::size_t> rows;
  for (int i = 0; i < shape.capacity; ++i) {
    const std::optional<std::size_t> at = findTableRow(text, shape.letter, i);
    if (!at) break;
    rows.push_back(*at);
  }
  return rows;
}

std::vector<std::string> rowWords(std::string_view text, std::size_t row,
                                  const std::vector<std::ptrdiff_t>& columns) {
  const std::string_view line = rowLine(text, row);
  std::vector<std::string> words;
  for (std::ptrdiff_t column : columns) words.push_back(wordAt(line, column));
  return words;
}

std::string recordCommand(const RecordTableShape& shape, int index, std::string_view value) {
  const std::string format = "AT%%" + tableWriteKey(shape.letter, index) + "=%s\r\n";
  return cformat(shape.commandBufferSize, format.c_str(), std::string(value).c_str());
}

void writeRecords(Link& link, const RecordTableShape& shape, const std::vector<std::string>& values,
                  int clearTo, std::string& errorList, std::string_view errorText) {
  const int written = std::min(static_cast<int>(values.size()), shape.capacity);
  for (int k = 0; k < std::max(written, std::min(clearTo, shape.capacity)); ++k) {
    link.clock().processEvents();
    const std::string_view value = k < written ? std::string_view(values[static_cast<std::size_t>(k)]) : "";
    writeRegister(link, recordCommand(shape, k, value), errorText, errorList);
  }
}

void TableRecordDialog::open(const TableField& table, int row) {
  table_ = &table;
  row_ = row >= 0 && static_cast<std::size_t>(row) < table.size() ? row : kNoSelection;
  if (adding()) {
    showNew();
  } else {
    showRecord(table.items[static_cast<std::size_t>(row_)]);
  }
}

std::vector<ControlSet::Button> TablePage::buttons() {
  std::vector<Button> all = Page::buttons();
  all.push_back({names_.add, [this] { addRecord(); }});
  all.push_back({names_.edit, [this] { editRecord(); }});
  all.push_back({names_.remove, [this] { removeRecord(); }});
  all.push_back({names_.removeAll, [this] { removeAllRecords(); }});
  return all;
}

void TablePage::addRecord() {
  if (static_cast<int>(rows().size()) >= shape_.addLimit) {
    ctx_.host.messageBox(Message{ctx_.captions.at(kTableFullLabel), ctx_.captions.at(cap::kErrorTitle),
                                 MessageKind::Error, kTableFullLabel, cap::kErrorTitle});
    return;
  }
  runDialog(kNoSelection);
}

void TablePage::editRecord() {
  if (rows().hasSelection()) runDialog(rows().selected);
}

void TablePage::runDialog(int row) {
  TableRecordDialog& dialog = recordDialog();
  dialog.open(rows(), row);
  if (ctx_.dialogs == nullptr || !ctx_.dialogs->run(dialog)) return;
  TableField& table = rows();
  std::vector<std::string> record = dialog.record();
  record.resize(shape_.fields);
  if (dialog.adding()) {
    table.add(std::move(record));
  } else {
    table.items[static_cast<std::size_t>(dialog.editedRow())] = std::move(record);
  }
  setModified();
}

void TablePage::removeRecord() {
  if (rows().removeSelectedRow()) setModified();
}

void TablePage::removeAllRecords() {
  rows().clear();
  setModified();
}

std::vector<std::string> TablePage::imageRecords() {
  std::vector<std::string> records;
  for (const std::vector<std::string>& row : rows().items) records.push_back(joinRecord(row));
  return records;
}

void TablePage::showImageRecords(const std::vector<std::string>& records, int cutLabel) {
  TableField& table = rows();
  table.clear();
  const std::size_t kept = std::min(records.size(), static_cast<std::size_t>(shape_.capacity));
  for (std::size_t i = 0; i < kept; ++i) table.add(recordFields(records[i], shape_.fields));
  if (kept == records.size()) return;
  ctx_.host.messageBox(Message{ctx_.captions.at(cutLabel), ctx_.captions.at(cap::kWarningTitle),
                               MessageKind::Warning, cutLabel, cap::kWarningTitle});
}

void TablePage::writeRows(std::string (*value)(const std::vector<std::string>& row),
                          std::string_view errorText) {
  std::vector<std::string> values;
  for (const std::vector<std::string>& row : rows().items) values.push_back(value(row));
  // A full table needs no end: there is no record after it.
  const int end = static_cast<int>(values.size()) + 1;
  writeRecords(link(), shape_, values, end, errorList(), errorText);
}

}  // namespace gw

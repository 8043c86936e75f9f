#include "pages/auto_page.h"

#include <cctype>

#include "base/caption_ids.h"
#include "base/cformat.h"
#include "base/text.h"
#include "link/link.h"
#include "pages/table_dump.h"

namespace gw {

namespace {

constexpr std::string_view kListCommand = "AT&A\r";
constexpr std::string_view kAllParametres = "Autorouting table - All parametres\n";
constexpr std::string_view kRecordError = "Autorouting table\n";
// The Kestrin edition keeps no autorouting: every record is deleted, written without a leading zero.
constexpr const char* kKestrinDeleteFormat = "AT%%A%d=\r\n";

// The table holds 96 records; Add stops at 95. The longest record (a 47-digit number, a 14-digit number and
// the limit 10000) needs a command buffer above the common 64 bytes, or it would be cut on its way out.
constexpr std::size_t kRecordCommandBuffer = 128;
constexpr RecordTableShape kShape{'A', 96, 4, 95, kRecordCommandBuffer};

// The text that says the parameter file held more records than the table takes.
constexpr int kRecordsCutLabel = 1912;

enum Column : std::size_t { kGsm, kDial, kLimit, kType };

bool digitAt(std::string_view line, std::ptrdiff_t column) {
  return column >= 0 && static_cast<std::size_t>(column) < line.size() &&
         std::isdigit(static_cast<unsigned char>(line[static_cast<std::size_t>(column)]));
}

}  // namespace

std::string autoRecordValue(const std::vector<std::string>& row) {
  const std::string& type = row.at(kType);
  const char* gsm = row.at(kGsm).c_str();
  if (type == kAutodial) return cformat(kRecordCommandBuffer, "%s,%s", gsm, row.at(kDial).c_str());
  if (type == kAutocallback) return cformat(kRecordCommandBuffer, "%s,,%s", gsm, row.at(kLimit).c_str());
  if (type == kAutodialAutocallback)
    return cformat(kRecordCommandBuffer, "%s,%s,%s", gsm, row.at(kDial).c_str(), row.at(kLimit).c_str());
  return {};
}

AutoPage::AutoPage(const PageContext& context)
    : TablePage(context,
                PageTraits{PageId::Auto, ParamSection::Autorouting, cap::kErrorTitle, "Auto", true, false},
                kShape, TableButtonNames{"sbAutoNew", "sbAutoEdit", "sbAutoRemove", "sbAutoRemoveAll"}),
      dialog_(context) {}

bool AutoPage::load() {
  const bool read = readTable();
  if (read) autoSaveFile();
  return read;
}

void AutoPage::autoLoad() {
  (void)load();
}

bool AutoPage::readTable() {
  const TableDump dump = collectTableDump(link(), kListCommand);
  if (dump.failure != TableReadFailure::None) {
    appendError(kAllParametres);
    return false;
  }
  const std::optional<std::vector<std::ptrdiff_t>> columns =
      listingColumns(dump.text, {"gsm.dial (max", "voip.dial (max", "limit"});
  if (!columns) {
    appendError(kAllParametres);
    return false;
  }
  lvAuto.clear();
  for (std::size_t row : listingRows(dump.text, kShape)) {
    std::vector<std::string> words = rowWords(dump.text, row, *columns);
    if (!digitAt(rowLine(dump.text, row), (*columns)[kLimit])) words[kLimit].clear();
    std::string type = kAutodialAutocallback;
    if (words[kDial].empty()) type = kAutocallback;
    if (words[kLimit].empty()) type = kAutodial;
    words.push_back(std::move(type));
    lvAuto.add(std::move(words));
  }
  return true;
}

void AutoPage::autoSave() {
  if (!kestrin()) {
    writeRows(autoRecordValue, kRecordError);
    return;
  }
  for (int i = 0; i < kShape.capacity; ++i) {
    link().clock().processEvents();
    sendCollectError(cformat(kCommandBufferSize, kKestrinDeleteFormat, i), kRecordError);
  }
}

void AutoPage::autoSaveFile() {
  ctx_.image.tables.autorouting = imageRecords();
}

void AutoPage::autoLoadFile() {
  showImageRecords(ctx_.image.tables.autorouting, kRecordsCutLabel);
}

}  // namespace gw

#include "pages/ext_page.h"

#include <algorithm>

#include "base/caption_ids.h"
#include "base/cformat.h"
#include "link/link.h"
#include "pages/ext_listing.h"
#include "pages/table_dump.h"

namespace gw {

namespace {

constexpr std::string_view kTableUnread = "Mobility extension table - All parametres\n";
// A space refused in the middle of the listing, or a header without its columns.
constexpr std::string_view kListingUnread = "Mobility extension - All parametres\n";
constexpr std::string_view kRecordError = "Mobility extension\n";

// A record of 47 characters of names and a 16-digit number needs more than the common 64-byte buffer, or
// it would be cut on its way out together with its line end.
constexpr std::size_t kRecordCommandBuffer = 128;
constexpr RecordTableShape kShape{kExtensionShape.letter, kExtensionCapacity, kExtRecordFields,
                                  kExtensionCapacity, kRecordCommandBuffer};

// The text that says the parameter file held more records than the table takes.
constexpr int kRecordsCutLabel = 2014;

const char* flag(bool on) {
  return on ? kFlagOn : kFlagOff;
}

std::string part(const std::vector<std::string>& names, std::size_t i) {
  return i < names.size() ? names[i] : std::string();
}

}  // namespace

std::string extRecordValue(const std::vector<std::string>& row) {
  return row.at(kExtName) + "/" + row.at(kExtUser) + "/" + row.at(kExtPassword) + "," + row.at(kExtGsm) +
         "," + flag(row.at(kExtFollow) == kFlagOn) + "," + flag(row.at(kExtSms) == kFlagOn);
}

ExtPage::ExtPage(const PageContext& context)
    : TablePage(context,
                PageTraits{PageId::Ext, ParamSection::Extension, cap::kErrorTitle, "Ext", true, false},
                kShape, TableButtonNames{"sbExtNew", "sbExtEdit", "sbExtRemove", "sbExtRemoveAll"}),
      dialog_(context) {
  const std::vector<CodedCell> onOff = {{kFlagOn, 404, "On"}, {kFlagOff, 405, "Off"}};
  lvExt.coded = {{kExtFollow, onOff},
                 {kExtSms, onOff},
                 {kExtRegistered, {{kFlagOn, 453, "Registered"}, {kFlagOff, 454, "Unregistered"}}}};
}

bool ExtPage::extLoad() {
  const TableDump dump = collectTableDump(link(), kExtensionListCommand);
  if (dump.failure != TableReadFailure::None) {
    appendError(dump.failure == TableReadFailure::SpaceNotSent ? kListingUnread : kTableUnread);
    return false;
  }
  const std::optional<std::vector<ListedExtension>> listing = readExtensionListing(dump.text);
  if (!listing) {
    appendError(kListingUnread);
    return false;
  }
  lvExt.clear();
  for (const ListedExtension& e : *listing) {
    lvExt.add({part(e.names, 0), part(e.names, 1), part(e.names, 2), e.gsmNumber, flag(e.followMe),
               flag(e.smsAtNoAnswer), flag(e.registered)});
  }
  extLoadedCount = static_cast<int>(lvExt.size());
  extSaveFile();
  return true;
}

void ExtPage::extSave() {
  // The Kestrin edition keeps no extensions: every record is deleted.
  std::vector<std::string> values;
  if (!kestrin()) {
    for (const std::vector<std::string>& row : lvExt.items) values.push_back(extRecordValue(row));
  }
  const int count =
      kestrin() ? kExtensionCapacity : std::max(static_cast<int>(values.size()), extLoadedCount);
  writeRecords(link(), shape(), values, count, errorList(), kRecordError);
}

void ExtPage::extSaveFile() {
  ctx_.image.tables.extension = imageRecords();
}

void ExtPage::extLoadFile() {
  showImageRecords(ctx_.image.tables.extension, kRecordsCutLabel);
  for (std::vector<std::string>& row : lvExt.items) {
    for (std::size_t column : {kExtFollow, kExtSms, kExtRegistered}) {
      const std::string code = flag(row[column] == kFlagOn);
      row[column] = code;
    }
  }
  extLoadedCount = static_cast<int>(lvExt.size());
}

}  // namespace gw

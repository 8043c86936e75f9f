#include "pages/ext_dialog.h"

#include "base/caption_ids.h"
#include "base/key_filters.h"

namespace gw {

namespace {

constexpr int kTitleCaption = 2010;
constexpr const char* kTitle = "Mobility extension";
constexpr int kNamesTooLongLabel = 455;
constexpr int kDuplicateNumberLabel = 521;

// Name, user and password go to the gateway joined by "/" in a comma-separated record: either character in
// one of them would move the others (or the number) to the wrong place.
bool acceptNameKey(char c) {
  return c != ',' && c != '/';
}

}  // namespace

ExtDialog::ExtDialog(const PageContext& context) : TableRecordDialog(context) {
  for (TextField* name : {&edName, &edUser, &edPass}) {
    name->maxLength = kExtNameLength;
    name->filter = acceptNameKey;
  }
  edGsm.maxLength = kExtGsmLength;
  edGsm.filter = acceptDialKey;
}

std::vector<NamedField> ExtDialog::fields() {
  return {{"edName", &edName}, {"edUser", &edUser},     {"edPass", &edPass},
          {"edGsm", &edGsm},   {"cbFollow", &cbFollow}, {"cbSms", &cbSms}};
}

const FormLayout& ExtDialog::layout() const {
  return extDialogLayout();
}

std::string ExtDialog::title() const {
  return ctx_.captions.labelOr(kTitleCaption, kTitle);
}

void ExtDialog::showNew() {
  for (TextField* field : {&edName, &edUser, &edPass, &edGsm}) {
    field->set("");
    field->marked = false;
  }
  cbFollow.checked = cbSms.checked = false;
}

void ExtDialog::showRecord(const std::vector<std::string>& row) {
  edName.set(row.at(kExtName));
  edUser.set(row.at(kExtUser));
  edPass.set(row.at(kExtPassword));
  edGsm.set(row.at(kExtGsm));
  for (TextField* field : {&edName, &edUser, &edPass, &edGsm}) field->marked = false;
  cbFollow.checked = row.at(kExtFollow) == kFlagOn;
  cbSms.checked = row.at(kExtSms) == kFlagOn;
}

bool ExtDialog::accept() {
  int refusal = 0;
  if (!requireText({&edGsm, &edName, &edUser, &edPass})) {
    refusal = kFillMarkedFieldsLabel;
  } else if (edName.text.size() + edUser.text.size() + edPass.text.size() > kExtNameLength) {
    refusal = kNamesTooLongLabel;
  } else if (table() != nullptr) {
    const std::vector<std::vector<std::string>>& rows = table()->items;
    for (std::size_t r = 0; r < rows.size() && refusal == 0; ++r) {
      if (static_cast<int>(r) != editedRow() && rows[r].at(kExtGsm) == edGsm.text)
        refusal = kDuplicateNumberLabel;
    }
  }
  if (refusal == 0) return true;
  ctx_.host.messageBox(Message{ctx_.captions.at(refusal), ctx_.captions.at(cap::kErrorTitle),
                               MessageKind::Error, refusal, cap::kErrorTitle});
  return false;
}

std::vector<std::string> ExtDialog::record() const {
  const std::string registered =
      adding() ? kFlagOff : table()->items.at(static_cast<std::size_t>(editedRow())).at(kExtRegistered);
  return {edName.text,
          edUser.text,
          edPass.text,
          edGsm.text,
          cbFollow.checked ? kFlagOn : kFlagOff,
          cbSms.checked ? kFlagOn : kFlagOff,
          registered};
}

}  // namespace gw

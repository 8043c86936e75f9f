#include "pages/auto_dialog.h"

#include "base/caption_ids.h"
#include "base/key_filters.h"
#include "base/text.h"

namespace gw {

namespace {
constexpr int kTitleCaption = 1908;
constexpr const char* kTitle = "Add/Edit autorouting table";
}  // namespace

AutoDialog::AutoDialog(const PageContext& context) : TableRecordDialog(context) {
  edGsm.maxLength = kAutoGsmLength;
  edGsm.filter = acceptDialKey;
  edDial.maxLength = kAutoDialLength;
  edDial.filter = acceptDialKey;
  seLimit.max = kAutoHighestLimit;
  cbLimit.enabled = false;
  showNew();
}

std::vector<NamedField> AutoDialog::fields() {
  return {
      {"edGsm", &edGsm},
      {"lbDial", &lbDial},
      {"edDial", &edDial},
      {"cbAutodial", &cbAutodial},
      {"cbAutocallback", &cbAutocallback},
      {"cbLimit", &cbLimit},
      {"Label1", &Label1},
      {"seLimit", &seLimit},
  };
}

const FormLayout& AutoDialog::layout() const {
  return autoDialogLayout();
}

std::string AutoDialog::title() const {
  return ctx_.captions.labelOr(kTitleCaption, kTitle);
}

void AutoDialog::cbAutodialClick() {
  if (!cbAutodial.checked && !cbAutocallback.checked) {
    cbAutocallback.checked = true;
    cbAutocallbackClick();
  }
  edDial.enabled = cbAutodial.checked;
  lbDial.enabled = cbAutodial.checked;
}

void AutoDialog::cbAutocallbackClick() {
  if (!cbAutocallback.checked && !cbAutodial.checked) {
    cbAutodial.checked = true;
    cbAutodialClick();
  }
  seLimit.enabled = cbAutocallback.checked;
  Label1.enabled = cbAutocallback.checked;
  cbLimit.checked = cbAutocallback.checked;
}

void AutoDialog::edited(std::string_view name) {
  if (name == "cbAutodial") cbAutodialClick();
  if (name == "cbAutocallback") cbAutocallbackClick();
}

void AutoDialog::showNew() {
  edGsm.set("");
  edDial.set("");
  edGsm.marked = edDial.marked = false;
  seLimit.set(0);
  cbAutodial.checked = true;
  cbAutocallback.checked = false;
  cbAutodialClick();
  cbAutocallbackClick();
}

void AutoDialog::showRecord(const std::vector<std::string>& row) {
  edGsm.set(row.at(0));
  edDial.set(row.at(1));
  edGsm.marked = edDial.marked = false;
  seLimit.set(row.at(2).empty() ? 0 : toInt(row.at(2)).value_or(0));
  cbAutodial.checked = contains(row.at(3), kAutodial);
  cbAutodialClick();
  cbAutocallback.checked = contains(row.at(3), kAutocallback);
  cbAutocallbackClick();
}

bool AutoDialog::accept() {
  const bool gsm = !edGsm.text.empty();
  const bool dial = !cbAutodial.checked || !edDial.text.empty();
  if (gsm && dial) return true;
  edGsm.marked = !gsm;
  edDial.marked = !dial;
  ctx_.host.messageBox(Message{ctx_.captions.at(kFillMarkedFieldsLabel), ctx_.captions.at(cap::kErrorTitle),
                               MessageKind::Error, kFillMarkedFieldsLabel, cap::kErrorTitle});
  return false;
}

std::vector<std::string> AutoDialog::record() const {
  std::string type;
  if (cbAutodial.checked) type = kAutodial;
  if (cbAutocallback.checked) type += type.empty() ? kAutocallback : std::string("/") + kAutocallback;
  return {edGsm.text, edDial.enabled ? edDial.text : "", cbLimit.checked ? std::to_string(seLimit.value) : "",
          type};
}

}  // namespace gw

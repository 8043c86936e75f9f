#include "pages/net_dialog.h"

#include "base/key_filters.h"

namespace gw {

namespace {
constexpr int kAddCaption = 365;
constexpr int kEditCaption = 482;
constexpr const char* kAddTitle = "Add entry";
constexpr const char* kEditTitle = "Edit entry";
constexpr char kEntrySeparator = '/';
}  // namespace

NetDialog::NetDialog(const PageContext& context) : RecordDialog(context) {
  ed1.maxLength = kNetEntryPartLength;
  ed1.filter = acceptDialKey;
  ed2.maxLength = kNetEntryPartLength;
}

void NetDialog::open(NetTable table, NetAction action, std::string_view entry) {
  table_ = table;
  action_ = action;
  ed2.filter = table == NetTable::Replaced ? acceptDialKey : acceptDigitKey;
  const std::size_t slash = entry.find(kEntrySeparator);
  ed1.set(std::string(entry.substr(0, slash)));
  ed2.set(slash == std::string_view::npos ? std::string() : std::string(entry.substr(slash + 1)));
  sbOk.enabled = table == NetTable::Replaced || action == NetAction::Edit;
}

std::string NetDialog::entry() const {
  if (table_ == NetTable::Replaced) return ed1.text + kEntrySeparator + ed2.text;
  return ed2.text.empty() ? ed1.text : ed1.text + kEntrySeparator + ed2.text;
}

std::vector<NamedField> NetDialog::fields() {
  return {{"ed1", &ed1}, {"ed2", &ed2}, {"lbHelp", &lbHelp}, {"sbOk", &sbOk}};
}

const FormLayout& NetDialog::layout() const {
  return table_ == NetTable::Replaced ? netReplacedDialogLayout() : netPrefixDialogLayout();
}

std::string NetDialog::title() const {
  return action_ == NetAction::Add ? ctx_.captions.labelOr(kAddCaption, kAddTitle)
                                   : ctx_.captions.labelOr(kEditCaption, kEditTitle);
}

void NetDialog::edited(std::string_view name) {
  if (name == "ed1") sbOk.enabled = table_ == NetTable::Replaced || !ed1.text.empty();
}

}  // namespace gw

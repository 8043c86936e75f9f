#include "pages/network_page.h"

#include <algorithm>

#include "base/caption_ids.h"
#include "base/cformat.h"
#include "base/text.h"
#include "link/link.h"
#include "pages/dump.h"
#include "pages/record_table.h"
#include "pages/table_dump.h"

namespace gw {

namespace {

constexpr std::string_view kReadCommand = "AT&NALL\r\n";
constexpr std::string_view kAllParameters = "Network list - All Parameters\n";
constexpr const char* kNetworkIdError = "Network list - network ID";
constexpr const char* kDigitsError = "Network list - Default number of digits";
constexpr WriteErrors kReplacedErrors{"Network list - Table of replaced prefixes\n",
                                      "Network list - Table of replaced prefixes\n", Repeat::Once};
constexpr WriteErrors kPrefixErrors{"Network list - Table of prefixes\n",
                                    "Network list - Table of prefixes\n", Repeat::Once};
constexpr WriteErrors kIdErrors{"Network list - Network ID, default number of digits\n",
                                "Network list - Network ID, default number of digits\n", Repeat::Once};

// The page's commands are formatted into a buffer of this size: fifteen entries of a prefix and its digits
// fit it many times over.
constexpr std::size_t kCommandBuffer = 4096;
constexpr const char* kReplacedFormat = "AT%%N%d0=%s\r\n";
constexpr const char* kPrefixFormat = "AT%%N%d%d=%s\r\n";
constexpr const char* kIdFormat = "AT%%N%d9=%s,%d\r\n";

// A fresh list: no replacement, the ten one-digit prefixes, nine digits. The Kestrin edition uses list 1
// only: the others are written fresh, and every list with the empty network ID and nine digits.
constexpr const char* kNoReplacement = "/";
constexpr const char* kOneDigitPrefixes = "0,1,2,3,4,5,6,7,8,9";
constexpr int kFreshDigits = 9;

constexpr int kNetworkIdLength = 5;
constexpr int kMostDigits = 20;
constexpr int kFirstTabCaption = 1700;
// The text that says a parameter file held more prefixes in a list than its registers take.
constexpr int kPrefixesCutLabel = 1718;

std::string registerKey(int list, int r) {
  return "N" + std::to_string(list) + std::to_string(r) + "=";
}

// The ID and the number of digits share one register and one file key, separated by a comma: a comma in
// the ID would shift the number and spoil both.
bool acceptIdKey(char c) {
  return c != ',';
}

// "/" stands for the empty replacement: a list never goes without one.
void keepReplacedEntry(NetworkList& list) {
  if (list.replacedPrefixes.empty()) list.replacedPrefixes.push_back(kNoReplacement);
}

// The tabs of the first `count` lists.
std::vector<std::string> tabItems(std::size_t count) {
  std::vector<std::string> items;
  for (std::size_t n = 1; n <= count; ++n) items.push_back("Network list " + std::to_string(n));
  return items;
}

void showMessage(PageContext& ctx, int label, int caption, MessageKind kind) {
  ctx.host.messageBox(Message{ctx.captions.at(label), ctx.captions.at(caption), kind, label, caption});
}

}  // namespace

std::vector<std::string> prefixRegisterValues(const std::vector<std::string>& prefixes) {
  std::vector<std::string> values;
  for (int r = 0; r < kPrefixRegisters; ++r) {
    const std::size_t first = std::min(prefixes.size(), static_cast<std::size_t>(r) * kPrefixesPerRegister);
    const std::size_t last = std::min(prefixes.size(), first + kPrefixesPerRegister);
    values.push_back(
        joinFields(std::vector<std::string>(prefixes.begin() + static_cast<std::ptrdiff_t>(first),
                                            prefixes.begin() + static_cast<std::ptrdiff_t>(last))));
  }
  return values;
}

NetworkPage::NetworkPage(const PageContext& context)
    : Page(context, PageTraits{PageId::Network, ParamSection::Network, cap::kErrorTitle, "Net"}),
      dialog_(context) {
  tcNet.items = tabItems(kNetworkListCount);
  tcNet.firstItemCaption = kFirstTabCaption;
  edNetNetid.maxLength = kNetworkIdLength;
  edNetNetid.filter = acceptIdKey;
  seNetDefault.max = kMostDigits;
  // A fresh page holds what a fresh gateway holds.
  for (NetworkList& list : lists) {
    list.replacedPrefixes = {kNoReplacement};
    list.prefixes = splitFields(kOneDigitPrefixes);
    list.defaultDigits = kFreshDigits;
  }
  tcNetChange();
}

std::vector<NamedField> NetworkPage::fields() {
  return {
      {"tcNet", &tcNet},         {"edNetNetid", &edNetNetid}, {"seNetDefault", &seNetDefault},
      {"gbNet1", &gbNet1},       {"lbNetRep", &lbNetRep},     {"gbNet2", &gbNet2},
      {"lbNetPref", &lbNetPref},
  };
}

std::vector<ControlSet::Button> NetworkPage::buttons() {
  std::vector<Button> all = Page::buttons();
  const std::vector<Button> own = {
      {"sbNetRepAdd", [this] { sbNetRepAddClick(); }},
      {"sbNetRepEdit", [this] { sbNetRepEditClick(); }},
      {"sbNetRepRemove", [this] { sbNetRepRemoveClick(); }},
      {"sbNetRepRemoveAll", [this] { sbNetRepRemoveAllClick(); }},
      {"sbNetPrefAdd", [this] { sbNetPrefAddClick(); }},
      {"sbNetPrefEdit", [this] { sbNetPrefEditClick(); }},
      {"sbNetPrefRemove", [this] { sbNetPrefRemoveClick(); }},
      {"sbNetPrefRemoveAll", [this] { sbNetPrefRemoveAllClick(); }},
  };
  all.insert(all.end(), own.begin(), own.end());
  return all;
}

bool NetworkPage::load() {
  return readLists() != ListsRead::Unread;
}

bool NetworkPage::networkLoad() {
  return readLists() == ListsRead::Whole;
}

NetworkPage::ListsRead NetworkPage::readLists() {
  // The answer grows with the lists (about 12 KB when all are full) and may come in pages: it is read
  // whole, so that no prefix is lost.
  std::string dump;
  if (!readPagedDump(link(), kReadCommand, dump)) {
    appendError(kAllParameters);
    return ListsRead::Unread;
  }
  ListsRead read = ListsRead::Whole;
  for (int n = 1; n <= static_cast<int>(kNetworkListCount); ++n) {
    NetworkList& list = lists[static_cast<std::size_t>(n - 1)];
    list.prefixes.clear();
    for (int r = 1; r <= kPrefixRegisters; ++r) {
      for (std::string& entry : dumpFields(registerKey(n, r), dump)) {
        if (!entry.empty()) list.prefixes.push_back(std::move(entry));
      }
    }
    list.replacedPrefixes = dumpFields(registerKey(n, 0), dump);
    keepReplacedEntry(list);
    const std::vector<std::string> idAndDigits = dumpFields(registerKey(n, 9), dump);
    list.networkId = fieldOrDefault(idAndDigits, 0, kNetworkIdError, "");
    const std::optional<int> digits = fieldNumber(idAndDigits, 1);
    list.defaultDigits = digits.value_or(0);
    if (!digits) {
      appendError(std::string(kDigitsError) + "\n", Repeat::Once);
      read = ListsRead::DigitsUnreadable;
    }
  }
  tcNetChange();
  netSaveFile();
  return read;
}

void NetworkPage::networkSave() {
  for (int n = 1; n <= static_cast<int>(kNetworkListCount); ++n) {
    link().clock().processEvents();
    const NetworkList& list = lists[static_cast<std::size_t>(n - 1)];
    const bool unused = kestrin() && n > 1;
    const std::string replaced = unused ? kNoReplacement : joinFields(list.replacedPrefixes);
    writeRegister(cformat(kCommandBuffer, kReplacedFormat, n, replaced.c_str()), kReplacedErrors);

    std::vector<std::string> values = prefixRegisterValues(list.prefixes);
    if (unused) {
      values.assign(static_cast<std::size_t>(kPrefixRegisters), "");
      values[0] = kOneDigitPrefixes;
    }
    for (int r = 1; r <= kPrefixRegisters; ++r) {
      writeRegister(
          cformat(kCommandBuffer, kPrefixFormat, n, r, values[static_cast<std::size_t>(r - 1)].c_str()),
          kPrefixErrors);
    }

    const std::string id = kestrin() ? std::string() : list.networkId;
    const int digits = kestrin() ? kFreshDigits : list.defaultDigits;
    writeRegister(cformat(kCommandBuffer, kIdFormat, n, id.c_str(), digits), kIdErrors);
  }
}

void NetworkPage::netSaveFile() {
  ctx_.image.network = lists;
}

void NetworkPage::netLoadFile() {
  lists = ctx_.image.network;
  bool cut = false;
  for (NetworkList& list : lists) {
    keepReplacedEntry(list);
    if (list.prefixes.size() <= kMaxPrefixes) continue;
    list.prefixes.resize(kMaxPrefixes);
    cut = true;
  }
  tcNetChange();
  if (cut) showMessage(ctx_, kPrefixesCutLabel, cap::kWarningTitle, MessageKind::Warning);
}

std::size_t NetworkPage::shownIndex() const {
  return static_cast<std::size_t>(std::clamp(tcNet.index, 0, static_cast<int>(kNetworkListCount) - 1));
}

NetworkList& NetworkPage::shown() {
  return lists[shownIndex()];
}

void NetworkPage::tcNetChange() {
  lbNetRep.clear();
  lbNetPref.clear();
  showEntries();
  edNetNetid.set(shown().networkId);
  seNetDefault.set(shown().defaultDigits);
}

void NetworkPage::showEntries() {
  lbNetRep.items = shown().replacedPrefixes;
  lbNetPref.items = shown().prefixes;
  for (ListField* box : {&lbNetRep, &lbNetPref}) {
    if (!box->hasSelection()) box->selected = kNoSelection;
  }
}

void NetworkPage::applyEdition() {
  tcNet.items = tabItems(kestrin() ? 1 : kNetworkListCount);
  if (!tcNet.select(tcNet.index)) tcNet.index = 0;
  tcNetChange();
}

void NetworkPage::edited(std::string_view name) {
  if (name == "tcNet") {
    tcNetChange();
    return;
  }
  if (name == "edNetNetid") {
    // The LCR page shows the IDs from the image: it follows at once.
    shown().networkId = edNetNetid.text;
    ctx_.image.network[shownIndex()].networkId = edNetNetid.text;
  } else if (name == "seNetDefault") {
    shown().defaultDigits = seNetDefault.value;
  } else {
    return;
  }
  setModified();
}

void NetworkPage::sbNetRepRemoveClick() {
  if (!lbNetRep.removeSelectedEntry()) return;
  shown().replacedPrefixes = lbNetRep.items;
  keepReplacedEntry(shown());
  showEntries();
  setModified();
}

void NetworkPage::sbNetRepRemoveAllClick() {
  shown().replacedPrefixes = {kNoReplacement};
  lbNetRep.selected = kNoSelection;
  showEntries();
  setModified();
}

void NetworkPage::sbNetPrefAddClick() {
  // The registers have no room for more.
  if (shown().prefixes.size() >= kMaxPrefixes) {
    showMessage(ctx_, kTableFullLabel, cap::kErrorTitle, MessageKind::Error);
    return;
  }
  runDialog(NetTable::Prefixes, NetAction::Add);
}

void NetworkPage::sbNetPrefRemoveClick() {
  if (!lbNetPref.removeSelectedEntry()) return;
  shown().prefixes = lbNetPref.items;
  setModified();
}

void NetworkPage::sbNetPrefRemoveAllClick() {
  shown().prefixes.clear();
  lbNetPref.clear();
  setModified();
}

void NetworkPage::runDialog(NetTable table, NetAction action) {
  ListField& box = table == NetTable::Replaced ? lbNetRep : lbNetPref;
  std::vector<std::string>& entries =
      table == NetTable::Replaced ? shown().replacedPrefixes : shown().prefixes;
  if (action == NetAction::Edit && !box.hasSelection()) return;
  dialog_.open(table, action, action == NetAction::Edit ? *box.selectedItem() : std::string());
  if (ctx_.dialogs == nullptr || !ctx_.dialogs->run(dialog_)) return;
  const std::string entry = dialog_.entry();
  // Only an edited prefix is not searched for a duplicate.
  const bool searched = table == NetTable::Replaced || action == NetAction::Add;
  if (searched && std::find(entries.begin(), entries.end(), entry) != entries.end()) return;
  if (action == NetAction::Add) {
    entries.push_back(entry);
  } else {
    entries[static_cast<std::size_t>(box.selected)] = entry;
  }
  showEntries();
  setModified();
}

}  // namespace gw

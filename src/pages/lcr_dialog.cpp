#include "pages/lcr_dialog.h"

#include <algorithm>

#include "base/caption_ids.h"
#include "base/key_filters.h"
#include "base/text.h"

namespace gw {

namespace {

constexpr int kAddTitle = 407;
constexpr int kModifyTitle = 408;
constexpr const char* kTitle = "Add/Edit LCR table";
constexpr int kNoGroupCaption = 392;
constexpr int kGsmGroupCaption = 393;
constexpr int kNetworkWordCaption = 394;
constexpr int kGsmGroups = 4;

constexpr const char* kAllDayFrom = "00:00";
constexpr const char* kAllDayTo = "24:00";
constexpr char kTimeSeparator = '/';
constexpr const char* kWeekendOff = "w-";
constexpr const char* kWeekendAll = "w+";
enum WeekendChoice { kUseAllWeekend, kUseAsInWeek };

const char* const kGroupSelectorNames[kLcrGroupSelectors] = {
    "cbGroups1", "cbGroups2", "cbGroups3", "cbGroups4", "cbGroups5", "cbGroups6", "cbGroups7"};

}  // namespace

std::string lcrNetworkNumber(const std::string& column) {
  return column.substr(0, column.find('/'));
}

LcrDialog::LcrDialog(const PageContext& context, const std::vector<std::string>& gatewayIds)
    : TableRecordDialog(context), gatewayIds_(gatewayIds) {
  for (std::size_t n = 1; n <= kLcrNetworks; ++n) {
    cbNetwork.items.push_back("Group");
    cbNetwork.itemCaptions.push_back(kNetworkWordCaption);
  }
  for (TextField* time : {&edFrom, &edTo}) {
    time->pattern = EntryPattern::Time;
    time->maxLength = kEntryLength;
  }
  rgWeekend.buttons = {"rbAll", "rbWeek"};
  seLimit.max = kLcrHighestLimit;
  for (ChoiceField& groups : cbGroups) {
    groups.items = {"<None>"};
    groups.itemCaptions = {kNoGroupCaption};
    groups.itemSuffixes = {""};
    for (int g = 1; g <= kGsmGroups; ++g) {
      groups.items.push_back("GSM group");
      groups.itemCaptions.push_back(kGsmGroupCaption);
      groups.itemSuffixes.push_back(" " + std::to_string(g));
    }
  }
  showNew();
}

std::vector<NamedField> LcrDialog::fields() {
  std::vector<NamedField> all = {
      {"cbNetwork", &cbNetwork}, {"gbLcrTime", &gbLcrTime},     {"edFrom", &edFrom},
      {"edTo", &edTo},           {"cbWeekend", &cbWeekend},     {"rgWeekend", &rgWeekend},
      {"seLimit", &seLimit},     {"gbLcrGroups", &gbLcrGroups},
  };
  for (int i = 0; i < kLcrGroupSelectors; ++i) all.push_back({kGroupSelectorNames[i], &cbGroups[i]});
  return all;
}

const FormLayout& LcrDialog::layout() const {
  return lcrDialogLayout();
}

std::string LcrDialog::title() const {
  return ctx_.captions.labelOr(adding() ? kAddTitle : kModifyTitle, kTitle);
}

std::string LcrDialog::networkId(std::size_t list) const {
  if (!gatewayIds_.empty()) return list < gatewayIds_.size() ? gatewayIds_[list] : std::string();
  return ctx_.image.network[list].networkId;
}

void LcrDialog::refreshNetworks() {
  cbNetwork.itemSuffixes.clear();
  for (std::size_t n = 1; n <= kLcrNetworks; ++n)
    cbNetwork.itemSuffixes.push_back(" " + std::to_string(n) + "/" + ctx_.image.network[n - 1].networkId);
}

void LcrDialog::cbGroupsChange() {
  for (std::size_t i = 0; i < cbGroups.size(); ++i) {
    const bool offered = i == 0 || (cbGroups[i - 1].enabled && cbGroups[i - 1].index != 0);
    cbGroups[i].enabled = offered;
    if (!offered) cbGroups[i].index = 0;
  }
}

void LcrDialog::cbWeekendClick() {
  rgWeekend.enabled = cbWeekend.checked;
}

void LcrDialog::edited(std::string_view name) {
  if (name == "cbWeekend") cbWeekendClick();
  if (startsWith(name, "cbGroups")) cbGroupsChange();
}

void LcrDialog::showNew() {
  refreshNetworks();
  cbNetwork.index = 0;
  edFrom.set(kAllDayFrom);
  edTo.set(kAllDayTo);
  cbWeekend.checked = true;
  rgWeekend.index = kUseAsInWeek;
  cbWeekendClick();
  seLimit.set(0);
  cbGroups[0].index = 0;
  cbGroupsChange();
}

void LcrDialog::showRecord(const std::vector<std::string>& row) {
  refreshNetworks();
  const int network = toInt(lcrNetworkNumber(row.at(kLcrNetwork))).value_or(1);
  cbNetwork.index = std::clamp(network, 1, static_cast<int>(kLcrNetworks)) - 1;

  const std::vector<std::string> parts = splitFields(row.at(kLcrTime), kTimeSeparator);
  edFrom.set(normalizedEntry(EntryPattern::Time, parts.empty() ? "" : parts[0]));
  edTo.set(normalizedEntry(EntryPattern::Time, parts.size() > 1 ? parts[1] : ""));
  const std::string weekend = parts.size() > 2 ? parts[2] : "";
  cbWeekend.checked = weekend != kWeekendOff;
  rgWeekend.index = weekend == kWeekendOff || weekend == kWeekendAll ? kUseAllWeekend : kUseAsInWeek;
  cbWeekendClick();
  seLimit.set(toInt(row.at(kLcrLimit)).value_or(0));

  // The digits of the groups in order, each in the next selector; what no selector can show is left out.
  for (ChoiceField& groups : cbGroups) groups.index = 0;
  std::size_t next = 0;
  for (char digit : row.at(kLcrGroups)) {
    if (next == cbGroups.size() || digit < '1' || digit > '0' + kGsmGroups) continue;
    cbGroups[next++].index = digit - '0';
  }
  cbGroupsChange();
}

bool LcrDialog::accept() {
  if (cbGroups[0].index != 0) return true;
  ctx_.host.messageBox(Message{ctx_.captions.at(kFillMarkedFieldsLabel), ctx_.captions.at(cap::kErrorTitle),
                               MessageKind::Error, kFillMarkedFieldsLabel, cap::kErrorTitle});
  return false;
}

std::vector<std::string> LcrDialog::record() const {
  const std::size_t list = static_cast<std::size_t>(std::clamp(cbNetwork.index, 0, int{kLcrNetworks} - 1));
  std::string time = entryWithoutBlanks(edFrom.text) + kTimeSeparator + entryWithoutBlanks(edTo.text);
  if (!cbWeekend.checked) {
    time += std::string(1, kTimeSeparator) + kWeekendOff;
  } else if (rgWeekend.index == kUseAllWeekend) {
    time += std::string(1, kTimeSeparator) + kWeekendAll;
  }
  std::string groups;
  for (const ChoiceField& selector : cbGroups) {
    if (selector.enabled && selector.index != 0) groups += static_cast<char>('0' + selector.index);
  }
  return {std::to_string(list + 1) + "/" + networkId(list), time, groups, std::to_string(seLimit.value)};
}

}  // namespace gw

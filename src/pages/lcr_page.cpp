// The LCR page's model: its controls, the holiday list and the two dates, the two "Defaults" and the copies
// to and from the parameter image. Reading and writing the gateway: lcr_gateway.cpp.

#include "pages/lcr_page.h"

#include <algorithm>

#include "base/caption_ids.h"
#include "base/cformat.h"
#include "base/text.h"
#include "paramfile/parameter_file.h"
#include "paramfile/record_text.h"

namespace gw {

namespace {

// The table holds 64 records and Add takes it to the last one; a record fits the common command buffer.
constexpr RecordTableShape kShape{'R', kLcrRecordsCapacity, kLcrRecordFields, kLcrRecordsCapacity};

constexpr int kHolidaysFullLabel = 73;
constexpr int kNoDateLabel = 74;
constexpr int kHolidayInputCaption = 305;
constexpr int kHolidayInputPrompt = 306;
constexpr const char* kHolidayInputTitle = "Holiday";
constexpr const char* kHolidayInputText = "Date of the holiday [dd.mm] :";
constexpr const char* kNoDate = "00.00";
// The texts that say a parameter file held more records, or more holidays, than the gateway takes.
constexpr int kRecordsCutLabel = 1820;
constexpr int kHolidaysCutLabel = 1821;

constexpr char kDateSeparator = '.';
constexpr int kHighestDay = 31;
constexpr int kHighestMonth = 12;
constexpr std::size_t kDateDigits = 2;
constexpr std::size_t kWireDateLength = 4;

// One or two digits, nothing else.
std::optional<int> dateNumber(std::string_view digits) {
  if (digits.empty() || digits.size() > kDateDigits) return std::nullopt;
  if (!std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
    return std::nullopt;
  return toInt(digits);
}

void showMessage(PageContext& ctx, int label, int caption, MessageKind kind) {
  ctx.host.messageBox(Message{ctx.captions.at(label), ctx.captions.at(caption), kind, label, caption});
}

}  // namespace

std::string shownDate(std::string_view mmdd) {
  if (mmdd.size() != kWireDateLength) return kNoDate;
  return std::string(mmdd.substr(2, 2)) + kDateSeparator + std::string(mmdd.substr(0, 2));
}

std::string wireDate(std::string_view shown) {
  const std::string date = entryWithoutBlanks(shown);
  const std::size_t dot = date.find(kDateSeparator);
  const std::optional<int> day = dot == std::string::npos ? std::nullopt : dateNumber(date.substr(0, dot));
  const std::optional<int> month = dot == std::string::npos ? std::nullopt : dateNumber(date.substr(dot + 1));
  if (!day || !month) return "0000";
  return cformat(kWireDateLength + 1, "%02d%02d", *month, *day);
}

bool validHoliday(std::string_view date) {
  const std::size_t dot = date.find(kDateSeparator);
  if (dot == std::string_view::npos) return false;
  const std::optional<int> day = dateNumber(date.substr(0, dot));
  const std::optional<int> month = dateNumber(date.substr(dot + 1));
  return day && month && *day >= 1 && *day <= kHighestDay && *month >= 1 && *month <= kHighestMonth;
}

std::string lcrRecordValue(const std::vector<std::string>& row) {
  return lcrNetworkNumber(row.at(kLcrNetwork)) + "," + row.at(kLcrTime) + "," + row.at(kLcrGroups) + "," +
         row.at(kLcrLimit);
}

LcrPage::LcrPage(const PageContext& context)
    : TablePage(context,
                PageTraits{PageId::Lcr, ParamSection::Lcr | ParamSection::Holidays, cap::kErrorTitle, "Lcr",
                           true, false},
                kShape, TableButtonNames{"sbLcrNew", "sbLcrEdit", "sbLcrRemove", "sbLcrRemoveAll"}),
      dialog_(context, lcrNetworkIds) {
  for (TextField* date : {&edSystemWinter, &edSystemSummer}) {
    date->pattern = EntryPattern::Date;
    date->maxLength = kEntryLength;
    date->set(kNoDate);
  }
}

std::vector<NamedField> LcrPage::fields() {
  return {
      {"lvLcr", &lvLcr},
      {"gbBasic1", &gbBasic1},
      {"lbBasicHolidays", &lbBasicHolidays},
      {"edSystemWinter", &edSystemWinter},
      {"edSystemSummer", &edSystemSummer},
  };
}

std::vector<ControlSet::Button> LcrPage::buttons() {
  std::vector<Button> all = TablePage::buttons();
  const std::vector<Button> own = {
      {"sbLcrDefaultLcr", [this] { sbLcrDefaultLcrClick(); }},
      {"sbBasicAdd", [this] { sbBasicAddClick(); }},
      {"sbBasicRemove", [this] { sbBasicRemoveClick(); }},
      {"sbBasicRemoveAll", [this] { sbBasicRemoveAllClick(); }},
      {"sbLcrDefault", [this] { sbLcrDefaultClick(); }},
  };
  all.insert(all.end(), own.begin(), own.end());
  return all;
}

void LcrPage::sbBasicAddClick() {
  if (lbBasicHolidays.size() >= kMaxHolidays) {
    showMessage(ctx_, kHolidaysFullLabel, cap::kErrorTitle, MessageKind::Error);
    return;
  }
  const std::optional<std::string> answer =
      ctx_.host.inputLine(ctx_.captions.labelOr(kHolidayInputCaption, kHolidayInputTitle),
                          ctx_.captions.labelOr(kHolidayInputPrompt, kHolidayInputText), kNoDate);
  if (!answer) return;
  if (!validHoliday(*answer)) {
    showMessage(ctx_, kNoDateLabel, cap::kErrorTitle, MessageKind::Error);
    return;
  }
  lbBasicHolidays.add(*answer);
  setModified();
}

void LcrPage::sbBasicRemoveClick() {
  if (lbBasicHolidays.removeSelectedEntry()) setModified();
}

void LcrPage::sbBasicRemoveAllClick() {
  lbBasicHolidays.clear();
  setModified();
}

// Each "Defaults" fills its own part of the page: the other part keeps what the user has not saved yet.
void LcrPage::sbLcrDefaultLcrClick() {
  lvLcr.clear();
  loadParameterFile(ctx_.image, defaultsPath(), ParamSection::Lcr, ctx_.host, ctx_.captions);
  showImageTable();
}

void LcrPage::sbLcrDefaultClick() {
  setModified();
  loadParameterFile(ctx_.image, defaultsPath(), ParamSection::Holidays, ctx_.host, ctx_.captions);
  showImageHolidays();
}

void LcrPage::loadDefaults() {
  sbLcrDefaultClick();
  sbLcrDefaultLcrClick();
}

std::string LcrPage::imageNetworkColumn(const std::string& number) const {
  const std::optional<int> list = toInt(number);
  if (!list || *list < 1 || *list > static_cast<int>(kNetworkListCount)) return number;
  return number + "/" + ctx_.image.network[static_cast<std::size_t>(*list - 1)].networkId;
}

void LcrPage::pageShown() {
  for (std::vector<std::string>& row : lvLcr.items) {
    std::string& network = row[kLcrNetwork];
    if (!network.empty() && network[0] >= '1' && network[0] <= '0' + static_cast<int>(kNetworkListCount))
      network = imageNetworkColumn(network.substr(0, 1));
  }
}

void LcrPage::lcrSaveFile() {
  ctx_.image.system.winterDate = entryWithoutBlanks(edSystemWinter.text);
  ctx_.image.system.summerDate = entryWithoutBlanks(edSystemSummer.text);
  ctx_.image.basic.holidays = lbBasicHolidays.items;
  std::vector<std::string>& records = ctx_.image.tables.lcr;
  records.clear();
  for (const std::vector<std::string>& row : lvLcr.items) {
    records.push_back(
        joinRecord({lcrNetworkNumber(row[kLcrNetwork]), row[kLcrTime], row[kLcrGroups], row[kLcrLimit]}));
  }
}

void LcrPage::lcrLoadFile() {
  showImageTable();
  showImageHolidays();
}

void LcrPage::showImageTable() {
  lcrNetworkIds.clear();
  showImageRecords(ctx_.image.tables.lcr, kRecordsCutLabel);
  for (std::vector<std::string>& row : lvLcr.items) row[kLcrNetwork] = imageNetworkColumn(row[kLcrNetwork]);
}

void LcrPage::showImageHolidays() {
  edSystemWinter.set(normalizedEntry(EntryPattern::Date, ctx_.image.system.winterDate));
  edSystemSummer.set(normalizedEntry(EntryPattern::Date, ctx_.image.system.summerDate));
  std::vector<std::string> holidays = ctx_.image.basic.holidays;
  const bool cut = holidays.size() > kMaxHolidays || ctx_.image.basic.holidaysLeftOut > 0;
  if (holidays.size() > kMaxHolidays) holidays.resize(kMaxHolidays);
  lbBasicHolidays.clear();
  lbBasicHolidays.items = std::move(holidays);
  if (!cut) return;
  ctx_.image.basic.holidaysLeftOut = 0;  // said once
  showMessage(ctx_, kHolidaysCutLabel, cap::kWarningTitle, MessageKind::Warning);
}

}  // namespace gw

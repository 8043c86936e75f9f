// The LCR page and the gateway: the daylight-saving dates (X20 of "AT&V"), the holidays (G06 and G07 of
// "AT&V0"), the network IDs (N n9 of "AT&N n") and the paged LCR listing ("AT&R"); and the writes back.

#include "base/cformat.h"
#include "base/text.h"
#include "link/link.h"
#include "pages/dump.h"
#include "pages/lcr_page.h"
#include "pages/table_dump.h"

namespace gw {

namespace {

constexpr std::string_view kSystemRead = "AT&V\r\n";
constexpr std::string_view kGsmRead = "AT&V0\r\n";
constexpr const char* kNetworkRead = "AT&N%d\r\n";
constexpr std::string_view kListCommand = "AT&R\r";
constexpr std::string_view kOk = "OK";

constexpr std::string_view kDatesUnread = "LCR settings - date to move to winter/summer time\n";
constexpr std::string_view kHolidaysUnread = "Basic settings - All parametres\n";
constexpr std::string_view kNetworkIdUnread = "LCR table - Network ID\n";
constexpr std::string_view kTableUnread = "LCR table - All parametres\n";
// The listing without its limit column is reported in the spelling the gateway's users know.
constexpr std::string_view kLimitUnread = "Lcr table - All parametres\n";
constexpr std::string_view kDatesError = "System settings - Winter time, summer time\n";
constexpr std::string_view kHolidaysError = "Basic settings - Holiday list\n";
constexpr std::string_view kRecordError = "LCR table\n";

// The limit is right-aligned under its header word: its value starts three characters into the word, or one
// further when it has a single digit.
constexpr std::ptrdiff_t kLimitIntoWord = 3;
// A holiday on the wire is four digits; shorter fields are empty places in the list.
constexpr std::size_t kWireHolidayLength = 4;

// Twelve holidays of five characters do not fit the common 64-byte command buffer: they would be cut short
// together with the command's end.
constexpr std::size_t kHolidayCommandBuffer = 128;
// The Kestrin edition routes every call through network 1 and group 1, all day: record 0, then the end.
constexpr std::string_view kKestrinRecord = "AT%R0=1,00:00/24:00,1,0\r\n";
constexpr std::string_view kKestrinEnd = "AT%R01=\r\n";
constexpr std::string_view kKestrinDate = "0";

std::string joinedDates(const std::vector<std::string>& dates, std::size_t first, std::size_t count) {
  std::vector<std::string> part;
  for (std::size_t i = first; i < dates.size() && i < first + count; ++i) part.push_back(dates[i]);
  return joinFields(part);
}

}  // namespace

std::optional<std::string> LcrPage::readOnce(std::string_view command, std::string_view errorText) {
  const std::string_view text = untilNul(command);
  bool read = link().commSend(text) == static_cast<int>(text.size());
  if (!read) appendError(errorText);
  link().clock().sleep(kRegisterReplyPauseMs);
  // A fully configured gateway answers more than 1024 bytes: the answer is received whole.
  std::string reply = link().commReceive(kWholeDumpCapacity);
  if (!contains(reply, kOk)) {
    appendError(errorText);
    read = false;
  }
  if (!read) return std::nullopt;
  return reply;
}

bool LcrPage::lcrLoad() {
  readDates();
  readHolidays();
  readNetworkIds();
  if (!readTable()) return false;
  lcrSaveFile();
  return true;
}

// A dump that did not arrive leaves the dates and holidays as they were, so that nothing the page held is
// replaced by an empty answer.
void LcrPage::readDates() {
  const std::optional<std::string> dump = readOnce(kSystemRead, kDatesUnread);
  if (!dump) return;
  const std::vector<std::string> dates = dumpFields("X20=", *dump);
  if (dates.size() < 2) appendError(kDatesUnread, Repeat::Once);
  if (!dates.empty()) edSystemWinter.set(shownDate(dates[0]));
  if (dates.size() > 1) edSystemSummer.set(shownDate(dates[1]));
}

void LcrPage::readHolidays() {
  const std::optional<std::string> dump = readOnce(kGsmRead, kHolidaysUnread);
  if (!dump) return;
  lbBasicHolidays.clear();
  for (const char* key : {"G06=", "G07="}) {
    for (const std::string& date : dumpFields(key, *dump)) {
      if (date.size() >= kWireHolidayLength && lbBasicHolidays.size() < kMaxHolidays)
        lbBasicHolidays.add(shownDate(date.substr(0, kWireHolidayLength)));
    }
  }
}

// A list whose answer did not come is named by the image's ID of that list.
void LcrPage::readNetworkIds() {
  lcrNetworkIds.clear();
  for (int n = 1; n <= static_cast<int>(kNetworkListCount); ++n) {
    const std::optional<std::string> dump =
        readOnce(cformat(kCommandBufferSize, kNetworkRead, n), kNetworkIdUnread);
    const std::vector<std::string> fields =
        dump ? dumpFields("N" + std::to_string(n) + "9=", *dump) : std::vector<std::string>{};
    lcrNetworkIds.push_back(fields.empty() ? ctx_.image.network[static_cast<std::size_t>(n - 1)].networkId
                                           : fields[0]);
  }
}

bool LcrPage::readTable() {
  const TableDump dump = collectTableDump(link(), kListCommand);
  if (dump.failure != TableReadFailure::None) {
    appendError(kTableUnread);
    return false;
  }
  const std::optional<std::vector<std::ptrdiff_t>> columns =
      listingColumns(dump.text, {"netw", "from/to/wend", "groups"});
  if (!columns) {
    appendError(kTableUnread);
    return false;
  }
  const std::optional<std::ptrdiff_t> limitWord = columnOffset(dump.text, "limit");
  if (!limitWord || *limitWord + kLimitIntoWord == 0) {
    appendError(kLimitUnread);
    return false;
  }
  std::vector<std::ptrdiff_t> all = *columns;
  all.push_back(*limitWord + kLimitIntoWord);
  lvLcr.clear();
  for (std::size_t row : listingRows(dump.text, shape())) {
    std::vector<std::string> words = rowWords(dump.text, row, all);
    if (words[kLcrLimit].empty()) words[kLcrLimit] = wordAt(rowLine(dump.text, row), all[kLcrLimit] + 1);
    const std::optional<int> list = toInt(words[kLcrNetwork]);
    if (list && *list >= 1 && static_cast<std::size_t>(*list) <= lcrNetworkIds.size())
      words[kLcrNetwork] += "/" + lcrNetworkIds[static_cast<std::size_t>(*list - 1)];
    lvLcr.add(std::move(words));
  }
  return true;
}

void LcrPage::lcrSave() {
  const std::string winter = kestrin() ? std::string(kKestrinDate) : wireDate(edSystemWinter.text);
  const std::string summer = kestrin() ? std::string(kKestrinDate) : wireDate(edSystemSummer.text);
  writeRegister(cformat(kCommandBufferSize, "AT%%X20=%s,%s\r\n", winter.c_str(), summer.c_str()),
                kDatesError);
  saveHolidays();
  if (kestrin()) {
    writeRegister(kKestrinRecord, kRecordError);
    writeRegister(kKestrinEnd, kRecordError);
    return;
  }
  writeRows(lcrRecordValue, kRecordError);
}

// G07 goes out even when it holds no holiday: dates removed from it must leave the gateway too.
void LcrPage::saveHolidays() {
  std::vector<std::string> dates;
  for (const std::string& holiday : lbBasicHolidays.items)
    dates.push_back(kestrin() ? std::string() : wireDate(holiday));
  const std::string first = joinedDates(dates, 0, kHolidaysPerKey);
  const std::string later = joinedDates(dates, kHolidaysPerKey, kMaxHolidays - kHolidaysPerKey);
  sendCollectError(cformat(kHolidayCommandBuffer, "AT%%G06=%s\r\n", first.c_str()), kHolidaysError);
  sendCollectError(cformat(kHolidayCommandBuffer, "AT%%G07=%s\r\n", later.c_str()), kHolidaysError);
}

}  // namespace gw

#include "online/date_time.h"

#include "base/caption_ids.h"
#include "base/cformat.h"
#include "base/text.h"
#include "pages/dump.h"
#include "pages/register_access.h"

namespace gw {

namespace {

constexpr std::string_view kClockKey = "S99=";
constexpr char kClockPieces = '/';
constexpr char kDateParts = '.';
constexpr char kTimeParts = ':';
constexpr std::string_view kReadCommand = "AT&V\r";
constexpr std::string_view kDumpEnd = "\r\nOK\r\n";
constexpr std::size_t kWriteReplyCapacity = 256;
constexpr std::string_view kWritten = "OK";
constexpr std::size_t kStampSize = 16;
constexpr int kFirstWeekday = 1;
constexpr int kLastWeekday = 7;
constexpr int kWeekdayCaption = 117;  // "Monday" .. 123 "Sunday"

bool timeAccepts(std::string_view text, std::size_t pos, char digit) {
  switch (pos) {
    case 0:
      return digit <= '2';
    case 1:
      return text[0] != '2' || digit <= '4';
    case 3:
    case 6:
      return digit <= '6';
    case 4:
    case 7:
      return text[pos - 1] != '6' || digit == '0';
    default:
      return true;
  }
}

bool dateAccepts(std::string_view text, std::size_t pos, char digit) {
  switch (pos) {
    case 0:
      return digit <= '3';
    case 1:
      return text[0] != '3' || digit <= '1';
    case 3:
      return digit <= '1';
    case 4:
      return text[3] != '1' || digit <= '2';
    default:
      return true;
  }
}

bool isTimeChar(char c) {
  return (c >= '0' && c <= '9') || c == kTimeParts || c == '_';
}

bool isDateChar(char c) {
  return (c >= '0' && c <= '9') || c == kDateParts || c == '_';
}

std::string twoDigits(std::string part) {
  return part.size() == 1 ? "0" + part : part;
}

// "8.1.2026.4": cut at its first three dots; the weekday is what follows the third.
std::optional<ClockFields> parseDate(const std::string& piece) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  for (int dot = 0; dot < 3; ++dot) {
    const std::size_t at = piece.find(kDateParts, start);
    if (at == std::string::npos) return std::nullopt;
    parts.push_back(piece.substr(start, at - start));
    start = at + 1;
  }
  const std::optional<int> weekday = toInt(piece.substr(start));
  if (!weekday || *weekday < kFirstWeekday || *weekday > kLastWeekday) return std::nullopt;
  ClockFields clock;
  clock.date = twoDigits(parts[0]) + kDateParts + twoDigits(parts[1]) + kDateParts + parts[2];
  clock.weekday = *weekday;
  return clock;
}

std::optional<std::string> paddedTime(const std::string& piece) {
  const std::vector<std::string> parts = splitFields(piece, kTimeParts);
  if (parts.size() < 3) return std::nullopt;
  return twoDigits(parts[0]) + kTimeParts + twoDigits(parts[1]) + kTimeParts + twoDigits(parts[2]);
}

std::string blanksAsZeros(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c == '_') c = '0';
  }
  return out;
}

void showMessage(OnlineContext& p, int text, int title, MessageKind kind) {
  p.host.messageBox(Message{p.captions.at(text), p.captions.at(title), kind, text, title});
}

}  // namespace

const InputMask kTimeMask{"__:__:__", timeAccepts};
const InputMask kDateMask{"__.__.____", dateAccepts};

std::optional<ClockFields> parseGatewayClock(std::string_view dump, bool padTime) {
  const std::vector<std::string> pieces = dumpFields(kClockKey, dump, kClockPieces);
  if (pieces.size() < 2) return std::nullopt;
  std::optional<ClockFields> clock = parseDate(pieces[0]);
  if (!clock) return std::nullopt;
  if (!padTime) {
    clock->time = pieces[1];
    return clock;
  }
  const std::optional<std::string> time = paddedTime(pieces[1]);
  if (!time) return std::nullopt;
  clock->time = *time;
  return clock;
}

int isoWeekday(int year, int month, int day) {
  // Days since 1970-01-01 (a Thursday) of the civil date.
  year -= month <= 2 ? 1 : 0;
  const long era = (year >= 0 ? year : year - 399) / 400;
  const long yoe = year - era * 400;
  const long doy = (153L * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const long days = era * 146097 + yoe * 365 + yoe / 4 - yoe / 100 + doy - 719468;
  const long weekday = (days + 3) % 7;
  return static_cast<int>(weekday < 0 ? weekday + 7 : weekday) + 1;
}

ClockFields pcClockFields(const LocalTime& now) {
  return ClockFields{cformat(kStampSize, "%02d.%02d.%04d", now.day, now.month, now.year),
                     isoWeekday(now.year, now.month, now.day),
                     cformat(kStampSize, "%02d:%02d:%02d", now.hour, now.minute, now.second)};
}

std::string clockCommand(std::string_view date, int weekday, std::string_view time) {
  return cformat(kCommandBufferSize, "AT%%S99=%s.%d/%s\r\n", blanksAsZeros(date).c_str(), weekday,
                 blanksAsZeros(time).c_str());
}

ClockResult readGatewayClock(OnlineContext& p, std::string& dump) {
  dump.clear();
  if (!p.connection.commConnect(false)) return ClockResult::NotConnected;
  p.connection.showProgress(ProgressKind::LoadingGateway);
  // The whole dump: with long SMS texts S99 and the closing OK lie far beyond the first bytes.
  if (p.link.commSend(kReadCommand) == static_cast<int>(kReadCommand.size()))
    dump = p.link.commReceive(kWholeDumpCapacity);
  p.connection.hideProgress();
  if (!contains(dump, kDumpEnd)) {
    showMessage(p, cap::kResetFailed, cap::kErrorTitle, MessageKind::Error);
    return ClockResult::Failed;
  }
  return ClockResult::Done;
}

ClockResult writeGatewayClock(OnlineContext& p, std::string_view command) {
  if (!p.connection.commConnect(false)) return ClockResult::NotConnected;
  std::string reply;
  if (p.link.commSend(command) == static_cast<int>(command.size()))
    reply = p.link.commReceive(kWriteReplyCapacity);
  if (!contains(reply, kWritten)) {
    showMessage(p, cap::kResetFailed, cap::kErrorTitle, MessageKind::Error);
    return ClockResult::Failed;
  }
  showMessage(p, cap::kSavedWithoutError, cap::kQuestionTitle, MessageKind::Information);
  return ClockResult::Done;
}

DateTimeTool::DateTimeTool(const OnlineContext& context) : OnlineTool(context) {
  cbSynDateTime.checked = true;
  eTime.text = std::string(kTimeMask.blank);
  eTime.mask = &kTimeMask;
  eTime.filter = isTimeChar;
  eTime.maxLength = static_cast<int>(kTimeMask.blank.size());
  eDate.text = std::string(kDateMask.blank);
  eDate.mask = &kDateMask;
  eDate.filter = isDateChar;
  eDate.maxLength = static_cast<int>(kDateMask.blank.size());
  cbDay.items.assign(kWeekdayNames.begin(), kWeekdayNames.end());
  cbDay.firstItemCaption = kWeekdayCaption;
  enableFields();
}

std::vector<NamedField> DateTimeTool::fields() {
  return {{"cbSynDateTime", &cbSynDateTime}, {"eTime", &eTime}, {"eDate", &eDate}, {"cbDay", &cbDay}};
}

std::vector<ControlSet::Button> DateTimeTool::buttons() {
  return {{"sbDateTimeSave", [this] { sbDateTimeSaveClick(); }}};
}

void DateTimeTool::enableFields() {
  const bool editable = !cbSynDateTime.checked;
  eTime.enabled = editable;
  eDate.enabled = editable;
  cbDay.enabled = editable;
}

void DateTimeTool::show(const ClockFields& clock) {
  eDate.set(clock.date);
  eTime.set(clock.time);
  cbDay.select(clock.weekday - 1);
}

void DateTimeTool::showPcClock() {
  show(pcClockFields(ctx_.clock.localTime()));
}

bool DateTimeTool::readIntoFields(bool padTime) {
  std::string dump;
  if (readGatewayClock(ctx_, dump) != ClockResult::Done) return false;
  const std::optional<ClockFields> clock = parseGatewayClock(dump, padTime);
  if (clock) {
    show(*clock);
  } else {
    showPcClock();
  }
  return true;
}

bool DateTimeTool::enter() {
  enableFields();
  if (cbSynDateTime.checked) {
    showPcClock();
    shown_ = true;
  } else {
    shown_ = readIntoFields(false);
  }
  return true;
}

void DateTimeTool::tDateTimeTimer() {
  if (cbSynDateTime.checked) showPcClock();
}

void DateTimeTool::cbSynDateTimeClick() {
  enableFields();
  if (!cbSynDateTime.checked) readIntoFields(true);
}

void DateTimeTool::edited(std::string_view name) {
  if (name == "cbSynDateTime") cbSynDateTimeClick();
}

ClockResult DateTimeTool::sbDateTimeSaveClick() {
  return writeGatewayClock(ctx_, clockCommand(eDate.text, cbDay.index + 1, eTime.text));
}

const FormLayout& dateTimeLayout() {
  using K = ControlKind;
  constexpr int kTimeChars = 8;
  constexpr int kDateChars = 10;
  static const FormLayout layout{
      "pDateTime",
      {
          {{{nullptr,
             {},
             1,
             {
                 {K::Check, "cbSynDateTime", {2200, "Synchronize with system date/time"}},
                 {K::Edit, "eTime", {2201, "Time :"}, nullptr, {2202, "[HH.mm.ss]"}, kTimeChars},
                 {K::Edit, "eDate", {2203, "Date :"}, nullptr, {2204, "[dd.mm.yyyy]"}, kDateChars},
                 {K::Combo, "cbDay", {2205, "Day :"}},
                 {K::Button, "sbDateTimeSave", {cap::kSaveToGate, "Save to gate"}},
             }}}},
      }};
  return layout;
}

}  // namespace gw

#pragma once
// The Date/time page (pDateTime): the gateway's clock, register S99 of the system dump ("AT&V\r"), shown and
// set ("AT%S99="). While "Synchronize with system date/time" is ticked the fields follow the PC's clock every
// second and cannot be edited; unticked, they show the gateway's clock and take typed values through the time
// and date masks.

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "online/online_tool.h"
#include "pages/form_layout.h"
#include "pages/input_mask.h"

namespace gw {

// "__:__:__": hours up to 24, minutes and seconds up to 60 (so 24:60:60 is the largest value it takes).
extern const InputMask kTimeMask;
// "__.__.____": day up to 31, month up to 12, any year.
extern const InputMask kDateMask;

inline constexpr std::array<const char*, 7> kWeekdayNames = {"Monday", "Tuesday",  "Wednesday", "Thursday",
                                                             "Friday", "Saturday", "Sunday"};

// The clock as the page shows it.
struct ClockFields {
  std::string date;  // "08.01.2026": day and month with two digits
  int weekday = 1;   // 1 Monday .. 7 Sunday
  std::string time;  // "09:05:07", or the time piece as the gateway sent it
};

// S99 of a system dump ("S99=8.1.2026.4/9:05:07"): the date with two-digit day and month, the weekday and the
// time, its parts padded to two digits (`padTime`) or as received. Nothing when the value cannot be taken
// apart (a missing piece, a weekday that is not 1..7).
std::optional<ClockFields> parseGatewayClock(std::string_view dump, bool padTime);
// The PC's clock as the fields show it.
ClockFields pcClockFields(const LocalTime& now);
// 1 Monday .. 7 Sunday.
int isoWeekday(int year, int month, int day);
// "AT%S99=08.12.2026.2/14:05:00\r\n": the fields with their blanks sent as zeros.
std::string clockCommand(std::string_view date, int weekday, std::string_view time);

enum class ClockResult { NotConnected, Failed, Done };
// Connects, shows the progress window and receives the whole system dump; a reply without its OK shows the
// error message. `dump` gets the reply.
ClockResult readGatewayClock(OnlineContext& context, std::string& dump);
// Sends an S99 command and shows how it went (saved, or the error message).
ClockResult writeGatewayClock(OnlineContext& context, std::string_view command);

class DateTimeTool : public OnlineTool {
 public:
  // tDateTime: the running clock's period.
  static constexpr int kClockTickMs = 1000;

  explicit DateTimeTool(const OnlineContext& context);

  CheckField cbSynDateTime;
  TextField eTime;
  TextField eDate;
  ChoiceField cbDay;

  std::vector<NamedField> fields() override;
  std::vector<Button> buttons() override;
  // Synchronised: the fields follow the PC's clock. Otherwise the gateway's clock is read; the page shows
  // only when it was.
  bool enter() override;
  bool showsPage() const override { return shown_; }
  int tickIntervalMs() const override { return kClockTickMs; }
  void tick() override { tDateTimeTimer(); }

  void tDateTimeTimer();
  void cbSynDateTimeClick();
  ClockResult sbDateTimeSaveClick();

 protected:
  void edited(std::string_view name) override;

 private:
  void enableFields();
  void showPcClock();
  void show(const ClockFields& clock);
  // The gateway's clock into the fields (`padTime`: its time parts padded); the PC's when S99 makes no sense.
  bool readIntoFields(bool padTime);

  bool shown_ = true;
};

const FormLayout& dateTimeLayout();

}  // namespace gw

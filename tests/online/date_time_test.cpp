// The Date/time page against a scripted LAN gateway on the fake clock: its masked fields, S99 read on
// entering and on unticking, the command it saves.
#include "online/date_time.h"
#include "program/program_fixture.h"

namespace gw::test {
namespace {

// A system dump whose SMS text pushes S99 and the closing OK far beyond 256 bytes.
std::string systemDump(const std::string& clock) {
  return "AT&V\r\n\r\nS70=192.168.1.100\r\nS85=" + std::string(400, 'x') + "\r\nS98=\r\nS99=" + clock +
         "\r\nX24=2222\r\n\r\nOK\r\n";
}

struct DateTimeFixture : ProgramFixture {
  DateTimeTool* tool = nullptr;
  void SetUp() override {
    ProgramFixture::SetUp();
    tool = &program->tool<DateTimeTool>();
  }
  void enterUnsynchronised() {
    tool->cbSynDateTime.checked = false;
    program->topics.tvTopicClick(captionOf(18));
  }
};

TEST(InputMasks, DigitsStayWithinTheLimitsOfTimesAndDates) {
  struct Case {
    const InputMask* mask;
    const char* digits;
    std::optional<std::string> typed;
  };
  const Case cases[] = {
      {&kTimeMask, "240000", "24:00:00"},     {&kTimeMask, "246060", "24:60:60"},
      {&kTimeMask, "250000", std::nullopt},   {&kTimeMask, "306000", std::nullopt},
      {&kTimeMask, "126100", std::nullopt},   {&kDateMask, "31122026", "31.12.2026"},
      {&kDateMask, "40012026", std::nullopt}, {&kDateMask, "32012026", std::nullopt},
      {&kDateMask, "01202026", std::nullopt}, {&kDateMask, "01132026", std::nullopt},
      {&kDateMask, "0101", std::nullopt},  // not every position filled
  };
  for (const Case& c : cases) EXPECT_EQ(typeDigits(*c.mask, c.digits), c.typed) << c.digits;
}

TEST(InputMasks, TypingStepsOverSeparatorsAndBackspaceBlanksTheDigitBefore) {
  MaskedText field{"12:__:__", 2};
  field = maskKeyPress(kTimeMask, field, '3');
  EXPECT_EQ(field.text, "12:3_:__");
  EXPECT_EQ(field.caret, 4);
  field = maskKeyPress(kTimeMask, field, 'x');  // not a digit: nothing
  EXPECT_EQ(field.text, "12:3_:__");
  field = maskKeyPress(kTimeMask, {"12:34:56", 3}, kKeyBackspace);  // the ':' is stepped over backwards
  EXPECT_EQ(field.text, "1_:34:56");
  EXPECT_EQ(field.caret, 1);
  field = maskKeyPress(kTimeMask, {"12:34:56", 8}, '1');  // typing stops at the end
  EXPECT_EQ(field.text, "12:34:56");
  EXPECT_TRUE(maskKeyDown(kKeyLeft) && maskKeyDown('7') && maskKeyDown(kKeyBackspace));
  EXPECT_FALSE(maskKeyDown(46) || maskKeyDown(36));  // Delete, Home
}

TEST(GatewayClock, S99IsTakenApartOrRefused) {
  const auto clock = parseGatewayClock("S99=8.1.2026.4/9:05:07\r\n", true);
  ASSERT_TRUE(clock);
  EXPECT_EQ(clock->date, "08.01.2026");
  EXPECT_EQ(clock->weekday, 4);
  EXPECT_EQ(clock->time, "09:05:07");
  EXPECT_EQ(parseGatewayClock("S99=8.1.2026.4/9:05:07\r\n", false)->time, "9:05:07");
  for (const char* bad : {"S99=8.1.2026.4\r\n", "S99=8.1.2026/9:05:07\r\n", "S99=8.1.2026.x/9:05:07\r\n",
                          "S99=8.1.2026.8/9:05:07\r\n", "S98=1\r\n"}) {
    EXPECT_FALSE(parseGatewayClock(bad, true)) << bad;
  }
  EXPECT_EQ(isoWeekday(2026, 1, 8), 4);
  EXPECT_EQ(clockCommand("__.__.____", 1, "14:05:__"), "AT%S99=00.00.0000.1/14:05:00\r\n");
}

TEST_F(DateTimeFixture, EnteringShowsTheGatewayClockAsReceivedAndUntickingPadsIt) {
  scriptGateway();
  peer.answer("AT&V\r", systemDump("8.1.2026.4/9:05:07"));
  enterUnsynchronised();
  EXPECT_EQ(program->window.page, "pDateTime");
  EXPECT_EQ(tool->eDate.text, "08.01.2026");
  EXPECT_EQ(tool->cbDay.index, 3);
  EXPECT_EQ(tool->eTime.text, "9:05:07");
  EXPECT_TRUE(tool->eTime.enabled);

  EXPECT_TRUE(tool->editCheck("cbSynDateTime", true));
  EXPECT_FALSE(tool->eDate.enabled);
  tool->tick();  // the running clock takes over
  EXPECT_EQ(tool->eDate.text, "14.11.2023");
  EXPECT_EQ(tool->cbDay.index, 1);  // a Tuesday
  EXPECT_TRUE(tool->editCheck("cbSynDateTime", false));
  EXPECT_EQ(tool->eTime.text, "09:05:07");
  EXPECT_TRUE(host.messageLabels().empty());
}

TEST_F(DateTimeFixture, AClockThatCannotBeReadKeepsThePageHidden) {
  enterUnsynchronised();  // nobody answers the connect
  EXPECT_EQ(program->window.page, "");
  EXPECT_TRUE(host.messageLabels().empty() || host.messageLabels().back() != 56);

  scriptGateway();
  peer.answer("AT&V\r", "AT&V\r\n\r\nS99=8.1.2026.4/9:05:07\r\n");  // no OK
  host.clear();
  enterUnsynchronised();
  EXPECT_EQ(program->window.page, "");
  EXPECT_EQ(host.messageLabels(), std::vector<int>{56});
}

TEST_F(DateTimeFixture, SavingSendsTheFieldsOrThePcClockAndSaysHowItWent) {
  scriptGateway();
  peer.answerOnce("AT%S99=", "\r\nOK\r\n");
  tool->enter();  // synchronised: the PC's clock
  EXPECT_EQ(tool->sbDateTimeSaveClick(), ClockResult::Done);
  EXPECT_NE(peer.received.find("AT%S99=14.11.2023.2/22:13:20\r\n"), std::string::npos) << peer.received;

  tool->cbSynDateTime.checked = false;
  tool->eDate.set("08.12.2026");
  tool->eTime.set("14:0_:__");
  tool->cbDay.select(1);
  peer.answerOnce("AT%S99=08.12.2026.2/14:00:00\r\n", "\r\nERROR\r\n");
  EXPECT_EQ(tool->sbDateTimeSaveClick(), ClockResult::Failed);
  EXPECT_EQ(host.messageLabels(), (std::vector<int>{66, 56}));
}

}  // namespace
}  // namespace gw::test

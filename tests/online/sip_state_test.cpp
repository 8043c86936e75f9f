#include "online/sip_state.h"

#include <algorithm>

#include "base/text.h"
#include "pages/lcr_page.h"
#include "pages/page_actions.h"
#include "program/program_fixture.h"

namespace gw::test {
namespace {

const std::string kListing =
    "AT&M\r\r\nidx name/user/password                                dial             cfgbits\r\n"
    "M00 Ann Lee/ann/secret                                +420601          AR\r\n"
    "M01 Bob                                               +420602\r\n"
    "\r\nOK\r\n";

// The command lines the gateway heard, without their ends.
std::vector<std::string> heardLines(const std::string& received) {
  std::vector<std::string> lines;
  for (const std::string& line : splitFields(received, '\r')) {
    const std::string text = line.starts_with("\n") ? line.substr(1) : line;
    if (!text.empty()) lines.push_back(text);
  }
  return lines;
}

class SipStateTest : public ProgramFixture {
 protected:
  SipStateTool& tool() { return program->tool<SipStateTool>(); }
  std::size_t polls() const {
    const std::vector<std::string> lines = heardLines(peer.received);
    return static_cast<std::size_t>(std::count(lines.begin(), lines.end(), "AT&M"));
  }
};

TEST_F(SipStateTest, TheViewPadsNamesAndUsersAndLeavesOutWhatARowLacks) {
  std::vector<ListedExtension> rows(3);
  rows[0].names = {"Ann", "ann", "secret"};
  rows[0].registered = true;
  rows[1].names = {"B\xE9la"};  // Latin-1 from the gateway: one character
  const std::string pad47 = std::string(47 - 4, ' ');
  EXPECT_EQ(sipStateView(program->captions, rows),
            "Name" + pad47 + "User" + pad47 + "Registered\n" + std::string(47 + 47 + 10, '-') + "\n" + "Ann" +
                std::string(44, ' ') + "ann" + std::string(44, ' ') + "Registered\n" + "B\xC3\xA9la" + pad47 +
                "Unregistered\nUnregistered");
}

TEST_F(SipStateTest, APollThatFailsStopsAndSaysSoOnceRegisterAgainStartsItAgain) {
  scriptGateway();
  peer.answer("AT&M\r", kListing);
  EXPECT_TRUE(tool().enter());
  EXPECT_TRUE(tool().polling());
  EXPECT_EQ(polls(), 1U);
  EXPECT_TRUE(contains(tool().memSipReg.text, "Ann Lee"));

  // The gateway falls silent in the middle of a listing: one message, and the poll stops.
  peer.answerOnce("AT&M\r", kListing.substr(0, 120));
  const std::string view = tool().memSipReg.text;
  tool().tick();
  tool().tick();
  EXPECT_FALSE(tool().polling());
  EXPECT_EQ(polls(), 2U);
  EXPECT_EQ(host.messageLabels(), std::vector<int>{56});
  EXPECT_EQ(tool().memSipReg.text, view);

  tool().btnSipRegClick();
  EXPECT_TRUE(tool().polling());
  EXPECT_EQ(host.messageLabels(), (std::vector<int>{56, 66}));
  EXPECT_TRUE(contains(peer.received, "AT&m=reg\r\n"));
}

TEST_F(SipStateTest, PollingForMinutesNeverOverlapsAPageSave) {
  scriptGateway();
  peer.answer("AT&M\r", kListing);
  LcrPage& lcr = program->page<LcrPage>();
  ASSERT_TRUE(tool().enter());
  // The window's timer fires whenever the program waits: in the middle of the poll's own listing and of
  // every save, such a tick must start nothing.
  clock.onWait([this] { tool().tick(); });
  constexpr int kTicks = 60;  // five minutes
  for (int t = 1; t <= kTicks; ++t) {
    clock.advance(kSipRegPollMs);
    tool().tick();
    if (t % 12 == 0) {
      EXPECT_EQ(saveToGate(lcr), PageResult::Succeeded);
    }
  }
  clock.onWait({});
  EXPECT_EQ(polls(), 1U + kTicks);
  // Every save runs whole between two polls.
  const std::vector<std::string> lines = heardLines(peer.received);
  bool saving = false;
  for (const std::string& line : lines) {
    if (line.starts_with("AT%X20=")) saving = true;
    if (line.starts_with("AT%R01=")) saving = false;
    EXPECT_FALSE(saving && line == "AT&M");
  }
  EXPECT_EQ(std::count(lines.begin(), lines.end(), "AT%R01="), kTicks / 12);
}

}  // namespace
}  // namespace gw::test

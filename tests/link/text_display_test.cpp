// The terminal display and trace view model, the serial terminal's line rule, and the reader thread.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <thread>

#include "base/fake_clock.h"
#include "link/lan_display.h"
#include "link/link.h"
#include "link/terminal_text.h"

namespace gw {
namespace {

using Kind = TextDisplay::Change::Kind;

TEST(TextDisplay, ViewsGetTheChangesInBatchesAndTheWholeTextWhenTheyFellBehind) {
  TextDisplay display(3);
  display.append("a\r\n");
  display.append("b");
  EXPECT_TRUE(display.eraseLastChar());
  EXPECT_FALSE(display.eraseLastChar());  // just after a line feed
  std::vector<TextDisplay::Change> changes = display.takeChanges();
  ASSERT_EQ(changes.size(), 2u);
  EXPECT_EQ(changes[0].kind, Kind::Append);
  EXPECT_EQ(changes[0].text, "a\r\nb");  // consecutive appends are one
  EXPECT_EQ(changes[1].kind, Kind::Erase);
  EXPECT_FALSE(display.changed());

  display.append("c\nd\ne");  // the oldest lines go beyond the limit
  EXPECT_EQ(display.text(), "c\nd\ne");
  // A view that never looks (gwctl) is given the whole text once instead of an ever longer list.
  for (int i = 0; i < 100'000; ++i) display.append("line of a trace\n");
  changes = display.takeChanges();
  ASSERT_EQ(changes.size(), 2u);
  EXPECT_EQ(changes[0].kind, Kind::Clear);
  EXPECT_EQ(changes[1].text, display.text());
}

TEST(TextDisplay, ALineIsBrokenAtItsCapAndTheViewSeesTheSameBreaks) {
  TextDisplay display;
  display.append("ab\n" + std::string(TextDisplay::kMaxLineBytes - 1, 'x'));
  display.append(std::string(TextDisplay::kMaxLineBytes + 2, 'y'));
  ASSERT_EQ(display.lines().size(), 4u);
  EXPECT_EQ(display.lines()[1], std::string(TextDisplay::kMaxLineBytes - 1, 'x') + "y");
  EXPECT_EQ(display.lines()[2], std::string(TextDisplay::kMaxLineBytes, 'y'));
  EXPECT_EQ(display.lines()[3], "y");
  std::string viewed;
  for (const TextDisplay::Change& change : display.takeChanges()) viewed += change.text;
  EXPECT_EQ(viewed, display.text());
}

TEST(LanDisplay, TheTextDisplayShowsWhatTheLineDisplayShows) {
  for (const std::string text : {"a\nb", "a\n\nb", "a\r\n\r\nb", "a\n\n\nb", "\b \bx", "\b \b", "\b "}) {
    LineDisplay lines;
    TextDisplay display;
    std::string filed;
    routeLanDisplay(text, lines);
    routeLanDisplay(text, display, [&filed](std::string_view t) { filed += t; });
    const std::vector<std::string> shown(display.lines().begin(), display.lines().end());
    EXPECT_EQ(shown, text == "\b \b" ? std::vector<std::string>{} : lines.lines) << text;
    EXPECT_EQ(filed, afterEraseEchoes(text));
  }
}

TEST(SerialTerminal, EveryCrEndsALineAndAStatusLineEndsWhateverTheReads) {
  struct Row {
    std::vector<std::string> blocks;
    std::string shown;
  };
  const std::vector<Row> rows = {
      {{"AT\r\n\r\nOK\r\n", "X"}, "AT\r\n\r\nOK\r\nX"},
      {{"A", "T", "\r\n", "\r\nERROR\r\n"}, "AT\r\n\r\nERROR\r\n"},
      {{"AT\r\n\r\nO", "K", "\r", "\n"}, "AT\r\n\r\nOK\r\n"},
      {{"\r\nOK\r\nRING\r\n"}, "\r\nOK\r\nRING\r\n"},
      {{"ab", "\b \b", "c"}, "abc"},
      {{"A", "\b \bT\r\n\r\nOK\r\n"}, "AT\r\n\r\nOK\r\n"},  // the reply that came with the erase echo
  };
  for (const Row& row : rows) {
    SerialTerminalState state;
    TextDisplay display;
    for (const std::string& block : row.blocks) showSerialTerminalBlock(block, state, display);
    std::string expected = row.shown;
    std::erase(expected, '\n');  // the display keeps the CRs in its lines and breaks them at the LFs
    std::string shown;
    for (const std::string& line : display.lines()) shown += line;
    EXPECT_EQ(shown, expected) << row.blocks.front();
    EXPECT_EQ(display.lines().size(),
              static_cast<std::size_t>(std::count(row.shown.begin(), row.shown.end(), '\n') + 1));
  }
}

// A device that never falls silent.
class EndlessPort : public SerialPort {
 public:
  bool isOpen() const override { return true; }
  int write(std::string_view bytes) override { return static_cast<int>(bytes.size()); }
  std::optional<char> readByte(int) override {
    ++reads;
    return 'x';
  }
  bool setRate(int) override { return true; }
  int rate() const override { return 0; }
  bool setReadTimeouts(const ReadTimeouts&) override { return true; }
  ReadTimeouts readTimeouts() const override { return kTerminalReadTimeouts; }
  void close() override {}
  std::atomic<long> reads = 0;
};

TEST(ReaderThread, StopsInTheMiddleOfAStreamThatNeverFallsSilent) {
  FakeClock clock;
  Link link(clock, {}, nullptr);
  auto port = std::make_unique<EndlessPort>();
  EndlessPort& endless = *port;
  link.comm.portHandle = std::move(port);
  link.comm.linkType = kSerialLink;
  const std::unique_ptr<BackgroundReader> reader = startReaderThread(
      [&link](const std::atomic<bool>& stopping) { return link.serialRead(1 << 20, stopping, false); });
  while (endless.reads < 100'000) std::this_thread::yield();
  EXPECT_TRUE(reader->stop());
  std::size_t bytes = 0;
  for (const std::string& block : reader->take()) bytes += block.size();
  EXPECT_GT(bytes, 0u);  // what it read before it stopped is kept
}

}  // namespace
}  // namespace gw

// The reports and the trace as they arrive: the closing OK and ERROR lines, page marks, blank runs, the memo,
// the trace's line rule and its split from the stop command's reply, and the gateway's clock in a dump.
// Input: a piece size, then the bytes.

#include <array>
#include <string>

#include "fuzz_support.h"
#include "online/date_time.h"
#include "online/report_text.h"
#include "online/trace_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  gw::fuzz::Input in(data, size);
  const std::size_t piece = static_cast<std::size_t>(in.byte()) + 1;
  const std::string text(in.rest());

  if (const auto ok = gw::closingOkAt(text)) FUZZ_CHECK(*ok < text.size());
  if (const auto error = gw::closingErrorAt(text)) FUZZ_CHECK(*error < text.size());
  constexpr std::array<std::string_view, 3> kMarks = {gw::kPageMark, gw::kPromptMark, "lan"};
  if (const auto mark = gw::firstMarkAt(text, kMarks)) FUZZ_CHECK(*mark < text.size());

  const std::string shrunk = gw::shrinkBlankRuns(text);
  FUZZ_CHECK(shrunk.size() <= text.size());

  std::vector<std::string> memo;
  gw::addMemoText(memo, text);
  const std::string joined = gw::memoText(memo);
  FUZZ_CHECK(joined.size() <= text.size() + 1);
  if (!joined.empty()) FUZZ_CHECK(gw::memoLines(joined) == memo);

  // The trace's lines do not depend on how the bytes were cut.
  gw::TraceLineAssembler whole;
  gw::TraceLineAssembler pieces;
  const std::vector<std::string> expected = whole.feed(text);
  std::vector<std::string> got;
  for (std::size_t at = 0; at < text.size(); at += piece) {
    for (std::string& line : pieces.feed(std::string(text.substr(at, piece)))) got.push_back(std::move(line));
  }
  FUZZ_CHECK(got == expected);

  FUZZ_CHECK(gw::afterStartReply(text).size() <= text.size());
  gw::StopReplySplitter splitter("AT!RX");
  std::size_t traced = 0;
  for (std::size_t at = 0; at < text.size(); at += piece)
    traced += splitter.feed(text.substr(at, piece)).size();
  traced += splitter.flush().size();
  FUZZ_CHECK(traced <= text.size());

  for (const bool pad : {false, true}) {
    if (const auto clock = gw::parseGatewayClock(text, pad)) {
      FUZZ_CHECK(clock->weekday >= 1 && clock->weekday <= 7);
    }
  }
  return 0;
}

#include "online/trace_text.h"

#include <gtest/gtest.h>

namespace gw {
namespace {

const std::string kStream = "IP #1 a\r\n\r\n\r\nTCP #2 b\r\nTEL";
const std::vector<std::string> kLines = {"IP #1 a\r", "TCP #2 b\r"};

TEST(TraceLines, TheSameLinesWhateverTheChunking) {
  for (std::size_t cut = 0; cut <= kStream.size(); ++cut) {
    TraceLineAssembler lines;
    std::vector<std::string> got = lines.feed(kStream.substr(0, cut));
    for (std::string& line : lines.feed(kStream.substr(cut))) got.push_back(line);
    EXPECT_EQ(got, kLines) << cut;
  }
  TraceLineAssembler bytewise;
  std::vector<std::string> got;
  for (char c : kStream + std::string("\0NET\n", 5)) {
    for (std::string& line : bytewise.feed(std::string_view(&c, 1))) got.push_back(line);
  }
  EXPECT_EQ(got.back(), "TELNET");  // a NUL (the serial reader's silence) is no part of a line
}

TEST(TraceLines, WhatFollowsTheStartReplyIsTrace) {
  EXPECT_EQ(afterStartReply("AT!R2\r\n\r\nOK\r\nL2 #1"), "L2 #1");
  EXPECT_EQ(afterStartReply("AT!R2\r\n\r\nO"), "");
}

TEST(StopReply, TheTraceEndsWhereTheEchoBeginsWhereverTheTextIsCut) {
  const std::string arriving = "L2 #7 a\r\nL3 #8 AT b\r\nAT!RX\r\n\r\nOK\r\n";
  for (std::size_t cut = 0; cut <= arriving.size(); ++cut) {
    StopReplySplitter split("AT!RX");
    std::string trace = split.feed(arriving.substr(0, cut));
    EXPECT_FALSE(split.replyComplete() && cut < arriving.size()) << cut;
    trace += split.feed(arriving.substr(cut));
    EXPECT_EQ(trace, "L2 #7 a\r\nL3 #8 AT b\r\n") << cut;
    EXPECT_TRUE(split.replyComplete());
    EXPECT_EQ(split.flush(), "");
  }
  StopReplySplitter silent("AT!RX");
  EXPECT_EQ(silent.feed("L2 #9\r\nAT!"), "L2 #9\r\n");
  EXPECT_FALSE(silent.replyComplete());
  EXPECT_EQ(silent.flush(), "AT!");  // no echo came: what was held back is trace after all
}

// A gateway that sends without line ends: lines and the awaited stop reply stay bounded, and a terminator
// that came before the reply was cut still counts.
TEST(TraceText, EndlessTextWithoutLineEndsStaysBounded) {
  TraceLineAssembler lines;
  const std::string flood(kMaxTraceLineBytes * 3 + 5, 'x');
  const std::vector<std::string> got = lines.feed(flood);
  ASSERT_EQ(got.size(), 3u);
  for (const std::string& line : got) EXPECT_EQ(line.size(), kMaxTraceLineBytes);
  EXPECT_EQ(lines.feed("\n"), std::vector<std::string>{"xxxxx"});

  StopReplySplitter splitter("AT!RX");
  EXPECT_EQ(splitter.feed("trace AT!RX\r\r\nOK\r\n"), "trace ");
  EXPECT_TRUE(splitter.replyComplete());
  StopReplySplitter endless("AT!RX");
  endless.feed("AT!RX\r");
  for (int i = 0; i < 100; ++i) endless.feed(std::string(kMaxStopReplyBytes / 10, 'y'));
  EXPECT_FALSE(endless.replyComplete());
  endless.feed("\r\nO");
  endless.feed("K\r\n");
  EXPECT_TRUE(endless.replyComplete());
}

}  // namespace
}  // namespace gw

#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <vector>

#include "boot_loader.h"
#include "delivery.h"
#include "options.h"
#include "reply.h"
#include "telnet.h"

namespace gwsim {
namespace {

using namespace std::string_view_literals;

std::string joined(const std::vector<Chunk>& chunks, std::size_t from = 0) {
  std::string bytes;
  for (std::size_t i = from; i < chunks.size(); ++i) bytes += chunks[i].bytes;
  return bytes;
}

TEST(ReplyFraming, FollowsTheConsoleConventions) {
  EXPECT_EQ(okReply(), "\r\nOK\r\n");
  EXPECT_EQ(okReply({"S70=1", "S71=2"}), "\r\nS70=1\r\nS71=2\r\n\r\nOK\r\n");
  EXPECT_EQ(errorReply(), "\r\nERROR\r\n");
  EXPECT_EQ(initNotice(), "\r\nInit: OK\r\n");
}

TEST(ReplyPlan, SplitsIntoThreePausedPiecesThatRejoinExactly) {
  std::mt19937 random(7);
  const std::string dump = okReply({"S70=192.168.1.100", "S71=255.255.255.0"});
  EXPECT_EQ(planReply(dump, {}, random).size(), 1u);

  for (const std::string& reply : {dump, okReply()}) {
    const std::vector<Chunk> pieces = planReply(reply, {true, false}, random);
    ASSERT_EQ(pieces.size(), 3u) << reply;
    EXPECT_EQ(joined(pieces), reply);
    EXPECT_EQ(pieces[0].pauseMs, 0);
    EXPECT_EQ(pieces[1].pauseMs, kSplitPauseMs);
    EXPECT_EQ(pieces[2].pauseMs, kSplitPauseMs);
  }
}

TEST(ReplyPlan, GarbageComesFirstWithANulButNothingAClientCouldTakeForAnAnswer) {
  std::mt19937 random(11);
  for (int run = 0; run < 200; ++run) {
    const std::vector<Chunk> chunks = planReply(okReply(), {false, true}, random);
    ASSERT_EQ(chunks.size(), 2u);
    const std::string& noise = chunks[0].bytes;
    EXPECT_NE(noise.find('\0'), std::string::npos);
    for (char c : noise) {
      ASSERT_TRUE(c != '\r' && c != '\n' && !std::isalpha(static_cast<unsigned char>(c))) << int(c);
    }
    EXPECT_EQ(chunks[1].bytes, "\r\nOK\r\n");
  }
}

// A writer that accepts at most `limit` bytes per call and records each call.
struct FakeWriter {
  long operator()(std::string_view bytes) {
    if (fail) return OutputQueue::kWriteFailed;
    if (limit == 0) return OutputQueue::kWouldBlock;
    const std::size_t n = std::min(bytes.size(), limit);
    writes.emplace_back(bytes.substr(0, n));
    return static_cast<long>(n);
  }
  std::size_t limit = 1000;
  bool fail = false;
  std::vector<std::string> writes;
};

TEST(OutputQueue, KeepsOrderPacesPausedChunksAndResumesPartialWrites) {
  OutputQueue queue;
  FakeWriter writer;
  const auto write = [&writer](std::string_view bytes) { return writer(bytes); };
  queue.push({"echo", 0});
  queue.push({"one", 0});
  queue.push({"two", 30});
  EXPECT_EQ(queue.flush(1000, write), OutputQueue::Flush::Waiting);
  EXPECT_EQ(writer.writes, (std::vector<std::string>{"echo", "one"}));  // one write per chunk
  EXPECT_EQ(queue.readyAtMs(), 1030);
  EXPECT_EQ(queue.flush(1029, write), OutputQueue::Flush::Waiting);

  writer.limit = 2;
  queue.push({"three", 0});
  EXPECT_EQ(queue.flush(1030, write), OutputQueue::Flush::Blocked);
  EXPECT_EQ(queue.pendingBytes(), 6u);  // "o" and "three"
  writer.limit = 0;
  EXPECT_EQ(queue.flush(1031, write), OutputQueue::Flush::Blocked);
  writer.limit = 100;
  EXPECT_EQ(queue.flush(1031, write), OutputQueue::Flush::Done);
  EXPECT_EQ(writer.writes, (std::vector<std::string>{"echo", "one", "tw", "o", "three"}));

  queue.push({"x", 0});
  writer.fail = true;
  EXPECT_EQ(queue.flush(1040, write), OutputQueue::Flush::Failed);
}

TEST(OutputQueue, RefusesToGrowWithoutBound) {
  OutputQueue queue;
  const std::string block(64 * 1024, 'x');
  int accepted = 0;
  while (queue.push({block, 0}) && accepted < 100) ++accepted;
  EXPECT_EQ(accepted, 16);
  EXPECT_EQ(queue.pendingBytes(), 16 * block.size());
}

TEST(TelnetFilter, RemovesNegotiationEvenWhenSplitAcrossReads) {
  TelnetFilter filter;
  const std::string burst = telnetNegotiation();
  EXPECT_EQ(filter.filter(burst + "AT\r"), "AT\r");
  EXPECT_EQ(filter.filter("A\xff"), "A");
  EXPECT_EQ(filter.filter("\xfd\x18T"), "T");
  EXPECT_EQ(filter.filter("\xff\xfa\x18\x00xterm\xff\xf0I3"sv), "I3");  // subnegotiation
  EXPECT_EQ(filter.filter("\xff\xff\xff\xf1!"), "\xff!");               // IAC IAC, then a NOP
}

TEST(BootLoader, AnswersTheBootProbeLikeABootLoaderNotAnEchoingConsole) {
  Transcript transcript;
  BootLoader loader(transcript);
  EXPECT_EQ(loader.feed("fff"), "");
  const std::string first = loader.feed(":020000050000F915");
  EXPECT_FALSE(first.empty());
  EXPECT_NE(first, "ffff:020000050000F915");
  EXPECT_EQ(loader.feed(":0000"), "");
  EXPECT_EQ(loader.feed("0012EE"), "[ BOOT ]\r\n");
  EXPECT_EQ(loader.feed(":00000012EE"), "[ BOOT ]\r\n");
  EXPECT_EQ(loader.feed(":0000\r"), "X\r\n");                 // broken record
  EXPECT_EQ(loader.feed(":000:00000012EE"), "[ BOOT ]\r\n");  // a new ':' restarts the record
  EXPECT_EQ(loader.feed(":00000001FF"), ".\r\n");  // the end record: the image is complete
  EXPECT_TRUE(loader.takeFinished());
}

ParsedOptions parse(std::vector<std::string> args) {
  return parseOptions(args);
}

TEST(Options, DefaultsAndValues) {
  const ParsedOptions defaults = parse({"--tcp", "0"});
  ASSERT_TRUE(defaults.options) << defaults.error;
  EXPECT_EQ(defaults.options->tcpPort, 0);
  EXPECT_EQ(defaults.options->rates, (std::vector<int>{57600, 115200, 230400, 460800, 921600}));
  EXPECT_TRUE(defaults.options->loginEnabled);
  EXPECT_EQ(defaults.options->resetTimeMs, 2000);

  const ParsedOptions all =
      parse({"--pty=/tmp/x", "--rates", "115200,9600", "--login", "u:p:q", "--refuse", "s98,R5",
             "--silent-after", "4", "--edition", "kestrin", "--split-replies"});
  ASSERT_TRUE(all.options) << all.error;
  EXPECT_EQ(all.options->ptyPath, "/tmp/x");
  EXPECT_EQ(all.options->rates, (std::vector<int>{115200, 9600}));
  EXPECT_EQ(all.options->user, "u");
  EXPECT_EQ(all.options->password, "p:q");
  EXPECT_EQ(all.options->refused, (std::vector<std::string>{"S98", "R05"}));
  EXPECT_EQ(all.options->silentAfter, 4);
  EXPECT_EQ(all.options->edition, Edition::Kestrin);
  EXPECT_TRUE(all.options->splitReplies);
  EXPECT_TRUE(parse({"--help"}).options);
}

TEST(Options, UsageErrors) {
  for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
           {},
           {"--boot"},
           {"--tcp"},
           {"--tcp", "65536"},
           {"--tcp", "-1"},
           {"--tcp", "12x"},
           {"--tcp", "0", "--rates", "12345"},
           {"--tcp", "0", "--rates", ""},
           {"--tcp", "0", "--login", "nopass"},
           {"--tcp", "0", "--login", ":p"},
           {"--tcp", "0", "--edition", "other"},
           {"--tcp", "0", "--refuse", "S98,70"},
           {"--tcp", "0", "--silent-after", "-1"},
           {"--tcp", "0", "--boot=1"},
           {"--tcp", "0", "--pty", ""},
           {"--tcp", "0", "--bogus"},
       }) {
    const ParsedOptions parsed = parse(args);
    EXPECT_FALSE(parsed.options) << (args.empty() ? "(none)" : args.back());
    EXPECT_FALSE(parsed.error.empty());
  }
}

}  // namespace
}  // namespace gwsim

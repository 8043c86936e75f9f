#include "app/cli_options.h"

#include <gtest/gtest.h>

#include "app/console_host.h"

namespace gw {
namespace {

TEST(CliOptions, GlobalOptionsStandAnywhereAndCommandsKeepTheirOwn) {
  const auto owns = [](const std::string& command, const std::string& option) {
    return command == "gateway" && (option == "--user" || option == "--password");
  };
  const CliParse p = parseCommandLine(
      {"--home", "/h", "gateway", "add", "Gw1", "--user", "u", "--password=p", "--yes", "--timeout", "900"},
      owns);
  ASSERT_EQ(p.error, "");
  EXPECT_EQ(p.options.home, "/h");
  EXPECT_EQ(p.options.command, "gateway");
  EXPECT_EQ(p.options.args, (std::vector<std::string>{"add", "Gw1", "--user", "u", "--password=p"}));
  EXPECT_TRUE(p.options.yes);
  EXPECT_EQ(p.options.timeoutMs, 900);
  EXPECT_FALSE(p.options.user);

  const CliParse login = parseCommandLine({"--user", "admin", "identify", "--no-log"}, owns);
  EXPECT_EQ(login.options.user, "admin");
  EXPECT_EQ(login.options.log, false);
}

TEST(CliOptions, RefusesWhatItCannotUse) {
  EXPECT_NE(parseCommandLine({"--bogus", "identify"}).error, "");
  EXPECT_NE(parseCommandLine({"identify", "--home"}).error, "");
  EXPECT_NE(parseCommandLine({"--timeout", "soon", "identify"}).error, "");
  EXPECT_NE(parseCommandLine({"--lan", "h:99999", "identify"}).error, "");
  EXPECT_NE(parseCommandLine({"--lan", "h", "--serial", "ttyS0", "identify"}).error, "");
  EXPECT_EQ(parseCommandLine({"--lan", "10.0.0.1", "identify"}).error, "");
}

TEST(CliOptions, HostPortAndEscapes) {
  EXPECT_EQ(parseHostPort("10.0.0.1", 23)->port, 23);
  EXPECT_EQ(parseHostPort("10.0.0.1:2323", 23)->port, 2323);
  EXPECT_FALSE(parseHostPort(":23", 23));
  EXPECT_FALSE(parseHostPort("h:", 23));
  EXPECT_EQ(unescapeCommand(R"(AT&V\r\n)"), "AT&V\r\n");
  EXPECT_EQ(unescapeCommand(R"(a\\b\q\)"), "a\\b\\q\\");
}

TEST(ConsoleHost, PrintsOneLinePerMessageAndAnswersQuestionsByTheFlag) {
  EXPECT_EQ(consoleLine({"Loaded with errors:\nSystem settings - PIN\n", "Warning", MessageKind::Warning}),
            "Warning: Loaded with errors: System settings - PIN");
  std::FILE* sink = std::tmpfile();
  ConsoleHost host(sink);
  EXPECT_EQ(host.messageBox({"Reset?", "Question", MessageKind::Question}), Answer::No);
  host.answerYes = true;
  EXPECT_EQ(host.messageBox({"Save?", "Question", MessageKind::QuestionCancel}), Answer::Yes);
  EXPECT_EQ(host.messageBox({"Done", "Information", MessageKind::Information}), Answer::Ok);
  std::fclose(sink);
}

}  // namespace
}  // namespace gw

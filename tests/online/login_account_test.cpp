// The login account page: the rules of its three fields, its refusal over the LAN, and the account written
// straight to the serial port.

#include "online/login_account.h"
#include "program/program_fixture.h"

namespace gw::test {
namespace {

using LoginFixture = ProgramFixture;

TEST_F(LoginFixture, TheFieldsTakeLettersAndDigitsAndShareFourteenCharacters) {
  LoginTool& page = program->tool<LoginTool>();
  page.editText("eLoginUser", "ab-c d");
  EXPECT_EQ(page.eLoginUser.text, "abcd");  // "-" and the space have no effect
  page.editText("eLoginUser", "user567890");
  EXPECT_EQ(page.eLoginPass.maxLength, 4);
  EXPECT_EQ(page.eLoginPassVer.maxLength, 4);
  page.editText("eLoginPass", "secret");
  EXPECT_EQ(page.eLoginPass.text, "secr");
  EXPECT_EQ(page.eLoginUser.maxLength, 10);
  EXPECT_FALSE(page.sbLoginSave.enabled);
  page.editText("eLoginPassVer", "secr");
  EXPECT_TRUE(page.sbLoginSave.enabled);

  page.enter();  // choosing the topic again
  EXPECT_FALSE(page.sbLoginSave.enabled);
  page.editText("eLoginUser", "");
  EXPECT_EQ(page.eLoginPass.maxLength, 13);
  EXPECT_FALSE(page.sbLoginSave.enabled);
  page.editText("eLoginPass", "");
  EXPECT_EQ(page.eLoginUser.maxLength, 13);

  struct Case {
    const char* user;
    const char* password;
    AccountProblem problem;
  };
  const Case cases[] = {{"admin", "pw", AccountProblem::None},
                        {"", "pw", AccountProblem::EmptyUser},
                        {"admin", "", AccountProblem::EmptyPassword},
                        {"ad min", "pw", AccountProblem::UserCharacters},
                        {"admin", "p\xE9", AccountProblem::PasswordCharacters},
                        {"user567890", "abcd", AccountProblem::None},
                        {"user567890", "abcde", AccountProblem::TooLong}};
  for (const Case& c : cases)
    EXPECT_EQ(accountProblem(c.user, c.password), c.problem) << c.user << "/" << c.password;
}

TEST_F(LoginFixture, OverTheLanNeitherButtonSendsAnything) {
  LoginTool& page = program->tool<LoginTool>();
  page.editText("eLoginUser", "bob");
  page.editText("eLoginPass", "pw1");
  page.editText("eLoginPassVer", "pw1");
  host.answers = {Answer::Yes};
  EXPECT_EQ(page.sbLoginSaveClick(), AccountOutcome::LanRefused);
  EXPECT_EQ(page.sbLoginDisableClick(), AccountOutcome::LanRefused);
  EXPECT_EQ(host.messageLabels(), (std::vector<int>{63, 63}));
  EXPECT_EQ(peer.connects, 0);
  EXPECT_EQ(peer.received, "");
}

struct SerialLoginFixture : ProgramFixture {
  ScriptedSerialDevice* device = nullptr;

  void SetUp() override {
    ProgramFixture::SetUp();
    program->link.comm.linkType = kSerialLink;
    program->link.comm.portName = "ttyUSB0";
    program->link.comm.portList = {"ttyUSB0"};
    device = &bus.device("ttyUSB0");
    device->answer("ATI3\r\n", "ATI3\r\n\r\nVelquin Orvale QN4\r\nB-01.05 V-03.00.05 \r\n\r\nOK\r\n");
    device->answer("ATI4\r\n", "ATI4\r\n\r\nSNumber: Q2041-00017\r\n\r\nOK\r\n");
    device->answer("AT\r\n", "AT\r\n\r\nOK\r\n");
    device->answer("\r\n", "\r\n");
  }
};

TEST_F(SerialLoginFixture, TheAccountIsWrittenToThePortAndTheReplySaysHowItWent) {
  struct Case {
    const char* name;
    const char* verification;
    bool disable;
    Answer answer;
    const char* reply;  // nullptr: the gateway keeps silent
    std::vector<int> messages;
    const char* written;  // nullptr: nothing
  };
  const Case cases[] = {
      {"saved", "pw1", false, Answer::Ok, "AT%X80=bob/pw1\r\n\r\nOK\r\n", {66}, "AT%X80=bob/pw1\r"},
      {"refused", "pw1", false, Answer::Ok, "AT%X80=bob/pw1\r\n\r\nERROR\r\n", {56}, "AT%X80=bob/pw1\r"},
      {"silent", "pw1", false, Answer::Ok, nullptr, {56}, "AT%X80=bob/pw1\r"},
      {"passwords differ", "pw2", false, Answer::Ok, nullptr, {65}, nullptr},
      {"disabled", "", true, Answer::Yes, "AT%X80=\r\n\r\nOK\r\n", {512, 66}, "AT%X80=\r"},
      {"not disabled", "", true, Answer::No, nullptr, {512}, nullptr},
  };
  for (const Case& c : cases) {
    LoginTool& page = program->tool<LoginTool>();
    page.editText("eLoginUser", "bob");
    page.editText("eLoginPass", "pw1");
    page.editText("eLoginPassVer", c.verification);
    if (c.reply != nullptr) device->answerOnce(c.disable ? "AT%X80=\r" : "AT%X80=bob/pw1\r", c.reply);
    host.clear();
    host.answers = {c.answer};
    device->written.clear();
    c.disable ? page.sbLoginDisableClick() : page.sbLoginSaveClick();
    EXPECT_EQ(host.messageLabels(), c.messages) << c.name;
    const std::size_t at = device->written.find("AT%X80=");
    if (c.written == nullptr) {
      EXPECT_EQ(at, std::string::npos) << c.name;
    } else {
      EXPECT_EQ(device->written.substr(at), c.written) << c.name;
    }
  }
}

}  // namespace
}  // namespace gw::test

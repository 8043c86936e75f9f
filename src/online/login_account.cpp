#include "online/login_account.h"

#include <algorithm>

#include "base/caption_ids.h"
#include "base/cformat.h"
#include "base/text.h"

namespace gw {

namespace {

constexpr std::size_t kReplyCapacity = 128;
constexpr int kLanRefused = 63;
constexpr int kUserEmpty = 64;
constexpr int kPasswordsDiffer = 65;
constexpr int kDisableQuestion = 512;

bool accountKey(char c) {
  return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool accountText(std::string_view text) {
  return std::all_of(text.begin(), text.end(), accountKey);
}

// The room a field leaves its partner: the rest of the account, or all but one character while it is empty.
int roomBeside(const TextField& field) {
  return field.text.empty() ? LoginTool::kAloneLength
                            : LoginTool::kAccountLength - static_cast<int>(field.text.size());
}

// A shorter limit also shortens what the field holds, as its window shows it.
void limit(TextField& field, int maxLength) {
  field.maxLength = maxLength;
  if (field.text.size() > static_cast<std::size_t>(maxLength))
    field.text.resize(static_cast<std::size_t>(maxLength));
}

}  // namespace

AccountProblem accountProblem(std::string_view user, std::string_view password) {
  if (user.empty()) return AccountProblem::EmptyUser;
  if (password.empty()) return AccountProblem::EmptyPassword;
  if (!accountText(user)) return AccountProblem::UserCharacters;
  if (!accountText(password)) return AccountProblem::PasswordCharacters;
  if (user.size() + password.size() > static_cast<std::size_t>(LoginTool::kAccountLength))
    return AccountProblem::TooLong;
  return AccountProblem::None;
}

LoginTool::LoginTool(const OnlineContext& context) : OnlineTool(context) {
  for (TextField* field : {&eLoginUser, &eLoginPass, &eLoginPassVer}) {
    field->filter = accountKey;
    field->maxLength = kAloneLength;
  }
  sbLoginSave.enabled = false;
}

std::vector<NamedField> LoginTool::fields() {
  return {{"eLoginUser", &eLoginUser},
          {"eLoginPass", &eLoginPass},
          {"eLoginPassVer", &eLoginPassVer},
          {"sbLoginSave", &sbLoginSave}};
}

std::vector<ControlSet::Button> LoginTool::buttons() {
  return {{"sbLoginSave", [this] { sbLoginSaveClick(); }},
          {"sbLoginDisable", [this] { sbLoginDisableClick(); }}};
}

bool LoginTool::enter() {
  sbLoginSave.enabled = false;
  return true;
}

void LoginTool::edited(std::string_view name) {
  if (name == "eLoginUser") {
    limit(eLoginPass, roomBeside(eLoginUser));
    limit(eLoginPassVer, roomBeside(eLoginUser));
  } else if (name == "eLoginPass") {
    limit(eLoginUser, roomBeside(eLoginPass));
  }
  sbLoginSave.enabled = !eLoginUser.text.empty() && !eLoginPass.text.empty() && !eLoginPassVer.text.empty();
}

void LoginTool::show(int text, int title, MessageKind kind) {
  ctx_.host.messageBox(Message{ctx_.captions.at(text), ctx_.captions.at(title), kind, text, title});
}

AccountOutcome LoginTool::sbLoginSaveClick() {
  if (ctx_.link.comm.linkType != kSerialLink) {
    show(kLanRefused, cap::kQuestionTitle, MessageKind::Information);
    return AccountOutcome::LanRefused;
  }
  ctx_.connection.commConnect(false);
  if (!ctx_.link.comm.portHandle) return AccountOutcome::NotConnected;
  if (eLoginUser.text.empty()) {
    show(kUserEmpty, cap::kErrorTitle, MessageKind::Error);
    return AccountOutcome::Refused;
  }
  if (eLoginPass.text != eLoginPassVer.text) {
    show(kPasswordsDiffer, cap::kErrorTitle, MessageKind::Error);
    return AccountOutcome::Refused;
  }
  return writeAccount(
      cformat(kCommandBufferSize, "AT%%X80=%s/%s\r", eLoginUser.text.c_str(), eLoginPass.text.c_str()));
}

AccountOutcome LoginTool::sbLoginDisableClick() {
  if (ctx_.link.comm.linkType != kSerialLink) {
    show(kLanRefused, cap::kQuestionTitle, MessageKind::Information);
    return AccountOutcome::LanRefused;
  }
  const Answer answer =
      ctx_.host.messageBox(Message{ctx_.captions.at(kDisableQuestion), ctx_.captions.at(cap::kQuestionTitle),
                                   MessageKind::Question, kDisableQuestion, cap::kQuestionTitle});
  if (answer != Answer::Yes) return AccountOutcome::Declined;
  ctx_.connection.commConnect(false);
  if (!ctx_.link.comm.portHandle) return AccountOutcome::NotConnected;
  return writeAccount("AT%X80=\r");
}

AccountOutcome LoginTool::writeAccount(const std::string& command) {
  Link& link = ctx_.link;
  const bool written = link.serialWrite(command) == static_cast<int>(command.size());
  if (!written || !contains(link.serialRead(kReplyCapacity), "OK")) {
    show(cap::kCommunicationFailed, cap::kErrorTitle, MessageKind::Error);
    return AccountOutcome::Failed;
  }
  show(cap::kSavedWithoutError, cap::kQuestionTitle, MessageKind::Information);
  return AccountOutcome::Done;
}

const FormLayout& loginAccountLayout() {
  using K = ControlKind;
  constexpr int kFieldChars = LoginTool::kAloneLength;
  static const FormLayout layout{
      "pLogin",
      {
          {{{"gbLogin",
             {2804, "Login account for the LAN"},
             1,
             {
                 {K::Edit, "eLoginUser", {2800, "Username :"}, nullptr, {}, kFieldChars},
                 {K::Password, "eLoginPass", {2801, "Password :"}, nullptr, {}, kFieldChars},
                 {K::Password, "eLoginPassVer", {2802, "Password verify :"}, nullptr, {}, kFieldChars},
                 {.kind = K::Label,
                  .name = "lbLoginLength",
                  .label =
                      {2805,
                       "Letters and digits only; user name and password together at most 14 characters."},
                  .wide = true},
             }}}},
          {{{nullptr,
             {},
             2,
             {
                 {K::Button, "sbLoginSave", {cap::kSaveToGate, "Save to gate"}},
                 {K::Button, "sbLoginDisable", {2803, "Disable login"}},
             }}}},
          {{{nullptr,
             {},
             1,
             {{.kind = K::Label,
               .name = "lbLoginSerial",
               .label = {kLanRefused, "The login account can be changed over the serial link only."},
               .wide = true,
               .alert = true}}}}},
      }};
  return layout;
}

}  // namespace gw

#pragma once
// The login account page pLogin: the user name and password the gateway asks for when a client connects
// over the LAN, kept in its register X80. "Save to gate" writes "AT%X80=user/password\r", "Disable login"
// writes "AT%X80=\r", both straight to the serial port: over the LAN the page refuses and says why, so the
// account that the open connection depends on is never changed through it.

#include <string_view>

#include "online/online_tool.h"
#include "pages/form_layout.h"

namespace gw {

enum class AccountOutcome {
  LanRefused,    // not the serial link: message 63, nothing sent
  NotConnected,  // the serial port did not open
  Declined,      // "Disable login" answered No
  Refused,       // an empty user name (64) or passwords that differ (65): nothing sent
  Failed,        // message 56: the gateway did not answer OK
  Done,          // message 66
};

// What the page would not let the user type into a whole account.
enum class AccountProblem { None, EmptyUser, EmptyPassword, UserCharacters, PasswordCharacters, TooLong };
AccountProblem accountProblem(std::string_view user, std::string_view password);

class LoginTool : public OnlineTool {
 public:
  // User name and password share this many characters; a field whose partner is empty takes one less, so
  // the partner keeps room for at least one.
  static constexpr int kAccountLength = 14;
  static constexpr int kAloneLength = kAccountLength - 1;

  explicit LoginTool(const OnlineContext& context);

  TextField eLoginUser;
  TextField eLoginPass;
  TextField eLoginPassVer;
  FieldView sbLoginSave;  // enabled while all three fields hold text

  std::vector<NamedField> fields() override;
  std::vector<Button> buttons() override;
  // Entering the topic disables "Save to gate" until the fields change.
  bool enter() override;

  AccountOutcome sbLoginSaveClick();
  AccountOutcome sbLoginDisableClick();

 protected:
  void edited(std::string_view name) override;

 private:
  // The command written directly to the serial port and its reply checked for OK.
  AccountOutcome writeAccount(const std::string& command);
  void show(int text, int title, MessageKind kind);
};

const FormLayout& loginAccountLayout();

}  // namespace gw

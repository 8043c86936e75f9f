#pragma once
// The mobility extension record dialog (fExt, "Mobility extension"): the extension's name, SIP user and
// password, the GSM number (CLIP) of the user's mobile phone, and the "Follow me" and "SMS at no answer"
// functions.

#include <string>
#include <vector>

#include "pages/form_layout.h"
#include "pages/record_table.h"

namespace gw {

// The columns of an extension row; the last three hold the codes "1" and "0".
enum ExtColumn : std::size_t {
  kExtName,
  kExtUser,
  kExtPassword,
  kExtGsm,
  kExtFollow,
  kExtSms,
  kExtRegistered
};
inline constexpr const char* kFlagOn = "1";
inline constexpr const char* kFlagOff = "0";

inline constexpr int kExtNameLength = 47;  // each of name, user and password, and the three together
inline constexpr int kExtGsmLength = 16;

class ExtDialog : public TableRecordDialog {
 public:
  explicit ExtDialog(const PageContext& context);

  TextField edName;
  TextField edUser;
  TextField edPass;
  TextField edGsm;
  CheckField cbFollow;
  CheckField cbSms;

  std::vector<NamedField> fields() override;
  const FormLayout& layout() const override;
  std::string title() const override;
  // Refused, in this order: an empty field (label 403, marked red), name, user and password of 48 characters
  // or more together (label 455), a GSM number another row has (label 521).
  bool accept() override;
  // A new row is unregistered; a modified row keeps its registration.
  std::vector<std::string> record() const override;

 protected:
  void showNew() override;
  void showRecord(const std::vector<std::string>& row) override;
};

const FormLayout& extDialogLayout();

}  // namespace gw

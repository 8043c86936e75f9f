#pragma once
// The autorouting record dialog (fAuto, "Add/Edit autorouting table"): the caller's GSM number (CLIP), and
// what the gateway does for it: dial a VoIP number (autodial), call the caller back (autocallback, with a
// limit), or both. At least one of the two is always ticked.

#include <string>
#include <vector>

#include "pages/form_layout.h"
#include "pages/record_table.h"

namespace gw {

// The routing types as the table shows and the file keeps them.
inline constexpr const char* kAutodial = "Autodial";
inline constexpr const char* kAutocallback = "Autocallback";
inline constexpr const char* kAutodialAutocallback = "Autodial/Autocallback";

inline constexpr int kAutoGsmLength = 47;
inline constexpr int kAutoDialLength = 14;
inline constexpr int kAutoHighestLimit = 10000;

class AutoDialog : public TableRecordDialog {
 public:
  explicit AutoDialog(const PageContext& context);

  TextField edGsm;
  FieldView lbDial;
  TextField edDial;
  CheckField cbAutodial;
  CheckField cbAutocallback;
  CheckField cbLimit;  // never enabled: it mirrors cbAutocallback
  FieldView Label1;
  NumberField seLimit;

  std::vector<NamedField> fields() override;
  const FormLayout& layout() const override;
  std::string title() const override;
  // Refused with label 403 while the GSM number, or the dial number of an autodial, is empty.
  bool accept() override;
  // Columns: GSM number, dial number, limit, routing type.
  std::vector<std::string> record() const override;

  // Clearing either box ticks the other; each switches its own fields.
  void cbAutodialClick();
  void cbAutocallbackClick();

 protected:
  void showNew() override;
  void showRecord(const std::vector<std::string>& row) override;
  void edited(std::string_view name) override;
};

const FormLayout& autoDialogLayout();

}  // namespace gw

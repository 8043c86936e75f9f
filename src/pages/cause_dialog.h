#pragma once
// The cause pair dialog (fCause, TfCause) of the GSM basic page: a GSM cause and the cause it is reported as,
// both 1..127, and a "?" button that shows or hides a table of GSM causes and the SIP responses they stand
// for. The GSM cause is painted red while the list already holds a pair for it.

#include <vector>

#include "pages/record_dialog.h"

namespace gw {

class CauseDialog : public RecordDialog {
 public:
  // `taken`: the GSM causes the list already holds a pair for.
  CauseDialog(const PageContext& context, std::vector<int> taken);

  NumberField se1;
  NumberField se2;
  TableField lvCauseHelp;

  const FormLayout& layout() const override;
  std::string title() const override;
  // The page decides what an entered pair does; OK always closes the dialog.
  bool accept() override { return true; }
  std::vector<NamedField> fields() override;
  std::vector<Button> buttons() override;

  bool clashes() const { return se1.marked; }

 protected:
  void edited(std::string_view name) override;

 private:
  void markTaken();

  std::vector<int> taken_;
};

}  // namespace gw

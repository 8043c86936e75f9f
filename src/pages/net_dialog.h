#pragma once
// The entry dialog of the network list page (fNet): one entry of the replaced-prefix table (a prefix, "/" and
// its replacement) or of the prefix table (a prefix, optionally "/" and a number of digits), added or edited.
// The second field's label and key filter follow the table, the window caption the action.

#include <string>
#include <string_view>
#include <vector>

#include "pages/form_layout.h"
#include "pages/record_dialog.h"

namespace gw {

enum class NetTable { Replaced, Prefixes };
enum class NetAction { Add, Edit };

// Prefixes, replacements and numbers of digits are at most this long.
inline constexpr int kNetEntryPartLength = 10;

class NetDialog : public RecordDialog {
 public:
  explicit NetDialog(const PageContext& context);

  TextField ed1;
  TextField ed2;
  FieldView lbHelp;
  FieldView sbOk;

  // Opens on `table` for `action`; an edited entry is split at its first "/" (without one it goes whole
  // into ed1).
  void open(NetTable table, NetAction action, std::string_view entry = {});
  NetTable table() const { return table_; }
  NetAction action() const { return action_; }
  // The entry OK builds: the replaced-prefix table always has its "/", the prefix table only with digits.
  std::string entry() const;

  std::vector<NamedField> fields() override;
  const FormLayout& layout() const override;
  std::string title() const override;
  // OK takes the entry while it is enabled.
  bool accept() override { return sbOk.enabled; }

 protected:
  // OK follows ed1: enabled while it holds text, always in the replaced-prefix table.
  void edited(std::string_view name) override;

 private:
  NetTable table_ = NetTable::Prefixes;
  NetAction action_ = NetAction::Add;
};

// The dialog's window for each table: the second field's label differs.
const FormLayout& netReplacedDialogLayout();
const FormLayout& netPrefixDialogLayout();

}  // namespace gw

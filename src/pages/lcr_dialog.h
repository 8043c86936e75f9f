#pragma once
// The LCR record dialog (fLcr): the network list a call may use, the hours of use and the weekend, the
// longest call, and the GSM groups to try in order. Each groups selector after the first offers a group only
// while the one before it holds one.

#include <array>
#include <string>
#include <vector>

#include "pages/form_layout.h"
#include "pages/record_table.h"

namespace gw {

inline constexpr int kLcrGroupSelectors = 7;
inline constexpr int kLcrHighestLimit = 99;
inline constexpr std::size_t kLcrNetworks = 8;

// The columns of an LCR row: "Network" ("3/23003"), "Using time" ("07:00/18:00/w-"), "Groups" ("21"),
// "Limit".
enum LcrColumn : std::size_t { kLcrNetwork, kLcrTime, kLcrGroups, kLcrLimit };

// The network number of a "Network" column: the text before its first "/" (the whole text without one).
std::string lcrNetworkNumber(const std::string& column);

class LcrDialog : public TableRecordDialog {
 public:
  // `gatewayIds`: the network IDs the last load read from the gateway (empty: the image's IDs count).
  LcrDialog(const PageContext& context, const std::vector<std::string>& gatewayIds);

  ChoiceField cbNetwork;  // "Group 1/ID" ... "Group 8/ID"
  FieldView gbLcrTime;    // "Time limitation of use"
  TextField edFrom;
  TextField edTo;
  CheckField cbWeekend;
  RadioField rgWeekend;  // rbAll "Use all weekend", rbWeek "Use as in week (set above)"
  NumberField seLimit;
  FieldView gbLcrGroups;
  std::array<ChoiceField, kLcrGroupSelectors> cbGroups;  // "<None>", "GSM group 1" ... "GSM group 4"

  std::vector<NamedField> fields() override;
  const FormLayout& layout() const override;
  // Label 407 for a new record, 408 for a row.
  std::string title() const override;
  // A record routes through at least one group: without one it is refused with label 403.
  bool accept() override;
  std::vector<std::string> record() const override;

  // Each selector after the first is enabled only while the one before holds a group; "<None>" empties
  // and disables every later one.
  void cbGroupsChange();
  // The weekend choice is enabled only while the weekend is.
  void cbWeekendClick();

 protected:
  void showNew() override;
  void showRecord(const std::vector<std::string>& row) override;
  void edited(std::string_view name) override;

 private:
  // The network items with the current IDs of the image's lists.
  void refreshNetworks();
  // The ID a new row names: the gateway's when the page read them, the image's otherwise.
  std::string networkId(std::size_t list) const;

  const std::vector<std::string>& gatewayIds_;
};

const FormLayout& lcrDialogLayout();

}  // namespace gw

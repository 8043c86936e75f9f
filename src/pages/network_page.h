#pragma once
// The network list page (pNet): the gateway's eight network lists, each a table of number prefixes (with an
// optional number of digits), a table of prefix replacements, a network ID and a default number of digits.
// The LCR table routes by these lists and shows their IDs. Entries are edited in the NetDialog.

#include <array>
#include <string>
#include <vector>

#include "pages/form_layout.h"
#include "pages/net_dialog.h"
#include "pages/page.h"
#include "paramfile/parametres.h"

namespace gw {

// A list's prefixes are written into seven registers of at most fifteen entries each.
inline constexpr std::size_t kPrefixesPerRegister = 15;
inline constexpr int kPrefixRegisters = 7;
inline constexpr std::size_t kMaxPrefixes = kPrefixesPerRegister * kPrefixRegisters;  // 105

// The values of a list's registers N n1 .. N n7: its prefixes cut in order into chunks of fifteen, joined
// by commas; registers without entries get the empty value.
std::vector<std::string> prefixRegisterValues(const std::vector<std::string>& prefixes);

class NetworkPage : public Page {
 public:
  explicit NetworkPage(const PageContext& context);

  ChoiceField tcNet;  // "Network list 1" ... "Network list 8"; one tab in the Kestrin edition
  TextField edNetNetid;
  NumberField seNetDefault;
  FieldView gbNet1;    // "Table of replaced prefixes"
  ListField lbNetRep;  // never empty: "/" stands for no replacement
  FieldView gbNet2;    // "Table of prefixes"
  ListField lbNetPref;

  // The working records, list n at n - 1.
  std::array<NetworkList, kNetworkListCount> lists{};

  // False when the dump could not be read (the lists stay as they were) or a default number of digits was
  // unreadable.
  bool networkLoad();
  void networkSave();
  void netSaveFile();
  void netLoadFile();
  // Shows the list of the selected tab.
  void tcNetChange();

  void sbNetRepAddClick() { runDialog(NetTable::Replaced, NetAction::Add); }
  void sbNetRepEditClick() { runDialog(NetTable::Replaced, NetAction::Edit); }
  void sbNetRepRemoveClick();
  void sbNetRepRemoveAllClick();
  void sbNetPrefAddClick();
  void sbNetPrefEditClick() { runDialog(NetTable::Prefixes, NetAction::Edit); }
  void sbNetPrefRemoveClick();
  void sbNetPrefRemoveAllClick();

  bool load() override;
  void save() override { networkSave(); }
  void saveFile() override { netSaveFile(); }
  void loadFile() override { netLoadFile(); }
  std::vector<NamedField> fields() override;
  std::vector<std::string> tableProblems() override { return {}; }
  std::vector<Button> buttons() override;
  void applyEdition() override;

  NetDialog& dialog() { return dialog_; }

 protected:
  // Showing another list is no change of the page; the edits below are.
  void userChanged() override {}
  void edited(std::string_view name) override;

 private:
  enum class ListsRead { Unread, DigitsUnreadable, Whole };
  ListsRead readLists();
  std::size_t shownIndex() const;
  NetworkList& shown();
  // The list boxes from the shown record, keeping their selections where they still point at an entry.
  void showEntries();
  void runDialog(NetTable table, NetAction action);

  NetDialog dialog_;
};

const FormLayout& networkPageLayout();

}  // namespace gw

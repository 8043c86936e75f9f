#pragma once
// The base of the two group pages (outgoing and incoming groups): one working record per GSM group, a tab
// control that chooses the group the controls show, and a table that says which record field each control
// shows and where an edit of it is stored: the selected group's record, all four records (texts the gateway
// keeps once), or group 1's (gateway-wide settings the page shows and writes from group 1). Every edit is
// stored at once, so load, save and the image copies work on the records alone.

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "base/text.h"
#include "pages/image_rows.h"
#include "pages/page.h"
#include "paramfile/parametres.h"

namespace gw {

enum class GroupScope {
  Selected,  // the record of the selected tab
  All,       // all four records, which hold the same value
  First,     // group 1's record, whichever tab is selected
};

template <class Record>
struct GroupRow {
  const char* control;
  ImageMember<Record> member;
  GroupScope scope = GroupScope::Selected;
};

template <class Record>
using GroupTable = std::vector<GroupRow<Record>>;

// A whole number at a position of a register's fields, with the value a missing or bad one takes and its
// error text (without the line feed).
template <class Record>
struct GroupNumber {
  std::size_t position;
  int Record::*member;
  int fallback;
  const char* error;
};

// The texts of the group tabs; each page has its own caption entries for them.
inline constexpr std::array<std::string_view, kGroupCount> kGroupTabItems = {"GSM Group 1", "GSM Group 2",
                                                                             "GSM Group 3", "GSM Group 4"};

// Every group command ends so; a command its buffer had to cut has lost it.
inline constexpr std::string_view kCommandEnd = "\r\n";

template <class Record>
class GroupPage : public Page {
 public:
  // `tabs` is the derived page's tab control, named `tabsName`; its items are captions from
  // `firstTabCaption`. The derived page calls applyEdition() once its controls exist.
  GroupPage(const PageContext& context, const PageTraits& traits, ChoiceField& tabs, const char* tabsName,
            int firstTabCaption)
      : Page(context, traits), tabs_(tabs), tabsName_(tabsName), firstTabCaption_(firstTabCaption) {}

  // The working records, one per GSM group: what the page shows, edits, reads and writes.
  std::array<Record, kGroupCount> groups{};

  // The groups the gateway has: four, or group 1 alone on the Kestrin edition.
  std::size_t groupsInUse() const { return kestrin() ? 1 : kGroupCount; }
  std::size_t selectedGroup() const { return static_cast<std::size_t>(tabs_.index); }

  // The tabs follow the edition: a group the gateway lacks cannot stay selected.
  void applyEdition() override {
    setTabs();
    showGroup();
  }

  // The selected group's record into the controls.
  virtual void showGroup() { showRows(); }

  // Controls the group table names that the page lacks.
  std::vector<std::string> tableProblems() override {
    std::vector<std::string> problems;
    const std::vector<NamedField> controls = fields();
    for (const GroupRow<Record>& row : groupRows()) {
      if (findControl(controls, row.control) == nullptr)
        problems.push_back(std::string("no control ") + row.control);
    }
    return problems;
  }

 protected:
  virtual const GroupTable<Record>& groupRows() const = 0;

  bool changesPage(std::string_view name) const override { return name != tabsName_; }

  // A tab shows its group; a control of the table stores its value into its record(s).
  void edited(std::string_view name) override {
    if (name == tabsName_) {
      showGroup();
      return;
    }
    storeRow(name);
  }

  Record& shown() { return groups[selectedGroup()]; }
  Record& first() { return groups.front(); }

  // The numbers of one register's fields into a record; each error text is listed once, whatever the group.
  void readNumbers(const std::vector<GroupNumber<Record>>& rows, const std::vector<std::string>& values,
                   Record& record) {
    for (const GroupNumber<Record>& row : rows)
      record.*row.member = numberOrDefault(values, row.position, row.error, row.fallback, Repeat::Once);
  }

  // The inline form of writeRegister with one error text for both steps. A command its buffer had to cut
  // is not sent (it would run into the next command on the gateway's line); its error text says it failed.
  void writeGroupRegister(const std::string& command, std::string_view errorText, Repeat repeat) {
    if (!endsWith(command, kCommandEnd)) {
      appendError(errorText, repeat);
      return;
    }
    writeRegister(command, WriteErrors{errorText, errorText, repeat});
  }

  // sendCollectError with the same care for a cut command.
  void sendCollectWhole(const std::string& command, std::string_view errorText) {
    if (!endsWith(command, kCommandEnd)) {
      appendError(errorText, Repeat::Once);
      return;
    }
    sendCollectError(command, errorText);
  }

 private:
  void setTabs() {
    tabs_.firstItemCaption = firstTabCaption_;
    tabs_.items.assign(kGroupTabItems.begin(), kGroupTabItems.begin() + static_cast<long>(groupsInUse()));
    if (selectedGroup() >= tabs_.items.size()) tabs_.index = 0;
  }

  const Record& rowRecord(const GroupRow<Record>& row) const {
    return row.scope == GroupScope::First ? groups.front() : groups[selectedGroup()];
  }

  void showRows() {
    const std::vector<NamedField> controls = fields();
    for (const GroupRow<Record>& row : groupRows()) {
      const FieldRef* control = findControl(controls, row.control);
      if (control == nullptr) continue;
      const Record& record = rowRecord(row);
      const ImageValue value =
          std::visit([&](auto member) { return detail::valueOf(record.*member); }, row.member);
      setControlFromImage(*control, value, {});
    }
  }

  void storeRow(std::string_view name) {
    const std::vector<NamedField> controls = fields();
    for (const GroupRow<Record>& row : groupRows()) {
      if (name != row.control) continue;
      const FieldRef* control = findControl(controls, row.control);
      if (control == nullptr) return;
      // A number typed into an edit is stored only once it is a whole number: an empty edit keeps it.
      if (auto* const* text = std::get_if<TextField*>(control);
          text != nullptr && std::holds_alternative<int Record::*>(row.member) && !toInt((*text)->text)) {
        return;
      }
      const ImageValue value = controlImageValue(*control, {});
      const auto store = [&](Record& record) {
        std::visit([&](auto member) { detail::store(record.*member, value); }, row.member);
      };
      switch (row.scope) {
        case GroupScope::Selected:
          store(shown());
          break;
        case GroupScope::First:
          store(first());
          break;
        case GroupScope::All:
          for (Record& record : groups) store(record);
          break;
      }
      return;
    }
  }

  ChoiceField& tabs_;
  const char* tabsName_;
  int firstTabCaption_;
};

}  // namespace gw

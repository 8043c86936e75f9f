#include "pages/groups_page.h"

#include "base/caption_ids.h"

namespace gw {

namespace {

constexpr std::string_view kOutgoingRead = "AT&V0\r\n";
constexpr std::string_view kIncomingRead = "AT&V9\r\n";
constexpr std::string_view kOutgoingLine = "Groups assignment - Outgoing groups\n";
constexpr std::string_view kIncomingLine = "Groups assignment - Incoming groups\n";

constexpr int kFirstGroup = 1;
constexpr int kLastGroup = 4;
constexpr int kGroupItemsCaption = 1407;  // "1.group" .. "4.group"

int groupOfIndex(int index) {
  return index + kFirstGroup;
}

std::optional<int> indexOfGroup(int group) {
  if (group < kFirstGroup || group > kLastGroup) return std::nullopt;
  return group - kFirstGroup;
}

constexpr IndexMap kGroupMap{groupOfIndex, indexOfGroup};

// A module whose digit is missing or not a group shows "1.group".
FieldRow moduleRow(const char* control, const char* line) {
  return FieldRow{control, "0", line, "1", kGroupMap};
}

// The Kestrin edition reads modules 0 and 1 only and always writes group 1 for both.
const RegisterTable& outgoingRows(bool kestrin) {
  static const RegisterTable orvale = {
      {.key = "G00",
       .form = ValueForm::Characters,
       .fields = {moduleRow("cbGroupOut0", "Groups assignment -  outgoing group 1"),
                  moduleRow("cbGroupOut1", "Groups assignment -  outgoing group 2"),
                  moduleRow("cbGroupOut2", "Groups assignment -  outgoing group 3"),
                  moduleRow("cbGroupOut3", "Groups assignment -  outgoing group 4")},
       .writeFormat = "AT%%G00=%d%d%d%d\r\n",
       .errors = {kOutgoingLine, kOutgoingLine}}};
  static const RegisterTable kestrinRows = {
      {.key = "G00",
       .form = ValueForm::Characters,
       .fields = {moduleRow("cbGroupOut0", "Groups assignment -  outgoing group 1"),
                  moduleRow("cbGroupOut1", "Groups assignment -  outgoing group 2")},
       .writeFormat = "AT%%G00=%d%d\r\n",
       .errors = {kOutgoingLine, kOutgoingLine}}};
  return kestrin ? kestrinRows : orvale;
}

const RegisterTable& incomingRows(bool kestrin) {
  static const RegisterTable orvale = {
      {.key = "G90",
       .form = ValueForm::Characters,
       .fields = {moduleRow("cbGroupIn0", "Groups assignment -  incoming group 1"),
                  moduleRow("cbGroupIn1", "Groups assignment -  incoming group 2"),
                  moduleRow("cbGroupIn2", "Groups assignment -  incoming group 3"),
                  moduleRow("cbGroupIn3", "Groups assignment -  incoming group 4")},
       .writeFormat = "AT%%G90=%d%d%d%d\r\n",
       .errors = {kIncomingLine, kIncomingLine}}};
  static const RegisterTable kestrinRows = {
      {.key = "G90",
       .form = ValueForm::Characters,
       .fields = {moduleRow("cbGroupIn0", "Groups assignment -  incoming group 1"),
                  moduleRow("cbGroupIn1", "Groups assignment -  incoming group 2")},
       .writeFormat = "AT%%G90=%d%d\r\n",
       .errors = {kIncomingLine, kIncomingLine}}};
  return kestrin ? kestrinRows : orvale;
}

}  // namespace

GroupsPage::GroupsPage(const PageContext& context)
    : Page(context, PageTraits{PageId::Groups, ParamSection::Groups, cap::kQuestionTitle, "Group"}) {
  for (auto lists : {outgoing(), incoming()}) {
    for (ChoiceField* list : lists) {
      list->items = {"1.group", "2.group", "3.group", "4.group"};
      list->firstItemCaption = kGroupItemsCaption;
    }
  }
}

std::vector<NamedField> GroupsPage::fields() {
  return {
      {"cbGroupOut0", &cbGroupOut0}, {"cbGroupOut1", &cbGroupOut1}, {"cbGroupOut2", &cbGroupOut2},
      {"cbGroupOut3", &cbGroupOut3}, {"cbGroupIn0", &cbGroupIn0},   {"cbGroupIn1", &cbGroupIn1},
      {"cbGroupIn2", &cbGroupIn2},   {"cbGroupIn3", &cbGroupIn3},
  };
}

std::vector<std::string> GroupsPage::tableProblems() {
  std::vector<std::string> problems;
  for (bool kestrinEdition : {false, true}) {
    for (const RegisterTable* table : {&outgoingRows(kestrinEdition), &incomingRows(kestrinEdition)}) {
      for (std::string& p : registerTableProblems(*table, fields())) problems.push_back(std::move(p));
    }
  }
  return problems;
}

bool GroupsPage::groupLoad() {
  std::string dump;
  if (readDump(kOutgoingRead, dump)) {
    loadRegisters(outgoingRows(kestrin()), dump);
  } else {
    appendError(kOutgoingLine);
  }
  // The incoming dump grows with the called-number lists: it is received whole.
  const bool incomingRead = readDump(kIncomingRead, dump, kWholeDumpCapacity);
  if (incomingRead) {
    loadRegisters(incomingRows(kestrin()), dump);
  } else {
    appendError(kIncomingLine);
  }
  groupsSaveFile();
  return incomingRead;
}

void GroupsPage::groupSave() {
  saveRegisters(outgoingRows(kestrin()));
  saveRegisters(incomingRows(kestrin()));
}

void GroupsPage::groupsSaveFile() {
  GroupsPart& part = ctx_.image.groups;
  for (std::size_t m = 0; m < kModuleCount; ++m) {
    part.outgoingGroup[m] = outgoing()[m]->index;
    part.incomingGroup[m] = incoming()[m]->index;
  }
}

void GroupsPage::groupLoadFile() {
  const GroupsPart& part = ctx_.image.groups;
  for (std::size_t m = 0; m < kModuleCount; ++m) {
    // An index no list item stands for shows "1.group".
    if (!outgoing()[m]->select(part.outgoingGroup[m])) outgoing()[m]->select(0);
    if (!incoming()[m]->select(part.incomingGroup[m])) incoming()[m]->select(0);
  }
}

}  // namespace gw

#pragma once
// The groups assignment page (pGroup): which GSM group each of the four modules serves, for outgoing calls
// (G00) and for incoming calls (G90). The registers hold one group number 1..4 per module, module 0 first;
// the image and the file keep the list indexes 0..3.

#include <array>

#include "pages/form_layout.h"
#include "pages/page.h"

namespace gw {

inline constexpr std::size_t kModuleCount = 4;
// The Kestrin edition has two modules and one group.
inline constexpr std::size_t kKestrinModuleCount = 2;

class GroupsPage : public Page {
 public:
  explicit GroupsPage(const PageContext& context);

  ChoiceField cbGroupOut0;
  ChoiceField cbGroupOut1;
  ChoiceField cbGroupOut2;
  ChoiceField cbGroupOut3;
  ChoiceField cbGroupIn0;
  ChoiceField cbGroupIn1;
  ChoiceField cbGroupIn2;
  ChoiceField cbGroupIn3;

  bool groupLoad();
  void groupSave();
  void groupsSaveFile();
  void groupLoadFile();

  bool load() override { return groupLoad(); }
  void save() override { groupSave(); }
  void saveFile() override { groupsSaveFile(); }
  void loadFile() override { groupLoadFile(); }
  std::vector<NamedField> fields() override;
  std::vector<std::string> tableProblems() override;

 private:
  std::array<ChoiceField*, kModuleCount> outgoing() {
    return {&cbGroupOut0, &cbGroupOut1, &cbGroupOut2, &cbGroupOut3};
  }
  std::array<ChoiceField*, kModuleCount> incoming() {
    return {&cbGroupIn0, &cbGroupIn1, &cbGroupIn2, &cbGroupIn3};
  }
};

const FormLayout& groupsPageLayout();

}  // namespace gw

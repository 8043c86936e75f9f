#pragma once
// The incoming groups page (pIncoming): for each GSM group how calls from GSM are handled (the mode, the
// DTMF digits and the time to enter them, the statistics day, the prefix before DISA, the group's CLIP, the
// list of called numbers and the CLIP to VoIP separator), and the gateway-wide CLIP table rules and CLIP to
// VoIP modification.

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "pages/form_layout.h"
#include "pages/group_page.h"

namespace gw {

// The called numbers of a group, joined by commas, are written in one command of 256 bytes.
inline constexpr std::size_t kCalledNumbersMaxLength = 246;

// The incoming modes; the item index is the value written.
inline constexpr std::array<std::string_view, 8> kIncomingModeItems = {
    "Reject incoming calls",
    "Ignore incoming calls",
    "Accept incoming calls + voice message",
    "Accept incoming calls + dialtone",
    "After ring, call back/refuse",
    "After ring, call back/ignore",
    "Report to PC + voice message",
    "Report to PC + dialtone"};

// Whether an answer of the called-number input may join the list: its leading whole number (after blanks
// and a sign; whatever follows is ignored) must not be 0, unless the answer is "0" itself.
bool acceptableCalledNumber(std::string_view answer);

class IncomingPage : public GroupPage<IncomingGroup> {
 public:
  explicit IncomingPage(const PageContext& context);

  ChoiceField tcIncoming;

  // "Incoming calls :"
  FieldView gbIn1;
  ChoiceField cbInMode;
  ChoiceField lbInHelp;  // the help text of the mode: one caption per mode value
  NumberField seInMin;
  NumberField seInMax;
  NumberField seInTour;
  NumberField seInDay;
  TextField edInPrefix;
  TextField edInClip;

  // "List of called numbers"
  FieldView gbIn2;
  ListField lbInCalled;

  // "CLIP table (all groups) :"
  FieldView gbIn3;
  NumberField seInTime;
  CheckField cbInTimeOff;
  CheckField cbInAdd;
  CheckField cbInDelete;

  // "CLIP to VoIP :"
  FieldView gbIn4;
  TextField edInSeparator;
  TextField edInMod;
  FieldView lbInHint2;

  bool incomingLoad();
  bool incomingSave();
  void incomingSaveFile();
  void incomingLoadFile();
  void tcIncomingChange() { showGroup(); }
  // The selector's mode into the selected record (all four on the Kestrin edition) and its help text.
  void cbInModeChange();
  void sbInAddClick();
  void sbInRemoveClick();
  void sbInRemoveAllClick();

  void sbInLoadClick() { (void)click("sbInLoad"); }
  void sbInSaveClick() { (void)click("sbInSave"); }
  void sbInDefaultClick() { (void)click("sbInDefault"); }
  void sbInSaveFileClick() { (void)click("sbInSaveFile"); }

  bool load() override { return incomingLoad(); }
  void save() override { (void)incomingSave(); }
  void saveFile() override { incomingSaveFile(); }
  void loadFile() override { incomingLoadFile(); }
  std::vector<NamedField> fields() override;
  std::vector<Button> buttons() override;
  // The Kestrin edition has group 1 alone, two modes, and no statistics day, DISA prefix, CLIP table or
  // CLIP to VoIP settings.
  void applyEdition() override;
  void showGroup() override;
  // Each time the page shows, the selected group takes the mode its selector shows.
  void pageShown() override { cbInModeChange(); }

 protected:
  const GroupTable<IncomingGroup>& groupRows() const override;
  void edited(std::string_view name) override;

 private:
  void readGroup(std::size_t index, const std::string& dump);
  void writeGroup(std::size_t index);
  // "Off" of the keep time, with the limits, value and state of the spin edit that go with it.
  void showTimeOff(bool off, int hours);
  void cbInTimeOffClick();
  void showCalledNumbers();
  void refuseCalledNumber();
};

const FormLayout& incomingPageLayout();

}  // namespace gw

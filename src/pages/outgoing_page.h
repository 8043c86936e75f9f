#pragma once
// The outgoing groups page (pOutgoing): for each GSM group the rules of calls into the GSM network (roaming,
// CLIR, call and SMS limits, statistics days, call-length accounting, the delays that stand in for ALERTING
// and CONNECT, the "SMS at no answer" delay, the CLIP to GSM separator and the virtual ring tone), and four
// gateway-wide settings: the two SMS texts, the CLIP to GSM modification and the INVITE field the CLIP to
// GSM is taken from.

#include <cstddef>
#include <string>

#include "pages/form_layout.h"
#include "pages/group_page.h"

namespace gw {

// The gateway keeps each SMS text up to three SMS long.
inline constexpr int kSmsTextMaxLength = 480;

class OutgoingPage : public GroupPage<OutgoingGroup> {
 public:
  explicit OutgoingPage(const PageContext& context);

  ChoiceField tcOutgoing;

  // "Calls to GSM :"
  FieldView gbOut1;
  TextField edOutRoaming;
  ChoiceField cbOutClir;
  NumberField seOutDelayConnect;
  NumberField seOutDelayAlerting;
  NumberField seOutDelaySms;
  CheckField cbOutgoingVirtualTone;

  // "Limits and statistics :"
  FieldView gbOut2;
  TextField edOutMaxNumber;
  TextField edOutSmsNumber;
  NumberField seOutDayStats;
  NumberField seOutDayGroup;
  NumberField seOutMinimalLength;
  NumberField seOutPrecision;
  NumberField seOutPseudo;      // never shown
  ChoiceField cbOutDisconnect;  // never shown

  // "CLIP to GSM :"
  FieldView gbOut3;
  TextField edOutClip;
  TextField edOutGsmMod;
  ChoiceField cbOutGsmInvite;
  FieldView lbOutHint2;

  // "SMS texts (all groups) :"
  FieldView gbOut4;
  TextField edOutTextSms;
  TextField edOutTextSmsAll;

  bool outgoingLoad();
  bool outgoingSave();
  bool outgoingValid();
  void outgoingSaveFile();
  void outgoingLoadFile();
  void tcOutgoingChange() { showGroup(); }

  void sbOutLoadClick() { (void)click("sbOutLoad"); }
  void sbOutSaveClick() { (void)click("sbOutSave"); }
  void sbOutDefaultClick() { (void)click("sbOutDefault"); }
  void sbOutSaveFileClick() { (void)click("sbOutSaveFile"); }

  bool load() override { return outgoingLoad(); }
  void save() override { (void)outgoingSave(); }
  bool valid() override { return outgoingValid(); }
  void saveFile() override { outgoingSaveFile(); }
  void loadFile() override { outgoingLoadFile(); }
  std::vector<NamedField> fields() override;
  // The Kestrin edition has group 1 alone and shows only roaming, CLIR, the two delays and the ring tone.
  void applyEdition() override;
  void showGroup() override;

 protected:
  const GroupTable<OutgoingGroup>& groupRows() const override;
  void edited(std::string_view name) override;

 private:
  void readGroup(std::size_t index, const std::string& dump);
  void writeE08();
  void writeGroup(std::size_t index);
};

const FormLayout& outgoingPageLayout();

}  // namespace gw

#pragma once
// The GSM basic page (pBasic): the dialling delays, the SIM identity the gateway reports, where received SMS
// go, the tones it generates, the GSM causes of its own refusals and their translation, and the voice levels
// of the three kinds of GSM module it drives. G09's flags word is shared with the Ethernet page, which owns
// bit 0x40; this page owns bits 0x1 and 0x20 and keeps every other bit as it found it.

#include <array>
#include <optional>
#include <string>

#include "pages/form_layout.h"
#include "pages/page.h"

namespace gw {

// G09 field 1: bits of this page.
inline constexpr int kScidBit = 0x1;
inline constexpr int kSmsToModuleBit = 0x20;
// G09 field 5: bit 0x1 ends calls to GSM by AT+SHUP.
inline constexpr int kShupTerminationBit = 0x1;

// The cause transfer list holds at most this many pairs.
inline constexpr std::size_t kMaxCauseListPairs = 9;
inline constexpr int kLowestCause = 1;
inline constexpr int kHighestCause = 127;

// The text beside an audio level track bar: the position less 32, in dB.
std::string audioLevelText(int position);

// "a/b": GSM cause a is reported as cause b. Nothing when the text is not such a pair.
std::optional<int> gsmCauseOf(std::string_view pair);

class BasicPage : public Page {
 public:
  explicit BasicPage(const PageContext& context);

  FieldView gbBasic1;
  NumberField seBasicCall;
  NumberField seBasicMin;
  NumberField seBasicMax;
  NumberField seBasicWait;
  ChoiceField cbBasicSim;
  ChoiceField cbBasicRecSms;
  ChoiceField cbBasicDial;
  ChoiceField cbBasicRing;
  ChoiceField cbBasicGenerate;
  CheckField cbBasicTerminationGsm;
  // "Error GSM causes"
  FieldView gbBasic2;
  TextField edBasicLack;
  TextField edBasicRestricted;
  TextField edBasicSelected;
  TextField edBasicNomodule;
  // "Cause transfer"
  FieldView gbBasic4;
  ListField lbBasicCauses;
  // Siemens, Wavecom and Sierra Wireless modules
  CheckField cbBasicSiemens;
  NumberField tbBasicTran;
  NumberField tbBasicRec;
  ChoiceField cbBasicVoice;
  NumberField tbBasicTran2;
  NumberField tbBasicRec2;
  NumberField tbBasicTran4;
  NumberField tbBasicRec4;
  ChoiceField cbBasicUse;
  ChoiceField cbBasicSearch;
  // "Audio level :"
  NumberField tbBasicOutputLevel;
  NumberField tbBasicInputLevel;
  TextField lbBasicOutputDb;
  TextField lbBasicInputDb;

  bool basicLoad();
  void basicSave();
  bool basicValid() { return true; }
  void basicSaveFile();
  void basicLoadFile();

  void sbBasicLoadClick() { (void)click("sbBasicLoad"); }
  void sbBasicaveClick() { (void)click("sbBasicSave"); }
  void sbBasicDefaultClick() { (void)click("sbBasicDefault"); }
  void sbBasicSaveFileClick() { (void)click("sbBasicSaveFile"); }
  // The cause transfer list: a pair from the cause dialog; the selected pair; every pair. (The names
  // sbBasicAdd, sbBasicRemove and sbBasicRemoveAll belong to the LCR page's holiday list.)
  void sbBasicCauseAddClick();
  void sbBasicCauseRemoveClick();
  void sbBasicCauseRemoveAllClick();

  bool load() override { return basicLoad(); }
  void save() override { basicSave(); }
  void saveFile() override { basicSaveFile(); }
  void loadFile() override { basicLoadFile(); }
  std::vector<NamedField> fields() override;
  std::vector<Button> buttons() override;
  std::vector<std::string> tableProblems() override;
  // The Kestrin edition has no error causes, no cause transfer and no busy tone.
  void applyEdition() override;

 protected:
  void edited(std::string_view name) override;

 private:
  void loadFlags(std::string_view dump);
  void loadCausePairs(std::string_view dump);
  void saveFlags();
  void saveCausePairs();
  // G09 field 1 and field 5 as the page sets them, every bit it does not own as the image holds it.
  int flags() const;
  int terminationFlags() const;
  void showLevels();
  void showError(int label);
};

const FormLayout& basicPageLayout();

}  // namespace gw

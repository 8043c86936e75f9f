#pragma once
// The System page (pSystem): the gateway's own IP settings, the CDR mode and unit ID, the SIM PIN, the DTMF
// codes of the mobility extension service, the end-of-dialling character and the firmware upgrade port.

#include <array>
#include <optional>
#include <string_view>

#include "pages/form_layout.h"
#include "pages/page.h"

namespace gw {

// The CDR mode list; its index skips the register value 4.
inline constexpr std::array<std::string_view, 7> kCdrModeItems = {
    "None", "Successful Outgoing", "Successful Incoming", "All successful", "All outgoing", "All incoming",
    "All"};
// S91 field 1 from the list index: indexes above 3 add 1.
int cdrValueFromIndex(int index);
// The list index of an S91 value: values above 3 subtract 1 (4 shows "All successful"). Nothing for a value
// the list cannot show.
std::optional<int> cdrIndexFromValue(int value);

// The highest unit ID the gateway takes ("255 = max").
inline constexpr int kHighestUnitId = 255;

class SystemPage : public Page {
 public:
  explicit SystemPage(const PageContext& context);

  // "IP Settings :"
  TextField edSystemIpAddress;
  TextField edSystemSubnetMask;
  TextField edSystemIpRouter;
  // "Modes :"
  FieldView gbSystem2;
  ChoiceField cbSystemCDRmode;
  TextField edSystemUnitId;

  TextField edSystemPin;
  FieldView lbSystemNormal;
  TextField edSystemDial3;
  CheckField cbSystemUpgrade;
  FieldView lbSystemPort;
  NumberField seSystemPort;

  // "Mobility extension DTMF settings : "
  FieldView gbSystem3;
  TextField edSystemStartDialing;
  TextField edSystemEndDialing;
  TextField edSystemHold;
  TextField edSystemHang;
  TextField edSystemFollowActivation;
  TextField edSystemFollowDeactivation;
  TextField edSystemSmsActivation;
  TextField edSystemSmsDeactivation;

  bool systemLoad();
  void systemSave();
  bool systemValid();
  void systemSaveFile();
  void systemLoadFile();

  void sbSystemLoadClick() { (void)click("sbSystemLoad"); }
  void sbSystemSaveClick() { (void)click("sbSystemSave"); }
  void sbSystemDefaultClick() { (void)click("sbSystemDefault"); }
  void sbSystemSaveFileClick() { (void)click("sbSystemSaveFile"); }
  // The firmware upgrade switch follows the box: port field and label enabled with the minimum 1 and the
  // value 2222 when ticked; disabled with the minimum 0 and the value 0 when cleared.
  void cbSystemUpgradeClick();

  bool load() override { return systemLoad(); }
  void save() override { systemSave(); }
  bool valid() override { return systemValid(); }
  void saveFile() override { systemSaveFile(); }
  void loadFile() override { systemLoadFile(); }
  std::vector<NamedField> fields() override;
  std::vector<std::string> tableProblems() override;
  // The Kestrin edition hides the modes, the DTMF codes and the end-of-dialling character.
  void applyEdition() override;
  // Over the LAN the gateway's own addresses are not written, so their fields are disabled.
  void applyLinkType() override;

 protected:
  void edited(std::string_view name) override;

 private:
  // The box from the port (ticked when not 0), then the port value.
  void showPort(int port);
};

const FormLayout& systemPageLayout();

}  // namespace gw

#include "shell/edition.h"

#include <algorithm>

#include "base/caption_ids.h"
#include "base/text.h"

namespace gw {

namespace {
constexpr int kKestrinGroups = 1;
constexpr int kOrvaleGroups = 4;
constexpr int kKestrinNetworkLists = 1;
constexpr int kOrvaleNetworkLists = 8;
}  // namespace

std::string_view editionName(bool kestrin) {
  return kestrin ? kKestrinName : kOrvaleName;
}

EditionCaption programCaption(bool kestrin) {
  if (kestrin) return {cap::kKestrinProgramTitle, "Velquin Kestrin Program"};
  return {cap::kOrvaleProgramTitle, "Velquin Orvale Program"};
}

const std::vector<HiddenControls>& kestrinHiddenControls() {
  static const std::vector<HiddenControls> kTable = {
      {"menus and toolbar",
       {"mTerm", "mLogFile", "mStat", "mCallData", "mActual", "mVoiceMess", "mDiag", "mSipReg", "tbTerminal",
        "mLog"}},
      {"System", {"lbSystemNormal", "edSystemDial3", "gbSystem2", "gbSystem3"}},
      {"Ethernet and SIP", {"GroupBox12",           "seEthernetCodecs1",  "seEthernetCodecs2",
                            "seEthernetCodecs3",    "cbEthernetCodecs1",  "cbEthernetCodecs2",
                            "cbEthernetCodecs3",    "lbEthernetNumber",   "edEthernetNatFirewall",
                            "edEthernetStunServer", "edEthernetRequest",  "cbEthernetDefault4",
                            "edEthernetDefault4",   "cbEthernetSend200",  "cbEthernetClip",
                            "cbEthernetSending",    "gbEthernet5",        "rbEthernetG723",
                            "rbEthernetG729",       "cbEthernetPriority3"}},
      {"GSM basic", {"gbBasic2", "gbBasic4", "cbBasicGenerate"}},
      {"GSM incoming groups",
       {"seInDay", "edInPrefix", "edInSeparator", "cbInTimeOff", "seInTime", "cbInAdd", "cbInDelete",
        "edInMod"}},
      {"GSM outgoing groups",
       {"edOutMaxNumber", "seOutDayStats", "edOutSmsNumber", "seOutMinimalLength", "seOutPrecision",
        "seOutDayGroup", "seOutDelaySms", "edOutTextSms", "edOutTextSmsAll", "edOutClip", "edOutGsmMod",
        "cbOutGsmInvite"}},
  };
  return kTable;
}

bool hiddenInKestrin(std::string_view control) {
  for (const HiddenControls& page : kestrinHiddenControls()) {
    if (std::find(page.controls.begin(), page.controls.end(), control) != page.controls.end()) return true;
  }
  return false;
}

int groupTabCount(bool kestrin) {
  return kestrin ? kKestrinGroups : kOrvaleGroups;
}

int networkListTabCount(bool kestrin) {
  return kestrin ? kKestrinNetworkLists : kOrvaleNetworkLists;
}

const std::vector<std::string_view>& incomingCallModes(bool kestrin) {
  static const std::vector<std::string_view> kKestrin = {"Reject incoming calls",
                                                         "Accept incoming calls + dialtone"};
  static const std::vector<std::string_view> kOrvale = {"Reject incoming calls",
                                                        "Ignore incoming calls",
                                                        "Accept incoming calls + voice message",
                                                        "Accept incoming calls + dialtone",
                                                        "After ring, call back/refuse",
                                                        "After ring, call back/ignore",
                                                        "Report to PC + voice message",
                                                        "Report to PC + dialtone"};
  return kestrin ? kKestrin : kOrvale;
}

const CodecPriorityLists& codecPriorityLists(bool kestrin) {
  static const CodecPriorityLists kKestrin = {
      {"0 - G.711u", "8 - G.711a"}, 0, {"0 - G.711u", "8 - G.711a;"}, 1};
  static const CodecPriorityLists kOrvale = {
      {"18 - G.729", "0 - G.711u", "8 - G.711a;"}, 0, {"18 - G.729", "0 - G.711u", "8 - G.711a;"}, 2};
  return kestrin ? kKestrin : kOrvale;
}

bool kestrinFromAti3(std::string_view ati3Text) {
  return contains(ati3Text, "K427") || contains(ati3Text, "QNK");
}

}  // namespace gw

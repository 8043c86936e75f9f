#pragma once
// The Ethernet page (pEthernet): the VoIP side of the gateway — SIP servers and account, the codec priority
// list and codec packets, the RTP ports, SIP signalling options, the day statistics are deleted and the DTMF
// per RFC2833 switch. Two of its registers are shared: E08's first field also carries the outgoing groups'
// bit 0x20, and G09's first field the GSM basic page's bits; this page changes only its own bits of them.

#include <array>
#include <string>

#include "pages/ethernet_codecs.h"
#include "pages/form_layout.h"
#include "pages/page.h"

namespace gw {

// E08 field 1: the bits of this page's four SIP check boxes.
inline constexpr int kSend180Bit = 0x2;
inline constexpr int kSend200Bit = 0x4;
inline constexpr int kSend486Bit = 0x8;
inline constexpr int kReplaceClipBit = 0x10;
// E08 field 3: SIM client.
inline constexpr int kSimClientBit = 0x8;
// G09 field 1: DTMF according to RFC2833.
inline constexpr int kRfc2833Bit = 0x40;

// The codec re-initialisation after a change of G.723: the serial link reads up to this many times, this
// long apart (start to start), for the gateway's "Init: OK"; the LAN waits, disconnects, waits and connects
// again.
inline constexpr int kVoiceRestartReads = 10;
inline constexpr int kVoiceRestartReadPauseMs = 1000;
inline constexpr int kVoiceRestartLanPauseMs = 2000;

// The longest register domain, and user and password together, that fit the 64-byte command.
inline constexpr std::size_t kMaxRegisterDomain = 54;
inline constexpr std::size_t kMaxSipAccount = 53;

class EthernetPage : public Page {
 public:
  explicit EthernetPage(const PageContext& context);

  FieldView GroupBox12;
  ChoiceField cbEthernetMode;
  NumberField seEthernetDay;
  CheckField cbEthernetSimClient;
  // rbEthernetG729 (0) or rbEthernetG723 (1): which of the two the priority lists offer.
  RadioField rbEthernetCodec;
  ChoiceField cbEthernetPriority1;
  ChoiceField cbEthernetPriority2;
  ChoiceField cbEthernetPriority3;
  TextField edEthernetFirst;
  TextField edEthernetLast;
  TextField edEthernetExpires;
  TextField edEthernetRegistration;
  TextField edEthernetRegisterDomain;
  TextField edEthernetUser;
  TextField edEthernetPassword;
  TextField edEthernetName;
  // The codec settings box.
  FieldView gbEthernet5;
  FieldView lbEthernetNumber;
  NumberField seEthernetCodecs1;
  NumberField seEthernetCodecs2;
  NumberField seEthernetCodecs3;
  CheckField cbEthernetCodecs1;
  CheckField cbEthernetCodecs2;
  CheckField cbEthernetCodecs3;
  ChoiceField cbEthernetBitrate;
  CheckField cbEthernetSend180;
  CheckField cbEthernetSend200;
  CheckField cbEthernetSend486;
  CheckField cbEthernetClip;
  CheckField cbEthernetSending;
  TextField edEthernetSipProxyIP;
  TextField edEthernetSipProxyGsm;
  TextField edEthernetSipRegister;
  TextField edEthernetNatFirewall;
  TextField edEthernetStunServer;
  TextField edEthernetRequest;
  CheckField cbEthernetDefault1;
  CheckField cbEthernetDefault2;
  CheckField cbEthernetDefault3;
  CheckField cbEthernetDefault4;
  TextField edEthernetDefault1;
  TextField edEthernetDefault2;
  TextField edEthernetDefault3;
  TextField edEthernetDefault4;
  ChoiceField cbEthernetGenToVoip;

  bool ethernetLoad();
  void ethernetSave();
  bool ethernetValid();
  void ethernetSaveFile();
  void ethernetLoadFile();

  void sbEthernetLoadClick() { (void)click("sbEthernetLoad"); }
  void sbEthernetSaveClick() { (void)click("sbEthernetSave"); }
  void sbEthernetDefaultClick() { (void)click("sbEthernetDefault"); }
  void sbEthernetSaveFileClick() { (void)click("sbEthernetSaveFile"); }

  bool load() override { return ethernetLoad(); }
  void save() override { ethernetSave(); }
  bool valid() override { return ethernetValid(); }
  void saveFile() override { ethernetSaveFile(); }
  void loadFile() override { ethernetLoadFile(); }
  // On the Kestrin edition the first two priorities are G.711u and G.711a whatever defaults.ini says.
  void loadDefaults() override;
  std::vector<NamedField> fields() override;
  std::vector<std::string> tableProblems() override;
  // The priority lists take the edition's items (keeping the codecs they showed where they can) and the
  // Kestrin edition hides what it lacks.
  void applyEdition() override;

 protected:
  void edited(std::string_view name) override;

 private:
  struct ServerPort {
    CheckField* useDefault;
    TextField* port;
    const char* defaultPort;
  };
  std::array<ServerPort, 4> serverPorts();
  std::array<ChoiceField*, kPriorityListCount> priorities() {
    return {&cbEthernetPriority1, &cbEthernetPriority2, &cbEthernetPriority3};
  }
  std::size_t activePriorityLists() const;

  // Load steps that depart from the tables.
  void loadCodecs(std::string_view dump);
  void loadG723BitRate(std::string_view dump);
  void loadSipFlags(std::string_view dump);
  void loadServers(std::string_view dump);
  void loadDtmf(std::string_view gsmDump);

  // Save steps that depart from the tables (ethernet_save.cpp).
  struct GatewaySip {
    bool g723 = false;             // the gateway's codec list holds G.723
    std::vector<std::string> e08;  // the gateway's E08 fields
  };
  GatewaySip readGatewaySip();
  void saveSipFlags(const GatewaySip& gateway);
  void saveAccount();
  void saveG723();
  void saveCodecPriorities(const GatewaySip& gateway);
  void waitForVoiceRestart();
  void saveDtmf();

  // The codec switch renames the first item of the Orvale lists.
  void chooseCodec(int index);
  void selectPriority(std::size_t list, int index);
  void keepPrioritiesDistinct(std::size_t changed);
  void selectPrioritiesFrom(const std::array<char, kPriorityListCount>& codecs);
  std::array<char, kPriorityListCount> priorityCodecs() const;
  // A ticked "Use default port" box disables its port field and puts the default port in it.
  void applyDefaultPort(const ServerPort& server);
  void tickDefaultPorts();
  int sipFlags(int word) const;

  std::array<int, kPriorityListCount> shownPriority_{};
};

const FormLayout& ethernetPageLayout();

}  // namespace gw

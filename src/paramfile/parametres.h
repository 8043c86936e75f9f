#pragma once
// TParametres: the in-memory image of one gateway parameter file. Pages copy their fields into it and out of
// it; saveParameterFile and loadParameterFile move whole sections between it and a file. It starts empty and
// lives for the whole run.

#include <array>
#include <string>
#include <vector>

#include "paramfile/page_records.h"

namespace gw {

inline constexpr std::size_t kGroupCount = 4;
inline constexpr std::size_t kNetworkListCount = 8;
inline constexpr std::size_t kMaxHolidays = 24;
inline constexpr std::size_t kHolidaysPerKey = 12;  // G06 holds the first twelve, G07 the rest
inline constexpr std::size_t kMaxCausePairs = 12;

// The identification answers of the gateway the file belongs to.
struct Identification {
  std::string ati3;
  std::string ati4;

  bool operator==(const Identification&) const = default;
};

struct SystemPart {
  std::string ipAddress;
  std::string subnetMask;
  std::string ipRouter;
  int cdrMode = 0;  // the register value, not the list index
  int unitId = 0;
  std::string pin;
  std::string winterDate;  // DD.MM, kept here for the LCR page
  std::string summerDate;
  std::string startDialling;
  std::string endDialling;
  std::string hold;
  std::string hang;
  std::string followOn;
  std::string followOff;
  std::string smsOn;
  std::string smsOff;
  std::string endOfDialling;
  int firmwarePort = 0;  // 0 = upgrading over Ethernet disabled

  bool operator==(const SystemPart&) const = default;
};

struct EthernetPart {
  int protocolMode = 0;  // not stored in the file
  int statsDeleteDay = 0;
  int firstRtpPort = 0;
  int lastRtpPort = 0;
  int codecChoice = 0;  // 1 = G.729, 0 = G.723
  // First character of each codec's payload type: '1' (18, G.729), '4' (G.723), '0' (G.711u), '8' (G.711a).
  char codecPriority1 = 0;
  char codecPriority2 = 0;
  char codecPriority3 = 0;
  int registrationExpires = 0;
  int reattemptRegistration = 0;
  std::string registerDomain;
  std::string user;
  std::string password;
  std::string name;
  int g711Blocks = 0;
  int g723Blocks = 0;
  int g729Blocks = 0;
  int g711Vad = 0;
  int g723Vad = 0;
  int g729Vad = 0;
  int g723BitRate = 0;  // 0 = 6.3 kbps, 1 = 5.3 kbps
  std::string sipProxyIpToGsm;
  std::string sipProxyGsmToIp;
  std::string natFirewall;
  std::string sipRegister;
  std::string stunServer;
  int nextStunRequest = 0;
  int proxyIpToGsmPort = 0;
  int proxyGsmToIpPort = 0;
  int registerPort = 0;
  int stunPort = 0;
  int sipFlags = 0;  // E08 field 1; bit 0x20 belongs to the outgoing groups
  int ringToneFromVoip = 0;
  int sipFlags2 = 0;

  bool operator==(const EthernetPart&) const = default;
};

struct GsmBasicPart {
  int callDelay = 0;
  int minNumbersFromVoip = 0;
  int maxNumbersFromVoip = 0;
  int waitForNextDigit = 0;
  int g09Flags = 0;  // shared with the Ethernet page, which owns bit 0x40
  int dialTone = 0;
  int ringTone = 0;
  int lackOfDigitsCause = 0;
  int restrictedPrefixCause = 0;
  int moduleNotReadyCause = 0;
  int noModuleReadyCause = 0;
  std::vector<std::string> holidays;    // DD.MM, at most kMaxHolidays are kept; the count is the size
  std::vector<std::string> causePairs;  // "gsm/sip", at most kMaxCausePairs are kept
  int siemensTxVolume = 0;
  int siemensRxVolume = 0;
  int siemensTone = 0;  // 0 or 1
  int wavecomTxVolume = 0;
  int wavecomRxVolume = 0;
  int wavecomEchoCancelling = 0;
  int sierraTxVolume = 0;
  int sierraRxVolume = 0;
  int sierraSearchPriority = 0;
  int sierraNetworkUse = 0;  // the register code: 2, 13 or 14
  int busyToneToGsm = 0;
  int inputAudioLevel = 0;
  int outputAudioLevel = 0;
  int terminationFlags = 0;
  // Dates the last parameter file read held beyond kMaxHolidays: not kept, the LCR page says so.
  std::size_t holidaysLeftOut = 0;

  bool operator==(const GsmBasicPart&) const = default;
};

// The group each module serves, as list indexes 0..3 (the gateway registers use 1..4).
struct GroupsPart {
  std::array<int, kGroupCount> incomingGroup{};
  std::array<int, kGroupCount> outgoingGroup{};

  bool operator==(const GroupsPart&) const = default;
};

// The table pages' records, each kept as its fields joined by commas.
struct TablesPart {
  std::vector<std::string> autorouting;  // 4 fields: gsm number, dial number, limit, type
  std::vector<std::string>
      extension;                 // 7 fields: name, user, password, gsm number, follow me, sms, registered
  std::vector<std::string> lcr;  // 4 fields: network number, using time, groups, limit

  bool operator==(const TablesPart&) const = default;
};

struct TParametres {
  Identification identification;
  std::array<OutgoingGroup, kGroupCount> outgoing{};
  std::array<IncomingGroup, kGroupCount> incoming{};
  std::array<NetworkList, kNetworkListCount> network{};
  SystemPart system;
  EthernetPart ethernet;
  GsmBasicPart basic;
  GroupsPart groups;
  TablesPart tables;

  bool operator==(const TParametres&) const = default;
};

}  // namespace gw

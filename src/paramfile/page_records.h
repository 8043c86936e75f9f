#pragma once
// The per-group and per-list records of the outgoing groups, incoming groups and network list pages. The
// pages keep their working copies in these records and the parameter image keeps one array of each.

#include <string>
#include <vector>

namespace gw {

// One GSM group's rules for calls to GSM. The last four fields are gateway-wide: the pages show and write
// group 1's copy.
struct OutgoingGroup {
  std::string roamingNetwork;
  int clirMode = 0;
  int maxCalledNumbers = 0;
  int smsMessagesNumber = 0;
  int statsDeleteDay = 0;
  int minimalCallLength = 0;
  int lengthPrecision = 0;
  int pseudoTariff = 0;
  int delayConnect = 0;
  int delayAlerting = 0;
  int disconnectMode = 0;
  int groupStatsDeleteDay = 0;
  int smsNoAnswerDelay = 0;
  char clipToGsmSeparator = 0;  // 0 = no separator
  int groupFlags = 0;           // bit 4 (16) = generate virtual ring tone
  std::string clipToGsmModification;
  int clipFromInvite = 0;  // 0 "Contact", 1 "From"
  std::string smsNoAnswerText;
  std::string smsAllCallsText;

  bool operator==(const OutgoingGroup&) const = default;
};

// One GSM group's handling of calls from GSM. Keep hours, the two record flags and the CLIP to VoIP
// modification are gateway-wide.
struct IncomingGroup {
  int incomingMode = 0;
  int minDtmfDigits = 0;
  int maxDtmfDigits = 0;
  int dtmfTimeout = 0;
  int statsDeleteDay = 0;
  std::string disaPrefix;
  std::string clip;
  char clipToVoipSeparator = 0;  // 0 = no separator
  int clipKeepHours = 0;
  bool addOnlyUnconnected = false;
  bool deleteOnConnected = false;
  std::vector<std::string> calledNumbers;
  std::string clipToVoipModification;

  bool operator==(const IncomingGroup&) const = default;
};

// One network list: which dialled numbers belong to one GSM network.
struct NetworkList {
  std::vector<std::string> prefixes;          // "602" or "602/9"
  std::vector<std::string> replacedPrefixes;  // "prefix/replacement"; "/" alone is the empty replacement
  std::string networkId;
  int defaultDigits = 0;

  bool operator==(const NetworkList&) const = default;
};

}  // namespace gw

// The read step of each parameter-file section: keys in their reading order, each with the default that
// stands in when the file lacks it.

#include <string>
#include <vector>

#include "base/text.h"
#include "paramfile/field_reader.h"
#include "paramfile/file_sections.h"
#include "paramfile/record_text.h"

namespace gw::pfile {

namespace {

constexpr int kDefaultCodecChoice = 1;  // G.729
// X24 missing from a file: upgrading over Ethernet is off (the gateway record's port is another matter).
constexpr int kNoUpgradePort = 0;

// "address:port" keys of the Ethernet page.
void takeAddress(FieldReader& r, std::string_view key, std::string_view def, std::string& address,
                 int& port) {
  r.key(key, def, ':');
  r.take(1, address);
  r.take(2, port);
}

// A separator character kept as the last field of its value: the first character of the rest of the value, so
// that a comma used as the separator comes back as well. A blank is none: at the end of the line the file
// could not keep it.
void takeSeparator(FieldReader& r, std::size_t n, char& out) {
  std::string rest;
  if (r.takeRest(n, rest)) out = rest.empty() || rest[0] == ' ' || rest[0] == '\t' ? '\0' : rest[0];
}

// Four module digits 0..3, module 0 first. A value too short for four modules is wrong as a whole; a digit
// that is not an index fails at its own module.
void takeGroupDigits(FieldReader& r, std::string_view key, std::array<int, kGroupCount>& out) {
  r.key(key, "1111");
  const std::string& digits = r.value();
  if (digits.size() < kGroupCount) r.fail();
  for (std::size_t module = 0; module < kGroupCount && r.ok(); ++module) {
    const char c = digits[module];
    if (c < '0' || c > '0' + kMaxGroupIndex) {
      r.fail();
      break;
    }
    out[module] = c - '0';
  }
}

// A table's list cut into records of `fieldCount` fields; a last record that falls short fails the section
// after the complete ones are stored.
bool takeRecords(FieldReader& r, std::size_t fieldCount, std::vector<std::string>& records) {
  records.clear();
  std::vector<std::string> fields;
  r.takeAll(fields);
  std::size_t at = 0;
  for (; at + fieldCount <= fields.size(); at += fieldCount) {
    records.push_back(
        joinFields(std::vector<std::string>(fields.begin() + static_cast<std::ptrdiff_t>(at),
                                            fields.begin() + static_cast<std::ptrdiff_t>(at + fieldCount))));
  }
  if (at < fields.size()) r.fail();
  return r.ok();
}

std::vector<std::string> firstOf(std::vector<std::string> items, std::size_t limit) {
  if (items.size() > limit) items.resize(limit);
  return items;
}

}  // namespace

void readGateway(TParametres& image, const IniFile& ini) {
  // A file without the section (the page defaults file, a file written by hand) says nothing about which
  // gateway it belongs to, so the identification of the current gateway stays.
  if (!ini.hasSection(kGateway)) return;
  image.identification.ati3 = ini.readString(kGateway, "ati3", "QN");
  image.identification.ati4 = ini.readString(kGateway, "ati4", "");
}

bool readSystem(TParametres& image, const IniFile& ini) {
  SystemPart& s = image.system;
  FieldReader r(ini, kSystem);
  r.key("S70", "").takeWhole(s.ipAddress);
  r.key("S71", "").takeWhole(s.subnetMask);
  r.key("S72", "").takeWhole(s.ipRouter);
  r.key("S91", "1,0");
  r.take(1, s.cdrMode);
  r.take(2, s.unitId);
  r.key("S98", "4821").takeWhole(s.pin);
  r.key("X30", "#,#,#");
  r.takeOr(1, s.startDialling, "#");
  r.takeOr(2, s.endDialling, "#");
  r.takeOr(3, s.endOfDialling, "#");
  r.key("X31", "7*,9#");
  r.take(1, s.hold);
  r.take(2, s.hang);
  r.key("X32", "*55,#55");
  r.take(1, s.followOn);
  r.take(2, s.followOff);
  r.key("X33", "*33,#33");
  r.take(1, s.smsOn);
  r.take(2, s.smsOff);
  r.key("X24", "0").takeWholeNumber(s.firmwarePort, kNoUpgradePort);
  return r.ok();
}

bool readEthernet(TParametres& image, const IniFile& ini) {
  EthernetPart& e = image.ethernet;
  FieldReader r(ini, kEthernet);
  r.key("E09", "0").take(1, e.statsDeleteDay);
  r.key("E08", "0,0,0");
  r.take(1, e.sipFlags);
  r.takeOr(2, e.ringToneFromVoip, 0);
  r.takeOr(3, e.sipFlags2, 0);
  takeAddress(r, "E10", ":5060", e.sipProxyIpToGsm, e.proxyIpToGsmPort);
  takeAddress(r, "E11", ":5060", e.sipProxyGsmToIp, e.proxyGsmToIpPort);
  takeAddress(r, "E14", ":5060", e.sipRegister, e.registerPort);
  r.key("E16", "").takeWhole(e.natFirewall);
  r.key("Codec", "1").takeWholeNumber(e.codecChoice, kDefaultCodecChoice);
  takeAddress(r, "E17", ":3478", e.stunServer, e.stunPort);
  r.key("E02", "600,10,600");
  r.take(1, e.registrationExpires);
  r.take(2, e.reattemptRegistration);
  r.take(3, e.nextStunRequest);
  // The password is the rest of the value: the gateway takes a comma in it.
  r.key("E80", ",");
  r.take(1, e.user);
  r.takeRest(2, e.password);
  r.key("E82", "").takeWhole(e.name);
  r.key("E81", "").takeWhole(e.registerDomain);
  r.key("E20", "4,0");
  r.take(1, e.g711Blocks);
  r.take(2, e.g711Vad);
  r.key("E23", "1,0");
  r.take(1, e.g723Blocks);
  if (int v = 0; r.take(2, v)) {
    const bool lowRate = v >= kG723LowRateVadOffset;
    e.g723Vad = lowRate ? v - kG723LowRateVadOffset : v;
    e.g723BitRate = lowRate ? 1 : 0;
  }
  r.key("E29", "2,0");
  r.take(1, e.g729Blocks);
  r.take(2, e.g729Vad);
  r.key("E01", "18,0,8");
  r.takeFirstChar(1, e.codecPriority1);
  r.takeFirstChar(2, e.codecPriority2);
  r.takeFirstChar(3, e.codecPriority3);
  r.key("E03", "8000,8998");
  r.take(1, e.firstRtpPort);
  r.take(2, e.lastRtpPort);
  r.keyIn(kGsmUpper, "G09", "0,0,0,0,0");
  r.take(1, image.basic.g09Flags);
  r.takeIfPresent(5, image.basic.terminationFlags);
  return r.ok();
}

bool readGsmBasic(TParametres& image, const IniFile& ini) {
  GsmBasicPart& b = image.basic;
  FieldReader r(ini, kGsm);
  if (std::vector<std::string> pairs; r.key("G101", "").takeAll(pairs))
    b.causePairs = firstOf(pairs, kMaxCausePairs);
  r.key("G08", "2,9,9,3");
  r.take(1, b.callDelay);
  r.take(2, b.minNumbersFromVoip);
  r.take(3, b.maxNumbersFromVoip);
  r.take(4, b.waitForNextDigit);
  r.key("G100", "102,21,41,42");
  r.take(1, b.lackOfDigitsCause);
  r.take(2, b.restrictedPrefixCause);
  r.take(3, b.moduleNotReadyCause);
  r.take(4, b.noModuleReadyCause);
  r.key("G09", "0,0,0,0,0");
  r.take(1, b.g09Flags);
  r.take(2, b.dialTone);
  r.take(3, b.ringTone);
  r.take(4, b.busyToneToGsm);
  r.takeIfPresent(5, b.terminationFlags);
  r.key("G02", "0,2,2");
  r.take(1, b.siemensTone);
  r.take(2, b.siemensTxVolume);
  r.take(3, b.siemensRxVolume);
  r.key("G04", "0,3,3");
  r.take(1, b.wavecomEchoCancelling);
  r.take(2, b.wavecomTxVolume);
  r.take(3, b.wavecomRxVolume);
  r.key("G103", "0,2,2,2,0");
  r.take(2, b.sierraTxVolume);
  r.take(3, b.sierraRxVolume);
  r.take(4, b.sierraNetworkUse);
  r.take(5, b.sierraSearchPriority);
  r.keyIn(kEthernet, "E04", "32,32");
  r.take(1, b.outputAudioLevel);
  r.take(2, b.inputAudioLevel);
  return r.ok();
}

bool readGroups(TParametres& image, const IniFile& ini) {
  FieldReader r(ini, kGroups);
  takeGroupDigits(r, "G90", image.groups.incomingGroup);
  takeGroupDigits(r, "G00", image.groups.outgoingGroup);
  return r.ok();
}

bool readOutgoing(TParametres& image, const IniFile& ini) {
  auto& groups = image.outgoing;
  FieldReader r(ini, kOutgoing);
  if (std::string text; r.key("S85", "").takeWhole(text)) {
    for (OutgoingGroup& g : groups) g.smsNoAnswerText = text;
  }
  if (std::string text; r.key("S86", "").takeWhole(text)) {
    for (OutgoingGroup& g : groups) g.smsAllCallsText = text;
  }
  r.key("G109", "").takeWhole(groups[0].clipToGsmModification);
  if (int flags = 0; r.keyIn(kEthernet, "E08", "0,0").take(1, flags)) {
    groups[0].clipFromInvite = (flags & kClipFromInviteBit) != 0 ? 1 : 0;
  }
  for (std::size_t n = 1; n <= kGroupCount; ++n) {
    OutgoingGroup& g = groups[n - 1];
    r.key(keyName('G', n, '1'), ",2,0,0,1,1,1,0");
    r.take(1, g.roamingNetwork);
    r.take(2, g.clirMode);
    r.take(3, g.maxCalledNumbers);
    r.take(4, g.smsMessagesNumber);
    r.take(5, g.statsDeleteDay);
    r.take(6, g.minimalCallLength);
    r.take(7, g.lengthPrecision);
    r.take(8, g.pseudoTariff);
    r.key(keyName('G', n, '9'), "0,1,0,1,0,0,");
    r.take(1, g.delayAlerting);
    r.take(2, g.delayConnect);
    r.take(3, g.disconnectMode);
    r.take(4, g.groupStatsDeleteDay);
    r.take(5, g.groupFlags);
    r.take(6, g.smsNoAnswerDelay);
    takeSeparator(r, 7, g.clipToGsmSeparator);
  }
  return r.ok();
}

bool readIncoming(TParametres& image, const IniFile& ini) {
  auto& groups = image.incoming;
  FieldReader r(ini, kIncoming);
  r.key("G99", "0,0");
  if (int hours = 0; r.take(1, hours)) {
    for (IncomingGroup& g : groups) g.clipKeepHours = hours;
  }
  if (int flags = 0; r.take(2, flags)) {
    for (IncomingGroup& g : groups) {
      g.addOnlyUnconnected = (flags & kAddOnlyUnconnectedBit) != 0;
      g.deleteOnConnected = (flags & kDeleteOnConnectedBit) != 0;
    }
  }
  r.key("G199", "").takeWhole(groups[0].clipToVoipModification);
  for (std::size_t n = 1; n <= kGroupCount; ++n) {
    IncomingGroup& g = groups[n - 1];
    r.key("G9" + std::to_string(n), "0,3,3,10,1,,");
    r.take(1, g.incomingMode);
    r.take(2, g.minDtmfDigits);
    r.take(3, g.maxDtmfDigits);
    r.take(4, g.dtmfTimeout);
    r.take(5, g.statsDeleteDay);
    r.take(6, g.disaPrefix);
    r.take(7, g.clip);
    r.key("G9" + std::to_string(n + kGroupCount), "").takeAll(g.calledNumbers);
    r.key("G19" + std::to_string(n), "0,");
    takeSeparator(r, 2, g.clipToVoipSeparator);
  }
  return r.ok();
}

bool readNetwork(TParametres& image, const IniFile& ini) {
  FieldReader r(ini, kNetwork);
  for (std::size_t n = 1; n <= kNetworkListCount; ++n) {
    NetworkList& l = image.network[n - 1];
    r.key(keyName('N', n, '0'), "/").takeAll(l.replacedPrefixes);
    r.key(keyName('N', n, '1'), "0,1,2,3,4,5,6,7,8,9").takeAll(l.prefixes);
    r.key(keyName('N', n, '9'), ",9");
    r.take(1, l.networkId);
    r.take(2, l.defaultDigits);
  }
  return r.ok();
}

bool readAutorouting(TParametres& image, const IniFile& ini) {
  FieldReader r(ini, kAutorouting);
  return takeRecords(r.key("A", ""), kAutoRecordFields, image.tables.autorouting);
}

bool readExtension(TParametres& image, const IniFile& ini) {
  FieldReader r(ini, kExtension);
  return takeRecords(r.key("M", ""), kExtRecordFields, image.tables.extension);
}

bool readLcr(TParametres& image, const IniFile& ini) {
  FieldReader r(ini, kLcr);
  return takeRecords(r.key("L", "1,0:00/24:00,1,0"), kLcrRecordFields, image.tables.lcr);
}

bool readHolidays(TParametres& image, const IniFile& ini) {
  FieldReader r(ini, kSystem);
  r.key("X20", "00.00,00.00");
  r.take(1, image.system.winterDate);
  r.take(2, image.system.summerDate);
  std::vector<std::string> holidays;
  std::vector<std::string> later;
  if (r.keyIn(kGsm, "G06", "").takeAll(holidays) && r.keyIn(kGsm, "G07", "").takeAll(later)) {
    holidays.insert(holidays.end(), later.begin(), later.end());
    image.basic.holidaysLeftOut = holidays.size() > kMaxHolidays ? holidays.size() - kMaxHolidays : 0;
    image.basic.holidays = firstOf(std::move(holidays), kMaxHolidays);
  }
  return r.ok();
}

}  // namespace gw::pfile

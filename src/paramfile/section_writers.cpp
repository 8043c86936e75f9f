// The write step of each parameter-file section: the keys and value forms of every page.

#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

#include "base/text.h"
#include "paramfile/file_sections.h"
#include "paramfile/record_text.h"

namespace gw::pfile {

namespace {

std::string num(long long value) {
  return std::to_string(value);
}

// A character field: the one character, or nothing for 0.
std::string chr(char c) {
  return c ? std::string(1, c) : std::string();
}

std::string list(std::initializer_list<std::string> items) {
  return joinFields(std::vector<std::string>(items));
}

std::string firstItems(const std::vector<std::string>& items, std::size_t from, std::size_t count) {
  std::vector<std::string> part;
  for (std::size_t i = from; i < items.size() && i < from + count; ++i) part.push_back(items[i]);
  return joinFields(part);
}

// All records of a table as one list, each record exactly `fieldCount` fields long.
std::string recordList(const std::vector<std::string>& records, std::size_t fieldCount) {
  std::vector<std::string> fields;
  for (const std::string& record : records) {
    for (std::string& f : recordFields(record, fieldCount)) fields.push_back(std::move(f));
  }
  return joinFields(fields);
}

// The fields of the value the file holds now (what this save has written so far included).
std::vector<std::string> currentFields(const IniFile& ini, std::string_view section, std::string_view key,
                                       std::string_view def) {
  return splitFields(ini.readString(section, key, def));
}

int numberOr(const std::vector<std::string>& fields, std::size_t index, int fallback) {
  return index < fields.size() ? toInt(fields[index]).value_or(fallback) : fallback;
}

std::optional<int> firstNumber(const std::vector<std::string>& fields) {
  return fields.empty() ? std::nullopt : toInt(fields[0]);
}

int withBit(int value, int bit, bool set) {
  return set ? (value | bit) : (value & ~bit);
}

std::string groupDigits(const std::array<int, kGroupCount>& groups) {
  std::string digits;
  for (int g : groups) digits += static_cast<char>('0' + ((g >= 0 && g <= kMaxGroupIndex) ? g : 0));
  return digits;
}

}  // namespace

void writeGateway(const TParametres& image, IniFile& ini) {
  ini.writeString(kGateway, "ati3", image.identification.ati3);
  ini.writeString(kGateway, "ati4", image.identification.ati4);
}

void writeSystem(const TParametres& image, IniFile& ini) {
  const SystemPart& s = image.system;
  ini.writeString(kSystem, "X30", list({s.startDialling, s.endDialling, s.endOfDialling}));
  ini.writeString(kSystem, "X31", list({s.hold, s.hang}));
  ini.writeString(kSystem, "X32", list({s.followOn, s.followOff}));
  ini.writeString(kSystem, "X33", list({s.smsOn, s.smsOff}));
  ini.writeString(kSystem, "S70", s.ipAddress);
  ini.writeString(kSystem, "S71", s.subnetMask);
  ini.writeString(kSystem, "S72", s.ipRouter);
  ini.writeString(kSystem, "S91", list({num(s.cdrMode), num(s.unitId)}));
  ini.writeString(kSystem, "S98", s.pin);
  ini.writeString(kSystem, "X24", num(s.firmwarePort));
}

void writeEthernet(const TParametres& image, IniFile& ini) {
  const EthernetPart& e = image.ethernet;
  const GsmBasicPart& b = image.basic;
  ini.writeString(kEthernet, "E01",
                  list({chr(e.codecPriority1), chr(e.codecPriority2), chr(e.codecPriority3)}));
  ini.writeString(kEthernet, "E02",
                  list({num(e.registrationExpires), num(e.reattemptRegistration), num(e.nextStunRequest)}));
  ini.writeString(kEthernet, "E03", list({num(e.firstRtpPort), num(e.lastRtpPort)}));
  ini.writeString(kEthernet, "E09", num(e.statsDeleteDay));
  ini.writeString(kEthernet, "E10", e.sipProxyIpToGsm + ":" + num(e.proxyIpToGsmPort));
  ini.writeString(kEthernet, "E11", e.sipProxyGsmToIp + ":" + num(e.proxyGsmToIpPort));
  ini.writeString(kEthernet, "E14", e.sipRegister + ":" + num(e.registerPort));
  ini.writeString(kEthernet, "E16", e.natFirewall);
  ini.writeString(kEthernet, "E17", e.stunServer + ":" + num(e.stunPort));
  ini.writeString(kEthernet, "E20", list({num(e.g711Blocks), num(e.g711Vad)}));
  const long long g723Field = e.g723Vad + (e.g723BitRate == 1 ? kG723LowRateVadOffset : 0LL);
  ini.writeString(kEthernet, "E23", list({num(e.g723Blocks), num(g723Field)}));
  ini.writeString(kEthernet, "E29", list({num(e.g729Blocks), num(e.g729Vad)}));
  ini.writeString(kEthernet, "E80", list({e.user, e.password}));
  ini.writeString(kEthernet, "E81", e.registerDomain);
  ini.writeString(kEthernet, "E82", e.name);

  // Dial and ring tone belong to the GSM basic page: they stay as the file has them.
  const auto g09 = currentFields(ini, kGsmUpper, "G09", "0,0,0,0");
  ini.writeString(kGsmUpper, "G09",
                  list({num(b.g09Flags), num(numberOr(g09, 1, 0)), num(numberOr(g09, 2, 0)),
                        num(b.busyToneToGsm), num(b.terminationFlags)}));
  ini.writeString(kEthernet, "Codec", num(e.codecChoice));

  // Bit 0x20 of the SIP flags is the outgoing groups' setting: a file that already holds it keeps it, so
  // saving this page alone does not undo the other page's choice.
  int flags = e.sipFlags;
  if (const auto current = ini.value(kEthernet, "E08")) {
    if (const auto fileFlags = firstNumber(splitFields(*current))) {
      flags = withBit(flags, kClipFromInviteBit, (*fileFlags & kClipFromInviteBit) != 0);
    }
  }
  ini.writeString(kEthernet, "E08", list({num(flags), num(e.ringToneFromVoip), num(e.sipFlags2)}));
}

void writeGsmBasic(const TParametres& image, IniFile& ini) {
  const GsmBasicPart& b = image.basic;
  ini.writeString(kEthernet, "E04", list({num(b.outputAudioLevel), num(b.inputAudioLevel)}));
  ini.writeString(kGsm, "G02", list({num(b.siemensTone), num(b.siemensTxVolume), num(b.siemensRxVolume)}));
  ini.writeString(kGsm, "G04",
                  list({num(b.wavecomEchoCancelling), num(b.wavecomTxVolume), num(b.wavecomRxVolume)}));
  ini.writeString(kGsm, "G08",
                  list({num(b.callDelay), num(b.minNumbersFromVoip), num(b.maxNumbersFromVoip),
                        num(b.waitForNextDigit)}));
  // The four refusal causes are read back from G100, so they are stored there as well.
  ini.writeString(kGsm, "G100",
                  list({num(b.lackOfDigitsCause), num(b.restrictedPrefixCause), num(b.moduleNotReadyCause),
                        num(b.noModuleReadyCause)}));
  ini.writeString(kGsm, "G09",
                  list({num(b.g09Flags), num(b.dialTone), num(b.ringTone), num(b.busyToneToGsm),
                        num(b.terminationFlags)}));
  ini.writeString(kGsm, "G103",
                  "0," + list({num(b.sierraTxVolume), num(b.sierraRxVolume), num(b.sierraNetworkUse),
                               num(b.sierraSearchPriority)}));
  ini.writeString(kGsm, "G101", firstItems(b.causePairs, 0, kMaxCausePairs));
}

void writeGroups(const TParametres& image, IniFile& ini) {
  ini.writeString(kGroups, "G00", groupDigits(image.groups.outgoingGroup));
  ini.writeString(kGroups, "G90", groupDigits(image.groups.incomingGroup));
}

void writeOutgoing(const TParametres& image, IniFile& ini) {
  const OutgoingGroup& first = image.outgoing[0];
  ini.writeString(kOutgoing, "S85", first.smsNoAnswerText);
  ini.writeString(kOutgoing, "S86", first.smsAllCallsText);
  for (std::size_t n = 1; n <= kGroupCount; ++n) {
    const OutgoingGroup& g = image.outgoing[n - 1];
    ini.writeString(
        kOutgoing, keyName('G', n, '1'),
        list({g.roamingNetwork, num(g.clirMode), num(g.maxCalledNumbers), num(g.smsMessagesNumber),
              num(g.statsDeleteDay), num(g.minimalCallLength), num(g.lengthPrecision), num(g.pseudoTariff)}));
    ini.writeString(
        kOutgoing, keyName('G', n, '9'),
        list({num(g.delayAlerting), num(g.delayConnect), num(g.disconnectMode), num(g.groupStatsDeleteDay),
              num(g.groupFlags), num(g.smsNoAnswerDelay), chr(g.clipToGsmSeparator)}));
  }
  ini.writeString(kOutgoing, "G109", first.clipToGsmModification);

  // E08 as the file holds it now, only its bit 0x20 changed.
  std::vector<std::string> e08 = currentFields(ini, kEthernet, "E08", "0");
  if (e08.empty()) e08.emplace_back();
  e08[0] = num(withBit(numberOr(e08, 0, 0), kClipFromInviteBit, first.clipFromInvite == 1));
  ini.writeString(kEthernet, "E08", joinFields(e08));
}

void writeIncoming(const TParametres& image, IniFile& ini) {
  const IncomingGroup& first = image.incoming[0];
  const int recordFlags = (first.addOnlyUnconnected ? kAddOnlyUnconnectedBit : 0) |
                          (first.deleteOnConnected ? kDeleteOnConnectedBit : 0);
  for (std::size_t n = 1; n <= kGroupCount; ++n) {
    const IncomingGroup& g = image.incoming[n - 1];
    ini.writeString(kIncoming, "G9" + num(static_cast<long long>(n)),
                    list({num(g.incomingMode), num(g.minDtmfDigits), num(g.maxDtmfDigits), num(g.dtmfTimeout),
                          num(g.statsDeleteDay), g.disaPrefix, g.clip}));
    ini.writeString(kIncoming, "G9" + num(static_cast<long long>(n + kGroupCount)),
                    joinFields(g.calledNumbers));
    ini.writeString(kIncoming, "G19" + num(static_cast<long long>(n)), "0," + chr(g.clipToVoipSeparator));
  }
  // Gateway-wide: the keep hours and the two record flags, taken from record 1.
  ini.writeString(kIncoming, "G99", list({num(first.clipKeepHours), num(recordFlags)}));
  ini.writeString(kIncoming, "G199", first.clipToVoipModification);
}

void writeNetwork(const TParametres& image, IniFile& ini) {
  for (std::size_t n = 1; n <= kNetworkListCount; ++n) {
    const NetworkList& l = image.network[n - 1];
    ini.writeString(kNetwork, keyName('N', n, '0'), joinFields(l.replacedPrefixes));
    ini.writeString(kNetwork, keyName('N', n, '1'), joinFields(l.prefixes));
    ini.writeString(kNetwork, keyName('N', n, '9'), list({l.networkId, num(l.defaultDigits)}));
  }
}

void writeAutorouting(const TParametres& image, IniFile& ini) {
  ini.writeString(kAutorouting, "A", recordList(image.tables.autorouting, kAutoRecordFields));
}

void writeExtension(const TParametres& image, IniFile& ini) {
  ini.writeString(kExtension, "M", recordList(image.tables.extension, kExtRecordFields));
}

namespace {

void writeDates(const TParametres& image, IniFile& ini) {
  ini.writeString(kSystem, "X20", list({image.system.winterDate, image.system.summerDate}));
}

void writeHolidayList(const TParametres& image, IniFile& ini) {
  ini.writeString(kGsm, "G06", firstItems(image.basic.holidays, 0, kHolidaysPerKey));
  ini.writeString(kGsm, "G07",
                  firstItems(image.basic.holidays, kHolidaysPerKey, kMaxHolidays - kHolidaysPerKey));
}

}  // namespace

void writeLcr(const TParametres& image, IniFile& ini) {
  writeDates(image, ini);
  writeHolidayList(image, ini);
  ini.writeString(kLcr, "L", recordList(image.tables.lcr, kLcrRecordFields));
}

void writeHolidays(const TParametres& image, IniFile& ini) {
  writeHolidayList(image, ini);
  writeDates(image, ini);
}

}  // namespace gw::pfile

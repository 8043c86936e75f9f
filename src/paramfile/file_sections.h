#pragma once
// Section names of the parameter file and the write and read step of each section, shared by the writer, the
// reader and the driver that runs them in order.

#include <string>
#include <string_view>

#include "base/ini_file.h"
#include "paramfile/param_section.h"
#include "paramfile/parametres.h"

namespace gw::pfile {

inline constexpr std::string_view kGateway = "Gateway";
inline constexpr std::string_view kSystem = "System parametres";
inline constexpr std::string_view kEthernet = "Ethernet parametres";
// One section, spelt two ways: the Ethernet step writes G09 under the first, every other step the second.
inline constexpr std::string_view kGsmUpper = "GSM parametres";
inline constexpr std::string_view kGsm = "Gsm parametres";
inline constexpr std::string_view kGroups = "Groups assignment";
inline constexpr std::string_view kOutgoing = "Outgoing groups";
inline constexpr std::string_view kIncoming = "Incoming groups";
inline constexpr std::string_view kNetwork = "Network list";
inline constexpr std::string_view kAutorouting = "Autorouting table";
inline constexpr std::string_view kExtension = "Extension table";
inline constexpr std::string_view kLcr = "Lcr table";

inline constexpr int kClipFromInviteBit = 0x20;     // E08 field 1: the outgoing groups' "From" choice
inline constexpr int kAddOnlyUnconnectedBit = 0x1;  // G99 field 2
inline constexpr int kDeleteOnConnectedBit = 0x2;
inline constexpr int kG723LowRateVadOffset = 2;  // E23 field 2 carries the 5.3 kbps choice as VAD + 2
inline constexpr int kMaxGroupIndex = 3;

// "G21", "N39": a letter, a group or list number and a register digit.
inline std::string keyName(char letter, std::size_t n, char suffix) {
  return std::string(1, letter) + std::to_string(n) + suffix;
}

void writeGateway(const TParametres& image, IniFile& ini);
void writeSystem(const TParametres& image, IniFile& ini);
void writeEthernet(const TParametres& image, IniFile& ini);
void writeGsmBasic(const TParametres& image, IniFile& ini);
void writeGroups(const TParametres& image, IniFile& ini);
void writeOutgoing(const TParametres& image, IniFile& ini);
void writeIncoming(const TParametres& image, IniFile& ini);
void writeNetwork(const TParametres& image, IniFile& ini);
void writeAutorouting(const TParametres& image, IniFile& ini);
void writeExtension(const TParametres& image, IniFile& ini);
void writeLcr(const TParametres& image, IniFile& ini);
void writeHolidays(const TParametres& image, IniFile& ini);

// Each returns false when the section stopped at a bad or missing field.
void readGateway(TParametres& image, const IniFile& ini);
bool readSystem(TParametres& image, const IniFile& ini);
bool readEthernet(TParametres& image, const IniFile& ini);
bool readGsmBasic(TParametres& image, const IniFile& ini);
bool readGroups(TParametres& image, const IniFile& ini);
bool readOutgoing(TParametres& image, const IniFile& ini);
bool readIncoming(TParametres& image, const IniFile& ini);
bool readNetwork(TParametres& image, const IniFile& ini);
bool readAutorouting(TParametres& image, const IniFile& ini);
bool readExtension(TParametres& image, const IniFile& ini);
bool readLcr(TParametres& image, const IniFile& ini);
bool readHolidays(TParametres& image, const IniFile& ini);

}  // namespace gw::pfile

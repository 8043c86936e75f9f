#pragma once
// The Ethernet page's registers that follow the pattern, as small tables in the order the page reads and
// writes them; the steps between them (E01, E08, E23's bit rate, E80, the servers' reading, G09) are the
// page's own code.

#include <string_view>
#include <vector>

#include "pages/register_rows.h"

namespace gw::ethernet {

inline constexpr std::string_view kSipRead = "AT&VE\r\n";
inline constexpr std::string_view kGsmRead = "AT&V0\r\n";
inline constexpr std::string_view kCodecsPriorityLine = "Ethernet settings - Codecs priority\n";

const RegisterTable& dayRows();           // E09
const RegisterTable& rtpRows();           // E03
const RegisterTable& g711Rows();          // E20
const RegisterTable& g723Rows();          // E23, read only: its write adds the bit rate
const RegisterTable& g729Rows();          // E29
const RegisterTable& registrationRows();  // E02
const RegisterTable& nameRows();          // E81, E82
const RegisterTable& serverRows();  // E10, E11, E14, E16, E17, written only: reading keeps what is missing

// Every table, for the check of the page's tables.
std::vector<const RegisterTable*> allTables();

}  // namespace gw::ethernet

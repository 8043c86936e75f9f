#include "pages/ethernet_registers.h"

namespace gw::ethernet {

namespace {

int sameVad(int checked) {
  return checked;
}
// A VAD is on when its field is exactly 1 (G.711, G.729) or odd (G.723, whose +2 is the bit rate).
std::optional<int> vadIsOne(int value) {
  return value == 1 ? 1 : 0;
}
std::optional<int> vadIsOdd(int value) {
  return value % 2 != 0 ? 1 : 0;
}

constexpr IndexMap kVadOne{sameVad, vadIsOne};
constexpr IndexMap kVadOdd{sameVad, vadIsOdd};

// The lines of the SIP server registers: the first is a send that fell short, the second a reply without OK.
constexpr WriteErrors kProxyToGsm{"Ethernet settings - SIP proxy (IP -> GSM)\n",
                                  "Ethernet settings - SIP proxy(IP -> GSM)\n"};
constexpr WriteErrors kProxyToIp{"Ethernet settings - SIP proxy(GSM -> IP)\n",
                                 "Ethernet settings - SIP proxy(GSM -> IP)\n"};
constexpr WriteErrors kSipRegister{"Ethernet settings - SIP register\n",
                                   "Ethernet settings - SIP register\n"};
constexpr WriteErrors kNat{"Ethernet settings - NAT firewall\n", "Ethernet settings - NAT firewall\n"};
constexpr WriteErrors kStun{"Ethernet settings - STUN  server\n", "Ethernet settings - STUN server\n"};

}  // namespace

// The Kestrin values stand for the fields that edition hides.
const RegisterTable& dayRows() {
  static const RegisterTable table = {
      {.key = "E09",
       .fields = {{"seEthernetDay", "0", "Ethernet settings - day of deleting stats", "0"}},
       .writeFormat = "AT%%E09=%d\r\n",
       .errors = {"Ethernet settings - Day of deleting statistics\n",
                  "Ethernet settings - Day of deleting statistics\n"}},
  };
  return table;
}

const RegisterTable& rtpRows() {
  static const RegisterTable table = {
      {.key = "E03",
       .fields = {{"edEthernetFirst", "8000", "Ethernet settings - First RTP port"},
                  {"edEthernetLast", "8998", "Ethernet settings - Last RTP port"}},
       .writeFormat = "AT%%E03=%s,%s\r\n",
       .errors = {"Ethernet settings - First RTP port, last RTP port\n",
                  "Ethernet settings - First RTP port, last RTP port\n"}},
  };
  return table;
}

const RegisterTable& g711Rows() {
  static const RegisterTable table = {
      {.key = "E20",
       .fields = {{"seEthernetCodecs1", "4", "Ethernet settings - G711", "4"},
                  {"cbEthernetCodecs1", "0", "Ethernet settings - G711 VAD", "0", kVadOne}},
       .writeFormat = "AT%%E20=%d,%d\r\n",
       .errors = {"Ethernet settings - Codec settings G711\n", "Ethernet settings - Codec settings G711\n"}},
  };
  return table;
}

const RegisterTable& g723Rows() {
  static const RegisterTable table = {
      {.key = "E23",
       .fields = {{"seEthernetCodecs2", "1", "Ethernet settings - G723"},
                  {"cbEthernetCodecs2", "0", "Ethernet settings - G723 VAD", nullptr, kVadOdd}}},
  };
  return table;
}

const RegisterTable& g729Rows() {
  static const RegisterTable table = {
      {.key = "E29",
       .fields = {{"seEthernetCodecs3", "2", "Ethernet settings - G729", "2"},
                  {"cbEthernetCodecs3", "0", "Ethernet settings - G729 VAD", "0", kVadOne}},
       .writeFormat = "AT%%E29=%d,%d\r\n",
       .errors = {"Ethernet settings - Codec settings G729\n", "Ethernet settings - Codec settings G729\n"}},
  };
  return table;
}

const RegisterTable& registrationRows() {
  static const RegisterTable table = {
      {.key = "E02",
       .fields = {{"edEthernetExpires", "600", "Ethernet settings - Registration expires"},
                  {"edEthernetRegistration", "10", "Ethernet settings - Reatempt registration"},
                  {"edEthernetRequest", "600", "Ethernet settings - Next STUN server request", "600"}},
       .writeFormat = "AT%%E02=%s,%s,%s\r\n",
       .errors = {"Ethernet settings - Registration expires, reatempt registration, STUN server request\n",
                  "Ethernet settings - Registration expires, reatempt registration, STUN server request\n"}},
  };
  return table;
}

// Written also when empty.
const RegisterTable& nameRows() {
  static const RegisterTable table = {
      {.key = "E81",
       .form = ValueForm::Whole,
       .fields = {{"edEthernetRegisterDomain"}},
       .writeFormat = "AT%%E81=%s\r\n",
       .errors = {"Ethernet settings - Register domain\n", "Ethernet settings - Register domain\n"}},
      {.key = "E82",
       .form = ValueForm::Whole,
       .fields = {{"edEthernetName"}},
       .writeFormat = "AT%%E82=%s\r\n",
       .errors = {"Ethernet settings - Name for call to SIP\n",
                  "Ethernet settings - Name for call to SIP\n"}},
  };
  return table;
}

// An empty address field leaves its register alone.
const RegisterTable& serverRows() {
  static const RegisterTable table = {
      {.key = "E10",
       .fields = {{"edEthernetSipProxyIP"}, {"edEthernetDefault1"}},
       .writeFormat = "AT%%E10=%s:%s\r\n",
       .errors = kProxyToGsm,
       .skip = kSkipWhenEmpty,
       .separator = ':'},
      {.key = "E11",
       .fields = {{"edEthernetSipProxyGsm"}, {"edEthernetDefault2"}},
       .writeFormat = "AT%%E11=%s:%s\r\n",
       .errors = kProxyToIp,
       .skip = kSkipWhenEmpty,
       .separator = ':'},
      {.key = "E14",
       .fields = {{"edEthernetSipRegister"}, {"edEthernetDefault3"}},
       .writeFormat = "AT%%E14=%s:%s\r\n",
       .errors = kSipRegister,
       .skip = kSkipWhenEmpty,
       .separator = ':'},
      {.key = "E16",
       .form = ValueForm::Whole,
       .fields = {{"edEthernetNatFirewall", nullptr, nullptr, "0.0.0.0"}},
       .writeFormat = "AT%%E16=%s\r\n",
       .errors = kNat,
       .skip = kSkipWhenEmpty},
      {.key = "E17",
       .fields = {{"edEthernetStunServer", nullptr, nullptr, "0.0.0.0"},
                  {"edEthernetDefault4", nullptr, nullptr, "3478"}},
       .writeFormat = "AT%%E17=%s:%s\r\n",
       .errors = kStun,
       .skip = kSkipWhenEmpty,
       .separator = ':'},
  };
  return table;
}

std::vector<const RegisterTable*> allTables() {
  return {&dayRows(),  &rtpRows(),          &g711Rows(), &g723Rows(),
          &g729Rows(), &registrationRows(), &nameRows(), &serverRows()};
}

}  // namespace gw::ethernet

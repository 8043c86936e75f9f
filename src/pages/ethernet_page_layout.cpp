// The Ethernet page as the window shows it: mode and statistics, the codec priorities and codec packets side
// by side; the SIP account and registration beside the SIP signalling options; the SIP servers, each with its
// "Use default port" box and port; the RTP ports beside the ring tone.

#include "pages/ethernet_page.h"

namespace gw {

namespace {
constexpr int kAddressChars = 15;
constexpr int kPortChars = 6;
constexpr int kNumberChars = 6;
constexpr int kSpinChars = 4;
constexpr int kTextChars = 24;
constexpr CaptionText kUseDefaultPort{1251, "Use default port"};
constexpr CaptionText kVad{1215, "VAD"};
}  // namespace

const FormLayout& ethernetPageLayout() {
  using K = ControlKind;
  static const FormLayout layout{
      "pEthernet",
      {
          {{
              {"GroupBox12",
               {},
               1,
               {
                   {K::Combo, "cbEthernetMode", {1200, "Mode/protocol: "}, nullptr, {}, kNumberChars},
                   {K::Spin,
                    "seEthernetDay",
                    {1201, "Day of deleting statistics :"},
                    nullptr,
                    {1202, "( 0=off)"},
                    kSpinChars},
                   {K::Check, "cbEthernetSimClient", {1203, "SIM Client"}},
               }},
              {"gbEthernet1",
               {1204, "Codecs priority :"},
               1,
               {
                   {K::Radio, "rbEthernetG729", {1205, "G.729"}},
                   {K::Radio, "rbEthernetG723", {1206, "G.723"}},
                   {K::Combo, "cbEthernetPriority1", {1207, "Pritority 1 :"}},
                   {K::Combo, "cbEthernetPriority2", {1208, "Priority 2 :"}},
                   {K::Combo, "cbEthernetPriority3", {1209, "Pritority 3 :"}},
               }},
              {"gbEthernet5",
               {1210, "Codec settings :"},
               2,
               {
                   {.kind = K::Label,
                    .name = "lbEthernetNumber",
                    .label = {1211, "Number of blocks :"},
                    .wide = true},
                   {K::Spin, "seEthernetCodecs1", {1212, "G711"}, nullptr, {}, kSpinChars},
                   {K::Check, "cbEthernetCodecs1", kVad},
                   {K::Spin, "seEthernetCodecs2", {1213, "G723"}, nullptr, {}, kSpinChars},
                   {K::Check, "cbEthernetCodecs2", kVad},
                   {K::Spin, "seEthernetCodecs3", {1214, "G729"}, nullptr, {}, kSpinChars},
                   {K::Check, "cbEthernetCodecs3", kVad},
                   {K::Combo, "cbEthernetBitrate", {1216, "G723 bit rate :"}},
               }},
          }},
          {{
              {"gbEthernet2",
               {1219, "SIP account :"},
               1,
               {
                   {K::Edit,
                    "edEthernetExpires",
                    {1220, "Registration expires :"},
                    nullptr,
                    {},
                    kNumberChars},
                   {K::Edit,
                    "edEthernetRegistration",
                    {1221, "Reatempt registration :"},
                    nullptr,
                    {},
                    kNumberChars},
                   {K::Edit,
                    "edEthernetRequest",
                    {1249, "Next STUN server request : "},
                    nullptr,
                    {1250, "( 60 - 6553s)"},
                    kNumberChars},
                   {K::Edit,
                    "edEthernetRegisterDomain",
                    {1222, "Register domain :"},
                    nullptr,
                    {},
                    kTextChars},
                   {K::Edit, "edEthernetUser", {1223, "Username :"}, nullptr, {}, kTextChars},
                   {K::Password, "edEthernetPassword", {1224, "Password :"}, nullptr, {}, kTextChars},
                   {K::Edit, "edEthernetName", {1225, "Name :"}, nullptr, {}, kAddressChars},
               }},
              {"gbEthernet6",
               {1230, "SIP protocol settings :"},
               1,
               {
                   {K::Check,
                    "cbEthernetSend180",
                    {1231, "Send 180 ringing instead of 183 session progress   "}},
                   {K::Check, "cbEthernetSend200", {1232, "Send 200 OK instead 180/183"}},
                   {K::Check, "cbEthernetSend486", {1233, "Send 486 when refused from GSM"}},
                   {K::Check, "cbEthernetClip", {1234, "Replace CLIP from GSM by registration name"}},
                   {K::Check, "cbEthernetSending", {1235, "Sending DTMF according to RFC2833"}},
               }},
          }},
          {{
              {"gbEthernet4",
               {1243, "SIP servers :"},
               3,
               {
                   {K::Edit,
                    "edEthernetSipProxyIP",
                    {1244, "SIP proxy ( IP->GSM ) : "},
                    nullptr,
                    {},
                    kAddressChars},
                   {K::Check, "cbEthernetDefault1", kUseDefaultPort},
                   {K::Edit, "edEthernetDefault1", {}, nullptr, {}, kPortChars},
                   {K::Edit,
                    "edEthernetSipProxyGsm",
                    {1245, "SIP proxy ( GSM-> IP)"},
                    nullptr,
                    {},
                    kAddressChars},
                   {K::Check, "cbEthernetDefault2", kUseDefaultPort},
                   {K::Edit, "edEthernetDefault2", {}, nullptr, {}, kPortChars},
                   {K::Edit, "edEthernetSipRegister", {1246, "SIP register :"}, nullptr, {}, kAddressChars},
                   {K::Check, "cbEthernetDefault3", kUseDefaultPort},
                   {K::Edit, "edEthernetDefault3", {}, nullptr, {}, kPortChars},
                   {K::Edit, "edEthernetStunServer", {1248, "STUN server : "}, nullptr, {}, kAddressChars},
                   {K::Check, "cbEthernetDefault4", kUseDefaultPort},
                   {K::Edit, "edEthernetDefault4", {}, nullptr, {}, kPortChars},
                   {K::Edit, "edEthernetNatFirewall", {1247, "NAT firewall :"}, nullptr, {}, kAddressChars},
               }},
          }},
          {{
              {"gbEthernet3",
               {1226, "RTP ports :"},
               1,
               {
                   {K::Edit, "edEthernetFirst", {1227, "First RTP port :"}, nullptr, {}, kNumberChars},
                   {K::Edit, "edEthernetLast", {1228, "Last RTP port :"}, nullptr, {}, kNumberChars},
                   {.kind = K::Label,
                    .name = "lbEthernetRtpHint",
                    .label = {1229, "Even ports above 1024; the last at least 10 above the first."},
                    .wide = true},
               }},
              {"gbEthernet7",
               {1236, "Tone signalling for calls from VoIP :"},
               1,
               {
                   {K::Combo, "cbEthernetGenToVoip", {1237, "Ring tone :"}},
               }},
          }},
      }};
  return layout;
}

}  // namespace gw

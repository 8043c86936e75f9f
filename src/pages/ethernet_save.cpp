// "Save to gate" of the Ethernet page: the registers in the gateway's order, the shared flags words read
// first and changed only in this page's bits, and the wait while the gateway re-initialises its voice
// processing after G.723 came into the codec list or left it.

#include <algorithm>

#include "base/cformat.h"
#include "base/text.h"
#include "link/link.h"
#include "pages/ethernet_page.h"
#include "pages/ethernet_registers.h"
#include "shell/connection.h"

namespace gw {

namespace {

using namespace ethernet;

// The line of a pre-read of the SIP registers that failed; the SIP flags then start from 0.
constexpr std::string_view kSipUnread = "Ethernet settings - SIP protocol settings (not read)\n";
constexpr std::string_view kSipFlagsLine = "Ethernet settings - SIP protocol settings\n";
constexpr std::string_view kDtmfLine = "Ethernet settings - Sending DTMF according to RFC2833\n";
constexpr std::string_view kGsmUnread = "Basic settings - All parametres\n";
constexpr std::string_view kVoiceRestarted = "Init: OK\r\n";
constexpr std::string_view kOk = "OK";
constexpr std::size_t kChunkCapacity = 1024;

// E08 field 3 and G09 field 5: present only on gateways that report them.
constexpr std::size_t kSecondFlagsField = 2;
constexpr std::size_t kTerminationField = 4;
constexpr std::size_t kBusyToneField = 3;

int withBit(int word, int bit, bool on) {
  return on ? (word | bit) : (word & ~bit);
}

int chosenPayloadType(const ChoiceField& list) {
  const auto i = static_cast<std::size_t>(list.index);
  return i < list.items.size() ? payloadType(list.items[i]) : 0;
}

bool sentWhole(Link& link, std::string_view command) {
  return link.commSend(command) == static_cast<int>(command.size());
}

}  // namespace

void EthernetPage::ethernetSave() {
  saveRegisters(dayRows());
  const GatewaySip gateway = readGatewaySip();
  saveSipFlags(gateway);
  saveRegisters(serverRows());
  saveRegisters(registrationRows());
  saveAccount();
  saveRegisters(nameRows());
  saveRegisters(rtpRows());
  saveRegisters(g711Rows());
  saveG723();
  saveRegisters(g729Rows());
  saveCodecPriorities(gateway);
  saveDtmf();
}

// What the gateway holds now: whether its codec list has G.723, and its E08 fields.
EthernetPage::GatewaySip EthernetPage::readGatewaySip() {
  GatewaySip gateway;
  const bool sent = sentWhole(link(), kSipRead);
  link().clock().sleep(kRegisterReplyPauseMs);
  const std::string reply = link().commReceive(kReplyBufferSize);
  if (!sent || !contains(reply, kOk)) {
    appendError(kSipUnread);
    return gateway;
  }
  const std::vector<std::string> codecs = dumpFields("E01=", reply);
  gateway.g723 = std::find(codecs.begin(), codecs.end(), std::to_string(kG723PayloadType)) != codecs.end();
  gateway.e08 = dumpFields("E08=", reply);
  return gateway;
}

// The gateway's E08 with this page's bits set; its third field only when it has one.
void EthernetPage::saveSipFlags(const GatewaySip& gateway) {
  int word = fieldNumber(gateway.e08, 0).value_or(0);
  word = withBit(word, kSend180Bit, cbEthernetSend180.checked);
  word = withBit(word, kSend486Bit, cbEthernetSend486.checked);
  if (!kestrin()) {
    word = withBit(word, kSend200Bit, cbEthernetSend200.checked);
    word = withBit(word, kReplaceClipBit, cbEthernetClip.checked);
  }
  std::string command;
  if (gateway.e08.size() > kSecondFlagsField) {
    const int second = withBit(fieldNumber(gateway.e08, kSecondFlagsField).value_or(0), kSimClientBit,
                               cbEthernetSimClient.checked);
    command = cformat(kCommandBufferSize, "AT%%E08=%d,%d,%d\r\n", word, cbEthernetGenToVoip.index, second);
  } else {
    command = cformat(kCommandBufferSize, "AT%%E08=%d,%d\r\n", word, cbEthernetGenToVoip.index);
  }
  writeRegister(command, kSipFlagsLine);
}

// The SIP account goes only whole: half of it is listed and nothing is sent.
void EthernetPage::saveAccount() {
  const bool user = !edEthernetUser.text.empty();
  const bool password = !edEthernetPassword.text.empty();
  if (user && password) {
    writeRegister(cformat(kCommandBufferSize, "AT%%E80=%s/%s\r\n", edEthernetUser.text.c_str(),
                          edEthernetPassword.text.c_str()),
                  "Ethernet settings - Username, password\n");
  } else if (password) {
    appendError("Ethernet settings - Username, password (Username is missing)\n");
  } else if (user) {
    appendError("Ethernet settings - Username, password (Password is missing)\n");
  }
}

// E23's second field is the VAD plus 2 for 5.3 kbps.
void EthernetPage::saveG723() {
  constexpr int kLowRateOffset = 2;
  constexpr int kKestrinBlocks = 1;
  const int blocks = kestrin() ? kKestrinBlocks : seEthernetCodecs2.value;
  const int vad =
      kestrin() ? 0
                : (cbEthernetCodecs2.checked ? 1 : 0) + (cbEthernetBitrate.index == 1 ? kLowRateOffset : 0);
  writeRegister(cformat(kCommandBufferSize, "AT%%E23=%d,%d\r\n", blocks, vad),
                "Ethernet settings - Codec settings G723\n");
}

void EthernetPage::saveCodecPriorities(const GatewaySip& gateway) {
  std::array<int, kPriorityListCount> codes{};
  for (std::size_t i = 0; i < kPriorityListCount; ++i) codes[i] = chosenPayloadType(*priorities()[i]);
  const std::string command =
      kestrin() ? cformat(kCommandBufferSize, "AT%%E01=%d,%d\r\n", codes[0], codes[1])
                : cformat(kCommandBufferSize, "AT%%E01=%d,%d,%d\r\n", codes[0], codes[1], codes[2]);
  if (!sentWhole(link(), command)) appendError(kCodecsPriorityLine);
  const auto sent = codes.begin() + static_cast<long>(activePriorityLists());
  const bool g723 = std::find(codes.begin(), sent, kG723PayloadType) != sent;
  if (g723 != gateway.g723) {
    waitForVoiceRestart();
    return;
  }
  link().clock().sleep(kRegisterReplyPauseMs);
  if (!contains(link().commReceive(kReplyBufferSize), kOk)) appendError(kCodecsPriorityLine);
}

// The gateway re-initialises its voice processing. The serial console stays logged in and says so (its
// reads start a second apart, so the wait stays within ten seconds); the LAN console closes, so the link is
// closed and opened anew once the gateway is back.
void EthernetPage::waitForVoiceRestart() {
  if (!ctx_.lanLink()) {
    Clock& clock = link().clock();
    for (int read = 0; read < kVoiceRestartReads; ++read) {
      const std::int64_t readAt = clock.nowMs();
      if (contains(link().commReadChunk(kChunkCapacity), kVoiceRestarted)) return;
      const std::int64_t nextRead = readAt + kVoiceRestartReadPauseMs;
      if (read + 1 < kVoiceRestartReads && nextRead > clock.nowMs())
        clock.sleep(static_cast<int>(nextRead - clock.nowMs()));
    }
    appendError(kCodecsPriorityLine);
    return;
  }
  const bool progressShown = link().commBusy;
  link().clock().sleep(kVoiceRestartLanPauseMs);
  ctx_.connection.disconnectCommand();
  link().clock().sleep(kVoiceRestartLanPauseMs);
  const bool connected = ctx_.connection.commConnect(false);
  // Connecting closes the progress window; the save goes on under it.
  if (progressShown) ctx_.connection.showProgress(ProgressKind::Saving);
  if (!connected) appendError(kCodecsPriorityLine);
}

// G09 as the gateway holds it, only bit 0x40 of its flags set from this page. The Kestrin edition has no
// RFC2833 switch: the bit is cleared there.
void EthernetPage::saveDtmf() {
  const bool sent = sentWhole(link(), kGsmRead);
  link().clock().sleep(kRegisterReplyPauseMs);
  const std::string reply = link().commReceive(kWholeDumpCapacity);
  if (!sent || !contains(reply, kOk)) {
    appendError(kGsmUnread);
    return;
  }
  GsmBasicPart& basic = ctx_.image.basic;
  const bool rfc2833 = !kestrin() && cbEthernetSending.checked;
  const std::vector<std::string> g09 = dumpFields("G09=", reply);
  const int word = withBit(fieldNumber(g09, 0).value_or(basic.g09Flags), kRfc2833Bit, rfc2833);
  const int dial = fieldNumber(g09, 1).value_or(0);
  const int ring = fieldNumber(g09, 2).value_or(0);
  const int busy = fieldNumber(g09, kBusyToneField).value_or(basic.busyToneToGsm);
  std::string command;
  if (g09.size() > kTerminationField) {
    const int termination = fieldNumber(g09, kTerminationField).value_or(basic.terminationFlags);
    command = cformat(kCommandBufferSize, "AT%%G09=%d,%d,%d,%d,%d\r\n", word, dial, ring, busy, termination);
  } else {
    command = cformat(kCommandBufferSize, "AT%%G09=%d,%d,%d,%d\r\n", word, dial, ring, busy);
  }
  writeRegister(command, kDtmfLine);
  basic.g09Flags = withBit(basic.g09Flags, kRfc2833Bit, rfc2833);
}

}  // namespace gw

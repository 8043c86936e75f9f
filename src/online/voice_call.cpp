#include "online/voice_call.h"

#include <algorithm>
#include <vector>

#include "base/caption_ids.h"
#include "base/cformat.h"
#include "base/text.h"

namespace gw {

namespace {

// The longest indication looked for, less one: what of a read is kept for the next.
constexpr std::size_t kCarryBytes = 19;
constexpr std::size_t kChunkCapacity = 4096;
constexpr std::size_t kReplyCapacity = 1024;
// After the answer the gateway gets this long for each of its two steps into the recording.
constexpr int kRecordStepPauseMs = 200;
// Hanging up gives the gateway this long between the line end and "AT!D".
constexpr int kHangUpPauseMs = 100;
constexpr int kMsPerSecond = 1000;

constexpr int kConnecting = 429;
constexpr int kProceeding = 430;
constexpr int kAlerting = 431;
constexpr int kRecording = 432;
constexpr int kDisconnecting = 433;
constexpr int kUserBusy = 434;
constexpr int kDisconnected = 435;
constexpr int kRecorded = 522;
constexpr int kNotAnswered = 2532;

}  // namespace

CaptionText voiceCallStatusText(int caption) {
  static const std::vector<CaptionText> texts = {
      {kConnecting, "Conecting ... "}, {kProceeding, "Proceeding ... "},       {kAlerting, "Alerting ... "},
      {kRecording, "Recording ... "},  {kDisconnecting, "Disconnecting ... "}, {kUserBusy, "User busy ... "},
      {kDisconnected, "Disconnected"},
  };
  for (const CaptionText& t : texts) {
    if (t.caption == caption) return t;
  }
  return {kNoCaption, ""};
}

void IndicationText::add(std::string_view chunk) {
  const std::size_t keep = std::min(text_.size(), kCarryBytes);
  text_ = text_.substr(text_.size() - keep);
  text_.append(chunk);
  freshFrom_ = keep;
}

bool IndicationText::has(std::string_view indication) const {
  for (std::size_t at = text_.find(indication); at != std::string::npos;
       at = text_.find(indication, at + 1)) {
    if (at + indication.size() > freshFrom_) return true;
  }
  return false;
}

void IndicationText::clear() {
  text_.clear();
  freshFrom_ = 0;
}

bool VoiceCall::sendAll(std::string_view command) {
  return ctx_.link.commSend(command) == static_cast<int>(command.size());
}

bool VoiceCall::failed() {
  ctx_.host.messageBox(Message{ctx_.captions.at(cap::kCommunicationFailed),
                               ctx_.captions.at(cap::kErrorTitle), MessageKind::Error,
                               cap::kCommunicationFailed, cap::kErrorTitle});
  return false;
}

bool VoiceCall::dial(const std::string& number, bool erase) {
  if (active_ || !ctx_.connection.commConnect(false)) return false;
  Link& link = ctx_.link;
  if (!sendAll("AT!D\r\n")) return failed();
  link.commReadChunk(kChunkCapacity);
  if (!sendAll("AT!RX\r\n") || !contains(link.commReceive(kReplyCapacity), "OK")) return failed();
  if (erase && (!sendAll("AT!M0=ERASE\r") || !contains(link.commReceive(kReplyCapacity), "OK")))
    return failed();
  if (!sendAll(cformat(kCommandBufferSize, "AT!SG00=%s\r", number.c_str()))) return failed();
  active_ = true;
  recording_ = false;
  announced_ = false;
  status_ = kConnecting;
  startMs_ = ctx_.clock.nowMs();
  end_ = End::None;
  output_.clear();
  return true;
}

int VoiceCall::secondsLeft() {
  if (!active_ || !recording_) return kRecordingSeconds;
  const std::int64_t elapsed = (ctx_.clock.nowMs() - recordingStartMs_) / kMsPerSecond;
  return static_cast<int>(std::max<std::int64_t>(kRecordingSeconds - elapsed, 0));
}

// What arrived since the last pass, without waiting: the page stays free for Hang between passes.
std::string VoiceCall::readOutput() {
  Link& link = ctx_.link;
  if (link.comm.linkType == kSerialLink) {
    // A pass reads what is there and stops at the first pause, not after a command's read time-out.
    link.setTerminalTimeouts();
    std::string text = link.commReadChunk(kChunkCapacity);
    link.setCommandTimeouts();
    return text;
  }
  ctx_.clock.processEvents();  // the receive poll moves what arrived into the buffer
  return link.takeReceivedText();
}

bool VoiceCall::linkGone() {
  Link& link = ctx_.link;
  if (link.comm.linkType == kSerialLink) return !link.comm.portHandle || link.serialPortGone();
  return !link.tcpActive();
}

void VoiceCall::poll() {
  if (!active_) return;
  if (linkGone()) {
    finish(End::LinkLost);
    if (ctx_.link.comm.connected) ctx_.connection.linkLost(LinkLoss::Silent);
    return;
  }
  output_.add(readOutput());
  ctx_.link.touchActivity();  // the call is an exchange of its own: no keep-alive in the middle of it
  if (output_.has("Recording message...")) {
    status_ = kRecording;
    announced_ = true;
  }
  if (announced_ && output_.has("\r\nOK\r\n")) {
    hangUpOnGateway();
    return finish(End::Recorded);
  }
  if (output_.has("proc.ind")) status_ = kProceeding;
  if (output_.has("alert.ind")) status_ = kAlerting;
  if (output_.has("setup.conf")) answered();
  if (output_.has("disc.ind") || (recording_ && secondsLeft() == 0) || output_.has("CAU-timeout") ||
      output_.has("CAU-tempfail")) {
    status_ = kDisconnecting;
    hangUpOnGateway();
    return finish(End::Disconnected);
  }
  if (output_.has("CAU-userbusy") || output_.has("BUSY")) {
    status_ = kUserBusy;
    hangUpOnGateway();
    return finish(End::Busy);
  }
  if (output_.has("ATH")) return finish(End::HungUp);
  // A gateway that reports nothing would keep the call open for ever: it gets as long as a recording.
  if (!recording_ && ctx_.clock.nowMs() - startMs_ > kRecordingSeconds * kMsPerSecond) {
    status_ = kDisconnecting;
    hangUpOnGateway();
    finish(End::NotAnswered);
  }
}

// The called party answered: the recording starts and its countdown with it.
void VoiceCall::answered() {
  status_ = kRecording;
  recording_ = true;
  recordingStartMs_ = ctx_.clock.nowMs();
  sendAll("\r\n");
  ctx_.clock.sleep(kRecordStepPauseMs);
  ctx_.link.commReadChunk(kChunkCapacity);
  sendAll("AT!M0=record\r\n");
  ctx_.clock.sleep(kRecordStepPauseMs);
}

void VoiceCall::hangUp() {
  if (!active_) return;
  hangUpOnGateway();
  finish(End::HungUp);
}

void VoiceCall::abandon() {
  if (!active_) return;
  if (!linkGone()) hangUpOnGateway();
  finish(End::LinkLost);
}

void VoiceCall::hangUpOnGateway() {
  Link& link = ctx_.link;
  bool sent = sendAll("\r\n");
  if (sent) {
    ctx_.clock.sleep(kHangUpPauseMs);
    sent = sendAll("AT!D\r\n");
  }
  if (sent) link.commReadChunk(kChunkCapacity);
  if (sent && link.comm.linkType != kSerialLink) {
    sent = sendAll("AT!D\r\n");
    if (sent) link.commReadChunk(kChunkCapacity);
  }
  if (sent) sent = sendAll("\r\n");
  // The call ends here all the same: a loop that waited on a link that takes nothing would never end.
  if (!sent) failed();
}

void VoiceCall::finish(End end) {
  active_ = false;
  // A busy called party stays on the page: the user sees why nothing was recorded.
  status_ = end == End::Busy ? kUserBusy : kDisconnected;
  end_ = end == End::LinkLost || !recording_ ? end : End::Recorded;
  if (recording_ && end != End::LinkLost) {
    ctx_.host.messageBox(Message{ctx_.captions.at(kRecorded), ctx_.captions.at(cap::kQuestionTitle),
                                 MessageKind::Information, kRecorded, cap::kQuestionTitle});
  }
  if (end == End::NotAnswered) {
    ctx_.host.messageBox(Message{ctx_.captions.at(kNotAnswered), ctx_.captions.at(cap::kErrorTitle),
                                 MessageKind::Error, kNotAnswered, cap::kErrorTitle});
  }
  recording_ = false;
}

}  // namespace gw

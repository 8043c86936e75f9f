#include "online/voice_transfer.h"

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "base/caption_ids.h"
#include "base/files.h"
#include "base/text.h"
#include "firmware/xmodem.h"
#include "shell/connection.h"

namespace gw {

namespace {

constexpr std::size_t kViewReplyCapacity = 512;
constexpr std::size_t kReadReplyCapacity = 512;
constexpr std::size_t kResyncReplyCapacity = 512;
constexpr std::size_t kOverviewReplyCapacity = 512;
// After a failed read the gateway's console is brought back with this many line ends.
constexpr int kResyncLineEnds = 10;
// The temporary file a message is received into, beside the WAV file it becomes.
constexpr const char* kPartSuffix = ".part";

constexpr int kSerialOnly = 68;
constexpr int kOverwriteQuestion = 69;
constexpr int kReadDone = 70;
constexpr int kFileMissing = 71;
constexpr int kWriteDone = 72;
constexpr int kReadingCaption = 428;
constexpr int kWritingCaption = 427;
constexpr int kReceivedPacket = 170;
constexpr int kTransmittedPacket = 171;
constexpr int kNotReadable = 477;
constexpr int kNotInGateway = 489;
constexpr int kFileUnreadable = 2531;

void show(OnlineContext& p, int text, int title, MessageKind kind) {
  p.host.messageBox(Message{p.captions.at(text), p.captions.at(title), kind, text, title});
}

VoiceOutcome failed(OnlineContext& p) {
  show(p, cap::kCommunicationFailed, cap::kErrorTitle, MessageKind::Error);
  return VoiceOutcome::Failed;
}

VoiceOutcome fileFailed(OnlineContext& p, int text) {
  show(p, text, cap::kErrorTitle, MessageKind::Error);
  return VoiceOutcome::FileError;
}

// Connected over the serial link; otherwise what the caller returns (the LAN link is refused with its
// message).
std::optional<VoiceOutcome> serialLinkRefusal(OnlineContext& p) {
  if (!p.connection.commConnect(false)) return VoiceOutcome::NotConnected;
  if (p.link.comm.linkType != kSerialLink) {
    show(p, kSerialOnly, cap::kErrorTitle, MessageKind::Error);
    return VoiceOutcome::Refused;
  }
  if (!p.link.comm.portHandle) return VoiceOutcome::NotConnected;
  return std::nullopt;
}

// Commands of a transfer go straight to the port: nothing of them goes to the LOG.
bool sendDirect(Link& link, std::string_view command) {
  return link.serialWrite(command) == static_cast<int>(command.size());
}

// The firmware progress window for as long as a transfer runs: the main window disabled, the keep-alive held
// off, and a Cancel that stops the transfer (Ctrl+C in gwctl).
class TransferWindow {
 public:
  TransferWindow(OnlineContext& p, int caption, const char* englishCaption, int status,
                 const char* englishStatus, std::int64_t maximum)
      : p_(p), busyBefore_(p.link.commBusy), prefix_(p.captions.labelOr(status, englishStatus)) {
    p_.host.showFirmProgress(p_.captions.labelOr(caption, englishCaption), prefix_, maximum);
    p_.host.setMainEnabled(false);
    p_.link.commBusy = true;
    Link& link = p_.link;
    p_.host.setCancel([&link] { link.requestCancel(); });
  }
  ~TransferWindow() {
    p_.host.setCancel(nullptr);
    p_.link.clearCancel();
    p_.link.commBusy = busyBefore_;
    p_.host.hideFirmProgress();
    p_.host.setMainEnabled(true);
  }
  TransferWindow(const TransferWindow&) = delete;
  TransferWindow& operator=(const TransferWindow&) = delete;

  // The port, the clock, the Cancel and the progress, as the transfer needs them.
  XmodemLine line() {
    OnlineContext& p = p_;
    return XmodemLine{*p.link.comm.portHandle, p.clock,
                      [&p] {
                        p.clock.processEvents();
                        return p.link.cancelRequested();
                      },
                      [&p, prefix = prefix_](int blocks, std::int64_t bytes) {
                        p.link.touchActivity();
                        p.host.setFirmProgress(prefix + std::to_string(blocks), bytes);
                      }};
  }

 private:
  OnlineContext& p_;
  bool busyBefore_;
  std::string prefix_;
};

// The properties of one message, from "AT!M%d=view\r\n" sent straight to the port.
std::optional<VoiceProperties> viewOnPort(OnlineContext& p, int message, VoiceOutcome& outcome) {
  Link& link = p.link;
  if (!sendDirect(link, voiceViewCommand(message))) {
    outcome = failed(p);
    return std::nullopt;
  }
  const std::string reply = link.serialRead(kViewReplyCapacity);
  if (reply.empty() || contains(reply, "ERROR") || contains(reply, "BUSY")) {
    show(p, kNotReadable, cap::kErrorTitle, MessageKind::Error);
    outcome = VoiceOutcome::Refused;
    return std::nullopt;
  }
  return parseVoiceProperties(reply);
}

// After a failed read the gateway may still be sending: ten line ends bring its console back.
void resynchronise(OnlineContext& p) {
  std::string lineEnds;
  for (int i = 0; i < kResyncLineEnds; ++i) lineEnds += "\r\n";
  if (sendDirect(p.link, lineEnds)) {
    p.link.commReceive(kResyncReplyCapacity);
  } else {
    show(p, cap::kCommunicationFailed, cap::kErrorTitle, MessageKind::Error);
  }
}

bool putInPlace(const std::string& part, const std::string& path) {
  std::error_code error;
  std::filesystem::rename(part, path, error);
  return !error;
}

}  // namespace

VoiceOutcome readVoiceMessage(OnlineContext& p, int message, const std::string& path,
                              std::vector<std::string>& memo) {
  if (const std::optional<VoiceOutcome> refusal = serialLinkRefusal(p)) return *refusal;
  memo.clear();
  if (fileExists(path)) {
    const Answer a =
        p.host.messageBox(Message{p.captions.at(kOverwriteQuestion), p.captions.at(cap::kQuestionTitle),
                                  MessageKind::Question, kOverwriteQuestion, cap::kQuestionTitle});
    if (a != Answer::Yes) return VoiceOutcome::Declined;
  }
  VoiceOutcome outcome = VoiceOutcome::Failed;
  const std::optional<VoiceProperties> properties = viewOnPort(p, message, outcome);
  if (!properties) return outcome;
  const std::optional<std::int64_t> length = properties->length();
  if (!length) {
    show(p, properties->present() ? kNotReadable : kNotInGateway, cap::kErrorTitle, MessageKind::Error);
    return VoiceOutcome::Refused;
  }
  for (const std::string& line : voicePropertyLines(p.captions, *properties)) memo.push_back(line);

  // The file is made before the gateway is asked to send: one that cannot be made costs no transfer.
  const std::string part = path + kPartSuffix;
  std::ofstream target(part, std::ios::binary | std::ios::trunc);
  if (!target) return fileFailed(p, cap::kFileWriteFailed);
  if (!sendDirect(p.link, voiceReadCommand(message))) {
    target.close();
    std::remove(part.c_str());
    memo.clear();
    return failed(p);
  }
  p.link.serialRead(kReadReplyCapacity);  // the echo and the gateway's answer, not looked at
  XmodemEnd end = XmodemEnd::Stopped;
  {
    TransferWindow window(p, kReadingCaption, "Reading voice message ... ", kReceivedPacket,
                          "Received packet :", *length);
    XmodemLine line = window.line();
    end = receiveXmodem(line, target, *length);
    target.close();
    if (end == XmodemEnd::Done && !target) end = XmodemEnd::FileError;
  }
  if (end == XmodemEnd::Done) {
    if (!putInPlace(part, path)) {
      std::remove(part.c_str());
      return fileFailed(p, cap::kFileWriteFailed);
    }
    show(p, kReadDone, cap::kQuestionTitle, MessageKind::Information);
    return VoiceOutcome::Done;
  }
  std::remove(part.c_str());
  memo.clear();
  const VoiceOutcome result = end == XmodemEnd::FileError ? fileFailed(p, cap::kFileWriteFailed) : failed(p);
  resynchronise(p);
  return result;
}

VoiceOutcome writeVoiceMessage(OnlineContext& p, int message, const std::string& path,
                               std::vector<std::string>& memo) {
  if (const std::optional<VoiceOutcome> refusal = serialLinkRefusal(p)) return *refusal;
  if (!fileExists(path)) {
    show(p, kFileMissing, cap::kQuestionTitle, MessageKind::Error);
    return VoiceOutcome::FileError;
  }
  std::ifstream source(path, std::ios::binary);
  std::error_code error;
  const std::uintmax_t size = std::filesystem::file_size(path, error);
  if (!source || error) return fileFailed(p, kFileUnreadable);
  memo.push_back("File length : " + std::to_string(size));
  if (!sendDirect(p.link, voiceWriteCommand(message))) {
    memo.clear();
    return failed(p);
  }
  XmodemEnd end = XmodemEnd::Stopped;
  {
    TransferWindow window(p, kWritingCaption, "Writing voice message ... ", kTransmittedPacket,
                          "Transmitted packet : ", static_cast<std::int64_t>(size));
    XmodemLine line = window.line();
    end = sendXmodem(line, source);
  }
  if (end == XmodemEnd::Done) {
    show(p, kWriteDone, cap::kQuestionTitle, MessageKind::Information);
    return VoiceOutcome::Done;
  }
  memo.clear();
  return end == XmodemEnd::FileError ? fileFailed(p, kFileUnreadable) : failed(p);
}

VoiceOutcome readVoiceOverview(OnlineContext& p, VoiceOverview& overview) {
  if (!p.connection.commConnect(false)) return VoiceOutcome::NotConnected;
  p.connection.showProgress(ProgressKind::LoadingGateway);
  for (int m = 0; m < kVoiceMessageCount; ++m) {
    const std::string command = voiceViewCommand(m);
    if (p.link.commSend(command) != static_cast<int>(command.size())) {
      p.connection.hideProgress();
      return failed(p);
    }
    overview[static_cast<std::size_t>(m)] = parseVoiceProperties(p.link.commReceive(kOverviewReplyCapacity));
  }
  p.connection.hideProgress();
  return VoiceOutcome::Done;
}

}  // namespace gw

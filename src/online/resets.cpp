#include "online/resets.h"

#include "base/caption_ids.h"
#include "base/cformat.h"
#include "base/text.h"

namespace gw {

namespace {

constexpr int kLcrRecords = 64;
constexpr int kExtensionRecords = 32;
constexpr std::size_t kClearReplyCapacity = 16;
constexpr std::size_t kChunkCapacity = 1024;
constexpr int kLanRestartWaitMs = 5000;
constexpr int kSerialRestartLimitS = 15;
constexpr int kSerialReadPauseMs = 100;
constexpr std::string_view kRestartedMark = "Init: OK";
constexpr std::string_view kDefaultLcrRecord = "AT%R00=1,0:00/24:00,1,0\r\n";

const char* const kResetWindowCaption = "Gateway reset";
const char* const kResettingText = "Gateway is reseting ... please wait ...";
const char* const kDeletingTablesText = "Deleting LCR and ME table ... please wait ...";

bool ask(OnlineContext& p, int question) {
  const Answer a = p.host.messageBox(Message{p.captions.at(question), p.captions.at(cap::kQuestionTitle),
                                             MessageKind::Question, question, cap::kQuestionTitle});
  return a == Answer::Yes;
}

void showResetWindow(OnlineContext& p, int label, const char* englishLabel) {
  p.host.showResetWindow(p.captions.labelOr(cap::kResetWindowTitle, kResetWindowCaption),
                         p.captions.labelOr(label, englishLabel));
}

void closeResetWindow(OnlineContext& p) {
  p.host.setMainEnabled(true);
  p.host.hideResetWindow();
}

ResetOutcome fail(OnlineContext& p) {
  p.host.messageBox(Message{p.captions.at(cap::kResetFailed), p.captions.at(cap::kErrorTitle),
                            MessageKind::Error, cap::kResetFailed, cap::kErrorTitle});
  return ResetOutcome::Failed;
}

bool sendAll(Link& link, std::string_view command) {
  return link.commSend(command) == static_cast<int>(command.size());
}

// After the reset command: the LAN link is closed and opened anew; the serial link waits for the gateway's
// start-up line, which must arrive within one read.
bool waitForRestart(OnlineContext& p) {
  Link& link = p.link;
  if (link.comm.linkType != kSerialLink) {
    p.clock.sleep(kLanRestartWaitMs);
    p.connection.disconnectCommand();
    return p.connection.commConnect(false);
  }
  const std::int64_t start = p.clock.nowSeconds();
  const std::int64_t startMs = p.clock.nowMs();
  while (p.clock.nowSeconds() - start < kSerialRestartLimitS &&
         p.clock.nowMs() - startMs < kSerialRestartLimitS * 1000) {
    const std::string chunk = link.commReadChunk(kChunkCapacity);
    p.clock.sleep(kSerialReadPauseMs);
    p.clock.processEvents();
    if (contains(chunk, kRestartedMark)) return link.comm.connected;
  }
  return false;
}

ResetOutcome finishReset(OnlineContext& p, std::string_view command, int doneText) {
  if (!sendAll(p.link, command)) {
    closeResetWindow(p);
    return fail(p);
  }
  const bool restarted = waitForRestart(p);
  closeResetWindow(p);
  if (!restarted || !p.link.comm.connected) return fail(p);
  p.host.messageBox(Message{p.captions.at(doneText), p.captions.at(cap::kQuestionTitle),
                            MessageKind::Information, doneText, cap::kQuestionTitle});
  return ResetOutcome::Done;
}

}  // namespace

ResetOutcome gatewayReset(OnlineContext& p) {
  if (!p.connection.commConnect(false)) return ResetOutcome::NotConnected;
  if (!ask(p, cap::kResetQuestion)) return ResetOutcome::Declined;
  showResetWindow(p, cap::kResetting, kResettingText);
  p.host.setMainEnabled(false);
  return finishReset(p, "AT&BSYS=RESET\r\n", cap::kResetDone);
}

ResetOutcome factoryReset(OnlineContext& p) {
  if (!p.connection.commConnect(false)) return ResetOutcome::NotConnected;
  if (!ask(p, cap::kFactoryResetQuestion)) return ResetOutcome::Declined;
  showResetWindow(p, cap::kDeletingTables, kDeletingTablesText);
  p.host.setMainEnabled(false);

  Link& link = p.link;
  for (int i = 0; i < kLcrRecords; ++i) {
    // The replies are not examined: a record that is already empty may answer either way.
    link.commSend(cformat(kCommandBufferSize, "AT%%R%d=\r\n", i));
    link.commReceive(kClearReplyCapacity);
    if (i < kExtensionRecords) {
      link.commSend(cformat(kCommandBufferSize, "AT%%M%d=\r\n", i));
      link.commReceive(kClearReplyCapacity);
    }
  }
  link.commSend(kDefaultLcrRecord);
  link.commReceive(kClearReplyCapacity);

  showResetWindow(p, cap::kResetting, kResettingText);
  return finishReset(p, "AT&FRES\r\n", cap::kFactoryResetDone);
}

}  // namespace gw

#include "recording_call.h"

#include <algorithm>

#include "reply.h"

namespace gwsim {
namespace {

constexpr const char* kProceeding = "\r\nGSM1: CC proc.ind\r\n";
constexpr const char* kAlerting = "\r\nGSM1: CC alert.ind\r\n";
constexpr const char* kAnswered = "\r\nGSM1: CC setup.conf\r\n";
constexpr const char* kDisconnected = "\r\nGSM1: CC disc.ind\r\n";
constexpr const char* kUserBusy = "\r\nGSM1: CAU-userbusy\r\n";
constexpr const char* kTimeout = "\r\nGSM1: CAU-timeout\r\n";
constexpr const char* kAnnouncement = "\r\nRecording message...\r\n";
constexpr const char* kRecordingDone = "\r\nOK\r\n";
// A call that is not answered gives up after this many steps.
constexpr int kNoAnswerSteps = 6;
// The called party of --call hangup hangs up this many steps after answering.
constexpr int kHangUpSteps = 2;

}  // namespace

void RecordingCall::reset() {
  events_.clear();
  answered_ = false;
  recordingFromMs_.reset();
  recordingEndsMs_.reset();
}

void RecordingCall::dial(std::int64_t nowMs) {
  reset();
  const auto at = [&](int steps) { return nowMs + std::int64_t{steps} * config_.stepMs; };
  switch (config_.mode) {
    case CallMode::Answer:
      events_ = {{at(1), kProceeding}, {at(2), kAlerting}, {at(3), kAnswered, true}};
      break;
    case CallMode::Busy:
      events_ = {{at(1), kProceeding}, {at(2), kUserBusy, false, true}};
      break;
    case CallMode::NoAnswer:
      events_ = {{at(1), kProceeding}, {at(2), kAlerting}, {at(kNoAnswerSteps), kTimeout, false, true}};
      break;
    case CallMode::HangUp:
      events_ = {{at(1), kProceeding},
                 {at(2), kAlerting},
                 {at(3), kAnswered, true},
                 {at(3 + kHangUpSteps), kDisconnected, false, true}};
      break;
    case CallMode::Silent:
      break;
  }
}

RecordingCall::Due RecordingCall::carryOut(CallOrder order, std::int64_t nowMs) {
  switch (order) {
    case CallOrder::Dial:
      dial(nowMs);
      return {};
    case CallOrder::Record:
      return {record(nowMs).value_or(errorReply()), std::nullopt};
    case CallOrder::HangUp:
      return {"", hangUp(nowMs)};
  }
  return {};
}

std::optional<std::string> RecordingCall::record(std::int64_t nowMs) {
  if (!answered_ || recordingFromMs_) return std::nullopt;
  recordingFromMs_ = nowMs;
  recordingEndsMs_ = nowMs + config_.recordMs;
  return std::string(kAnnouncement);
}

std::optional<int> RecordingCall::hangUp(std::int64_t nowMs) {
  std::optional<int> recorded;
  if (recordingFromMs_ && recordingEndsMs_) {
    recorded = static_cast<int>(std::min(nowMs, *recordingEndsMs_) - *recordingFromMs_);
  }
  reset();
  return recorded;
}

RecordingCall::Due RecordingCall::due(std::int64_t nowMs) {
  Due due;
  while (!events_.empty() && events_.front().atMs <= nowMs) {
    const Event event = events_.front();
    events_.erase(events_.begin());
    due.text += event.text;
    answered_ = answered_ || event.answers;
    if (event.ends && recordingFromMs_) {  // the called party hung up during the recording
      due.recordedMs = static_cast<int>(event.atMs - *recordingFromMs_);
      recordingFromMs_.reset();
      recordingEndsMs_.reset();
    }
    if (event.ends) answered_ = false;
  }
  if (recordingEndsMs_ && *recordingEndsMs_ <= nowMs) {
    due.text += kRecordingDone;
    due.recordedMs = config_.recordMs;
    recordingEndsMs_.reset();
    recordingFromMs_.reset();
  }
  return due;
}

std::optional<std::int64_t> RecordingCall::nextDueMs() const {
  std::optional<std::int64_t> next = recordingEndsMs_;
  if (!events_.empty() && (!next || events_.front().atMs < *next)) next = events_.front().atMs;
  return next;
}

}  // namespace gwsim

#pragma once
// Recording voice message 0 through a GSM call: the gateway dials a phone ("AT!SG00=<number>\r") and reports
// the call's progress in its output ("proc.ind", "alert.ind", "setup.conf", "disc.ind", causes); once the
// called party answers, it records what is said ("AT!M0=record\r\n") while the page counts 60 seconds down.
// The call lives while its owner polls it; Hang ends it. Over both links.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "online/online_context.h"
#include "pages/fields.h"

namespace gw {

// What the gateway printed since the last read, after the tail of the read before: an indication split
// between two reads is still found, and one found already is not found again.
class IndicationText {
 public:
  void add(std::string_view chunk);
  bool has(std::string_view indication) const;
  void clear();

 private:
  std::string text_;
  std::size_t freshFrom_ = 0;
};

// The call's state text of a caption (429 "Conecting ... " … 435 "Disconnected"); none for -1.
CaptionText voiceCallStatusText(int caption);

class VoiceCall {
 public:
  // The recording's countdown; an unanswered call is given as long from its start.
  static constexpr int kRecordingSeconds = 60;
  // How often the owner polls a running call.
  static constexpr int kPollIntervalMs = 50;
  // The longest number the dial command holds whole.
  static constexpr int kMaxNumberLength = 40;

  // How the last call ended.
  enum class End { None, Recorded, Busy, Disconnected, NotAnswered, HungUp, LinkLost };

  explicit VoiceCall(OnlineContext& context) : ctx_(context) {}

  // Connects and starts the call; false when it did not start (not connected, or the message said why).
  bool dial(const std::string& number, bool erase);
  // One pass of the call: what the gateway reported since the last one, and the countdown.
  void poll();
  // Hang: the gateway hangs up and the call ends here.
  void hangUp();
  // The link is about to close: the call ends, and the gateway hangs up while it can still be told.
  void abandon();

  bool active() const { return active_; }
  // The called party answered: the recording runs (the Hang button reads "Stop & Hang").
  bool recording() const { return recording_; }
  // The caption of the call's state text (429 "Conecting ... " … 435 "Disconnected"), or -1 before any call.
  int statusCaption() const { return status_; }
  // The countdown as the page shows it: 60 until the recording starts.
  int secondsLeft();
  End lastEnd() const { return end_; }

 private:
  bool failed();
  bool sendAll(std::string_view command);
  std::string readOutput();
  bool linkGone();
  void answered();
  void hangUpOnGateway();
  void finish(End end);

  OnlineContext& ctx_;
  IndicationText output_;
  bool active_ = false;
  bool recording_ = false;
  bool announced_ = false;
  int status_ = -1;
  std::int64_t startMs_ = 0;
  std::int64_t recordingStartMs_ = 0;
  End end_ = End::None;
};

}  // namespace gw

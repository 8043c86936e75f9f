#pragma once
// The voice message page pVoice: the properties of a message, a message read into a WAV file or a WAV file
// written into a message (by XMODEM, over the serial link only), the overview of all nine messages
// (TfVoice), and message 0 recorded through a GSM call with its countdown and Hang.

#include <string>
#include <vector>

#include "online/online_tool.h"
#include "online/voice_call.h"
#include "online/voice_transfer.h"
#include "pages/form_layout.h"

namespace gw {

class VoiceTool : public OnlineTool {
 public:
  explicit VoiceTool(const OnlineContext& context);

  ChoiceField cbVoiceType;
  TextField edVoiceFile;
  RadioField rgVoiceDirection;  // rbVoiceRead, rbVoiceWrite
  TextField mVoice;
  TextField edVoiceGsmDial;
  CheckField cbVoiceErase;
  FieldView sbVoiceDial;
  CaptionField sbVoiceHang;  // "Hang", "Stop & Hang" while recording
  CaptionField lbVoiceStatus;
  TextField lbVoiceTime;

  std::vector<NamedField> fields() override;
  std::vector<Button> buttons() override;

  bool enter() override;
  // Leaving the topic during a call hangs up, as Hang does.
  void leave() override;
  void disconnecting() override;
  // tVoice and the call loop: what the gateway reported, and the countdown.
  int tickIntervalMs() const override { return VoiceCall::kPollIntervalMs; }
  void tick() override;
  // A running call reads the gateway's output on every tick: the keep-alive stays quiet meanwhile.
  bool keepsLinkBusy() const override { return call_.active(); }

  VoiceOutcome sbVoiceReadWriteClick();
  void sbVoiceFileClick();
  void cbVoiceTypeChange();
  VoiceOutcome sbVoiceInfoClick();
  void sbVoiceDialClick();
  void sbVoiceHangClick();

  const VoiceCall& call() const { return call_; }
  // The overview the last sbVoiceInfoClick read.
  const VoiceOverview& overview() const { return overview_; }

 protected:
  void edited(std::string_view name) override;

 private:
  void showCall();
  void followDefaultFile();

  VoiceCall call_;
  VoiceOverview overview_;
  // Once the user picked a file with the dialog, the message type no longer names it.
  bool filePicked_ = false;
};

const FormLayout& voicePageLayout();

}  // namespace gw

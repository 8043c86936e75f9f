#include "online/voice.h"

#include "base/files.h"
#include "online/report_text.h"
#include "online/voice_info.h"

namespace gw {

namespace {

constexpr int kFirstTypeItem = 1;  // "Voice message "hello""
constexpr const char* kWaveFilter = "Microsoft Waveform Audio Files (*wav)|*.wav";
constexpr const char* kWavePattern = "*.wav";
constexpr int kReadDirection = 0;

constexpr CaptionText kHang{177, "Hang"};
constexpr CaptionText kStopAndHang{178, "Stop & Hang"};
constexpr CaptionText kOverviewTitle{2515, "Voice messages info"};

}  // namespace

VoiceTool::VoiceTool(const OnlineContext& context) : OnlineTool(context), call_(ctx_) {
  for (const VoiceMessageType& type : kVoiceMessageTypes) cbVoiceType.items.emplace_back(type.item);
  cbVoiceType.firstItemCaption = kVoiceMessageTypes[0].itemCaption;
  cbVoiceType.index = kFirstTypeItem;
  rgVoiceDirection.buttons = {"rbVoiceRead", "rbVoiceWrite"};
  edVoiceGsmDial.maxLength = VoiceCall::kMaxNumberLength;
  followDefaultFile();
  showCall();
}

std::vector<NamedField> VoiceTool::fields() {
  return {{"cbVoiceType", &cbVoiceType},           {"edVoiceFile", &edVoiceFile},
          {"rgVoiceDirection", &rgVoiceDirection}, {"mVoice", &mVoice},
          {"edVoiceGsmDial", &edVoiceGsmDial},     {"cbVoiceErase", &cbVoiceErase},
          {"sbVoiceDial", &sbVoiceDial},           {"sbVoiceHang", &sbVoiceHang},
          {"lbVoiceStatus", &lbVoiceStatus},       {"lbVoiceTime", &lbVoiceTime}};
}

std::vector<ControlSet::Button> VoiceTool::buttons() {
  return {{"sbVoiceFile", [this] { sbVoiceFileClick(); }},
          {"sbVoiceReadWrite", [this] { sbVoiceReadWriteClick(); }},
          {"sbVoiceInfo", [this] { sbVoiceInfoClick(); }},
          {"sbVoiceDial", [this] { sbVoiceDialClick(); }},
          {"sbVoiceHang", [this] { sbVoiceHangClick(); }}};
}

void VoiceTool::edited(std::string_view name) {
  if (name == "cbVoiceType") cbVoiceTypeChange();
}

bool VoiceTool::enter() {
  mVoice.set("");
  followDefaultFile();  // another gateway may have been selected since
  return true;
}

void VoiceTool::leave() {
  if (call_.active()) sbVoiceHangClick();
}

void VoiceTool::disconnecting() {
  call_.abandon();
  showCall();
}

void VoiceTool::tick() {
  if (!call_.active()) return;
  call_.poll();
  showCall();
}

void VoiceTool::cbVoiceTypeChange() {
  followDefaultFile();
}

void VoiceTool::followDefaultFile() {
  if (filePicked_) return;
  edVoiceFile.set(voiceMessageFile(captions_, ctx_.selection.gatewayFolder(), cbVoiceType.index));
}

void VoiceTool::sbVoiceFileClick() {
  std::string initial = edVoiceFile.text;
  if (initial.empty() || !fileExists(initial))
    initial = joinPath(ctx_.selection.gatewayFolder(), kWavePattern);
  const FileChoice choice{"", kWaveFilter, initial};
  const std::optional<std::string> chosen = rgVoiceDirection.index == kReadDirection
                                                ? ctx_.host.chooseSaveFile(choice)
                                                : ctx_.host.chooseOpenFile(choice);
  if (!chosen) return;
  edVoiceFile.set(*chosen);
  filePicked_ = true;
}

VoiceOutcome VoiceTool::sbVoiceReadWriteClick() {
  std::vector<std::string> memo;
  const VoiceOutcome outcome = rgVoiceDirection.index == kReadDirection
                                   ? readVoiceMessage(ctx_, cbVoiceType.index, edVoiceFile.text, memo)
                                   : writeVoiceMessage(ctx_, cbVoiceType.index, edVoiceFile.text, memo);
  if (outcome != VoiceOutcome::NotConnected && outcome != VoiceOutcome::Declined) mVoice.set(memoText(memo));
  return outcome;
}

VoiceOutcome VoiceTool::sbVoiceInfoClick() {
  overview_ = {};
  const VoiceOutcome outcome = readVoiceOverview(ctx_, overview_);
  if (outcome != VoiceOutcome::Done || ctx_.dialogs == nullptr) return outcome;
  VoiceInfo window(ctx_, overview_);
  ctx_.dialogs->show(window, voiceInfoLayout(),
                     captions_.labelOr(kOverviewTitle.caption, kOverviewTitle.text));
  return outcome;
}

void VoiceTool::sbVoiceDialClick() {
  call_.dial(edVoiceGsmDial.text, cbVoiceErase.checked);
  showCall();
}

void VoiceTool::sbVoiceHangClick() {
  call_.hangUp();
  showCall();
}

void VoiceTool::showCall() {
  lbVoiceStatus.text = voiceCallStatusText(call_.statusCaption());
  lbVoiceTime.text = std::to_string(call_.secondsLeft());
  sbVoiceHang.text = call_.recording() ? kStopAndHang : kHang;
  sbVoiceHang.enabled = call_.active();
  sbVoiceDial.enabled = !call_.active();
}

}  // namespace gw

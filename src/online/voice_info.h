#pragma once
// TfVoice, "Voice messages info": the properties of all nine voice messages at once, one group per message
// with its type and its five properties, or "Voice message is not in the gateway".

#include <array>

#include "online/online_context.h"
#include "online/voice_transfer.h"
#include "pages/control_set.h"
#include "pages/form_layout.h"

namespace gw {

class VoiceInfo : public ControlSet {
 public:
  VoiceInfo(const OnlineContext& context, const VoiceOverview& overview);

  std::array<TextField, kVoiceMessageCount> types;       // lbVoiceInfoType0 … 8
  std::array<TextField, kVoiceMessageCount> properties;  // lbVoiceInfo0 … 8

  std::vector<NamedField> fields() override;
};

const FormLayout& voiceInfoLayout();

}  // namespace gw

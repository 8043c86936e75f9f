// The voice message page as the window shows it: the transfer of one message (its type, the WAV file, the
// direction, Read/write and the overview), the recording call (number, erase, Dial and Hang, its state and
// countdown), and the memo with the message's properties.

#include "online/voice.h"

namespace gw {

const FormLayout& voicePageLayout() {
  using K = ControlKind;
  static const FormLayout layout{
      "pVoice",
      {
          {{
              {"gbVoiceTransfer",
               {2509, "Voice message transfer"},
               2,
               {
                   {K::Combo, "cbVoiceType", {2510, "Message :"}, nullptr, {}, 0, {}, true},
                   {K::Edit, "edVoiceFile", {2511, "WAV file :"}, nullptr, {}, 0, {}, true},
                   {K::Button, "sbVoiceFile", {2404, "..."}},
                   {K::Radio, "rbVoiceRead", {2512, "Read voice message"}},
                   {K::Radio, "rbVoiceWrite", {2513, "Write voice message"}},
                   {K::Button, "sbVoiceReadWrite", {2514, "Read/write"}},
                   {K::Button, "sbVoiceInfo", {2515, "Voice messages info"}},
               }},
              {"gbVoiceRecord",
               {2516, "Recording through a GSM call"},
               2,
               {
                   {K::Edit, "edVoiceGsmDial", {2517, "Phone number :"}, nullptr, {}, 0, {}, true},
                   {K::Check,
                    "cbVoiceErase",
                    {2518, "Erase message before recording"},
                    nullptr,
                    {},
                    0,
                    {},
                    true},
                   {K::Button, "sbVoiceDial", {2519, "Dial"}},
                   {K::Button, "sbVoiceHang", {177, "Hang"}},
                   {K::Label, "lbVoiceStatus", {}, nullptr, {}, 0, {}, true},
                   {K::Label, "lbVoiceTimeText", {2520, "Recording time left (s) :"}},
                   {K::Label, "lbVoiceTime"},
               }},
          }},
          {{
              {nullptr, {}, 1, {{K::Memo, "mVoice", {}, nullptr, {}, 0, {}, true}}},
          }},
      }};
  return layout;
}

}  // namespace gw

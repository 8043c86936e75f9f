#pragma once
// What a voice command asks of the console that took it: an XMODEM transfer of a message over the serial
// line, or a step of the recording call. The device answers the command; the console carries it out.

namespace gwsim {

struct VoiceTransfer {
  bool gatewaySends = false;  // "AT!M<n>=READ": the gateway sends; "AT!M<n>=WRITE": it takes
  int message = 0;
};

enum class CallOrder {
  Dial,    // "AT!SG00=<number>"
  Record,  // "AT!M0=record": the console answers it from its call
  HangUp,  // "AT!D"
};

}  // namespace gwsim

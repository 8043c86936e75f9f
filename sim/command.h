#pragma once
// Taking one command line of the AT console apart. Command names match without regard to case, as on a modem
// console; values are kept byte for byte.

#include <string>
#include <string_view>

#include "register_table.h"
#include "reports.h"

namespace gwsim {

enum class CommandKind {
  Empty,          // ""
  Attention,      // "AT"
  Identify3,      // "ATI3": product and versions
  Identify4,      // "ATI4": serial number
  ModeZero,       // "AT&M0"
  Dump,           // "AT&V" and the other read commands of the dump table
  Listing,        // "AT&R", "AT&A", "AT&M": a table listing, in pages
  RegisterAgain,  // "AT&m=reg": every mobility extension registers anew
  WriteRegister,  // "AT%S70=value", "AT%X24=", "AT%R5=", "AT%M0="
  Reset,          // "AT&BSYS=RESET"
  FactoryReset,   // "AT&FRES"
  Report,         // "AT&L", "AT&C", "AT&CR", "AT&TIN", "AT&TOUT"
  SetCounters,    // "AT%TGALL=0,0,0,0", "AT%TIALL=0,0", "AT%TMALL=0,0,0,0,0,0"
  TraceStart,     // "AT!L2".."AT!L4" (LAN and Telnet), "AT!R2".."AT!R4" (VoIP and GSM messages)
  TraceStop,      // "AT!RX"
  ModuleState,    // "AT&S00".."AT&S03": a GSM module's registration and identity
  Signal,         // "AT&Q0".."AT&Q3": a GSM module's signal level
  ActualCalls,    // "AT&X": the calls in progress
  VoiceView,      // "AT!M1=view": the properties of a voice message
  VoiceRead,      // "AT!M1=READ": the message by XMODEM to the client
  VoiceWrite,     // "AT!M1=WRITE": the message by XMODEM from the client
  VoiceErase,     // "AT!M0=ERASE"
  VoiceRecord,    // "AT!M0=record": record during the answered call
  CallDial,       // "AT!SG00=603123456": the recording call
  CallHangUp,     // "AT!D"
  EraseFlash,     // "AT!K3WP": erase the flash and restart into the boot loader
  Unknown,
};

struct Command {
  CommandKind kind = CommandKind::Unknown;
  DumpId dump = DumpId::None;     // for Dump
  int networkList = 0;            // for Dump: 1..8 for "AT&N1".."AT&N8", else 0
  TableId table = TableId::None;  // for Listing
  std::string key;                // for WriteRegister, normalized ("S70", "R05")
  std::string value;              // for WriteRegister: everything after the first "="

  // For Report; for SetCounters the set, whose values are in `value`.
  ReportId report = ReportId::None;
  CounterSet counters = CounterSet::None;
  char traceType = 0;     // for TraceStart: 'L' or 'R'
  int traceLevel = 0;     // for TraceStart: 2..4
  int module = 0;         // for ModuleState and Signal: the module slot named
  int voiceMessage = -1;  // for the voice commands: the message number as given
};

Command parseCommand(std::string_view line);

}  // namespace gwsim

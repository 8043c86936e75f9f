#pragma once
// The cleaning of received LAN blocks. The program answers no Telnet option: it keeps only printable ASCII
// and the control bytes of a console line, so negotiation bytes disappear.

#include <string>
#include <string_view>

namespace gw {

// Keeps, in order, the bytes 0x20..0x7E, CR, LF, BS and TAB; drops all others (an option code that happens
// to be printable stays).
std::string filterTelnetBytes(std::string_view block);

}  // namespace gw

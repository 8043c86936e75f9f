// What arrives on the LAN console: the Telnet byte filter, the login matcher, the end of a response however
// it is cut into pieces, and the terminal and trace displays. Input: a piece size, a capacity, then the
// bytes.

#include <algorithm>
#include <string>

#include "fuzz_support.h"
#include "link/lan_display.h"
#include "link/login.h"
#include "link/response.h"
#include "link/telnet_filter.h"
#include "link/terminal_text.h"
#include "link/text_display.h"

namespace {

bool keptByFilter(char c) {
  const auto u = static_cast<unsigned char>(c);
  return (u >= 0x20 && u <= 0x7E) || c == '\r' || c == '\n' || c == '\b' || c == '\t';
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  gw::fuzz::Input in(data, size);
  const std::size_t piece = std::max<std::size_t>(1, in.byte());
  const std::size_t capacity = in.byte() * 4u;
  const std::string bytes(in.rest());
  constexpr std::size_t kDisplayLines = 8;

  const std::string clean = gw::filterTelnetBytes(bytes);
  FUZZ_CHECK(std::all_of(clean.begin(), clean.end(), keptByFilter));
  FUZZ_CHECK(clean.size() ==
             static_cast<std::size_t>(std::count_if(bytes.begin(), bytes.end(), keptByFilter)));
  FUZZ_CHECK(gw::filterTelnetBytes(clean) == clean);
  FUZZ_CHECK(gw::asksForLogin(clean) == gw::asksForLogin(clean));

  // A response is complete, and keeps the same bytes, however the socket cut it.
  gw::ResponseCollector collector(capacity);
  for (std::size_t at = 0; at < clean.size(); at += piece)
    collector.add(std::string(clean.substr(at, piece)));
  FUZZ_CHECK(collector.complete() == gw::responseComplete(clean));
  FUZZ_CHECK(collector.text() == clean.substr(0, capacity));

  gw::TextDisplay display(kDisplayLines);
  gw::SerialTerminalState state;
  for (std::size_t at = 0; at < bytes.size(); at += piece) {
    gw::showSerialTerminalBlock(std::string(bytes.substr(at, piece)), state, display);
    gw::routeLanDisplay(std::string(clean.substr(std::min(at, clean.size()), piece)), display);
  }
  FUZZ_CHECK(display.lines().size() <= kDisplayLines);
  display.takeChanges();
  return 0;
}

#pragma once
// Reading register dumps and writing registers through the command exchange of a connected link. Commands
// arrive formatted (cformat into the page's command buffer); failures become lines of errorList and never
// stop the caller.

#include <cstddef>
#include <string>
#include <string_view>

#include "pages/error_list.h"

namespace gw {

class Link;

// A dump is read in at most this many attempts.
inline constexpr int kDumpAttempts = 3;
// Dumps and register replies are received into buffers of this size.
inline constexpr std::size_t kReplyBufferSize = 1024;
// writeRegister gives the gateway this long between the command and collecting the reply.
inline constexpr int kRegisterReplyPauseMs = 10;

// Dumps that grow with the configuration (long SMS texts, called-number and prefix lists) are received whole,
// up to their terminator, into a buffer this large: far above any real configuration, yet bounded.
inline constexpr std::size_t kWholeDumpCapacity = 256 * 1024;

// sendCheckOk with `command` until a reply holds "\r\nOK\r\n", at most kDumpAttempts times, each reply
// received into `capacity` bytes. `dump` gets the last reply. False after the last failure.
bool readRegisterDump(Link& link, std::string_view command, std::string& dump,
                      std::size_t capacity = kReplyBufferSize);

// The error lines of one register write: one for a send the transport did not take whole, one for a reply
// without "OK", and whether a line already in the list is appended again.
struct WriteErrors {
  std::string_view sendFailed;
  std::string_view noOk;
  Repeat repeat = Repeat::EveryFailure;
};

// Sends the command, waits kRegisterReplyPauseMs, receives the reply and looks for "OK"; each failed step
// appends its line. Every step runs whatever the one before did. Returns the reply.
std::string writeRegister(Link& link, std::string_view command, const WriteErrors& errors,
                          std::string& errorList);

// The common case: one error text for both steps, a register failing both is listed twice.
std::string writeRegister(Link& link, std::string_view command, std::string_view errorText,
                          std::string& errorList);

}  // namespace gw

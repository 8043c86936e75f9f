#include "pages/register_access.h"

#include "base/text.h"
#include "link/link.h"

namespace gw {

namespace {
constexpr std::string_view kOkReply = "OK";
}  // namespace

bool readRegisterDump(Link& link, std::string_view command, std::string& dump, std::size_t capacity) {
  for (int attempt = 0; attempt < kDumpAttempts; ++attempt) {
    if (link.sendCheckOk(command, capacity, &dump)) return true;
  }
  return false;
}

std::string writeRegister(Link& link, std::string_view command, const WriteErrors& errors,
                          std::string& errorList) {
  // A command counts as sent when the transport took it up to its end, as a C string would end it.
  const std::string_view text = untilNul(command);
  if (link.commSend(text) != static_cast<int>(text.size()))
    appendError(errorList, errors.sendFailed, errors.repeat);
  link.clock().sleep(kRegisterReplyPauseMs);
  std::string reply = link.commReceive(kReplyBufferSize);
  if (!contains(reply, kOkReply)) appendError(errorList, errors.noOk, errors.repeat);
  return reply;
}

std::string writeRegister(Link& link, std::string_view command, std::string_view errorText,
                          std::string& errorList) {
  return writeRegister(link, command, WriteErrors{errorText, errorText, Repeat::EveryFailure}, errorList);
}

}  // namespace gw

#include "reply.h"

namespace gwsim {

namespace {

std::string framedLines(const std::vector<std::string>& lines) {
  std::string reply;
  if (!lines.empty()) {
    reply = kLineEnd;
    for (std::size_t i = 0; i < lines.size(); ++i) {
      if (i > 0) reply += kLineEnd;
      reply += lines[i];
    }
    reply += kLineEnd;
  }
  return reply;
}

}  // namespace

std::string okReply(const std::vector<std::string>& lines) {
  return framedLines(lines) + "\r\nOK\r\n";
}

std::string pageReply(const std::vector<std::string>& lines) {
  return framedLines(lines) + "\r\n<SPACE>\r\n";
}

std::string errorReply() {
  return "\r\nERROR\r\n";
}

std::string emptyLineReply() {
  return kLineEnd;
}

std::string loginIncorrectReply(const std::string& prompt) {
  return "\r\nLogin incorrect\r\n" + prompt;
}

std::string initNotice() {
  return "\r\nInit: OK\r\n";
}

}  // namespace gwsim

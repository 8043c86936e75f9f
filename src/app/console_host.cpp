#include "app/console_host.h"

#include <unistd.h>

#include <algorithm>

namespace gw {

std::string consoleLine(const Message& message) {
  std::string text;
  for (char c : message.text) {
    if (c == '\r') continue;
    text += c == '\n' ? ' ' : c;
  }
  while (!text.empty() && text.back() == ' ') text.pop_back();
  if (message.caption.empty()) return text;
  return message.caption + ": " + text;
}

Answer ConsoleHost::messageBox(const Message& message) {
  shown.push_back(message);
  std::fprintf(out_, "%s\n", consoleLine(message).c_str());
  std::fflush(out_);
  const bool question = message.kind == MessageKind::Question || message.kind == MessageKind::QuestionCancel;
  if (!question) return Answer::Ok;
  return answerYes ? Answer::Yes : Answer::No;
}

void ConsoleHost::showTransfer(const std::string& caption) {
  transferCaption_ = caption;
  transferOnTerminal_ = isatty(fileno(out_)) != 0;
  setTransferProgress(0);
}

void ConsoleHost::setTransferProgress(int percent) {
  if (!transferOnTerminal_) return;
  std::fprintf(out_, "\r%s %3d %%", transferCaption_.c_str(), percent);
  std::fflush(out_);
}

void ConsoleHost::hideTransfer() {
  if (!transferOnTerminal_) return;
  // The line is cleared, so that what follows (the error list, a message) starts on a clean line.
  std::fprintf(out_, "\r%*s\r", static_cast<int>(transferCaption_.size()) + 6, "");
  std::fflush(out_);
  transferOnTerminal_ = false;
}

void ConsoleHost::showFirmProgress(const std::string& caption, const std::string&, std::int64_t maximum) {
  firmMaximum_ = maximum > 0 ? maximum : 1;
  showTransfer(caption);
}

void ConsoleHost::setFirmProgress(const std::string&, std::int64_t position) {
  constexpr std::int64_t kPercent = 100;
  setTransferProgress(
      static_cast<int>(std::clamp<std::int64_t>(position * kPercent / firmMaximum_, 0, kPercent)));
}

void ConsoleHost::setStatusPanel(int panel, const std::string& text) {
  if (panel >= 1 && panel <= 2) status[panel] = text;
}

bool ConsoleHost::newGatewayDialog(GatewayFields&, const std::function<bool(GatewayFields&)>&) {
  newGatewayAsked = true;
  return false;
}

}  // namespace gw

#include "online/terminal.h"

#include "link/lan_display.h"

namespace gw {

namespace {

// After the terminal had to be started again by a key, the reader gets this long before the key is sent.
constexpr int kRestartPauseMs = 100;
constexpr std::string_view kLeaveLine = "\r\n";

}  // namespace

std::string TTerminal::operator()(const std::atomic<bool>& stopping) const {
  return link.serialRead(kReadBlockBytes, stopping, true);
}

TerminalTool::TerminalTool(const OnlineContext& context) : OnlineTool(context) {}

TerminalTool::~TerminalTool() {
  if (reader_) reader_->stop();
  if (ctx_.link.terminalActive) {
    ctx_.link.terminalActive = false;
    ctx_.link.onLanDisplay = nullptr;
  }
}

bool TerminalTool::running() const {
  return reader_ != nullptr || ctx_.link.terminalActive;
}

void TerminalTool::terminalStart() {
  if (running()) return;  // chosen again: the terminal goes on as it is
  if (!ctx_.connection.commConnect(false)) return;
  Link& link = ctx_.link;
  const bool serial = link.comm.linkType == kSerialLink;
  if (serial ? !link.comm.portHandle : !link.tcpActive()) return;
  if (ctx_.window != nullptr) ctx_.window->terminalRunning(true);
  link.setTerminalTimeouts();
  if (serial) {
    reader_ = link.startReader(TTerminal{link});
    return;
  }
  link.terminalActive = true;
  link.clearRxText();
  link.onLanDisplay = [this](LanDisplayTarget, const std::string& text) { lanText(text); };
}

void TerminalTool::terminalStop() {
  Link& link = ctx_.link;
  const bool wasRunning = running();
  if (link.terminalActive) {
    link.commSend(kLeaveLine);
    link.terminalActive = false;
    link.onLanDisplay = nullptr;
  }
  if (reader_) {
    link.commSend(kLeaveLine);
    stopReader();
    serialState_.afterStatus = true;
  }
  if (ctx_.window != nullptr) ctx_.window->terminalRunning(false);
  // Only the terminal's own profile is undone: a serial trace keeps the one it set.
  if (wasRunning) link.setCommandTimeouts();
}

void TerminalTool::disconnecting() {
  stopReader();
  if (ctx_.link.terminalActive) {
    ctx_.link.terminalActive = false;
    ctx_.link.onLanDisplay = nullptr;
  }
  if (ctx_.window != nullptr) ctx_.window->terminalRunning(false);
}

void TerminalTool::stopReader() {
  if (!reader_) return;
  reader_->stop();
  takeSerial();  // what it read before it ended
  reader_.reset();
}

void TerminalTool::tick() {
  takeSerial();
  if (running() && linkGone()) linkLost();
}

void TerminalTool::takeSerial() {
  if (!reader_) return;
  for (const std::string& block : reader_->take()) serialBlock(block);
}

void TerminalTool::serialBlock(const std::string& block) {
  if (onReceived) onReceived(block);
  showSerialTerminalBlock(block, serialState_, mTerminal);
}

void TerminalTool::lanText(std::string_view text) {
  if (onReceived) onReceived(text);
  routeLanDisplay(text, mTerminal);
}

void TerminalTool::mTerminalKeyPress(char key) {
  type({std::string(1, key), false});
}

void TerminalTool::paste(std::string_view text) {
  if (text.empty()) return;
  type({std::string(text.substr(0, kPasteLimit)), true});
}

void TerminalTool::type(Input input) {
  pending_.push_back(std::move(input));
  if (typing_) return;  // the key under way sends this one after it
  typing_ = true;
  while (!pending_.empty()) {
    const Input next = std::move(pending_.front());
    pending_.pop_front();
    handle(next);
  }
  typing_ = false;
}

void TerminalTool::handle(const Input& input) {
  Link& link = ctx_.link;
  if (!ctx_.connection.commConnect(false)) {
    ctx_.connection.disconnectCommand();  // hides the display
    pending_.clear();
    return;
  }
  link.touchActivity();
  if (!running()) {
    terminalStart();
    if (!running()) return;
    ctx_.clock.sleep(kRestartPauseMs);
  }
  if (input.paste) {
    for (char c : input.bytes) {
      if (!sendByte(c)) return;
    }
    return;
  }
  const char key = input.bytes.front();
  if (key == kCopyKey || key == kPasteKey) return;
  if (sendByte(key) && key == '\b') mTerminal.eraseLastChar();  // the gateway's echo of it is not shown
}

bool TerminalTool::sendByte(char byte) {
  Link& link = ctx_.link;
  const bool sent =
      link.terminalActive ? link.lanSendByte(byte) : link.serialWrite(std::string_view(&byte, 1)) == 1;
  if (!sent) linkLost();
  return sent;
}

bool TerminalTool::linkGone() {
  Link& link = ctx_.link;
  if (link.comm.linkType == kSerialLink) return !link.comm.portHandle || link.serialPortGone();
  return !link.tcpActive();
}

// The disconnect of a lost link stops the terminal and says so, once.
void TerminalTool::linkLost() {
  pending_.clear();
  if (ctx_.link.comm.connected) ctx_.connection.linkLost(LinkLoss::Silent);
  if (running()) disconnecting();
}

}  // namespace gw

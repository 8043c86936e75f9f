#pragma once
// The Terminal topic: the program as a plain character terminal on the gateway's command line. Every key
// typed into the terminal display mTerminal goes to the gateway at once, and whatever the gateway sends is
// shown. On the serial link a reader thread (TTerminal) reads the port; on the LAN the link's receive path
// hands the text over while the terminal owns the LAN data. While it runs the command exchange is not used
// and the whole-gateway load and save are disabled.

#include <atomic>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "link/background_reader.h"
#include "link/terminal_text.h"
#include "online/online_tool.h"

namespace gw {

// TTerminal: the terminal poll, run on the serial terminal's own thread until the terminal stops: one read
// of what arrives until the line falls silent, written to the communication LOG like any serial read.
struct TTerminal {
  static constexpr std::size_t kReadBlockBytes = 4096;
  Link& link;
  std::string operator()(const std::atomic<bool>& stopping) const;
};

class TerminalTool : public OnlineTool {
 public:
  // What the serial reader read is shown this often.
  static constexpr int kDrainIntervalMs = 50;
  // Ctrl+V sends at most this many characters of the clipboard.
  static constexpr std::size_t kPasteLimit = 511;
  static constexpr char kCopyKey = 3;    // Ctrl+C: left to the display, which copies its selection
  static constexpr char kPasteKey = 22;  // Ctrl+V

  explicit TerminalTool(const OnlineContext& context);
  ~TerminalTool() override;

  TextDisplay mTerminal;
  std::vector<NamedDisplay> displays() override { return {{"mTerminal", &mTerminal}}; }

  bool enter() override {
    terminalStart();
    return true;
  }
  void leave() override { terminalStop(); }
  void disconnecting() override;
  int tickIntervalMs() const override { return kDrainIntervalMs; }
  // Shows what the serial reader read; notices a link lost under the terminal.
  void tick() override;

  void terminalStart();
  void terminalStop();
  // mTerminalKeyPress: the key goes to the gateway (a Backspace also erases the character before the
  // caret). Ctrl+C and Ctrl+V send nothing; the window pastes through paste().
  void mTerminalKeyPress(char key);
  // Ctrl+V: the clipboard text (8-bit), at most kPasteLimit characters, sent one by one.
  void paste(std::string_view text);

  bool running() const;

  // Also gets what the gateway sends, as it arrives (gwctl prints it).
  std::function<void(std::string_view)> onReceived;

 private:
  struct Input {
    std::string bytes;
    bool paste;
  };
  void type(Input input);
  void handle(const Input& input);
  bool sendByte(char byte);
  void stopReader();
  void takeSerial();
  void serialBlock(const std::string& block);
  void lanText(std::string_view text);
  bool linkGone();
  void linkLost();

  std::unique_ptr<BackgroundReader> reader_;
  SerialTerminalState serialState_;
  // Keys typed while an earlier key still waits (a connect) are sent after it, in order.
  std::deque<Input> pending_;
  bool typing_ = false;
};

}  // namespace gw

#pragma once
// One conversation on a console: a TCP connection, or the serial line from start or restart. Takes received
// bytes, echoes them, runs the login when the device has one, and answers command lines from the device.
// While a listing waits at "<SPACE>", a space (not echoed) brings the next page and counts as a command line
// for the failure modes; LF and NUL are ignored; any other byte abandons the listing and is taken as usual.
// The record-by-record transfer of the call data records works alike with "#" as its key. A stalled listing
// swallows its key without answer.

#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "device.h"
#include "line_editor.h"

namespace gwsim {

struct Emission {
  enum class Kind { Echo, Reply };
  Kind kind;
  std::string bytes;
};

struct FeedResult {
  std::vector<Emission> out;
  bool restart = false;             // the device restarts: the console stops taking input
  bool bootLoader = false;          // the firmware restarts into its boot loader (a serial console's affair)
  bool drop = false;                // --drop-after: the reply was cut; the console drops the line
  std::optional<TraceOrder> trace;  // the last trace start or stop among the lines taken
  // An XMODEM transfer starts: the bytes after its command belong to it and are not taken.
  std::optional<VoiceTransfer> transfer;
  std::optional<CallOrder> call;  // the last step of the recording call among the lines taken
};

class Session {
 public:
  // `loggedIn`: the session starts taking commands, whatever the device's login (the serial console after a
  // restart). `serialLine`: the serial console, the only one that transfers voice messages.
  explicit Session(Device& device, bool loggedIn = false, bool serialLine = false);

  // The greeting a LAN client gets on connecting: the login prompt, or nothing without login.
  std::vector<Emission> greeting() const;
  // Stops at a restart or a drop; the bytes after it are not taken.
  FeedResult feed(std::string_view bytes);
  bool loggedIn() const { return phase_ == Phase::Commands; }
  // Forgets the bytes of an unfinished line (the serial line changed speed under it).
  void dropPartialLine() { editor_.clear(); }

 private:
  enum class Phase { User, Password, Commands };

  void takeLine(const TakenLine& line, FeedResult& result);
  void takeUser(const TakenLine& line, FeedResult& result);
  void takePassword(const TakenLine& line, FeedResult& result);
  void takeCommand(const TakenLine& line, FeedResult& result);
  // True when the byte was an answer to a waiting listing page.
  bool takePageAnswer(char byte, FeedResult& result);
  void answer(const std::string& reply, LineVerdict verdict, FeedResult& result);
  void emit(FeedResult& result, Emission::Kind kind, const std::string& bytes) const;

  Device& device_;
  LineEditor editor_;
  Phase phase_;
  std::string user_;
  std::deque<std::string> pages_;  // the pages of a listing still to send
  char pageKey_ = ' ';
  bool pagesDeleteRecords_ = false;
  bool stallAtEnd_ = false;  // the listing hangs once its pages are sent
  bool stalled_ = false;
  bool serialLine_;
};

}  // namespace gwsim

#pragma once
// A gateway's serial console as the port sees it, on the fake clock: it records every byte the program
// writes and answers from a script. Reads wait on the fake clock exactly as long as a real read would.
// Byte-level on purpose: it shares no parsing with the link.

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "base/fake_clock.h"
#include "link/serial_port.h"

namespace gw::test {

class ScriptedSerialDevice {
 public:
  explicit ScriptedSerialDevice(FakeClock& clock) : clock_(clock) {}

  // --- Script ---
  // Each time the bytes written since the last answer contain `trigger`, `reply` arrives `delayMs` later.
  void answer(std::string trigger, std::string reply, int delayMs = 0);
  // As answer, for the first time only; one-time answers are matched before lasting ones.
  void answerOnce(std::string trigger, std::string reply, int delayMs = 0);
  // Bytes that arrive `delayMs` from now, asked for or not.
  void send(const std::string& bytes, int delayMs = 0);
  // The device understands the program only at these rates; at others it hears noise and keeps silent.
  void answerOnlyAt(std::vector<int> rates) { rates_ = std::move(rates); }
  // From now on every read gets the next byte of `pattern` at once, without end.
  void streamEndless(std::string pattern) { endless_ = std::move(pattern); }
  // Opening the device fails with this error (None: opens normally).
  void failOpen(SerialOpenError error) { openError_ = error; }
  // Time between two bytes of one reply.
  int byteGapMs = 0;
  // Sees every write after the scripted answers: a test's own peer for a binary protocol (XMODEM).
  std::function<void(std::string_view)> onWrite;
  // Every byte written comes back at once, as a modem console echoes (before any scripted answer).
  bool echoes = false;
  // The echo ends once the program has written these bytes (the firmware hands over to its boot loader).
  std::string echoUntil;

  // --- Record ---
  std::string written;         // every byte written, in order
  std::vector<int> openRates;  // the rate of every successful open
  int rate() const { return rate_; }
  bool isOpen() const { return open_; }
  ReadTimeouts timeouts() const { return timeouts_; }

  // --- Port side (used by the scripted port) ---
  SerialOpenError open(int rate);
  void close() { open_ = false; }
  void setRate(int rate);
  void hostWrites(std::string_view bytes);
  std::optional<char> read(int timeoutMs);
  void setTimeouts(const ReadTimeouts& t) { timeouts_ = t; }

 private:
  struct Rule {
    std::string trigger;
    std::string reply;
    int delayMs;
    bool once;
  };
  struct Byte {
    std::int64_t readyAtMs;
    char value;
  };

  bool understands() const;
  void matchCommands();
  void discardArrived();

  FakeClock& clock_;
  std::vector<Rule> rules_;
  std::deque<Byte> pending_;
  std::string heard_;  // written since the last answer
  std::vector<int> rates_;
  std::string endless_;
  std::size_t endlessNext_ = 0;
  SerialOpenError openError_ = SerialOpenError::None;
  bool open_ = false;
  int rate_ = 0;
  ReadTimeouts timeouts_;
};

// The ports of a machine: devices by name; names without a device do not exist.
class ScriptedSerialBus {
 public:
  explicit ScriptedSerialBus(FakeClock& clock) : clock_(clock) {}

  ScriptedSerialDevice& device(const std::string& name);
  SerialPortFactory factory();

  std::vector<std::string> openAttempts;  // "name@rate", failed ones included

 private:
  FakeClock& clock_;
  std::map<std::string, std::unique_ptr<ScriptedSerialDevice>> devices_;
};

}  // namespace gw::test

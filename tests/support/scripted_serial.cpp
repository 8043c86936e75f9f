#include "support/scripted_serial.h"

#include "support/trigger_rules.h"

#include <algorithm>

namespace gw::test {

namespace {

class ScriptedSerialPort : public SerialPort {
 public:
  explicit ScriptedSerialPort(ScriptedSerialDevice& device) : device_(device) {}
  ~ScriptedSerialPort() override { close(); }

  bool isOpen() const override { return open_; }
  int write(std::string_view bytes) override {
    if (!open_) return 0;
    device_.hostWrites(bytes);
    return static_cast<int>(bytes.size());
  }
  std::optional<char> readByte(int timeoutMs) override {
    if (!open_) return std::nullopt;
    return device_.read(timeoutMs);
  }
  bool setRate(int rate) override {
    if (!open_) return false;
    device_.setRate(rate);
    return true;
  }
  int rate() const override { return device_.rate(); }
  bool setReadTimeouts(const ReadTimeouts& t) override {
    if (!open_) return false;
    device_.setTimeouts(t);
    return true;
  }
  ReadTimeouts readTimeouts() const override { return device_.timeouts(); }
  void close() override {
    if (open_) device_.close();
    open_ = false;
  }

 private:
  ScriptedSerialDevice& device_;
  bool open_ = true;
};

}  // namespace

void ScriptedSerialDevice::answer(std::string trigger, std::string reply, int delayMs) {
  rules_.push_back({std::move(trigger), std::move(reply), delayMs, false});
}

void ScriptedSerialDevice::answerOnce(std::string trigger, std::string reply, int delayMs) {
  rules_.push_back({std::move(trigger), std::move(reply), delayMs, true});
}

void ScriptedSerialDevice::send(const std::string& bytes, int delayMs) {
  std::int64_t at = clock_.nowMs() + delayMs;
  if (!pending_.empty()) at = std::max(at, pending_.back().readyAtMs);
  for (char c : bytes) {
    pending_.push_back({at, c});
    at += byteGapMs;
  }
}

SerialOpenError ScriptedSerialDevice::open(int rate) {
  if (openError_ != SerialOpenError::None) return openError_;
  if (open_) return SerialOpenError::InUse;
  open_ = true;
  rate_ = rate;
  timeouts_ = kOpenReadTimeouts;
  openRates.push_back(rate);
  discardArrived();
  return SerialOpenError::None;
}

void ScriptedSerialDevice::setRate(int rate) {
  rate_ = rate;
  discardArrived();
}

void ScriptedSerialDevice::discardArrived() {
  const std::int64_t now = clock_.nowMs();
  while (!pending_.empty() && pending_.front().readyAtMs <= now) pending_.pop_front();
}

bool ScriptedSerialDevice::understands() const {
  return rates_.empty() || std::find(rates_.begin(), rates_.end(), rate_) != rates_.end();
}

void ScriptedSerialDevice::hostWrites(std::string_view bytes) {
  written.append(bytes);
  if (!understands()) return;
  if (echoes) send(std::string(bytes));
  if (echoes && !echoUntil.empty() && written.find(echoUntil) != std::string::npos) echoes = false;
  heard_.append(bytes);
  matchCommands();
  if (onWrite) onWrite(bytes);
}

// Answers the commands heard, earliest first; several may come in one write.
void ScriptedSerialDevice::matchCommands() {
  answerHeardCommands(rules_, heard_, [this](const Rule& rule) { send(rule.reply, rule.delayMs); });
}

std::optional<char> ScriptedSerialDevice::read(int timeoutMs) {
  if (!endless_.empty()) return endless_[endlessNext_++ % endless_.size()];
  const std::int64_t now = clock_.nowMs();
  const int wait = std::max(timeoutMs, 0);
  if (pending_.empty() || pending_.front().readyAtMs > now + wait) {
    clock_.advance(wait);
    return std::nullopt;
  }
  const Byte byte = pending_.front();
  pending_.pop_front();
  if (byte.readyAtMs > now) clock_.advance(byte.readyAtMs - now);
  return byte.value;
}

ScriptedSerialDevice& ScriptedSerialBus::device(const std::string& name) {
  auto& slot = devices_[name];
  if (!slot) slot = std::make_unique<ScriptedSerialDevice>(clock_);
  return *slot;
}

SerialPortFactory ScriptedSerialBus::factory() {
  return [this](const std::string& name, int rate) -> SerialOpenResult {
    openAttempts.push_back(name + "@" + std::to_string(rate));
    const auto found = devices_.find(name);
    if (found == devices_.end()) return {nullptr, SerialOpenError::NotFound};
    const SerialOpenError error = found->second->open(rate);
    if (error != SerialOpenError::None) return {nullptr, error};
    return {std::make_unique<ScriptedSerialPort>(*found->second), SerialOpenError::None};
  };
}

}  // namespace gw::test

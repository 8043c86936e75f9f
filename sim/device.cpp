#include "device.h"

#include "reply.h"

namespace gwsim {

Device::Device(DeviceConfig config, RegisterStore store, Transcript& transcript, StoreListener onStoreChanged)
    : config_(std::move(config)),
      store_(std::move(store)),
      transcript_(transcript),
      onStoreChanged_(std::move(onStoreChanged)) {}

bool Device::acceptsLogin(std::string_view user, std::string_view password) const {
  return user == config_.user && password == config_.password;
}

LineVerdict Device::countCommandLine() {
  ++commandLines_;
  if (config_.dropAfter && !dropped_ && commandLines_ > *config_.dropAfter) {
    dropped_ = true;  // once: the client may reconnect and carry on
    return LineVerdict::CutAndDrop;
  }
  return LineVerdict::Answer;
}

bool Device::muted() const {
  return config_.silentAfter && commandLines_ >= *config_.silentAfter;
}

CommandOutcome Device::execute(const Command& command) {
  switch (command.kind) {
    case CommandKind::Empty:
      return {emptyLineReply()};
    case CommandKind::Attention:
    case CommandKind::ModeZero:
      return {okReply()};
    case CommandKind::Identify3:
      return {okReply(ati3Lines(config_.identity))};
    case CommandKind::Identify4:
      return {okReply(ati4Lines(config_.identity))};
    case CommandKind::Dump:
      return {okReply(store_.dumpLines(command.dump))};
    case CommandKind::WriteRegister:
      return writeRegister(command.key, command.value);
    case CommandKind::Reset:
      return {okReply(), CommandEffect::Restart};
    case CommandKind::FactoryReset:
      store_.restoreDefaults();
      storeChanged();
      return {okReply(), CommandEffect::Restart};
    case CommandKind::Unknown:
      break;
  }
  return {errorReply()};
}

CommandOutcome Device::writeRegister(const std::string& key, std::string value) {
  if (config_.refused.count(key) != 0 || !store_.set(key, std::move(value))) return {errorReply()};
  storeChanged();
  return {okReply()};
}

void Device::storeChanged() {
  if (onStoreChanged_) onStoreChanged_(store_);
}

void Device::startRestart(std::int64_t nowMs) {
  restartEndsMs_ = nowMs + config_.resetTimeMs;
  ++restarts_;
}

}  // namespace gwsim

#include "device.h"

#include <algorithm>

#include "event_loop.h"
#include "listing.h"
#include "reply.h"

namespace gwsim {
namespace {

constexpr const char* kCodecRegister = "E01";
constexpr const char* kClockRegister = "S99";
constexpr std::string_view kClockAfter = "S98=";  // the system dump lists the clock after the SIM PIN
constexpr std::string_view kG723PayloadType = "4";
constexpr const char* kTraceDetailsRegister = "S92";
constexpr const char* kLoginAccountRegister = "X80";
constexpr char kAccountSeparator = '/';
// The gateway keeps user name and password together in this many characters.
constexpr std::size_t kAccountLength = 14;

bool accountCharacters(std::string_view text) {
  return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
  });
}

// G.723 runs on its own voice firmware: taking it into the codec list or out of it re-initialises the voice
// processing.
bool offersG723(const std::string& codecs) {
  const std::vector<std::string_view> fields = splitFields(codecs);
  return std::find(fields.begin(), fields.end(), kG723PayloadType) != fields.end();
}

}  // namespace

Device::Device(DeviceConfig config, RegisterStore store, Transcript& transcript, StoreListener onStoreChanged)
    : config_(std::move(config)),
      store_(std::move(store)),
      transcript_(transcript),
      onStoreChanged_(std::move(onStoreChanged)),
      registrations_(config_.sipChurnMs, clockMs()),
      reports_(config_.reports),
      clock_(config_.localClock),
      live_(config_.live, clockMs()) {}

std::int64_t Device::clockMs() const {
  return config_.clock ? config_.clock() : monotonicMs();
}

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
  lastEffect_ = CommandEffect::None;
  CommandOutcome outcome;
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
      return dump(command);
    case CommandKind::Listing:
      return listing(command.table);
    case CommandKind::RegisterAgain:
      registrations_.registerAll(clockMs());
      return {okReply()};
    case CommandKind::WriteRegister:
      outcome = writeRegister(command.key, command.value);
      break;
    case CommandKind::Reset:
      outcome = {okReply(), CommandEffect::Restart};
      break;
    case CommandKind::EraseFlash:
      return {okReply(), CommandEffect::BootLoader};
    case CommandKind::TraceStart:
      outcome = {okReply()};
      outcome.trace = TraceOrder{true, {command.traceType, command.traceLevel, traceDetails()}};
      return outcome;
    case CommandKind::TraceStop:
      outcome = {okReply()};
      outcome.trace = TraceOrder{false, {}};
      return outcome;
    case CommandKind::FactoryReset:
      store_.factoryReset();
      storeChanged();
      outcome = {okReply(), CommandEffect::Restart};
      break;
    case CommandKind::Report:
      return report(command.report);
    case CommandKind::SetCounters:
      return setCounters(command);
    case CommandKind::ModuleState:
    case CommandKind::Signal:
    case CommandKind::ActualCalls:
      return live(command);
    case CommandKind::VoiceView:
    case CommandKind::VoiceRead:
    case CommandKind::VoiceWrite:
    case CommandKind::VoiceErase:
    case CommandKind::VoiceRecord:
    case CommandKind::CallDial:
    case CommandKind::CallHangUp:
      return voice(command);
    case CommandKind::Unknown:
      return {errorReply()};
  }
  lastEffect_ = outcome.effect;
  return outcome;
}

CommandOutcome Device::dump(const Command& command) const {
  std::vector<std::string> lines = store_.dumpLines(command.dump, command.networkList);
  if (command.dump == DumpId::System) {
    const auto pin = std::find_if(lines.begin(), lines.end(),
                                  [](const std::string& line) { return line.rfind(kClockAfter, 0) == 0; });
    lines.insert(pin == lines.end() ? pin : pin + 1, std::string(kClockRegister) + "=" + clock_.value());
  }
  if (command.dump == DumpId::Networks && command.networkList == 0 && config_.pageNetworkLists) {
    return paged(lines);
  }
  return {okReply(lines)};
}

CommandOutcome Device::listing(TableId table) const {
  const std::int64_t now = clockMs();
  return paged(
      listingLines(table, store_, [this, now](int index) { return registrations_.registered(index, now); }));
}

CommandOutcome Device::paged(const std::vector<std::string>& lines) const {
  std::vector<std::string> pages = pagedReplies(lines, static_cast<std::size_t>(config_.pageLines));
  CommandOutcome outcome{pages.front()};
  outcome.laterPages.assign(pages.begin() + 1, pages.end());
  return outcome;
}

CommandOutcome Device::writeRegister(const std::string& key, std::string value) {
  if (config_.refused.count(key) != 0) return {errorReply()};
  if (key == kLoginAccountRegister) return setLoginAccount(value);
  if (key == kClockRegister) {
    if (!clock_.set(value)) return {errorReply()};
    storeChanged();
    return {okReply()};
  }
  const std::string before = store_.value(key).value_or("");
  if (store_.write(key, std::move(value)) != WriteResult::Stored) return {errorReply()};
  storeChanged();
  if (key == kCodecRegister && offersG723(before) != offersG723(*store_.value(key))) {
    return {okReply(), CommandEffect::VoiceRestart};
  }
  return {okReply()};
}

CommandOutcome Device::report(ReportId id) const {
  const std::vector<std::string> lines = reports_.lines(id);
  const bool oneByOne = id == ReportId::CallRecordsDeleting;
  // The statistics leave in one piece; the log and the call data records in pages.
  const bool statistics = id == ReportId::IncomingTraffic || id == ReportId::OutgoingTraffic;
  const std::size_t perPage = statistics ? lines.size() : static_cast<std::size_t>(config_.pageLines);
  std::vector<std::string> pages = oneByOne ? recordPages(lines) : reportPages(lines, perPage);
  const bool stalls = config_.stallReportsAfter && stallPages(pages, *config_.stallReportsAfter);
  CommandOutcome outcome{pages.front()};
  outcome.laterPages.assign(pages.begin() + 1, pages.end());
  outcome.stalls = stalls;
  if (oneByOne) {
    outcome.pageKey = '#';
    outcome.pagesDeleteRecords = true;
  }
  return outcome;
}

CommandOutcome Device::setCounters(const Command& command) {
  if (!reports_.setCounters(command.counters, command.value)) return {errorReply()};
  storeChanged();
  return {okReply()};
}

CommandOutcome Device::live(const Command& command) const {
  const std::int64_t now = clockMs();
  if (command.kind == CommandKind::ActualCalls) return {okReply(live_.callLines(now))};
  if (command.kind == CommandKind::Signal) {
    const std::optional<std::string> line = live_.signalLine(command.module, now);
    return {line ? okReply({*line}) : errorReply()};
  }
  const std::optional<std::vector<std::string>> lines = live_.moduleLines(command.module, now);
  return {lines ? okReply(*lines) : errorReply()};
}

CommandOutcome Device::setLoginAccount(const std::string& value) {
  if (value.empty()) {
    config_.loginEnabled = false;
    return {okReply()};
  }
  const std::size_t slash = value.find(kAccountSeparator);
  if (slash == std::string::npos || value.size() - 1 > kAccountLength) return {errorReply()};
  const std::string user = value.substr(0, slash);
  const std::string password = value.substr(slash + 1);
  if (!accountCharacters(user) || !accountCharacters(password)) return {errorReply()};
  config_.loginEnabled = true;
  config_.user = user;
  config_.password = password;
  return {okReply()};
}

CommandOutcome Device::voice(const Command& command) {
  CommandOutcome outcome;
  const int m = command.voiceMessage;
  switch (command.kind) {
    case CommandKind::CallDial:
      outcome.call = CallOrder::Dial;  // nothing but the echo: the indications follow
      return outcome;
    case CommandKind::CallHangUp:
      outcome = {okReply()};
      outcome.call = CallOrder::HangUp;
      return outcome;
    case CommandKind::VoiceRecord:
      if (m != 0) return {errorReply()};
      outcome.call = CallOrder::Record;  // the console answers from its call
      return outcome;
    default:
      break;
  }
  if (!VoiceStore::valid(m)) return {errorReply()};
  if (command.kind == CommandKind::VoiceView) return {okReply(voices_.viewLines(m))};
  if (command.kind == CommandKind::VoiceErase) {
    voices_.erase(m);
    storeChanged();
    return {okReply()};
  }
  const bool sends = command.kind == CommandKind::VoiceRead;
  if (sends && !voices_.data(m)) return {errorReply()};
  outcome = {okReply()};
  outcome.transfer = VoiceTransfer{sends, m};
  return outcome;
}

void Device::voiceReceived(int message, std::string data) {
  voices_.store(message, std::move(data));
  storeChanged();
}

void Device::voiceRecorded(int ms) {
  voices_.store(0, recordedMessage(ms));
  storeChanged();
}

void Device::recordTaken() {
  reports_.deleteFirstCallRecord();
  storeChanged();
}

int Device::traceDetails() const {
  const std::string value = store_.value(kTraceDetailsRegister).value_or("");
  int details = 0;
  for (char c : value) {
    if (c < '0' || c > '9') return 0;
    details = details * 10 + (c - '0');
  }
  return details;
}

void Device::storeChanged() {
  if (onStoreChanged_) onStoreChanged_(store_);
}

void Device::startRestart(std::int64_t nowMs) {
  restartEndsMs_ = nowMs + config_.resetTimeMs;
  registrations_.registerAll(*restartEndsMs_);
  ++restarts_;
}

}  // namespace gwsim

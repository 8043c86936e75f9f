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
      clock_(config_.localClock) {}

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

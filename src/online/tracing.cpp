#include "online/tracing.h"

#include "base/caption_ids.h"
#include "base/cformat.h"
#include "base/files.h"
#include "base/text.h"
#include "link/lan_display.h"

namespace gw {

namespace {

constexpr std::size_t kReplyCapacity = 128;
// A serial read of the reader ends at this many bytes even while the trace never falls silent.
// While the stop command's reply is awaited, the trace is taken this often.
constexpr int kStopPollMs = 10;
constexpr std::string_view kStopCommand = "AT!RX\r";
constexpr std::string_view kStopEcho = "AT!RX";
constexpr const char* kDefaultFileName = "tracing.txt";
constexpr const char* kFileFilter = "Text files (*.txt)|*.txt";

constexpr CaptionText kStartCaption{cap::kTraceStart, "Start"};
constexpr CaptionText kStopCaption{cap::kTraceStop, "Stop"};
const std::vector<CaptionText> kLanLevels = {{149, "IP, TCP, Telnet"}, {150, "TCP, Telnet"}, {151, "Telnet"}};
const std::vector<CaptionText> kMessageLevels = {
    {159, "Messages from layers 2,3,4"}, {160, "Messages from layers 3,4"}, {161, "Messages from layer 4"}};
constexpr int kLowestLevel = 2;
constexpr int kFullTracing = 31;

bool sendAll(Link& link, std::string_view command) {
  return link.commSend(command) == static_cast<int>(command.size());
}

// The stop command's reply is awaited without a progress window: the keep-alive and the window's commands
// hold off meanwhile as they do for one.
class BusyLink {
 public:
  explicit BusyLink(Link& link) : link_(link), before_(link.commBusy) { link_.commBusy = true; }
  ~BusyLink() { link_.commBusy = before_; }
  BusyLink(const BusyLink&) = delete;
  BusyLink& operator=(const BusyLink&) = delete;

 private:
  Link& link_;
  bool before_;
};

}  // namespace

std::string TTracing::operator()(const std::atomic<bool>& stopping) const {
  return link.serialRead(kReadBlockBytes, stopping, false);
}

TracingTool::TracingTool(const OnlineContext& context) : OnlineTool(context) {
  sbTracStart.text = kStartCaption;
  edTracFile.text = joinPath(context.selection.programFolder(), kDefaultFileName);
  cbTracSave.checked = true;
  cbTracType.items = {"LAN and Telnet", "Voip and GSM messages"};
  cbTracType.firstItemCaption = 2412;
  rgTracLevel.buttons = {"rbTracIpTcpTelnet", "rbTracTcpTelnet", "rbTracTelnet"};
  rgTracLevel.texts = kLanLevels;
}

TracingTool::~TracingTool() {
  // The program is closing: the link goes with it, nothing more is sent.
  if (reader_) reader_->stop();
  if (ctx_.link.lanTracingActive) {
    ctx_.link.lanTracingActive = false;
    ctx_.link.onLanDisplay = nullptr;
  }
}

std::vector<NamedField> TracingTool::fields() {
  return {{"sbTracStart", &sbTracStart},         {"edTracFile", &edTracFile},
          {"cbTracSave", &cbTracSave},           {"cbTracState34", &cbTracState34},
          {"cbTracTimestamp", &cbTracTimestamp}, {"cbTracSmp", &cbTracSmp},
          {"cbTracState2", &cbTracState2},       {"cbTracLcr", &cbTracLcr},
          {"cbTracFull", &cbTracFull},           {"cbTracType", &cbTracType},
          {"rgTracLevel", &rgTracLevel}};
}

std::vector<ControlSet::Button> TracingTool::buttons() {
  return {{"sbTracStart", [this] { sbTracStartClick(); }},
          {"sbTracDefaults", [this] { sbTracDefaultsClick(); }},
          {"sbTracClear", [this] { sbTracClearClick(); }},
          {"sbTracFile", [this] { sbTracFileClick(); }}};
}

void TracingTool::edited(std::string_view name) {
  if (name == "cbTracType") cbTracTypeChange();
  if (name == "cbTracFull") cbTracFullClick();
}

bool TracingTool::enter() {
  cbTracTypeChange();
  return true;
}

void TracingTool::leave() {
  if (running()) sbTracStartClick();
}

void TracingTool::disconnecting() {
  if (running()) stopTracing(!linkGone());
}

bool TracingTool::running() const {
  return reader_ != nullptr || ctx_.link.lanTracingActive;
}

int TracingTool::detailValue() const {
  if (cbTracFull.checked) return kFullTracing;
  int value = 0;
  int bit = 1;
  for (const CheckField* box : {&cbTracState34, &cbTracTimestamp, &cbTracSmp, &cbTracState2, &cbTracLcr}) {
    if (box->checked) value += bit;
    bit *= 2;
  }
  return value;
}

int TracingTool::level() const {
  return kLowestLevel + rgTracLevel.index;
}

void TracingTool::cbTracTypeChange() {
  // The LAN link cannot trace itself.
  if (ctx_.link.comm.linkType != kSerialLink && cbTracType.index == kLanType)
    cbTracType.index = kMessagesType;
  rgTracLevel.texts = cbTracType.index == kMessagesType ? kMessageLevels : kLanLevels;
}

void TracingTool::cbTracFullClick() {
  for (CheckField* box : {&cbTracState34, &cbTracTimestamp, &cbTracSmp, &cbTracState2, &cbTracLcr})
    box->enabled = !cbTracFull.checked;
}

void TracingTool::sbTracDefaultsClick() {
  for (CheckField* box :
       {&cbTracState34, &cbTracState2, &cbTracSmp, &cbTracLcr, &cbTracTimestamp, &cbTracFull})
    box->checked = false;
  cbTracFullClick();
}

void TracingTool::sbTracFileClick() {
  std::string initial = edTracFile.text;
  if (initial.empty() || !fileExists(initial)) initial = joinPath(ctx_.selection.programFolder(), "*.txt");
  if (const auto chosen = ctx_.host.chooseSaveFile(FileChoice{"", kFileFilter, initial}))
    edTracFile.set(*chosen);
}

void TracingTool::sbTracStartClick() {
  if (!ctx_.connection.commConnect(false)) return;
  if (ctx_.link.comm.linkType != kSerialLink) {
    cbTracType.index = kMessagesType;
    cbTracTypeChange();
  }
  if (running()) {
    stopTracing(true);
  } else if (!startTracing()) {
    showFailure();
  }
}

bool TracingTool::startTracing() {
  Link& link = ctx_.link;
  mTracing.clear();
  if (!sendAll(link, cformat(kCommandBufferSize, "AT%%S92=%d\r", detailValue()))) return false;
  if (!contains(link.commReceive(kReplyCapacity), "OK")) return false;
  const char* format = cbTracType.index == kLanType ? "AT!L%d\r" : "AT!R%d\r";
  if (!sendAll(link, cformat(kCommandBufferSize, format, level()))) return false;
  const std::string reply = link.commReadChunk(kReplyCapacity);
  if (contains(reply, "ERROR") || contains(reply, "BUSY")) return false;
  if (!link.comm.connected || linkGone()) return false;  // lost while it waited for the reply
  traceStarted(afterStartReply(reply));
  return true;
}

void TracingTool::traceStarted(const std::string& firstText) {
  Link& link = ctx_.link;
  if (cbTracSave.checked) file_.open(edTracFile.text, ctx_.clock.localTime());  // none: the view alone
  if (link.comm.linkType == kSerialLink) {
    mTracing.clear();
    lines_.reset();
    link.setTerminalTimeouts();
    serialBytes(firstText);
    reader_ = link.startReader(TTracing{link});
  } else {
    link.lanTracingActive = true;
    link.onLanDisplay = [this](LanDisplayTarget, const std::string& text) { lanText(text); };
    // What followed the start reply in the same read, and what arrived after it, is already trace.
    lanText(firstText + link.takeReceivedText());
  }
  sbTracStart.text = kStopCaption;
  if (ctx_.window != nullptr) ctx_.window->tracingRunning(true);
}

void TracingTool::stopTracing(bool talkToGateway) {
  Link& link = ctx_.link;
  const bool sent = !talkToGateway || sendAll(link, kStopCommand);
  if (talkToGateway && sent) {
    awaitStopReply();
    if (!stopping_) return;  // the link was lost during the wait: its disconnect has stopped the trace
  }
  if (reader_) {
    reader_->stop();
    takeSerial();  // what it read before it ended
    reader_.reset();
    link.setCommandTimeouts();
  }
  // Without a reply, what was held back as a possible echo is trace after all.
  if (stopping_) {
    const std::string rest = stopping_->flush();
    stopping_.reset();
    if (link.lanTracingActive) {
      lanText(rest);
    } else {
      serialBytes(rest);
    }
  }
  if (link.lanTracingActive) {
    link.lanTracingActive = false;
    link.onLanDisplay = nullptr;
    link.clearRxText();  // the rest of the stop reply must not open the next exchange's response
  }
  lines_.reset();
  file_.close();
  sbTracStart.text = kStartCaption;
  if (ctx_.window != nullptr) ctx_.window->tracingRunning(false);
  if (!sent) showFailure();
}

// The trace goes on until the gateway has taken the stop command: what arrives before its echo is still
// trace, so the file ends with the last line the gateway sent; the echo and the reply are not trace.
void TracingTool::awaitStopReply() {
  Link& link = ctx_.link;
  stopping_.emplace(std::string(kStopEcho));
  const BusyLink busy(link);
  const std::int64_t start = ctx_.clock.nowMs();
  while (stopping_ && !stopping_->replyComplete() && ctx_.clock.nowMs() - start < link.timeoutMs &&
         !linkGone() && !link.cancelRequested()) {
    ctx_.clock.sleep(kStopPollMs);
    takeSerial();
  }
}

void TracingTool::tick() {
  takeSerial();
  file_.flush();
  if (!running() || !linkGone()) return;
  // The disconnect of a lost link stops the trace and says so, once.
  if (ctx_.link.comm.connected) ctx_.connection.linkLost(LinkLoss::Silent);
  if (running()) stopTracing(false);
}

void TracingTool::takeSerial() {
  if (!reader_) return;
  for (const std::string& block : reader_->take()) serialBytes(block);
}

void TracingTool::serialBytes(std::string_view bytes) {
  const std::string trace = stopping_ ? stopping_->feed(bytes) : std::string(bytes);
  for (std::string& line : lines_.feed(trace)) {
    line.push_back('\n');
    mTracing.append(line);
    traceOut(line);
  }
}

void TracingTool::lanText(std::string_view text) {
  const std::string trace = stopping_ ? stopping_->feed(text) : std::string(text);
  if (trace.empty()) return;
  routeLanDisplay(trace, mTracing, [this](std::string_view shown) { traceOut(shown); });
}

void TracingTool::traceOut(std::string_view text) {
  file_.write(text);
  if (onTraceText) onTraceText(text);
}

bool TracingTool::linkGone() {
  Link& link = ctx_.link;
  if (link.comm.linkType == kSerialLink) return !link.comm.portHandle || link.serialPortGone();
  return !link.tcpActive();
}

void TracingTool::showFailure() {
  ctx_.host.messageBox(Message{ctx_.captions.at(cap::kCommunicationFailed),
                               ctx_.captions.at(cap::kErrorTitle), MessageKind::Error,
                               cap::kCommunicationFailed, cap::kErrorTitle});
}

}  // namespace gw

#include "link/serial_search.h"

#include <algorithm>
#include <string_view>

#include "base/caption_ids.h"
#include "link/seconds_wait.h"

namespace gw {

namespace {

constexpr const char* kConnectingCaption = "Connecting...";
constexpr const char* kConnectingLabel = "Trying to connect ";

// The boot loader probe.
constexpr std::string_view kProbeWake = "fff";
constexpr std::string_view kProbeRecord = ":020000050000F915";
constexpr std::string_view kProbeEcho = "ffff:020000050000F915";
constexpr std::string_view kBootQuery = ":00000012EE";
constexpr std::string_view kBootMark = "[ BOOT ]";
constexpr std::size_t kProbeReplyCapacity = 21;
constexpr int kProbePauseMs = 10;

// The AT exchange that tells whether the firmware answers at a rate.
constexpr std::size_t kAtReplyCapacity = 64;
constexpr int kAtPauseMs = 100;
constexpr int kAti3PauseMs = 10;
constexpr int kAnswerStepMs = 1;
constexpr int kAnswerEventsEvery = 40;  // answer passes between two rounds of event processing
constexpr int kAnswerWaitS = 2;
constexpr std::string_view kProductMark = "QN";

// Sends the AT probe at the port's current rate and waits for the product mark in the ATI3 answer.
bool firmwareAnswers(Link& link) {
  Clock& clock = link.clock();
  link.serialWrite("AT\r\n");
  clock.sleep(kAtPauseMs);
  link.serialRead(kAtReplyCapacity);
  clock.sleep(kAtPauseMs);
  link.serialWrite("ATI3\r\n");
  clock.sleep(kAti3PauseMs);

  const SecondsWait wait(clock);
  char previous = '\0';
  for (int pass = 1;; ++pass) {
    clock.sleep(kAnswerStepMs);
    if (pass % kAnswerEventsEvery == 0) clock.processEvents();
    const char byte = link.serialReadByte();
    if (byte != '\0') {
      // NUL bytes are not part of the answer, so the mark may straddle them.
      if (previous == kProductMark[0] && byte == kProductMark[1]) return true;
      previous = byte;
    }
    if (wait.moreThan(kAnswerWaitS) || link.cancelRequested()) return false;
  }
}

// Why a port did not open, in the current language; the English words are the fallback.
struct ReasonCaption {
  SerialOpenError error;
  int caption;
};
constexpr ReasonCaption kReasonCaptions[] = {
    {SerialOpenError::InUse, cap::kPortInUse},
    {SerialOpenError::NoPermission, cap::kPortNoPermission},
    {SerialOpenError::NotSerial, cap::kPortNotSerial},
    {SerialOpenError::BadRate, cap::kPortBadRate},
};

std::string errorLine(const std::string& port, const CaptionList& captions, int caption,
                      SerialOpenError error) {
  std::string line = port + " : " + captions.at(caption);
  if (const std::string_view reason = openErrorReason(error); !reason.empty()) {
    std::string said(reason);
    for (const ReasonCaption& r : kReasonCaptions) {
      if (r.error == error) said = captions.labelOr(r.caption, reason);
    }
    line += " (" + said + ")";
  }
  return line + "\n";
}

// Restores the windows however the search ends.
class ConnectingWindow {
 public:
  ConnectingWindow(Host& host, const CaptionList& captions) : host_(host) {
    host_.showConnecting(captions.labelOr(cap::kConnecting, kConnectingCaption),
                         captions.labelOr(cap::kTryingToConnect, kConnectingLabel));
    host_.setMainEnabled(false);
  }
  ~ConnectingWindow() {
    host_.hideConnecting();
    host_.setMainEnabled(true);
  }
  ConnectingWindow(const ConnectingWindow&) = delete;
  ConnectingWindow& operator=(const ConnectingWindow&) = delete;

  void showRate(const std::string& port, const CaptionList& captions, int rate) {
    host_.showConnecting(
        "[" + port + "] : " + captions.at(cap::kConnecting),
        "[" + port + "] : " + captions.at(cap::kConnectingRate) + " " + std::to_string(rate) + " Bd/s");
  }

 private:
  Host& host_;
};

// A fixed port is searched first whatever the list holds, so the user's choice is the port tried.
void putFixedPortFirst(TComm& comm) {
  auto& list = comm.portList;
  const auto found = std::find(list.begin(), list.end(), comm.portName);
  if (found == list.end()) {
    list.insert(list.begin(), comm.portName);
  } else {
    std::iter_swap(list.begin(), found);
  }
}

enum class PortOutcome { Answered, BootLoader, Silent };

struct PortSearch {
  PortOutcome outcome = PortOutcome::Silent;
  int rate = 0;  // the fastest rate that answered, or the boot loader's rate
};

// Climbs the search rates on one port; the port is left open in the link.
PortSearch climbRates(Link& link, ConnectingWindow& window, const CaptionList& captions,
                      std::string& connectionErrors) {
  TComm& comm = link.comm;
  PortSearch found;
  for (std::size_t r = kFirstSearchRateIndex; r <= kLastSearchRateIndex; ++r) {
    if (link.cancelRequested()) return found;
    const int rate = kBitRates[r];
    link.closeSerial();
    SerialOpenResult opened = link.openSerialPort(comm.portName, rate);
    if (!opened.port) {
      const int caption = r == kFirstSearchRateIndex ? cap::kPortOpenFailed : cap::kPortNoAnswer;
      connectionErrors += errorLine(comm.portName, captions, caption, opened.error);
      return found;
    }
    comm.portHandle = std::move(opened.port);
    window.showRate(comm.portName, captions, rate);
    if (bootProbe(link) == BootProbe::BootLoader) return {PortOutcome::BootLoader, rate};
    if (firmwareAnswers(link)) {
      found = {PortOutcome::Answered, rate};
      continue;  // climb while the gateway keeps answering
    }
    if (found.outcome == PortOutcome::Answered) return found;
  }
  if (found.outcome != PortOutcome::Answered && !link.cancelRequested()) {
    connectionErrors += errorLine(comm.portName, captions, cap::kPortNoAnswer, SerialOpenError::None);
  }
  return found;
}

// Reopens the port at the rate found; a failed reopen leaves no handle and rate 0.
void reopenAt(Link& link, int rate) {
  link.closeSerial();
  SerialOpenResult opened = link.openSerialPort(link.comm.portName, rate);
  if (!opened.port) return;
  link.comm.portHandle = std::move(opened.port);
  link.comm.baudRate = rate;
}

}  // namespace

BootProbe bootProbe(Link& link) {
  Clock& clock = link.clock();
  link.serialWrite(kProbeWake);
  clock.sleep(kProbePauseMs);
  link.serialWrite(kProbeRecord);
  clock.sleep(kProbePauseMs);
  const std::string reply = link.serialRead(kProbeReplyCapacity);
  if (reply.empty()) return BootProbe::Other;
  if (reply == kProbeEcho) {
    link.serialWrite("\r\n");
    clock.sleep(kProbePauseMs);
    return BootProbe::Echo;
  }
  link.serialWrite(kBootQuery);
  clock.sleep(kProbePauseMs);
  return link.serialRead(kProbeReplyCapacity).find(kBootMark) != std::string::npos ? BootProbe::BootLoader
                                                                                   : BootProbe::Other;
}

SerialSearchResult findSerialGateway(Link& link, Host& host, const CaptionList& captions,
                                     std::string& connectionErrors) {
  ConnectingWindow window(host, captions);
  TComm& comm = link.comm;
  SerialSearchResult result;
  const bool fixedPort = !comm.portName.empty();
  if (fixedPort) putFixedPortFirst(comm);
  link.closeSerial();

  for (std::size_t i = 0; i < comm.portList.size(); ++i) {
    comm.portName = comm.portList[i];
    const PortSearch found = climbRates(link, window, captions, connectionErrors);
    if (link.cancelRequested()) {
      // A rate that answered before the cancel does not count: the user stopped the search.
      link.closeSerial();
      result.cancelled = true;
      return result;
    }
    if (found.outcome == PortOutcome::BootLoader) {
      result.bootLoader = true;
      comm.baudRate = found.rate;
      std::swap(comm.portList[i], comm.portList[0]);
      return result;
    }
    if (found.outcome == PortOutcome::Answered) {
      reopenAt(link, found.rate);
      std::swap(comm.portList[i], comm.portList[0]);
      return result;
    }
    link.closeSerial();
    comm.portName.clear();
    if (fixedPort) {
      result.notFound = true;
      return result;
    }
  }
  return result;
}

}  // namespace gw

#pragma once
// The tracing page pTracing: the gateway's protocol tracing switched on and off — register S92 chooses the
// details, "AT!L%d\r" (LAN and Telnet) or "AT!R%d\r" (VoIP and GSM messages) starts it at a level of 2, 3
// or 4, "AT!RX\r" stops it — and the trace shown as it arrives and appended to a file. Over the serial link
// a reader thread (TTracing) collects the trace; over the LAN the link's receive path hands it over while
// LAN tracing owns the LAN data. While tracing runs the whole-gateway load and save are disabled.

#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "link/background_reader.h"
#include "online/online_tool.h"
#include "online/trace_file.h"
#include "online/trace_text.h"

namespace gw {

// TTracing: one pass of the serial tracing reader, run on its own thread until tracing stops. It reads what
// has arrived (a NUL ends a read, as silence does); the LOG does not get the trace.
struct TTracing {
  // A read ends at this many bytes even while the trace never falls silent.
  static constexpr std::size_t kReadBlockBytes = 4096;
  Link& link;
  std::string operator()(const std::atomic<bool>& stopping) const;
};

class TracingTool : public OnlineTool {
 public:
  // The serial trace is taken from the reader this often; the trace file is flushed as often.
  static constexpr int kDrainIntervalMs = 50;
  // cbTracType's items.
  static constexpr int kLanType = 0;
  static constexpr int kMessagesType = 1;

  explicit TracingTool(const OnlineContext& context);
  ~TracingTool() override;

  CaptionField sbTracStart;  // "Start" or "Stop"
  TextField edTracFile;
  CheckField cbTracSave;
  CheckField cbTracState34;
  CheckField cbTracTimestamp;
  CheckField cbTracSmp;
  CheckField cbTracState2;
  CheckField cbTracLcr;
  CheckField cbTracFull;
  ChoiceField cbTracType;
  RadioField rgTracLevel;  // rbTracIpTcpTelnet, rbTracTcpTelnet, rbTracTelnet: level 2, 3, 4
  TextDisplay mTracing;

  std::vector<NamedField> fields() override;
  std::vector<Button> buttons() override;
  std::vector<NamedDisplay> displays() override { return {{"mTracing", &mTracing}}; }

  // Entering the topic runs the trace-type change once; leaving it stops a running trace as Start/Stop does.
  bool enter() override;
  void leave() override;
  // Disconnect stops a running trace as Start/Stop does; a link that is already gone is not talked to.
  void disconnecting() override;
  int tickIntervalMs() const override { return kDrainIntervalMs; }
  // Takes what the serial reader read; notices a link lost under the trace.
  void tick() override;

  void sbTracStartClick();
  void sbTracDefaultsClick();
  void sbTracClearClick() { mTracing.clear(); }
  void sbTracFileClick();
  void cbTracTypeChange();
  void cbTracFullClick();

  bool running() const;
  bool serialReaderRunning() const { return reader_ != nullptr; }
  bool keepsLinkBusy() const override { return serialReaderRunning(); }
  // The S92 value: 1, 2, 4, 8, 16 summed over the checked detail boxes; 31 with "Full tracing".
  int detailValue() const;
  // 2, 3 or 4 by the level radio buttons.
  int level() const;

  // Also gets the trace, as the trace file gets it (gwctl prints it).
  std::function<void(std::string_view)> onTraceText;

 protected:
  void edited(std::string_view name) override;

 private:
  bool startTracing();
  void traceStarted(const std::string& firstText);
  void stopTracing(bool talkToGateway);
  void awaitStopReply();
  void takeSerial();
  void serialBytes(std::string_view bytes);
  void lanText(std::string_view text);
  void traceOut(std::string_view text);
  bool linkGone();
  void showFailure();

  std::unique_ptr<BackgroundReader> reader_;
  TraceLineAssembler lines_;
  TraceFile file_;
  std::optional<StopReplySplitter> stopping_;
};

const FormLayout& tracingPageLayout();

}  // namespace gw

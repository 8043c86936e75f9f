// "Load from gate" and "Save to gate" of the LCR and mobility extension pages, and one poll of the SIP
// registration state, against a fully configured gwsim over TCP loopback with the real clock: 64 LCR records
// (a listing of five pages) with 24 holidays, 32 extensions (three pages).

#include <cstdio>

#include "online/sip_state.h"
#include "page_bench.h"
#include "pages/ext_page.h"
#include "pages/lcr_page.h"

namespace gw::bench {
namespace {

constexpr int kRounds = 10;

// LCR: the dates, the holidays and the eight network IDs, one reply each, then five listing pages; the
// dates, two holiday registers and 64 records without an end record.
constexpr double kLcrLoadMs = (1 + 1 + 8 + 5) * kReplyMs;
constexpr double kLcrSaveMs = (3 + 64) * kReplyMs;
// Mobility extension: three listing pages; 32 records.
constexpr double kExtLoadMs = 3 * kReplyMs;
constexpr double kExtSaveMs = 32 * kReplyMs;
// The registration state: the same three pages.
constexpr double kSipPollMs = 3 * kReplyMs;

// The SIP registration state on its own gwsim, through a real LAN link.
class SimulatedSipState {
 public:
  SimulatedSipState() : sim_(GWSIM_PATH, {"--tcp", "0", "--full", "--sip-churn-ms", "1000"}) {
    selection_.selected().host = "127.0.0.1";
    selection_.selected().port = sim_.tcpPort();
    selection_.selected().userName = "admin";
    selection_.selected().password = "admin";
    link_.comm.linkType = kLanLink;
  }
  bool connect() { return sim_.ready() && connection_.commConnect(false); }
  SipStateTool& tool() { return tool_; }

 private:
  test::SimProcess sim_;
  test::TempDir folder_;
  SystemClock clock_;
  Link link_{clock_};
  RecordingHost host_;
  CaptionList captions_;
  GatewaySelection selection_{folder_.path(), host_, captions_};
  NewGatewayDialog newGateway_{selection_, host_, captions_};
  Connection connection_{link_, selection_, newGateway_, host_, captions_};
  SipStateTool tool_{OnlineContext{clock_, link_, connection_, selection_, host_, captions_}};
};

}  // namespace
}  // namespace gw::bench

int main(int argc, char** argv) {
  using namespace gw::bench;
  benchmark::Initialize(&argc, argv);
  SimulatedGateway<gw::LcrPage> lcr({"--full"});
  SimulatedGateway<gw::ExtPage> extension({"--full"});
  SimulatedSipState sip;
  if (!lcr.connect() || !extension.connect() || !sip.connect()) {
    std::fprintf(stderr, "bench_lcr_pages: no simulated gateway (%s%s)\n", lcr.simError().c_str(),
                 extension.simError().c_str());
    return 1;
  }
  registerLoadAndSave("LcrPage", lcr, kRounds, kLcrLoadMs, kLcrSaveMs);
  registerLoadAndSave("ExtPage", extension, kRounds, kExtLoadMs, kExtSaveMs);
  benchmark::RegisterBenchmark(
      "SipState/Poll",
      [&sip](benchmark::State& s) {
        runRounds(
            s,
            [&sip] { return sip.tool().sipRegLoad() ? gw::PageResult::Succeeded : gw::PageResult::Failed; },
            kSipPollMs, [] { return std::string("the listing did not come"); });
      })
      ->Iterations(kRounds)
      ->UseManualTime()
      ->Unit(benchmark::kMillisecond);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}

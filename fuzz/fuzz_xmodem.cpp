// The XMODEM receiver fed arbitrary bytes from the line: whatever arrives, it ends (on the fake clock), never
// writes more than it was asked for, and every frame it is shown is classified.
// Input: the first byte chooses the expected length in blocks; the rest is what the line brings.

#include <sstream>
#include <string>

#include "base/fake_clock.h"
#include "firmware/xmodem.h"
#include "firmware/xmodem_frame.h"
#include "fuzz_support.h"

namespace {

// A line that brings the fuzzer's bytes, then silence; a silent read costs its whole time-out on the clock.
class FuzzedPort : public gw::SerialPort {
 public:
  FuzzedPort(std::string_view bytes, gw::FakeClock& clock) : bytes_(bytes), clock_(clock) {}
  bool isOpen() const override { return true; }
  int write(std::string_view bytes) override { return static_cast<int>(bytes.size()); }
  std::optional<char> readByte(int timeoutMs) override {
    if (bytes_.empty()) {
      clock_.advance(timeoutMs > 0 ? timeoutMs : 1);
      return std::nullopt;
    }
    const char byte = bytes_.front();
    bytes_.remove_prefix(1);
    return byte;
  }
  bool setRate(int) override { return true; }
  int rate() const override { return 115200; }
  bool setReadTimeouts(const gw::ReadTimeouts& timeouts) override {
    timeouts_ = timeouts;
    return true;
  }
  gw::ReadTimeouts readTimeouts() const override { return timeouts_; }
  void close() override {}

 private:
  std::string_view bytes_;
  gw::FakeClock& clock_;
  gw::ReadTimeouts timeouts_{1, 1, 1};
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  gw::fuzz::Input input(data, size);
  const std::int64_t expected = static_cast<std::int64_t>(input.byte()) * 128;
  const std::string_view line = input.rest();

  for (std::size_t at = 0; at + gw::xmodem::kFrameBytes <= line.size(); at += gw::xmodem::kFrameBytes) {
    const std::string_view frame = line.substr(at, gw::xmodem::kFrameBytes);
    if (gw::xmodem::checkFrame(frame, 0) == gw::xmodem::FrameKind::ValidNext) {
      FUZZ_CHECK(gw::xmodem::frameData(frame).size() == gw::xmodem::kBlockBytes);
    }
  }

  gw::FakeClock clock;
  FuzzedPort port(line, clock);
  gw::XmodemLine xline{port, clock, {}, {}};
  std::ostringstream target;
  (void)gw::receiveXmodem(xline, target, expected);
  FUZZ_CHECK(static_cast<std::int64_t>(target.str().size()) <= expected);
  return 0;
}

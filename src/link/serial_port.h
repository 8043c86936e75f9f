#pragma once
// The byte transport of the serial link, behind a small interface so that the command exchange, the rate
// search and the firmware tools run against scripted devices as well as against a termios port.

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace gw {

// The bit-rate table of the serial link, in bit/s. The gateway search uses the entries from
// kFirstSearchRateIndex to kLastSearchRateIndex only.
inline constexpr std::array<int, 13> kBitRates = {110,   300,   1200,   2400,   4800,   9600,  19200,
                                                  38400, 57600, 115200, 230400, 460800, 921600};
inline constexpr std::size_t kFirstSearchRateIndex = 8;  // 57600
inline constexpr std::size_t kLastSearchRateIndex = 12;  // 921600

// Read time-outs of a port, in ms: between bytes, per byte asked for, and a constant part.
struct ReadTimeouts {
  int intervalMs = 0;
  int perByteMs = 0;
  int constantMs = 0;

  // Every read of the link asks for one byte, so it gives up after this long without data.
  int oneByteMs() const { return perByteMs + constantMs; }
  bool operator==(const ReadTimeouts&) const = default;
};

// In force from opening a port until a profile is set: a silent read gives up after 240 ms.
inline constexpr ReadTimeouts kOpenReadTimeouts{70, 70, 170};
// The command exchange: a silent read gives up after 230 ms.
inline constexpr ReadTimeouts kCommandReadTimeouts{70, 70, 160};
// The terminal and tracing readers poll continuously: a silent read gives up after 2 ms.
inline constexpr ReadTimeouts kTerminalReadTimeouts{1, 1, 1};

class SerialPort {
 public:
  virtual ~SerialPort() = default;

  virtual bool isOpen() const = 0;
  // Writes the bytes; returns how many the port took (fewer when the line stalls or the device is gone).
  virtual int write(std::string_view bytes) = 0;
  // One byte, or nothing when none arrived within `timeoutMs`. Never waits longer than that.
  virtual std::optional<char> readByte(int timeoutMs) = 0;
  // Changes the bit rate; bytes received and not yet read are discarded, as a real port does.
  virtual bool setRate(int bitsPerSecond) = 0;
  virtual int rate() const = 0;
  // The read time-out profile belongs to the port; the link's readers use it for every read.
  virtual bool setReadTimeouts(const ReadTimeouts& timeouts) = 0;
  virtual ReadTimeouts readTimeouts() const = 0;
  virtual void close() = 0;
  // The device has gone (hung up, unplugged): no read will ever bring data again.
  virtual bool gone() const { return false; }
};

// Why a port could not be opened.
enum class SerialOpenError {
  None,
  NotFound,      // no such device
  InUse,         // another program holds it (or the lock on it)
  NoPermission,  // the user may not open it (usually: not in the dialout group)
  NotSerial,     // the path exists but is no terminal device
  BadRate,       // the port refused the bit rate
  Other,
};

// The words added to a connection error line for an open failure; empty when the caption says enough.
std::string_view openErrorReason(SerialOpenError error);

struct SerialOpenResult {
  std::unique_ptr<SerialPort> port;  // null when the open failed
  SerialOpenError error = SerialOpenError::None;
};

// Opens a port by its name ("ttyUSB0", or a path) at a bit rate.
using SerialPortFactory = std::function<SerialOpenResult(const std::string& name, int bitsPerSecond)>;

}  // namespace gw

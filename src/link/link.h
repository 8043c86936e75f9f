#pragma once
// Link: the one owner of the gateway link — the TComm fields, the serial port, the LAN client and its
// receive buffer, the communication LOG and the exchange state the keep-alive watches. Every page and tool
// talks to the gateway through its command exchange, one exchange at a time, on the user-interface thread;
// only the serial terminal and tracing readers call serialRead from their own threads.

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>

#include "base/clock.h"
#include "link/background_reader.h"
#include "link/comm.h"
#include "link/comm_log.h"
#include "link/lan_display.h"
#include "link/serial_port.h"
#include "link/tcp_client.h"

namespace gw {

class Link {
 public:
  // The Timeout setting: how long a LAN response may keep silent before the exchange gives up.
  static constexpr int kDefaultTimeoutMs = 5000;

  // Real transports: termios serial ports and a POSIX TCP client.
  explicit Link(Clock& clock);
  // Injected transports (scripted devices in tests).
  Link(Clock& clock, SerialPortFactory openSerial, std::unique_ptr<TcpClient> tcp);
  ~Link();
  Link(const Link&) = delete;
  Link& operator=(const Link&) = delete;

  Clock& clock() { return clock_; }

  TComm comm;
  int timeoutMs = kDefaultTimeoutMs;
  // Set while the progress window shows; the keep-alive does nothing meanwhile.
  bool commBusy = false;
  // The terminal or LAN tracing owns the received LAN data (it goes to their view, not to rxText).
  bool terminalActive = false;
  bool lanTracingActive = false;

  // Called with each received LAN text while the terminal or tracing owns the data.
  std::function<void(LanDisplayTarget, const std::string&)> onLanDisplay;
  // Called once when the LAN connection is lost while the terminal or tracing owns the data: the owner runs
  // the disconnect.
  std::function<void()> onLinkLost;
  // Called with the socket when the LAN client starts receiving and with -1 when it stops, so the desktop
  // program can receive event-driven (pollLan on readable) while nothing waits.
  std::function<void(int fd)> onLanSocket;

  // Starts the reader thread of the serial terminal or tracing; tests put a reader in its place that they
  // run step by step.
  ReaderFactory startReader = startReaderThread;

  // Wall-clock whole seconds of the last send or receive.
  std::int64_t lastActivity() const { return lastActivity_; }
  void touchActivity();
  // True while a command exchange waits for the gateway.
  bool inExchange() const { return exchangeDepth_ > 0; }

  // --- Cancelling, and whether the gateway still answers ---
  // Ends the exchange under way: waits return at once with what they have and nothing more is sent until
  // clearCancel(). The Cancel button of a connect, or Ctrl+C in gwctl, asks for it.
  void requestCancel() { cancel_ = true; }
  void clearCancel() { cancel_ = false; }
  bool cancelRequested() const { return cancel_; }
  // The gateway has sent something since the link was opened.
  bool heardSinceOpen() const { return heardSinceOpen_; }
  // The last exchange went unanswered, a send found the link gone, or the LAN connection has closed.
  bool gatewayStoppedAnswering();

  // --- Communication LOG ---
  bool openLog(const std::string& path, bool append);
  void closeLog();
  bool logOpen() const { return log_.isOpen(); }

  // --- Command exchange ---
  // Bytes the transport accepted: serial writes all `bytes`; the LAN sends the text up to its first NUL and
  // gives 0 when the client is inactive or the socket fails.
  int commSend(std::string_view bytes);
  // One whole response, cut to `capacity`. LAN: until a terminator, a silent chunk wait of the Timeout
  // setting, or more than 15 s in all. Serial: until the line falls silent.
  std::string commReceive(std::size_t capacity);
  // Whatever arrives next (LAN: waits up to 5 s for data). Bytes beyond `capacity` stay for the next read.
  std::string commReadChunk(std::size_t capacity);
  // As commReadChunk with a LAN wait of `seconds`; nothing when the link type is neither serial nor LAN.
  std::optional<std::string> commReadChunkTimed(std::size_t capacity, double seconds);
  // Sends, waits 100 ms, receives; true when the response holds "\r\nOK\r\n".
  bool sendCheckOk(std::string_view command, std::size_t capacity, std::string* response = nullptr);
  // Sends and receives; appends `label` to `errorText` when the send is short, or when the response lacks
  // "OK" and the label is not in the error text yet.
  void sendCollectError(std::string_view command, std::size_t capacity, std::string& errorText,
                        std::string_view label, std::string* response = nullptr);

  // --- Serial link ---
  SerialOpenResult openSerialPort(const std::string& name, int bitsPerSecond);
  // How ports are opened, for a tool that owns a port of its own on another thread (the serial firmware
  // upgrade); it leaves the link's state alone.
  const SerialPortFactory& serialFactory() const { return openSerial_; }
  int serialWrite(std::string_view bytes);
  // The byte read, or 0 when the read timed out.
  char serialReadByte();
  // Bytes until a read times out, a NUL arrives or `capacity` bytes are read; the text before the NUL.
  std::string serialRead(std::size_t capacity);
  // As serialRead for a reader thread: it also ends once `stopping` is set, and writes the LOG only when
  // `log` is set.
  std::string serialRead(std::size_t capacity, const std::atomic<bool>& stopping, bool log);
  // The open port's device has gone (unplugged, hung up).
  bool serialPortGone() const { return comm.portHandle && comm.portHandle->gone(); }
  bool setCommandTimeouts();
  bool setTerminalTimeouts();
  // Closes the port: no handle, bit rate 0.
  void closeSerial();

  // --- LAN link ---
  // Connects the LAN client and starts receiving; false when no connection came up within kConnectWaitS.
  bool lanOpenSocket(const std::string& host, int port);
  bool tcpActive();
  int lanFd() const;
  int lanSendText(std::string_view text);
  bool lanSendByte(char byte);
  // Moves received blocks through the byte filter to telnetDataAvailable (runs during every wait).
  void pollLan();
  void telnetDataAvailable(const std::string& text);
  void lanClose();

  // The LAN receive buffer.
  bool rxReady() const;
  void clearRxText();
  // Everything in the receive buffer, which is left empty (text that arrived before the terminal or
  // tracing took the LAN data over, and belongs to them).
  std::string takeReceivedText();

 private:
  class ExchangeScope;

  void logSend(std::string_view command);
  void logReceive(std::string_view text);
  std::string takeRxText(std::size_t capacity);
  void appendRxText(const std::string& text);
  void waitForRxText(double seconds);
  std::string lanReceive(std::size_t capacity);
  std::string lanReadChunk(std::size_t capacity, double seconds);
  void stopReceiving();
  void reportLinkLost();
  // Notes whether a reply came, for gatewayStoppedAnswering.
  void noteReply(const std::string& reply);
  void linkOpened();

  Clock& clock_;
  SerialPortFactory openSerial_;
  std::unique_ptr<TcpClient> tcp_;
  std::optional<Clock::PollerId> lanPoller_;
  bool linkLostReported_ = false;

  CommLog log_;
  std::atomic<std::int64_t> lastActivity_;
  int exchangeDepth_ = 0;
  std::atomic<bool> cancel_ = false;
  bool heardSinceOpen_ = false;
  bool unanswered_ = false;

  mutable std::mutex rxLock_;  // guards rxText_ and rxReady_
  std::string rxText_;
  bool rxReady_ = false;
};

}  // namespace gw

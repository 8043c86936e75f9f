#pragma once
// UCMD, the gateway's request/reply protocol on its firmware port (UDP): the packet layout, the codes and
// their log names, the MD5 challenge-response of the login, the argument list of a LAN upgrade run and the
// checksum block the CPU image carries.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace gw::ucmd {

inline constexpr std::size_t kHeaderBytes = 16;
inline constexpr std::size_t kAuthBytes = 16;
inline constexpr std::size_t kBlockBytes = 1024;
inline constexpr std::size_t kReceiveBufferBytes = 1600;
inline constexpr int kDefaultFirmwarePort = 2222;

enum Code : std::uint8_t {
  kWrite = 0x33,
  kRead = 0x35,
  kErase = 0x36,
  kMode = 0x39,
  kWriteOk = 0x93,
  kReadOk = 0x95,
  kEraseOk = 0x96,
  kModeOk = 0x99,
  kWriteError = 0xA3,
  kReadError = 0xA5,
  kEraseError = 0xA6,
  kModeError = 0xA9,
  kCodeError = 0xC3,
  kAddressError = 0xC5,
  kParameterError = 0xC6,
  kPasswordError = 0xC9,
  kLengthError = 0xCA,
};

enum class Memory : std::uint32_t { Cpu = 1, Cdr = 2, Surf = 3 };
enum class Operation : std::uint32_t { Erase = 1, Write = 2, Reset = 4 };

struct Packet {
  std::uint8_t code = 0;
  std::uint8_t sequence = 0;
  std::uint32_t address = 0;
  std::uint32_t param1 = 0;
  std::uint32_t param2 = 0;
  std::vector<std::uint8_t> data;  // empty, 16 or 1024 bytes
};

// The datagram of a packet (multi-byte fields little-endian, bytes 2-3 zero).
std::vector<std::uint8_t> encode(const Packet& packet);
// Only datagrams of 16, 32 or 1040 bytes are packets.
std::optional<Packet> decode(const std::uint8_t* bytes, std::size_t size);

// The code's name in the log ("WRITE", "MODOK", …); empty for a code outside the table.
std::string_view codeName(std::uint8_t code);
// A reply that ends the run: every error code.
bool isErrorReply(std::uint8_t code);
// The console text of an error reply ("\nERROR: UCMD write to (%08X)\n\n", …).
std::string errorReplyText(const Packet& reply);

// "user:password" split at its first colon (a password may hold colons) into "user/password"; nothing when
// there is no colon at all.
std::optional<std::string> credentialOf(std::string_view userColonPassword);
// MD5(challenge ‖ credential): the authentication bytes of the MODE after a PSWERR.
std::array<std::uint8_t, kAuthBytes> authentication(const std::vector<std::uint8_t>& challenge,
                                                    std::string_view credential);

// The CPU image's checksum block: the 16-bit sum of its little-endian words from 0x2010 up to 0xE0000,
// written as "[%04X]" at byte 0x2000 (the image grows to hold it when shorter).
inline constexpr std::size_t kChecksumAt = 0x2000;
inline constexpr std::size_t kChecksumFrom = 0x2010;
inline constexpr std::size_t kChecksumTo = 0xE0000;
void stampChecksum(std::vector<std::uint8_t>& image);

// The argument list of a run: operation, memory, "ip:port", "user:pass" and the file (the program name
// first, as the page builds it). Nothing when it does not parse.
struct RunArguments {
  std::string operation;  // lower case, without "/"
  Memory memory = Memory::Cpu;
  std::string host;
  int port = kDefaultFirmwarePort;
  std::string credential;
  std::string file;
};
std::optional<RunArguments> parseArguments(const std::vector<std::string>& args);

}  // namespace gw::ucmd

#include "firmware/ucmd.h"

#include <openssl/evp.h>

#include <algorithm>
#include <cctype>
#include <cstdio>

namespace gw::ucmd {

namespace {

constexpr std::size_t kCodeAt = 0;
constexpr std::size_t kSequenceAt = 1;
constexpr std::size_t kAddressAt = 4;
constexpr std::size_t kParam1At = 8;
constexpr std::size_t kParam2At = 12;
constexpr std::size_t kMaxArgumentChars = 63;
constexpr std::size_t kArgumentCount = 6;  // program name, operation, memory, ip:port, user:pass, file
constexpr int kMaxPort = 65535;

struct CodeRow {
  std::uint8_t code;
  std::string_view name;
  const char* errorFormat;  // printf with the field named by `errorField`; nullptr: no error
  char errorField;          // 'a' address, 'p' parameter 2, 'c' code, 0 none
};

constexpr CodeRow kCodes[] = {
    {kWrite, "WRITE", nullptr, 0},
    {kRead, "READ", nullptr, 0},
    {kErase, "ERASE", nullptr, 0},
    {kMode, "MODE", nullptr, 0},
    {kWriteOk, "WROK", nullptr, 0},
    {kReadOk, "RDOK", nullptr, 0},
    {kEraseOk, "ERAOK", nullptr, 0},
    {kModeOk, "MODOK", nullptr, 0},
    {kWriteError, "WRERR", "\nERROR: UCMD write to (%08X)\n\n", 'a'},
    {kReadError, "RDERR", "\nERROR: UCMD read from (%08X)\n\n", 'a'},
    {kEraseError, "ERAERR", "\nERROR: UCMD erase at (%08X)\n\n", 'a'},
    {kModeError, "MODERR", "\nERROR: UCMD oper (%i)\n\n", 'p'},
    {kCodeError, "CODERR", "\nERROR: UCMD code (%02X)\n\n", 'c'},
    {kAddressError, "ADRERR", "\nERROR: UCMD addr (%08X)\n\n", 'a'},
    {kParameterError, "PARERR", "\nERROR: UCMD param (%08X)\n\n", 'p'},
    {kPasswordError, "PSWERR", nullptr, 0},
    {kLengthError, "LENERR", "\nERROR: UCMD packet len\n\n", 0},
};

const CodeRow* rowOf(std::uint8_t code) {
  for (const CodeRow& row : kCodes) {
    if (row.code == code) return &row;
  }
  return nullptr;
}

void put32(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) out[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

std::uint32_t get32(const std::uint8_t* bytes, std::size_t at) {
  std::uint32_t value = 0;
  for (int i = 3; i >= 0; --i) value = value << 8 | bytes[at + i];
  return value;
}

std::string lower(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

}  // namespace

std::vector<std::uint8_t> encode(const Packet& packet) {
  std::vector<std::uint8_t> out(kHeaderBytes + packet.data.size(), 0);
  out[kCodeAt] = packet.code;
  out[kSequenceAt] = packet.sequence;
  put32(out, kAddressAt, packet.address);
  put32(out, kParam1At, packet.param1);
  put32(out, kParam2At, packet.param2);
  std::copy(packet.data.begin(), packet.data.end(), out.begin() + kHeaderBytes);
  return out;
}

std::optional<Packet> decode(const std::uint8_t* bytes, std::size_t size) {
  if (size != kHeaderBytes && size != kHeaderBytes + kAuthBytes && size != kHeaderBytes + kBlockBytes) {
    return std::nullopt;
  }
  Packet p;
  p.code = bytes[kCodeAt];
  p.sequence = bytes[kSequenceAt];
  p.address = get32(bytes, kAddressAt);
  p.param1 = get32(bytes, kParam1At);
  p.param2 = get32(bytes, kParam2At);
  p.data.assign(bytes + kHeaderBytes, bytes + size);
  return p;
}

std::string_view codeName(std::uint8_t code) {
  const CodeRow* row = rowOf(code);
  return row != nullptr ? row->name : std::string_view();
}

bool isErrorReply(std::uint8_t code) {
  return code >= kWriteError;
}

std::string errorReplyText(const Packet& reply) {
  const CodeRow* row = rowOf(reply.code);
  if (row == nullptr || row->errorFormat == nullptr) return {};
  char text[64];
  switch (row->errorField) {
    case 'a':
      std::snprintf(text, sizeof text, row->errorFormat, reply.address);
      break;
    case 'p':
      std::snprintf(text, sizeof text, row->errorFormat, reply.param2);
      break;
    case 'c':
      std::snprintf(text, sizeof text, row->errorFormat, reply.code);
      break;
    default:
      return row->errorFormat;
  }
  return text;
}

std::optional<std::string> credentialOf(std::string_view userColonPassword) {
  const std::size_t colon = userColonPassword.find(':');
  if (colon == std::string_view::npos) return std::nullopt;
  std::string credential(userColonPassword.substr(0, colon));
  credential += '/';
  credential += userColonPassword.substr(colon + 1);
  if (credential.size() > kMaxArgumentChars) return std::nullopt;
  return credential;
}

std::array<std::uint8_t, kAuthBytes> authentication(const std::vector<std::uint8_t>& challenge,
                                                    std::string_view credential) {
  std::array<std::uint8_t, kAuthBytes> digest{};
  EVP_MD_CTX* md = EVP_MD_CTX_new();
  unsigned int length = 0;
  if (md != nullptr && EVP_DigestInit_ex(md, EVP_md5(), nullptr) == 1 &&
      EVP_DigestUpdate(md, challenge.data(), challenge.size()) == 1 &&
      EVP_DigestUpdate(md, credential.data(), credential.size()) == 1) {
    EVP_DigestFinal_ex(md, digest.data(), &length);
  }
  EVP_MD_CTX_free(md);
  return digest;
}

void stampChecksum(std::vector<std::uint8_t>& image) {
  // The image lies in a buffer of erased flash: bytes beyond its end count as 0xFF.
  const auto byteAt = [&image](std::size_t i) -> std::uint16_t { return i < image.size() ? image[i] : 0xFF; };
  std::uint16_t sum = 0;
  for (std::size_t i = kChecksumFrom; i < kChecksumTo; i += 2) {
    sum = static_cast<std::uint16_t>(sum + (byteAt(i) | byteAt(i + 1) << 8));
  }
  constexpr std::size_t kStampChars = 6;
  char stamp[kStampChars + 1];
  std::snprintf(stamp, sizeof stamp, "[%04X]", sum);
  if (image.size() < kChecksumAt + kStampChars) image.resize(kChecksumAt + kStampChars, 0xFF);
  std::copy(stamp, stamp + kStampChars, image.begin() + kChecksumAt);
}

std::optional<RunArguments> parseArguments(const std::vector<std::string>& args) {
  if (args.size() != kArgumentCount) return std::nullopt;
  RunArguments run;
  static const std::string_view kOperations[] = {"erase", "write", "read", "reset", "verify", "report"};
  const std::string op = lower(args[1]);
  if (op.empty() || op[0] != '/' ||
      std::find(std::begin(kOperations), std::end(kOperations), op.substr(1)) == std::end(kOperations)) {
    return std::nullopt;
  }
  run.operation = op.substr(1);
  const std::string memory = lower(args[2]);
  if (memory == "/cpu") {
    run.memory = Memory::Cpu;
  } else if (memory == "/cdr") {
    run.memory = Memory::Cdr;
  } else if (memory == "/surf") {
    run.memory = Memory::Surf;
  } else {
    return std::nullopt;
  }
  const std::string& address = args[3];
  const std::size_t colon = address.rfind(':');
  if (colon == std::string::npos || colon == 0 || address.size() > kMaxArgumentChars) return std::nullopt;
  run.host = address.substr(0, colon);
  const std::string port = address.substr(colon + 1);
  if (port.empty() ||
      !std::all_of(port.begin(), port.end(),
                   [](char c) { return std::isdigit(static_cast<unsigned char>(c)); }) ||
      port.size() > 5 || std::stoi(port) > kMaxPort) {
    return std::nullopt;
  }
  run.port = std::stoi(port);
  const std::optional<std::string> credential = credentialOf(args[4]);
  if (!credential) return std::nullopt;
  run.credential = *credential;
  run.file = args[5];
  return run;
}

}  // namespace gw::ucmd
